#include "CTobrelApp.h"

#include "AddressCommands.h"
#include "AppIcons.h"
#include "CAboutDlg.h"
#include "CMainFrame.h"
#include "CommonDialogs.h"
#include "CTobrelView.h"
#include "ListsFolder.h"
#include "MessageBox.h"
#include "PrintCommands.h"
#include "SaveLeftovers.h"
#include "ShutdownSignals.h"

#include <QCommandLineParser>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QSessionManager>
#include <QThread>
#include <QTimer>

#include <clocale>
#include <cstdio>

CTobrelApp::CTobrelApp(int &argc, char **argv, ListsFolder &folder)
    : QApplication(argc, argv), m_folder(folder)
{
    // Stored numbers and the number fields are read and written with a decimal point.
    std::setlocale(LC_NUMERIC, "C");
    setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    setApplicationName(QStringLiteral("Tobrel"));
    setApplicationVersion(QStringLiteral(TOBREL_VERSION));
    setWindowIcon(appIcon("tobrel"));
    installQtTranslations(this);
    // Lets the desktop match the window to the menu entry and its icon.
    setDesktopFileName(QStringLiteral("cz.tobrel.Tobrel"));
    // The window saves the lists while it closes, so the loop ends only after it.
    setQuitOnLastWindowClosed(false);
    connect(this, &QCoreApplication::aboutToQuit, this, &CTobrelApp::SaveAtExit);

    auto *shutdownSignals = new ShutdownSignals(this);
    connect(shutdownSignals, &ShutdownSignals::received, this, &CTobrelApp::RequestShutdown);
    connect(this, &QGuiApplication::commitDataRequest, this, &CTobrelApp::OnCommitDataRequest);
}

CTobrelApp::~CTobrelApp()
{
    delete m_mainFrame;
}

CMainFrame *CTobrelApp::GetMainWnd() const
{
    return m_mainFrame;
}

namespace {
struct CommandLineOptions
{
    QCommandLineOption help;
    QCommandLineOption version;
};

CommandLineOptions configureParser(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QCoreApplication::translate("CTobrelApp", "Program pro tisk obálek"));
    parser.addPositionalArgument(
        QCoreApplication::translate("CTobrelApp", "soubor"),
        QCoreApplication::translate("CTobrelApp", "Dokument, který se otevře."),
        QCoreApplication::translate("CTobrelApp", "[soubor]"));
    // Qt's Czech catalogue has no text for the help option itself.
    const QCommandLineOption help(
        {QStringLiteral("h"), QStringLiteral("help")},
        QCoreApplication::translate("CTobrelApp", "Zobrazí tuto nápovědu k volbám."));
    parser.addOption(help);
    const CommandLineOptions options{help, parser.addVersionOption()};
    parser.addOptions(PrintCommands::options());
    addAddressCommandOptions(parser);
    return options;
}
} // namespace

std::optional<int> CTobrelApp::HandleInformationOptions(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    const CommandLineOptions options = configureParser(parser);
    // Options of Qt itself are not known yet; they are checked once the application exists.
    parser.parse(arguments);
    if (parser.isSet(options.version)) {
        std::printf(
            "Tobrel %s\n%s\n", TOBREL_VERSION,
            qPrintable(QCoreApplication::translate("CTobrelApp", "Program pro tisk obálek")));
        return 0;
    }
    if (parser.isSet(options.help)) {
        // Qt's own words (usage, headings) come from its Czech catalogue, which needs an
        // application object; the parser then names the program itself too.
        QCoreApplication app(argc, argv);
        installQtTranslations(&app);
        QCommandLineParser czech;
        configureParser(czech);
        const QString program = QCoreApplication::arguments().constFirst();
        std::printf("%s",
                    qPrintable(czech.helpText().replace(program, QFileInfo(program).fileName())));
        return 0;
    }
    return std::nullopt;
}

bool CTobrelApp::ProcessCommandLine(QString &fileToOpen)
{
    QCommandLineParser parser;
    configureParser(parser);
    if (!parser.parse(arguments()) || parser.positionalArguments().size() > 1) {
        std::fprintf(stderr, "%s\n",
                     qPrintable(parser.errorText().isEmpty() ? tr("Příliš mnoho argumentů.")
                                                             : parser.errorText()));
        m_exitCode = 2;
        return false;
    }
    fileToOpen = parser.positionalArguments().value(0);
    return true;
}

bool CTobrelApp::InitInstance()
{
    QString fileToOpen;
    if (!ProcessCommandLine(fileToOpen))
        return false;
    if (!TakeFolderLock()) {
        m_exitCode = 1;
        return false;
    }
    // A file that cannot be opened ends the program before the view exists, so no list is
    // loaded or written.
    if (!fileToOpen.isEmpty() && !m_document.OnOpenDocument(fileToOpen)) {
        m_exitCode = 1;
        return false;
    }

    m_view = new CTobrelView;
    m_view->TakeListsBeingRead(m_folder.takeLists());
    m_mainFrame = new CMainFrame(m_view, m_view);
    m_mainFrame->setAttribute(Qt::WA_DeleteOnClose);
    m_mainFrame->AddCommandTarget(&m_document);
    m_mainFrame->AddCommandTarget(this);
    m_mainFrame->SetDocumentTitle(m_document.GetTitle());
    m_document.SetOwnerWindow(m_mainFrame);
    connect(&m_document, &CTobrelDoc::titleChanged, m_mainFrame, &CMainFrame::SetDocumentTitle);
    connect(m_view, &CTobrelView::commandStateChanged, m_mainFrame, &CMainFrame::UpdateCommandUI);
    connect(m_mainFrame, &CMainFrame::closing, this, &CTobrelApp::SaveAtExit);
    connect(m_mainFrame, &QObject::destroyed, this, &QCoreApplication::quit);

    m_view->OnInitialUpdate();
    m_mainFrame->UpdateCommandUI();
    m_mainFrame->show();
    m_initialised = true;
    return true;
}

bool CTobrelApp::TakeFolderLock()
{
    switch (m_folder.lockState()) {
    case FolderLock::State::Locked:
        if (const auto since = m_folder.abandonedSessionStart())
            removeSaveLeftovers(*since);
        return true;
    case FolderLock::State::HeldByAnother:
        showMessageBox(nullptr,
                       tr("Seznamy v této složce jsou otevřené v jiném okně programu Tobrel. "
                          "Pracujte s nimi v tom okně, nebo ho zavřete a spusťte program "
                          "znovu."),
                       tr("Tobrel"), MessageIcon::Exclamation);
        return false;
    case FolderLock::State::HeldElsewhere:
        if (askYesNo(nullptr,
                     m_folder.lockProblem() + QStringLiteral("\n\n") +
                         tr("Pokud tam program běží, můžete otevřením seznamů zde přijít o "
                            "změny. Chcete je přesto otevřít?"),
                     tr("Tobrel"), DefaultAnswer::No))
            return m_folder.takeOverFromElsewhere();
        return false;
    case FolderLock::State::NotAFile:
        showMessageBox(nullptr, m_folder.lockProblem(), tr("Tobrel"), MessageIcon::Exclamation);
        return false;
    case FolderLock::State::Unavailable:
        // No file can be made here (a read-only medium): nor can a store be overwritten.
        return true;
    }
    return true;
}

void CTobrelApp::SaveAtExit()
{
    if (m_view && !m_view->SaveAtExit())
        m_exitCode = 1;
}

bool CTobrelApp::OnCmdMsg(int id)
{
    switch (id) {
    case Command::AppAbout:
        OnAppAbout();
        return true;
    case Command::FileNew:
        OnFileNew();
        return true;
    case Command::FileOpen:
        OnFileOpen();
        return true;
    default:
        return false;
    }
}

void CTobrelApp::OnAppAbout()
{
    CAboutDlg dialog(m_mainFrame);
    dialog.exec();
}

void CTobrelApp::OnFileNew()
{
    m_document.OnNewDocument();
    if (m_view)
        m_view->OnInitialUpdate();
}

void CTobrelApp::OnFileOpen()
{
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Open;
    request.title = tr("Otevřít");
    request.directory = QDir::currentPath();
    request.filter = tr("Všechny soubory (*.*)") + QStringLiteral("|*||");
    const auto path = runFileDialog(m_mainFrame, request);
    if (path && m_document.OnOpenDocument(*path) && m_view)
        m_view->OnInitialUpdate();
}

void CTobrelApp::RequestShutdown()
{
    if (m_shuttingDown)
        return;
    m_shuttingDown = true;
    setMessageBoxShutdownMode(true);
    CloseWhenUnwound();
}

void CTobrelApp::CloseWhenUnwound()
{
    if (QWidget *popup = activePopupWidget())
        popup->close();
    if (QWidget *modal = activeModalWidget()) {
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
    }
    // The code that ran a dialog or menu, and start-up itself, still has to return through
    // its own loop before the window and the view under it may go away.
    if (!m_initialised || activePopupWidget() || activeModalWidget() ||
        QThread::currentThread()->loopLevel() > 1) {
        QTimer::singleShot(10, this, &CTobrelApp::CloseWhenUnwound);
        return;
    }
    if (m_mainFrame)
        m_mainFrame->close();
    else
        quit();
}

void CTobrelApp::OnCommitDataRequest(QSessionManager &manager)
{
    Q_UNUSED(manager);
    RequestShutdown();
}
