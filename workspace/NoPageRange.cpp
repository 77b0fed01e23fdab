#include "NoPageRange.h"

#include <QChildEvent>
#include <QPrintDialog>

void NoPageRange::applyTo(QDialog *dialog)
{
    dialog->installEventFilter(new NoPageRange(dialog));
}

bool NoPageRange::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ChildPolished) {
        // A preview makes its print dialog when Print is first pressed; it is polished
        // before it is shown.
        QObject *child = static_cast<QChildEvent *>(event)->child();
        if (qobject_cast<QPrintDialog *>(child))
            child->installEventFilter(this);
    } else if (event->type() == QEvent::Show) {
        // The dialog sets up its widgets anew each time it is shown, just before this.
        if (auto *dialog = qobject_cast<QPrintDialog *>(watched)) {
            dialog->setOption(QAbstractPrintDialog::PrintPageRange, false);
            if (auto *range = dialog->findChild<QWidget *>(QStringLiteral("gbPrintRange")))
                range->hide();
        }
    }
    return QObject::eventFilter(watched, event);
}
