#include "CThirdFieldDlg.h"

CThirdFieldDlg::CThirdFieldDlg(QWidget *parent) : QDialog(parent) {}
CThirdFieldDlg::~CThirdFieldDlg() = default;
