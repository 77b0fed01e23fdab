#pragma once

#include "MessageBox.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <utility>

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
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    // The messages so far, which are then forgotten.
    QList<RecordedMessage> take() { return std::exchange(messages, {}); }

    QList<RecordedMessage> messages;
};
