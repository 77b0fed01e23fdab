#pragma once

#include <QTextEdit>

// The address text box: plain multi-line text, a Cut/Copy/Paste context menu at the click
// point, and a posted WM_EDIT_KEYDOWN to its parent for every key press (auto-repeats
// included), so the parent reads the text after the key has changed it.
class CContextRichEdit : public QTextEdit
{
    Q_OBJECT
public:
    explicit CContextRichEdit(QWidget *parent = nullptr);

    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
};
