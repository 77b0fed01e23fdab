#pragma once

#include "AddressEntryArray.h"
#include "AddressFields.h"
#include "CDialog.h"

#include <string>

class QComboBox;

// Changes the text of an existing addressee or sender in place; its label stays.
class CEditAddressDlg : public CDialog
{
    Q_OBJECT
public:
    explicit CEditAddressDlg(QWidget *parent = nullptr);

    void DoDataExchange(CDataExchange &dx) override;

    int m_isSender = 0;
    AddressEntryArray *m_pEntries = nullptr;
    QComboBox *m_labelList;
    std::string m_text; // CR LF between lines
    std::string m_label;

    void OnLabelChange();

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    // Index of the entry labelled m_label, or -1 after saying there is none.
    int findSelectedEntry();

    AddressFields m_fields;
};
