#pragma once

#include "AddressEntryArray.h"
#include "AddressFields.h"
#include "CDialog.h"

#include <string>

class QLineEdit;

// Asks for a new addressee or sender; the caller appends it when the dialog is accepted.
class CNewAddressDlg : public CDialog
{
    Q_OBJECT
public:
    explicit CNewAddressDlg(QWidget *parent = nullptr);

    void DoDataExchange(CDataExchange &dx) override;

    int m_isSender = 0;
    const AddressEntryArray *m_pEntries = nullptr;
    std::string m_text; // CR LF between lines
    std::string m_label;

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    QLineEdit *m_labelEdit;
    AddressFields m_fields;
};
