#include "FileBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <sys/stat.h>

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
        QVERIFY(writeFile(dir.filePath(".tobrel-uloz-AbCdEf"), "half"));
        const QStringList copies{"adresy.ar.zaloha", "adresy.ar.backup", "adresy.ar.kopie1",
                                 "tobrel.ar.zaloha", "tobrel.ar.AbCdEf"};
        for (const QString &copy : copies)
            QVERIFY(writeFile(dir.filePath(copy), copy.toUtf8()));
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
        QVERIFY(!QFileInfo::exists(dir.filePath(".tobrel-uloz-AbCdEf")));
        for (const QString &copy : copies)
            QCOMPARE(readFile(dir.filePath(copy)), copy.toUtf8());
    }

    // The program run to its end, under a file-size limit when one is given.
    static int runToEnd(const QTemporaryDir &dir, const QStringList &arguments,
                        QByteArray *errors = nullptr, const QString &answer = QStringLiteral("no"),
                        qint64 sizeLimit = 0)
    {
        QProcess process;
        prepare(process, dir, answer);
        if (sizeLimit > 0)
            process.start(QStringLiteral("prlimit"),
                          QStringList{QStringLiteral("--fsize=%1").arg(sizeLimit),
                                      QStringLiteral(TOBREL_EXECUTABLE)} +
                              arguments);
        else
            process.start(QStringLiteral(TOBREL_EXECUTABLE), arguments);
        if (!process.waitForFinished(60000))
            return -1;
        if (errors)
            *errors = process.readAllStandardError();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    static QStringList listing(const QTemporaryDir &dir)
    {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot |
                                          QDir::System);
    }

    // While a killed session's changes wait, only commands that read the lists run; once
    // the window has offered them back, an import goes in.
    void commandsWaitForTheRecoveryDecision_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("import") << QStringList{"--import", "nove.csv"} << 1;
        QTest::newRow("import of senders") << QStringList{"--import", "nove.csv", "--senders"} << 1;
        QTest::newRow("export") << QStringList{"--export", "ven.csv"} << 0;
        // Refused for having no formats outside the recovery file, not for the changes.
        QTest::newRow("pdf") << QStringList{"--pdf", "ven.pdf"} << 2;
    }

    void commandsWaitForTheRecoveryDecision()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("adresy.ar"), QByteArray(8, '\0')));
        const QByteArray changes = exampleEnvelopeStoreBytes() + QByteArray(8, '\0');
        QVERIFY(writeFile(dir.filePath("tobrel-obnova.ar"), changes));
        QVERIFY(writeFile(dir.filePath("nove.csv"), "Nová;Husova 3\r\n"));
        QByteArray errors;
        QCOMPARE(runToEnd(dir, arguments, &errors), exitCode);
        QCOMPARE(errors.contains("rozhodněte, zda se mají obnovit"), exitCode == 1);
        QCOMPARE(readFile(dir.filePath("adresy.ar")), QByteArray(8, '\0'));
        QCOMPARE(readFile(dir.filePath("tobrel-obnova.ar")), changes);
        if (exitCode != 1)
            return;
        QProcess window;
        prepare(window, dir, QStringLiteral("yes"));
        startAndWait(window);
        endWith(window, SIGTERM, 0);
        QCOMPARE(runToEnd(dir, arguments), 0);
        QCOMPARE(readFile(dir.filePath("tobrel.ar")), exampleEnvelopeStoreBytes());
        QVERIFY(readFile(dir.filePath("adresy.ar")).contains("Husova 3"));
    }

    // Whatever a power cut, another computer or someone else in a shared folder left at the
    // lock's or the recovery file's name: nothing waits, nothing is written through a link.
    void oddLocksAndLinks_data()
    {
        QTest::addColumn<QString>("plant");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty lock") << "lock:" << "no" << 0 << "";
        QTest::newRow("garbage lock") << "lock:\x7f\x01\n" << "no" << 0 << "";
        QTest::newRow("dead holder") << "lock:999999999\ntobrel\n" << "no" << 0 << "";
        QTest::newRow("another computer, no") << "lock:77\ntobrel\njinde\n" << "no" << 1
                                              << "na počítači „jinde“ (proces 77";
        QTest::newRow("another computer, yes") << "lock:77\ntobrel\njinde\n" << "yes" << 0
                                               << "na počítači „jinde“ (proces 77";
        QTest::newRow("lock folder") << "lock folder" << "no" << 1 << "„.tobrel.lock“";
        QTest::newRow("lock link") << "lock link" << "no" << 1 << "„.tobrel.lock“";
        QTest::newRow("recovery link") << "recovery link" << "yes" << 0 << "symbolický odkaz";
    }

    void oddLocksAndLinks()
    {
        QFETCH(QString, plant);
        QFETCH(QString, answer);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QTemporaryDir dir;
        // A file of the user's that a link points at, holding what a recovery file would.
        const QByteArray victim = exampleEnvelopeStoreBytes() + QByteArray(8, '\0');
        QVERIFY(writeFile(dir.filePath("victim"), victim));
        const auto plantLockFile = [&] {
            return !plant.startsWith("lock:") ||
                   writeFile(dir.filePath(".tobrel.lock"), plant.mid(5).toUtf8());
        };
        QVERIFY(plantLockFile());
        if (plant == "lock folder")
            QVERIFY(QDir(dir.path()).mkdir(".tobrel.lock"));
        if (plant.endsWith("link"))
            QVERIFY(QFile::link("victim", dir.filePath(plant.startsWith("lock") ? ".tobrel.lock"
                                                                                : "tobrel-obnova.ar")));
        const QStringList before = listing(dir);
        QByteArray errors;
        QProcess window;
        prepare(window, dir, answer);
        window.start(QStringLiteral(TOBREL_EXECUTABLE), {});
        QVERIFY(window.waitForStarted());
        if (exitCode == 0) {
            endWith(window, SIGTERM, 0);
            QCOMPARE(QFileInfo(dir.filePath("adresy.ar")).size(), 8);
        } else {
            QVERIFY(window.waitForFinished(60000));
            QCOMPARE(window.exitCode(), exitCode);
            QCOMPARE(listing(dir), before);
        }
        errors = window.readAllStandardError();
        QVERIFY2(errors.contains(message.toUtf8()), errors.constData());
        QCOMPARE(readFile(dir.filePath("victim")), victim);
        QVERIFY(!QFileInfo::exists(dir.filePath("tobrel.ar")) ||
                readFile(dir.filePath("tobrel.ar")) != victim.left(32));
        if (plant.endsWith("link"))
            QVERIFY(QFileInfo(dir.filePath(plant.startsWith("lock") ? ".tobrel.lock"
                                                                    : "tobrel-obnova.ar"))
                        .isSymLink());
        // An import is refused or goes in alike, and never leaves the lock behind.
        if (plant.startsWith("recovery") || answer == "yes")
            return;
        QVERIFY(plantLockFile());
        QVERIFY(writeFile(dir.filePath("nove.csv"), "Nová;Husova 3\r\n"));
        QCOMPARE(runToEnd(dir, {"--import", "nove.csv"}, &errors), exitCode);
        QVERIFY2(errors.contains(message.toUtf8()), errors.constData());
        QCOMPARE(QFileInfo(dir.filePath(".tobrel.lock")).exists(), exitCode != 0);
    }

    // A full disk or a file-size limit: the command fails and the older file stays whole.
    void failedWriteKeepsTheOlderFile_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("output");
        QTest::addColumn<qint64>("sizeLimit");
        for (const qint64 limit : {1, 600, 2000, 5000}) {
            QTest::addRow("pdf, %lld bytes", limit)
                << QStringList{"--pdf", "ven.pdf", "--all-addressees"} << "ven.pdf" << limit;
            QTest::addRow("export, %lld bytes", limit)
                << QStringList{"--export", "ven.csv"} << "ven.csv" << limit;
        }
        QTest::newRow("pdf onto a pipe") << QStringList{"--pdf", "roura"} << "roura" << qint64(0);
        QTest::newRow("export onto a pipe") << QStringList{"--export", "roura.csv"} << "roura.csv"
                                            << qint64(0);
        QTest::newRow("import from a pipe") << QStringList{"--import", "roura.csv"} << "" << qint64(0);
        QTest::newRow("import from a device") << QStringList{"--import", "nula.csv"} << ""
                                              << qint64(0);
        QTest::newRow("import of 1 GB") << QStringList{"--import", "velky.csv"} << "" << qint64(0);
    }

    void failedWriteKeepsTheOlderFile()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, output);
        QFETCH(qint64, sizeLimit);
        QTemporaryDir dir;
        QByteArray addresses = QByteArray::fromHex("00000000 c8000000");
        for (int i = 0; i < 200; ++i) {
            const QByteArray label = "Adresat " + QByteArray::number(i);
            addresses += char(label.size()) + label + char(40) + QByteArray(40, 'x');
        }
        QVERIFY(writeFile(dir.filePath("adresy.ar"), addresses));
        QVERIFY(writeFile(dir.filePath("tobrel.ar"), exampleEnvelopeStoreBytes()));
        const QByteArray older = "the older file, whole";
        if (!output.isEmpty())
            QVERIFY(writeFile(dir.filePath(output), older));
        for (const char *pipe : {"roura", "roura.csv"}) {
            QFile::remove(dir.filePath(pipe));
            QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(pipe)).constData(), 0600), 0);
        }
        QVERIFY(QFile::link("/dev/zero", dir.filePath("nula.csv")));
        QVERIFY(writeFile(dir.filePath("velky.csv"), "a;b\r\n"));
        QVERIFY(QFile::resize(dir.filePath("velky.csv"), qint64(1) << 30)); // sparse
        const QStringList before = listing(dir);
        QByteArray errors;
        QCOMPARE(runToEnd(dir, arguments, &errors, QStringLiteral("no"), sizeLimit), 1);
        QVERIFY(!errors.isEmpty());
        QCOMPARE(listing(dir), before);
        if (output.startsWith("roura"))
            QVERIFY(!QFileInfo(dir.filePath(output)).isFile());
        else if (!output.isEmpty())
            QCOMPARE(readFile(dir.filePath(output)), older);
        QCOMPARE(readFile(dir.filePath("adresy.ar")), addresses);
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
