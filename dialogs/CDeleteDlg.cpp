#include "CDeleteDlg.h"

CDeleteDlg::CDeleteDlg(QWidget *parent) : QDialog(parent) {}
