#include "CNewEnvelopeDlg.h"

#include "DataExchange.h"
#include "MessageBox.h"

#include <QLineEdit>
#include <QPushButton>

CNewEnvelopeDlg::CNewEnvelopeDlg(QWidget *parent)
    : CDialog(parent), m_labelEdit(new QLineEdit(this)),
      m_fields(this, tr("OK"), m_labelEdit, EnvelopeFields::LabelPlace::BeforeComputeButtons)
{
    setWindowTitle(tr("Nová obálka"));
    m_labelEdit->setObjectName(QStringLiteral("1010"));
    connectOk(m_fields.m_ok);
    connect(m_fields.m_computeAddressee, &QPushButton::clicked, this,
            &CNewEnvelopeDlg::OnComputeAddressee);
    connect(m_fields.m_computeSender, &QPushButton::clicked, this,
            &CNewEnvelopeDlg::OnComputeSender);
}

void CNewEnvelopeDlg::DoDataExchange(CDataExchange &dx)
{
    dx.text(m_labelEdit, m_label);
    dx.number(m_fields.m_height, m_height);
    dx.number(m_fields.m_width, m_width);
    dx.number(m_fields.m_addresseeTop, m_addresseeTop);
    dx.number(m_fields.m_addresseeLeft, m_addresseeLeft);
    dx.number(m_fields.m_senderLeft, m_senderLeft);
    dx.number(m_fields.m_senderTop, m_senderTop);
}

void CNewEnvelopeDlg::OnComputeAddressee()
{
    // A field that does not parse ends the reading there; the computation goes on with the
    // values held, and writing them back shows that field and those after it as they were.
    UpdateData(*this, true);
    m_addresseeLeft = suggestedAddressPosition(m_width, 50.0f);
    m_addresseeTop = suggestedAddressPosition(m_height, 50.0f);
    UpdateData(*this, false);
}

void CNewEnvelopeDlg::OnComputeSender()
{
    UpdateData(*this, true);
    m_senderLeft = 1.0f;
    m_senderTop = 1.0f;
    UpdateData(*this, false);
}

void CNewEnvelopeDlg::OnOK()
{
    if (!UpdateData(*this, true))
        return;
    if (m_label.empty()) {
        showMessageBox(this, tr("Musíte zadat označení obálky."), tr("Chyba"), MessageIcon::Error);
        return;
    }
    if (m_pEnvelopes && m_pEnvelopes->FindByLabel(m_label) >= 0) {
        showMessageBox(this, tr("Takové označení obálky již existuje. Zadejte jiné."), tr("Chyba"),
                       MessageIcon::Error);
        return;
    }
    CDialog::OnOK();
}
