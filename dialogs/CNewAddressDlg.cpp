#include "CNewAddressDlg.h"

#include "DataExchange.h"
#include "MessageBox.h"

#include <QLineEdit>

CNewAddressDlg::CNewAddressDlg(QWidget *parent)
    : CDialog(parent), m_labelEdit(new QLineEdit(this)),
      m_fields(this, tr("OK"), m_labelEdit, AddressFields::LabelPlace::BeforeText)
{
    setWindowTitle(tr("Dialog"));
    m_labelEdit->setObjectName(QStringLiteral("1013"));
    connectOk(m_fields.m_ok);
}

void CNewAddressDlg::DoDataExchange(CDataExchange &dx)
{
    dx.text(m_fields.m_text, m_text);
    dx.text(m_labelEdit, m_label);
}

void CNewAddressDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    setWindowTitle(m_isSender ? tr("Nový odesílatel") : tr("Nový adresát"));
}

void CNewAddressDlg::OnOK()
{
    if (!UpdateData(*this, true))
        return;
    if (m_label.empty()) {
        showMessageBox(this, tr("Musíte zadat označení adresy."), tr("Chyba"), MessageIcon::Error);
        return;
    }
    if (m_pEntries && m_pEntries->FindByLabel(m_label) >= 0) {
        showMessageBox(this, tr("Takové označní adresy již existuje. Zadejte jiné."), tr("Chyba"),
                       MessageIcon::Error);
        return;
    }
    CDialog::OnOK();
}
