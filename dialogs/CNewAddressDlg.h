#pragma once

#include "RecordArray.h"

#include <QDialog>

#include <string>

class QComboBox;

class CNewAddressDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CNewAddressDlg(QWidget *parent = nullptr);

    int m_isSender = 0;
    const AddressEntryArray *m_pEntries = nullptr;
    std::string m_text;
    std::string m_label;
};
