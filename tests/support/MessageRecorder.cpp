#include "MessageRecorder.h"

MessageRecorder::MessageRecorder()
{
    setMessageBoxHandler(
        [this](QWidget *owner, const QString &text, const QString &caption, MessageIcon icon) {
            messages.append({owner, text, caption, icon});
        });
}

MessageRecorder::~MessageRecorder()
{
    setMessageBoxHandler({});
}
