#pragma once

#include "RecordArray.h"

#include <QDialog>

#include <string>

class QComboBox;

class CEditAddressDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CEditAddressDlg(QWidget *parent = nullptr);

    int m_isSender = 0;
    AddressEntryArray *m_pEntries = nullptr;
};
