#include "CEditAddressDlg.h"

#include "DataExchange.h"
#include "LabelList.h"
#include "MessageBox.h"

#include <QComboBox>

CEditAddressDlg::CEditAddressDlg(QWidget *parent)
    : CDialog(parent), m_labelList(createLabelList(this, "1013")),
      m_fields(this, tr("Upravit"), m_labelList, AddressFields::LabelPlace::AfterText)
{
    setWindowTitle(tr("Dialog"));
    connectOk(m_fields.m_ok);
    connect(m_labelList, &QComboBox::activated, this, &CEditAddressDlg::OnLabelChange);
}

void CEditAddressDlg::DoDataExchange(CDataExchange &dx)
{
    dx.text(m_fields.m_text, m_text);
    dx.selectedText(m_labelList, m_label);
}

void CEditAddressDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_pEntries || m_pEntries->GetSize() == 0) {
        showMessageBox(this,
                       m_isSender ? tr("Nejsou definováni žádní odesílatelé.")
                                  : tr("Nejsou definováni žádní adresáti."),
                       tr("Chyba"), MessageIcon::Error);
        return;
    }
    setWindowTitle(m_isSender ? tr("Upravit odesílatele") : tr("Upravit adresáta"));
    fillLabelList(m_labelList, *m_pEntries);
    OnLabelChange();
}

int CEditAddressDlg::findSelectedEntry()
{
    const int index = m_pEntries ? m_pEntries->FindByLabel(m_label) : -1;
    if (index < 0)
        showMessageBox(this, tr("Taková adresa neexistuje."), tr("Vnitřní chyba"),
                       MessageIcon::Error);
    return index;
}

void CEditAddressDlg::OnLabelChange()
{
    UpdateData(*this, true);
    const int index = findSelectedEntry();
    if (index < 0)
        return;
    m_text = m_pEntries->ElementAt(index).text;
    UpdateData(*this, false);
}

void CEditAddressDlg::OnOK()
{
    if (!UpdateData(*this, true))
        return;
    const int index = findSelectedEntry();
    if (index < 0)
        return;
    m_pEntries->SetAt(index, AddressEntry{m_text, m_label}); // found by this very label
    accept();
}
