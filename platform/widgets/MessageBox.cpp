#include "MessageBox.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

namespace {
MessageBoxHandler &handlerOverride()
{
    static MessageBoxHandler handler;
    return handler;
}

bool &shutdownMode()
{
    static bool shuttingDown = false;
    return shuttingDown;
}

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}
} // namespace

void showMessageBox(QWidget *owner, const QString &text, const QString &caption, MessageIcon icon)
{
    if (handlerOverride()) {
        handlerOverride()(owner, text, caption, icon);
        return;
    }
    if (shutdownMode()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
        return;
    }
    QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Ok,
                    owner ? owner : QApplication::activeWindow());
    box.exec();
}

void setMessageBoxHandler(MessageBoxHandler handler)
{
    handlerOverride() = std::move(handler);
}

void setMessageBoxShutdownMode(bool shuttingDown)
{
    shutdownMode() = shuttingDown;
}
