#pragma once

#include "AddressEntryArray.h"

#include <QDialog>

#include <vector>

class AddressChecklist;
class LabelListModel;
class QComboBox;
class QLabel;
class QPushButton;
class QSortFilterProxyModel;

// "Hromadný tisk": the addressees to print one envelope each for, in the window's order,
// chosen with check boxes and narrowed by a filter on their labels and texts; at its top
// the envelope format and the sender the run prints with, which can be changed there.
class BatchPrintDialog : public QDialog
{
    Q_OBJECT
public:
    // The window's lists; envelopeRow and senderRow are its selections (-1: none).
    BatchPrintDialog(const AddressEntryArray &addressees, const LabelListModel &addresseeList,
                     LabelListModel &envelopeList, int envelopeRow, LabelListModel &senderList,
                     int senderRow, QWidget *parent = nullptr);

    // Indexes into the addressee list, in the window's order.
    std::vector<int> checkedAddressees() const;
    // The rows chosen in the window's envelope and sender lists (-1: none).
    int envelopeRow() const;
    int senderRow() const;

    // The rows the filter shows, checked or unchecked all at once.
    void setShownChecked(bool checked);
    void setFilterText(const QString &text);

private:
    void showState();

    AddressChecklist *m_checklist;
    QSortFilterProxyModel *m_filter;
    QLabel *m_noEnvelope;
    QComboBox *m_envelopes;
    QComboBox *m_senders;
    QLabel *m_count;
    QPushButton *m_printButton;
};
