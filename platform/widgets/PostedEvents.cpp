#include "PostedEvents.h"

#include <QCoreApplication>

void postControlEvent(QObject *receiver, QEvent::Type type, QWidget *control)
{
    QCoreApplication::postEvent(receiver, new ControlEvent(type, control));
}
