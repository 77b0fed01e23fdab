#pragma once

#include "AddressEntryArray.h"

#include <QDialog>

#include <vector>

class AddressChecklist;
class QLabel;
class QPushButton;
class QSortFilterProxyModel;

// "Hromadný tisk": the addressees to print one envelope each for, chosen with check boxes
// and narrowed by a filter on their labels.
class BatchPrintDialog : public QDialog
{
    Q_OBJECT
public:
    explicit BatchPrintDialog(const AddressEntryArray &addressees, QWidget *parent = nullptr);

    // Indexes into the addressee list, in list order.
    std::vector<int> checkedAddressees() const;

    // The rows the filter shows, checked or unchecked all at once.
    void setShownChecked(bool checked);
    void setFilterText(const QString &text);

private:
    void showCount(int checked);

    AddressChecklist *m_checklist;
    QSortFilterProxyModel *m_filter;
    QLabel *m_count;
    QPushButton *m_printButton;
};
