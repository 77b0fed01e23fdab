#pragma once

#include <QString>

#include <functional>

class QWidget;

enum class MessageIcon { Error, Exclamation, Information };

// The caption of the messages that speak for the program as a whole, as its title bar does.
inline QString applicationCaption()
{
    return QStringLiteral("Tobrel");
}

// Every message box of the program goes through here: one OK button, the given caption,
// text and icon, owned by owner (or the active window).
void showMessageBox(QWidget *owner, const QString &text, const QString &caption,
                    MessageIcon icon);

// Tests install a recorder so that nothing blocks; an empty handler restores the real box.
using MessageBoxHandler =
    std::function<void(QWidget *owner, const QString &text, const QString &caption,
                       MessageIcon icon)>;
void setMessageBoxHandler(MessageBoxHandler handler);

// A question with the buttons Yes and No; true for Yes.
enum class DefaultAnswer { Yes, No };
bool askYesNo(QWidget *owner, const QString &text, const QString &caption,
              DefaultAnswer defaultAnswer = DefaultAnswer::Yes);
// The same with the buttons' own words ("Tisknout přesto", "Zrušit").
bool askYesNo(QWidget *owner, const QString &text, const QString &caption, const QString &yes,
              const QString &no, DefaultAnswer defaultAnswer);

// While the program shuts down on a signal or at session end, a modal box would stop the
// shutdown: messages then go to standard error instead, and a question is answered No.
void setMessageBoxShutdownMode(bool shuttingDown);

// With TOBREL_UNATTENDED set to "yes" or "no" in the environment nobody is expected at the
// screen (scripts, tests of the whole program): messages go to standard error and every
// question gets that answer.
