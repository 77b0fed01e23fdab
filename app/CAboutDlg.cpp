#include "CAboutDlg.h"

#include "AppIcons.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

CAboutDlg::CAboutDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("O aplikaci"));

    auto *title = new QLabel(tr("Tobrel verze 2.4"), this);
    title->setObjectName(QStringLiteral("title"));
    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("icon"));
    icon->setPixmap(appIcon("tobrel").pixmap(32, 32));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QGridLayout(this);
    layout->addWidget(title, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(icon, 0, 1, Qt::AlignRight | Qt::AlignTop);
    layout->addWidget(buttons, 1, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    layout->setColumnMinimumWidth(0, 200);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
