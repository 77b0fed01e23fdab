#include "FileBytes.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

// The real program in a directory of its own: however it is asked to end, the lists and
// the print font reach their files.
class WorkspaceExitTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void signalSavesTheStores_data();
    void signalSavesTheStores();
};

void WorkspaceExitTest::signalSavesTheStores_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
}

void WorkspaceExitTest::signalSavesTheStores()
{
    QFETCH(int, signal);
    QTemporaryDir dir;
    const QByteArray envelopes = exampleEnvelopeStoreBytes();
    QVERIFY(writeFile(dir.filePath("tobrel.ar"), envelopes));

    QProcess program;
    program.setWorkingDirectory(dir.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TOBREL_EXECUTABLE), {});
    QVERIFY(program.waitForStarted());
    // Give the window time to come up and read the stores before it is asked to end.
    QTest::qWait(3000);
    QCOMPARE(program.state(), QProcess::Running);
    ::kill(pid_t(program.processId()), signal);
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);

    QCOMPARE(readFile(dir.filePath("tobrel.ar")), envelopes);
    // Written although it was missing: the lists went through the end of the view.
    QCOMPARE(readFile(dir.filePath("adresy.ar")), QByteArray(8, '\0'));
    QCOMPARE(readFile(dir.filePath("pismo.bin")), defaultPrintFontBytes());
}

QTEST_GUILESS_MAIN(WorkspaceExitTest)
#include "WorkspaceExitTest.moc"
