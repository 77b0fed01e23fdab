#pragma once

#include "RecordArray.h"

#include <QDialog>

#include <string>

class QComboBox;

class CDeleteDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CDeleteDlg(QWidget *parent = nullptr);

    QComboBox *m_pEnvelopeCombo = nullptr;
    QComboBox *m_pAddresseeCombo = nullptr;
    QComboBox *m_pSenderCombo = nullptr;
    EnvelopeFormatArray *m_pEnvelopes = nullptr;
    AddressEntryArray *m_pSenders = nullptr;
    AddressEntryArray *m_pAddressees = nullptr;
};
