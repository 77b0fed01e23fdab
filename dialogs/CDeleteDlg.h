#pragma once

#include "AddressEntryArray.h"
#include "CDialog.h"

#include <string>

class QComboBox;

// Deletes envelope formats, addressees and senders one click at a time, from the view's
// collections and combo boxes at once; nothing asks for confirmation.
class CDeleteDlg : public CDialog
{
    Q_OBJECT
public:
    explicit CDeleteDlg(QWidget *parent = nullptr);

    void DoDataExchange(CDataExchange &dx) override;

    QComboBox *m_pEnvelopeCombo = nullptr;
    QComboBox *m_pAddresseeCombo = nullptr;
    QComboBox *m_pSenderCombo = nullptr;
    EnvelopeFormatArray *m_pEnvelopes = nullptr;
    AddressEntryArray *m_pSenders = nullptr;
    AddressEntryArray *m_pAddressees = nullptr;
    QComboBox *m_senderList;
    QComboBox *m_envelopeList;
    QComboBox *m_addresseeList;
    std::string m_addresseeLabel;
    std::string m_envelopeLabel;
    std::string m_senderLabel;

    void OnDeleteAddressee();
    void OnDeleteEnvelope();
    void OnDeleteSender();

protected:
    void OnInitDialog() override;
};
