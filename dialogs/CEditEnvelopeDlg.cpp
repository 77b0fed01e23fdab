#include "CEditEnvelopeDlg.h"

CEditEnvelopeDlg::CEditEnvelopeDlg(QWidget *parent) : QDialog(parent) {}
