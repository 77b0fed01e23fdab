#pragma once

#include "AddressEntryArray.h"

#include <QAbstractListModel>

#include <vector>

// The addressees in list order, each with a check box; labels are decoded only when shown.
class AddressChecklist : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit AddressChecklist(const AddressEntryArray &entries, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    void setAllChecked(const std::vector<int> &rows, bool checked);
    int checkedCount() const { return m_checkedCount; }
    // Indexes into the list of the checked entries, in list order.
    std::vector<int> checkedRows() const;

Q_SIGNALS:
    void checkedCountChanged(int count);

private:
    void setChecked(int row, bool checked);

    const AddressEntryArray &m_entries;
    std::vector<bool> m_checked;
    int m_checkedCount = 0;
};
