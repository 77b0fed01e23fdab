#include "CEditEnvelopeDlg.h"

#include "DataExchange.h"
#include "LabelList.h"
#include "MessageBox.h"

#include <QComboBox>
#include <QPushButton>

CEditEnvelopeDlg::CEditEnvelopeDlg(QWidget *parent)
    : CDialog(parent), m_labelList(createLabelList(this, "1010")),
      m_fields(this, tr("Upravit"), m_labelList, EnvelopeFields::LabelPlace::Last)
{
    setWindowTitle(tr("Upravit obálku"));
    connectOk(m_fields.m_ok);
    connect(m_fields.m_computeAddressee, &QPushButton::clicked, this,
            &CEditEnvelopeDlg::OnComputeAddressee);
    connect(m_fields.m_computeSender, &QPushButton::clicked, this,
            &CEditEnvelopeDlg::OnComputeSender);
    connect(m_labelList, &QComboBox::activated, this, &CEditEnvelopeDlg::OnLabelChange);
}

void CEditEnvelopeDlg::DoDataExchange(CDataExchange &dx)
{
    dx.number(m_fields.m_addresseeTop, m_addresseeTop);
    dx.number(m_fields.m_addresseeLeft, m_addresseeLeft);
    dx.selectedText(m_labelList, m_label);
    dx.number(m_fields.m_senderTop, m_senderTop);
    dx.number(m_fields.m_senderLeft, m_senderLeft);
    dx.number(m_fields.m_width, m_width);
    dx.number(m_fields.m_height, m_height);
}

void CEditEnvelopeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_pEnvelopes || m_pEnvelopes->GetSize() == 0) {
        showMessageBox(this, tr("Nejsou nadefinovány žádné obálky."), tr("Chyba"),
                       MessageIcon::Error);
        return;
    }
    fillLabelList(m_labelList, *m_pEnvelopes);
    OnLabelChange();
}

// Fields are exchanged before the label on purpose: when one of the addressee fields does
// not parse, the label is not read and the shown format is loaded again.
void CEditEnvelopeDlg::OnLabelChange()
{
    UpdateData(*this, true);
    const int index = m_pEnvelopes ? m_pEnvelopes->FindByLabel(m_label) : -1;
    if (index < 0)
        return;
    const EnvelopeFormat &format = m_pEnvelopes->ElementAt(index);
    m_width = format.width;
    m_height = format.height;
    m_addresseeLeft = format.addresseeLeft;
    m_addresseeTop = format.addresseeTop;
    m_senderLeft = format.senderLeft;
    m_senderTop = format.senderTop;
    UpdateData(*this, false);
}

void CEditEnvelopeDlg::OnComputeAddressee()
{
    // A field that does not parse ends the reading there; the computation goes on with the
    // values held, and writing them back shows that field and those after it as they were.
    UpdateData(*this, true);
    m_addresseeLeft = suggestedAddressPosition(m_width, 50.0f);
    m_addresseeTop = suggestedAddressPosition(m_height, 30.0f);
    UpdateData(*this, false);
}

void CEditEnvelopeDlg::OnComputeSender()
{
    UpdateData(*this, true);
    m_senderLeft = 1.0f;
    m_senderTop = 1.0f;
    UpdateData(*this, false);
}

void CEditEnvelopeDlg::OnOK()
{
    if (!UpdateData(*this, true))
        return;
    const int index = m_pEnvelopes ? m_pEnvelopes->FindByLabel(m_label) : -1;
    if (index < 0) {
        showMessageBox(this, tr("Nezdařilo se najít obálku tohoto jména."), tr("Vnitřní chyba."),
                       MessageIcon::Error);
        return;
    }
    EnvelopeFormat &format = m_pEnvelopes->ElementAt(index);
    format.width = m_width;
    format.height = m_height;
    format.addresseeLeft = m_addresseeLeft;
    format.addresseeTop = m_addresseeTop;
    format.senderLeft = m_senderLeft;
    format.senderTop = m_senderTop;
    accept();
}
