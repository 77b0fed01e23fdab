#include "MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <cstdio>
#include <optional>

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

std::optional<bool> unattendedAnswer()
{
    static const std::optional<bool> answer = []() -> std::optional<bool> {
        const QByteArray value = qgetenv("TOBREL_UNATTENDED");
        if (value.isEmpty())
            return std::nullopt;
        return value == "yes";
    }();
    return answer;
}

// No box may wait for a person: the text goes to standard error.
bool writesToStandardError()
{
    return shutdownMode() || unattendedAnswer();
}

void writeToStandardError(const QString &caption, const QString &text)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
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
// A text of many lines (restore lists every label it skipped) would make the box taller
// than the screen, with its OK button out of reach, and take seconds to lay out: the text
// then scrolls in a read-only view inside the box.
void letLongTextScroll(QMessageBox &box, const QString &text)
{
    auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    const QScreen *screen = box.screen() ? box.screen() : QGuiApplication::primaryScreen();
    if (!label || !grid || !screen)
        return;
    const QFontMetrics metrics(label->font());
    const QStringList lines = text.split(QLatin1Char('\n'));
    const QRect available = screen->availableGeometry();
    const int heightLimit = available.height() / 2;
    const int index = grid->indexOf(label);
    if (qint64(lines.size()) * metrics.lineSpacing() <= heightLimit || index < 0)
        return;
    int width = 0;
    for (const QString &line : lines)
        width = qMax(width, metrics.horizontalAdvance(line));

    int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
    grid->removeWidget(label);
    label->hide();
    auto *view = new QPlainTextEdit(&box);
    view->setObjectName(QStringLiteral("messageText"));
    view->setReadOnly(true);
    view->setFrameShape(QFrame::NoFrame);
    view->setFont(label->font());
    view->viewport()->setAutoFillBackground(false);
    view->setPlainText(text);
    view->setMinimumSize(qMin(width, available.width() / 2) +
                             view->verticalScrollBar()->sizeHint().width() +
                             2 * int(view->document()->documentMargin()) +
                             2 * metrics.averageCharWidth(),
                         heightLimit);
    grid->addWidget(view, row, column, rowSpan, columnSpan);
}

} // namespace

void showMessageBox(QWidget *owner, const QString &text, const QString &caption, MessageIcon icon)
{
    if (handlerOverride()) {
        handlerOverride()(owner, text, caption, icon);
        return;
    }
    if (writesToStandardError()) {
        writeToStandardError(caption, text);
        return;
    }
    QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Ok,
                    owner ? owner : QApplication::activeWindow());
    letLongTextScroll(box, text);
    box.exec();
}

bool askYesNo(QWidget *owner, const QString &text, const QString &caption,
              DefaultAnswer defaultAnswer)
{
    return askYesNo(owner, text, caption, QString(), QString(), defaultAnswer);
}

bool askYesNo(QWidget *owner, const QString &text, const QString &caption, const QString &yes,
              const QString &no, DefaultAnswer defaultAnswer)
{
    if (writesToStandardError()) {
        writeToStandardError(caption, text);
        return !shutdownMode() && unattendedAnswer().value_or(false);
    }
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                    owner ? owner : QApplication::activeWindow());
    box.setDefaultButton(defaultAnswer == DefaultAnswer::Yes ? QMessageBox::Yes : QMessageBox::No);
    if (!yes.isEmpty())
        box.button(QMessageBox::Yes)->setText(yes);
    if (!no.isEmpty())
        box.button(QMessageBox::No)->setText(no);
    letLongTextScroll(box, text);
    return box.exec() == QMessageBox::Yes;
}

void setMessageBoxHandler(MessageBoxHandler handler)
{
    handlerOverride() = std::move(handler);
}

void setMessageBoxShutdownMode(bool shuttingDown)
{
    shutdownMode() = shuttingDown;
}
