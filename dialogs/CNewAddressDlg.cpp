#include "CNewAddressDlg.h"

CNewAddressDlg::CNewAddressDlg(QWidget *parent) : QDialog(parent) {}
