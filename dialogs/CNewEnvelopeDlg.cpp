#include "CNewEnvelopeDlg.h"

CNewEnvelopeDlg::CNewEnvelopeDlg(QWidget *parent) : QDialog(parent) {}
