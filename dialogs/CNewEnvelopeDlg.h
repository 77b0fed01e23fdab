#pragma once

#include "CDialog.h"
#include "EnvelopeFields.h"
#include "RecordArray.h"

#include <string>

class QLineEdit;

// Asks for a new envelope format; the caller appends it when the dialog is accepted.
class CNewEnvelopeDlg : public CDialog
{
    Q_OBJECT
public:
    explicit CNewEnvelopeDlg(QWidget *parent = nullptr);

    void DoDataExchange(CDataExchange &dx) override;

    std::string m_label;
    float m_height = 12.0f;
    float m_width = 16.0f;
    float m_addresseeTop = 0.0f;
    float m_addresseeLeft = 0.0f;
    float m_senderLeft = 1.0f;
    float m_senderTop = 1.0f;
    const EnvelopeFormatArray *m_pEnvelopes = nullptr;

    void OnComputeAddressee();
    void OnComputeSender();

protected:
    void OnOK() override;

private:
    QLineEdit *m_labelEdit;
    EnvelopeFields m_fields;
};
