#pragma once

#include "AddressEntryArray.h"

#include <QAbstractListModel>

#include <string>
#include <string_view>
#include <vector>

// The addressees in the window's order, each with a check box; labels are decoded only
// when shown.
class AddressChecklist : public QAbstractListModel
{
    Q_OBJECT
public:
    // order: the entries' indexes as the window's list shows them.
    AddressChecklist(const AddressEntryArray &entries, std::vector<int> order,
                     QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    void setAllChecked(const std::vector<int> &rows, bool checked);
    int checkedCount() const { return m_checkedCount; }
    // Indexes into the list of the checked entries, in the window's order.
    std::vector<int> checkedEntries() const;
    // The row's label or text holds folded (as appendSearchFolded gives it).
    bool matches(int row, std::string_view folded) const;

Q_SIGNALS:
    void checkedCountChanged(int count);

private:
    void setChecked(int row, bool checked);

    const AddressEntryArray &m_entries;
    std::vector<int> m_order;
    std::vector<bool> m_checked;
    int m_checkedCount = 0;
    mutable std::string m_folded; // kept between searches, so a long list needs no allocations
};
