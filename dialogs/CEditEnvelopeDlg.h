#pragma once

#include "CDialog.h"
#include "EnvelopeFields.h"
#include "RecordArray.h"

#include <string>

class QComboBox;

// Changes the lengths of an existing envelope format in place; its label stays.
class CEditEnvelopeDlg : public CDialog
{
    Q_OBJECT
public:
    explicit CEditEnvelopeDlg(QWidget *parent = nullptr);

    void DoDataExchange(CDataExchange &dx) override;

    EnvelopeFormatArray *m_pEnvelopes = nullptr;
    QComboBox *m_labelList;
    float m_addresseeTop = 0.0f;
    float m_addresseeLeft = 0.0f;
    std::string m_label;
    float m_senderTop = 0.0f;
    float m_senderLeft = 0.0f;
    float m_width = 0.0f;
    float m_height = 0.0f;

    void OnComputeAddressee();
    void OnComputeSender();
    void OnLabelChange();

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    EnvelopeFields m_fields;
};
