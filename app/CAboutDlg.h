#pragma once

#include <QDialog>

// The About box: the program title with its version and the program icon.
class CAboutDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget *parent = nullptr);
};
