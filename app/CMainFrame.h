#pragma once

#include "CommandTarget.h"

#include <QMainWindow>

#include <vector>

class QToolBar;

// The main window: caption, main menu, toolbar and accelerator keys around the view. Every
// command goes to the view first, then to the frame itself, then to the targets added with
// AddCommandTarget (document, application) in order.
class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    CMainFrame(QWidget *view, CCmdTarget *viewTarget, QWidget *parent = nullptr);

    void AddCommandTarget(CCmdTarget *target);
    // true when some target handled the command.
    bool OnCmdMsg(int id);
    // Asks the update handlers for the state of the commands that have them.
    void UpdateCommandUI();
    // The caption becomes "Tobrel - <title>".
    void SetDocumentTitle(const QString &title);

    QToolBar *toolBar() const { return m_wndToolBar; }

Q_SIGNALS:
    // The window is closing, with itself and the event loop still up.
    void closing();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void CreateMenu();
    void CreateToolBar();
    void CreateAccelerators();
    QAction *CreateCommandAction(const QString &text, int id, QObject *owner);
    bool OnFrameCommand(int id);
    void OnShowMaximized();
    void OnViewToolbar();
    void UpdateToolbarCheck();

    CCmdTarget *m_viewTarget;
    std::vector<CCmdTarget *> m_commandTargets;
    QToolBar *m_wndToolBar = nullptr;
    QAction *m_toolbarAction = nullptr;
};
