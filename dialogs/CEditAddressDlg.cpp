#include "CEditAddressDlg.h"

CEditAddressDlg::CEditAddressDlg(QWidget *parent) : QDialog(parent) {}
