#pragma once

#include "MessageBox.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

struct RecordedMessage
{
    QPointer<QWidget> owner;
    QString text;
    QString caption;
    MessageIcon icon;
};

// Collects every message box instead of showing it, for as long as it lives.
class MessageRecorder
{
public:
    MessageRecorder()
    {
        setMessageBoxHandler(
            [this](QWidget *owner, const QString &text, const QString &caption, MessageIcon icon) {
                m_messages.append({owner, text, caption, icon});
            });
    }
    ~MessageRecorder() { setMessageBoxHandler({}); }
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    QList<RecordedMessage> take() { return std::exchange(m_messages, {}); }

private:
    QList<RecordedMessage> m_messages;
};
