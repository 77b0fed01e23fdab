#include "CContextRichEdit.h"

#include "CommandTarget.h"
#include "PostedEvents.h"

#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>

CContextRichEdit::CContextRichEdit(QWidget *parent) : QTextEdit(parent)
{
    setAcceptRichText(false);
}

void CContextRichEdit::OnEditCut()
{
    cut();
}

void CContextRichEdit::OnEditCopy()
{
    copy();
}

void CContextRichEdit::OnEditPaste()
{
    paste();
}

void CContextRichEdit::keyPressEvent(QKeyEvent *event)
{
    // Posted before the key is processed, so the parent reads the text after it.
    if (parentWidget())
        postControlEvent(parentWidget(), WM_EDIT_KEYDOWN, this);
    QTextEdit::keyPressEvent(event);
}

void CContextRichEdit::inputMethodEvent(QInputMethodEvent *event)
{
    // Letters composed from dead keys (Ř, Ď, Ó on a Czech keyboard) arrive from the input
    // method instead of as key presses; the keys were still typed, so the parent hears of it.
    if (parentWidget() && !event->commitString().isEmpty())
        postControlEvent(parentWidget(), WM_EDIT_KEYDOWN, this);
    QTextEdit::inputMethodEvent(event);
}

void CContextRichEdit::contextMenuEvent(QContextMenuEvent *event)
{
    // Offered whether or not there is a selection or clipboard text; the edit decides.
    QMenu menu(this);
    const struct
    {
        const char *text;
        int command;
        void (CContextRichEdit::*handler)();
    } items[] = {
        {QT_TR_NOOP("&Vyjmout"), Command::EditCut, &CContextRichEdit::OnEditCut},
        {QT_TR_NOOP("&Kopírovat"), Command::EditCopy, &CContextRichEdit::OnEditCopy},
        {QT_TR_NOOP("V&ložit"), Command::EditPaste, &CContextRichEdit::OnEditPaste},
    };
    for (const auto &item : items) {
        QAction *action = menu.addAction(tr(item.text));
        action->setData(item.command);
        connect(action, &QAction::triggered, this, item.handler);
    }
    menu.exec(event->globalPos());
    event->accept();
}
