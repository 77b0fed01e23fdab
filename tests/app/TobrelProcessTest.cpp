#include "FileBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

// The built program as a user starts it, ended by a signal; nobody answers its boxes, which
// come out on standard error.
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

    static void prepare(QProcess &process, const QTemporaryDir &dir,
                        const QString &answer = QStringLiteral("no"))
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TOBREL_UNATTENDED"), answer);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path());
        environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
        environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(dir.path());
    }

private slots:
    // Up, with the folder locked; the stores are read next, before the event loop runs.
    static void startAndWait(QProcess &process)
    {
        process.start(QStringLiteral(TOBREL_EXECUTABLE), {});
        QVERIFY(process.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(process.workingDirectory() + "/.tobrel.lock"),
                                 20000);
    }

    static void endWith(QProcess &process, int signal, int exitCode)
    {
        QTRY_VERIFY_WITH_TIMEOUT(catchesSignal(process.processId(), signal), 20000);
        ::kill(pid_t(process.processId()), signal);
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), exitCode);
    }

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
        endWith(process, signal, 0);

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

    void unwrittenStoreIsReportedInTheExitStatus()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("adresy.ar"), "bad"));
        QProcess process;
        prepare(process, dir);
        startAndWait(process);
        // The damaged store is reported once the lists are in.
        QByteArray output;
        QTRY_VERIFY_WITH_TIMEOUT((output += process.readAllStandardError()).contains("poškozený"),
                                 20000);
        QVERIFY(QDir(dir.path()).mkdir("tobrel.ar"));
        endWith(process, SIGTERM, 1);
        QVERIFY(process.readAllStandardError().contains("uložit soubor „tobrel.ar“"));
        QCOMPARE(QFileInfo(dir.filePath("adresy.ar")).size(), 8);
    }

    void secondCopyLeavesTheFolderAlone()
    {
        QTemporaryDir dir;
        QProcess first;
        prepare(first, dir);
        startAndWait(first);
        const auto listing = [&dir] {
            return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden |
                                              QDir::NoDotAndDotDot);
        };
        const QStringList before = listing();
        QProcess second;
        prepare(second, dir);
        second.start(QStringLiteral(TOBREL_EXECUTABLE), {});
        QVERIFY(second.waitForFinished(60000));
        QCOMPARE(second.exitCode(), 1);
        QVERIFY(second.readAllStandardError().contains(
            "Tobrel: Seznamy v této složce jsou otevřené v jiném okně programu Tobrel."));
        QCOMPARE(listing(), before);
        endWith(first, SIGTERM, 0);
    }

    void restartOffersTheChangesOfAKilledSession_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::newRow("yes") << "yes";
        QTest::newRow("no") << "no";
    }

    void restartOffersTheChangesOfAKilledSession()
    {
        QFETCH(QString, answer);
        QTemporaryDir dir;
        QProcess killed;
        prepare(killed, dir);
        startAndWait(killed);
        // What the session kept of its changes, and a save it had begun, when it was killed.
        const QByteArray changes = exampleEnvelopeStoreBytes() + QByteArray(8, '\0');
        QVERIFY(writeFile(dir.filePath("tobrel-obnova.ar"), changes));
        QVERIFY(writeFile(dir.filePath("adresy.ar.AbCdEf"), "half"));
        ::kill(pid_t(killed.processId()), SIGKILL);
        QVERIFY(killed.waitForFinished(60000));

        QProcess restarted;
        prepare(restarted, dir, answer);
        startAndWait(restarted);
        endWith(restarted, SIGTERM, 0);
        QVERIFY(restarted.readAllStandardError().contains(
            "Tobrel: Minulé spuštění programu v této složce neskončilo řádně."));
        const bool yes = answer == "yes";
        QCOMPARE(readFile(dir.filePath("tobrel.ar")) == exampleEnvelopeStoreBytes(), yes);
        QCOMPARE(readFile(dir.filePath("tobrel-obnova.ar.odlozeno")) == changes, !yes);
        QVERIFY(!QFileInfo::exists(dir.filePath("tobrel-obnova.ar")));
        QVERIFY(!QFileInfo::exists(dir.filePath("adresy.ar.AbCdEf")));
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output"); // standard output, then standard error
        QTest::newRow("version") << QStringList{QStringLiteral("--version")} << 0
                                 << QStringLiteral("Tobrel 2.4.0.1\nProgram pro tisk obálek\n");
        QTest::newRow("help in Czech")
            << QStringList{QStringLiteral("--help")} << 0
            << QStringLiteral("Použití: tobrel [volby] [soubor]\nProgram pro tisk obálek\n\n"
                              "Volby:\n  -h, --help  ");
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--tisk")} << 2
                                        << QStringLiteral("Neznámá volba 'tisk'.\n");
        QTest::newRow("two files") << QStringList{QStringLiteral("a"), QStringLiteral("b")} << 2
                                   << QStringLiteral("Příliš mnoho argumentů.\n");
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
        const QString said =
            QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
        // A whole line is all that is said: nothing of Qt's own follows it.
        QVERIFY2(output.endsWith(u'\n') ? said == output : said.startsWith(output),
                 qPrintable(said));
        // Nothing started, so nothing was written.
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("tobrel.ar"))));
    }
};

QTEST_GUILESS_MAIN(TobrelProcessTest)
#include "TobrelProcessTest.moc"
