#pragma once

#include <QEvent>
#include <QPointer>
#include <QWidget>

// The program's private window messages. They are posted, so the receiver handles them
// after the keystroke that caused them has been processed.
inline const QEvent::Type WM_SHOW_MAXIMIZED = QEvent::Type(QEvent::User + 0x40A);
inline const QEvent::Type WM_COMBO_ENTER = QEvent::Type(QEvent::User + 0x464);
inline const QEvent::Type WM_EDIT_KEYDOWN = QEvent::Type(QEvent::User + 0x8001);

// A posted message naming the control it comes from (wParam); null when it names none.
class ControlEvent : public QEvent
{
public:
    ControlEvent(QEvent::Type type, QWidget *control) : QEvent(type), m_control(control) {}
    QWidget *control() const { return m_control; }

private:
    QPointer<QWidget> m_control;
};

void postControlEvent(QObject *receiver, QEvent::Type type, QWidget *control);
