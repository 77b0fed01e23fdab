#include "CAboutDlg.h"
#include "CMainFrame.h"
#include "CTobrelApp.h"
#include "CTobrelView.h"
#include "DialogStubs.h"
#include "FileBytes.h"
#include "ListsFolder.h"
#include "MessageBox.h"
#include "MessageRecorder.h"
#include "ScopedDirectories.h"

#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QFontDialog>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <clocale>

// The whole start-up with the real view, in a temporary current directory.
class TobrelAppTest : public QObject
{
    Q_OBJECT
public:
    explicit TobrelAppTest(CTobrelApp *app) : m_app(app) {}

private:
    CTobrelApp *m_app;

private slots:
    void startUp()
    {
        QVERIFY(m_app->InitInstance());
        CMainFrame *frame = m_app->GetMainWnd();
        QVERIFY(frame);
        QCOMPARE(frame->windowTitle(), QStringLiteral("Tobrel - program pro tisk obálek"));
        QTRY_VERIFY(frame->isMaximized());
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Tobrel"));
        QCOMPARE(QCoreApplication::organizationName(),
                 QStringLiteral("Local AppWizard-Generated Applications"));
        QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral("2.4.0.1"));
        QVERIFY(!QApplication::windowIcon().isNull());
        // Qt takes the locale from the environment; numbers must not follow it.
        QCOMPARE(QByteArray(std::setlocale(LC_NUMERIC, nullptr)), QByteArray("C"));
        // Qt's own dialogs speak Czech too.
        QFontDialog fonts;
        const auto *buttons = fonts.findChild<QDialogButtonBox *>();
        QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Zrušit"));
    }

    void newAndOpenSetTheCaption()
    {
        CMainFrame *frame = m_app->GetMainWnd();
        QVERIFY(writeFile(QStringLiteral("dopis.txt"), QByteArray()));
        FileDialogStub files;
        files.answer = [](const FileDialogRequest &request) {
            return request.mode == FileDialogRequest::Mode::Open
                       ? std::optional<QString>(
                             QFileInfo(QStringLiteral("dopis.txt")).absoluteFilePath())
                       : std::nullopt;
        };
        QVERIFY(frame->OnCmdMsg(57601));
        QCOMPARE(frame->windowTitle(), QStringLiteral("Tobrel - dopis.txt"));
        QVERIFY(frame->OnCmdMsg(57600));
        QCOMPARE(frame->windowTitle(), QStringLiteral("Tobrel - program pro tisk obálek"));
    }

    void aboutFromTheApplication()
    {
        QString caption;
        QTimer::singleShot(0, this, [&] {
            auto *about = qobject_cast<CAboutDlg *>(QApplication::activeModalWidget());
            QVERIFY(about);
            caption = about->windowTitle();
            about->reject();
        });
        QVERIFY(m_app->GetMainWnd()->OnCmdMsg(57664));
        QCOMPARE(caption, QStringLiteral("O aplikaci"));
    }

    void aChangeIsKeptForRecovery()
    {
        auto *view = m_app->GetMainWnd()->findChild<CTobrelView *>();
        QVERIFY(view);
        view->m_senders.Append(AddressEntry{"Praha", "Jan"});
        view->NoteListsChanged();
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(kRecoveryFileName), 3000);
        QCOMPARE(readFile(kRecoveryFileName), QByteArray::fromHex("00000000 01000000 034a616e "
                                                                  "055072616861 00000000"));
        // Undone, the change leaves nothing to recover.
        view->m_senders.RemoveAt(0);
        view->NoteListsChanged();
        QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(kRecoveryFileName), 3000);
        view->m_senders.Append(AddressEntry{"Praha", "Jan"});
        view->NoteListsChanged();
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(kRecoveryFileName), 3000);

        // A link planted in the folder meanwhile is reported and never written through.
        MessageRecorder messages;
        QVERIFY(QFile::remove(kRecoveryFileName));
        QVERIFY(writeFile(QStringLiteral("victim"), "the user's"));
        QVERIFY(QFile::link(QStringLiteral("victim"), kRecoveryFileName));
        view->m_senders.Append(AddressEntry{"Brno", "Eva"});
        view->NoteListsChanged();
        QTRY_COMPARE_WITH_TIMEOUT(messages.messages.size(), 1, 3000);
        QVERIFY(messages.messages.front().text.contains("symbolický odkaz"));
        QCOMPARE(readFile(QStringLiteral("victim")), QByteArray("the user's"));
        QVERIFY(QFileInfo(kRecoveryFileName).isSymLink());
        QVERIFY(QFile::remove(kRecoveryFileName));
        view->m_senders.RemoveAt(1);
    }

    // Last: the window goes away.
    void shutdownWhileAModalBoxIsOpen()
    {
        QPointer<CMainFrame> frame = m_app->GetMainWnd();
        QEventLoop mainLoop;
        connect(frame, &QObject::destroyed, &mainLoop, &QEventLoop::quit);
        QTimer::singleShot(20000, &mainLoop, &QEventLoop::quit);

        bool aboutReturned = false;
        bool frameAliveAfterAbout = false;
        bool messageReturned = false;
        QTimer::singleShot(0, this, [&] {
            // The request arrives while the About box runs its own loop.
            QTimer::singleShot(0, m_app, &CTobrelApp::RequestShutdown);
            frame->OnCmdMsg(57664);
            aboutReturned = true;
            frameAliveAfterAbout = !frame.isNull();
            // A handler that reports something after its box must not block the end.
            showMessageBox(frame, QStringLiteral("Soubor nelze uložit."), QStringLiteral("Chyba"),
                           MessageIcon::Error);
            messageReturned = true;
        });
        mainLoop.exec();

        QVERIFY(aboutReturned);
        QVERIFY(frameAliveAfterAbout);
        QVERIFY(messageReturned);
        QVERIFY(frame.isNull());
        // The view saved the lists when it went away with the window.
        QCOMPARE(QFileInfo(QStringLiteral("tobrel.ar")).size(), 4);
        QCOMPARE(QFileInfo(QStringLiteral("pismo.bin")).size(), 30);
        QCOMPARE(QFileInfo(QStringLiteral("adresy.ar")).size(), 8 + 10);
        QVERIFY(!QFileInfo::exists(kRecoveryFileName));
        QCOMPARE(m_app->ExitCode(), 0);
    }
};

int main(int argc, char *argv[])
{
    const ScopedCurrentDirectory directory;
    const ScopedConfigHome configHome;
    // The test runner's own options are not the program's.
    int appArgc = 1;
    char *appArgv[] = {argv[0], nullptr};
    ListsFolder folder;
    CTobrelApp app(appArgc, appArgv, folder);
    TobrelAppTest test(&app);
    return QTest::qExec(&test, argc, argv);
}

#include "TobrelAppTest.moc"
