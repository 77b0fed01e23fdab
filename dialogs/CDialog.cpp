#include "CDialog.h"

#include "DataExchange.h"

#include <QPushButton>

CDialog::CDialog(QWidget *parent) : QDialog(parent) {}

void CDialog::OnInitDialog()
{
    UpdateData(*this, false);
}

void CDialog::OnOK()
{
    if (UpdateData(*this, true))
        accept();
}

void CDialog::connectOk(QPushButton *button)
{
    button->setDefault(true);
    connect(button, &QPushButton::clicked, this, &CDialog::OnOK);
}

// Sent just before the window appears, so a message from the set-up shows first.
void CDialog::showEvent(QShowEvent *event)
{
    if (!m_initialized) {
        m_initialized = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}
