#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

// The built program as a user starts it, ended by a signal.
class TobrelProcessTest : public QObject
{
    Q_OBJECT

private:
    // The handlers are installed first thing; /proc shows when that has happened.
    static bool catchesSignal(qint64 pid, int signal)
    {
        QFile status(QStringLiteral("/proc/%1/status").arg(pid));
        if (!status.open(QIODevice::ReadOnly))
            return false;
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("SigCgt:"))
                return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1;
        }
        return false;
    }

    static void prepare(QProcess &process, const QTemporaryDir &dir)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path());
        environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(dir.path());
    }

private slots:
    void signalSavesTheLists_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("listsFolder");
        QTest::newRow("SIGTERM") << SIGTERM << QStringList() << QString();
        QTest::newRow("SIGINT") << SIGINT << QStringList() << QString();
        QTest::newRow("from the menu entry")
            << SIGTERM << QStringList{QStringLiteral("--data-folder")}
            << QStringLiteral("data/tobrel");
    }

    void signalSavesTheLists()
    {
        QFETCH(int, signal);
        QFETCH(QStringList, arguments);
        QFETCH(QString, listsFolder);
        QTemporaryDir dir;
        QProcess process;
        prepare(process, dir);
        process.start(QStringLiteral(TOBREL_EXECUTABLE), arguments);
        QVERIFY(process.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(catchesSignal(process.processId(), signal), 20000);
        ::kill(pid_t(process.processId()), signal);
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);

        const QDir folder(dir.filePath(listsFolder));
        QCOMPARE(QFileInfo(folder.filePath(QStringLiteral("tobrel.ar"))).size(), 4);
        QCOMPARE(QFileInfo(folder.filePath(QStringLiteral("adresy.ar"))).size(), 8);
        QCOMPARE(QFileInfo(folder.filePath(QStringLiteral("pismo.bin"))).size(), 30);
        QCOMPARE(QFileInfo::exists(dir.filePath(QStringLiteral("tobrel.ar"))),
                 listsFolder.isEmpty());
        QFile lists(folder.filePath(QStringLiteral("adresy.ar")));
        QVERIFY(lists.open(QIODevice::ReadOnly));
        QCOMPARE(lists.readAll(), QByteArray(8, '\0'));
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");
        QTest::newRow("version") << QStringList{QStringLiteral("--version")} << 0
                                 << QStringLiteral("Tobrel 2.4.0.1\nProgram pro tisk obálek\n");
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--tisk")} << 2 << QString();
        QTest::newRow("two files")
            << QStringList{QStringLiteral("a"), QStringLiteral("b")} << 2 << QString();
        QTest::newRow("data folder cannot be made")
            << QStringList{QStringLiteral("--data-folder")} << 1 << QString();
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QTemporaryDir dir;
        // A file where the per-user data folder should be, so the menu's folder cannot be made.
        QVERIFY(QFile(dir.filePath(QStringLiteral("data"))).open(QIODevice::WriteOnly));
        QProcess process;
        prepare(process, dir);
        process.start(QStringLiteral(TOBREL_EXECUTABLE), arguments);
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), exitCode);
        if (!output.isNull())
            QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()), output);
        // Nothing started, so nothing was written.
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("tobrel.ar"))));
    }
};

QTEST_GUILESS_MAIN(TobrelProcessTest)
#include "TobrelProcessTest.moc"
