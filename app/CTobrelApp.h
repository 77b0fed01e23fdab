#pragma once

#include "CTobrelDoc.h"

#include "CommandTarget.h"

#include <QApplication>
#include <QPointer>

#include <optional>

class CMainFrame;
class CTobrelView;
class ListsFolder;
class QSessionManager;

// The application object: start-up, the main window, the application-level commands, and
// an orderly end on SIGTERM, SIGINT and session end.
class CTobrelApp : public QApplication, public CCmdTarget
{
    Q_OBJECT
public:
    // The folder was locked, and its lists began to be read, before the window system.
    CTobrelApp(int &argc, char **argv, ListsFolder &folder);
    ~CTobrelApp() override;

    // --version and --help, answered before a window system is needed; the exit code
    // when one of them was given.
    static std::optional<int> HandleInformationOptions(int argc, char **argv);

    // false when the program is to end at once; ExitCode then says how.
    bool InitInstance();
    // 1 when the lists of the folder are another window's or a store could not be written.
    int ExitCode() const { return m_exitCode; }

    CMainFrame *GetMainWnd() const;

    bool OnCmdMsg(int id) override;
    void OnAppAbout();
    void OnFileNew();
    void OnFileOpen();

    // Closes modal dialogs and menus, then the main window, which saves the lists.
    void RequestShutdown();

private:
    bool ProcessCommandLine(QString &fileToOpen);
    bool TakeFolderLock();
    void SaveAtExit();
    void CloseWhenUnwound();
    void OnCommitDataRequest(QSessionManager &manager);

    ListsFolder &m_folder;
    CTobrelDoc m_document;
    QPointer<CMainFrame> m_mainFrame;
    QPointer<CTobrelView> m_view;
    int m_exitCode = 0;
    bool m_initialised = false;
    bool m_shuttingDown = false;
};
