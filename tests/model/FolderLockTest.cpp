#include "FileBytes.h"
#include "FolderLock.h"
#include "SaveLeftovers.h"
#include "ScopedDirectories.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <memory>

// The lock on the current directory's lists, and what a killed session left behind.
class FolderLockTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void lockIsTakenOnlyFromTheDead_data();
    void lockIsTakenOnlyFromTheDead();
    void onlyLeftoversOfTheKilledSessionGo_data();
    void onlyLeftoversOfTheKilledSessionGo();
};

void FolderLockTest::lockIsTakenOnlyFromTheDead_data()
{
    QTest::addColumn<QString>("holder");
    QTest::addColumn<FolderLock::State>("state");
    QTest::newRow("nobody") << "" << FolderLock::State::Locked;
    QTest::newRow("a live process") << "live" << FolderLock::State::HeldByAnother;
    QTest::newRow("a killed process") << "dead" << FolderLock::State::Locked;
    // What a power cut or another computer can leave: none may lock the folder for good.
    QTest::newRow("empty") << "file:" << FolderLock::State::Locked;
    QTest::newRow("garbage") << "file:\x01\xFF\n\n" << FolderLock::State::Locked;
    QTest::newRow("unreadable") << "unreadable:1\ntobrel\n" << FolderLock::State::Locked;
    QTest::newRow("another computer") << "file:1\ntobrel\njinde\n"
                                      << FolderLock::State::HeldElsewhere;
    QTest::newRow("a folder") << "folder" << FolderLock::State::NotAFile;
    QTest::newRow("a link") << "link" << FolderLock::State::NotAFile;
}

void FolderLockTest::lockIsTakenOnlyFromTheDead()
{
    QFETCH(QString, holder);
    QFETCH(FolderLock::State, state);
    const ScopedCurrentDirectory directory;
    const QDateTime sessionStart = QDateTime::currentDateTime().addSecs(-3600);
    auto live = std::make_unique<FolderLock>();
    const bool held = holder == "live" || holder == "dead";
    if (held)
        QCOMPARE(live->tryLock(), FolderLock::State::Locked);
    const QByteArray written = holder.section(u':', 1).toLatin1();
    if (holder.startsWith("file:") || holder.startsWith("unreadable:")) {
        QVERIFY(writeFile(kFolderLockName, written));
        QFile::setPermissions(kFolderLockName, holder.startsWith("unreadable:")
                                                   ? QFile::Permissions()
                                                   : QFile::ReadOwner | QFile::WriteOwner);
    }
    if (holder == "folder")
        QVERIFY(QDir().mkdir(kFolderLockName));
    if (holder == "link")
        QVERIFY(QFile::link(QStringLiteral("elsewhere"), kFolderLockName));
    if (holder == "dead") {
        // The lock as its holder left it, the holder's number now that of a finished process.
        QByteArray contents = readFile(kFolderLockName);
        live.reset();
        QProcess gone;
        gone.start(QStringLiteral("true"));
        QVERIFY(gone.waitForStarted());
        contents.replace(0, contents.indexOf('\n'), QByteArray::number(gone.processId()));
        QVERIFY(gone.waitForFinished());
        QVERIFY(writeFile(kFolderLockName, contents));
    }
    // However old the lock, only its holder's end makes it free.
    if (held) {
        QFile lockFile(kFolderLockName);
        QVERIFY(lockFile.open(QIODevice::ReadWrite));
        QVERIFY(lockFile.setFileTime(sessionStart, QFileDevice::FileModificationTime));
    }
    FolderLock second;
    QCOMPARE(second.tryLock(), state);
    QCOMPARE(second.abandonedSessionStart().has_value(),
             state == FolderLock::State::Locked && !holder.isEmpty());
    if (holder == "dead")
        QCOMPARE(*second.abandonedSessionStart(), sessionStart);
    if (state == FolderLock::State::HeldElsewhere) {
        QVERIFY(second.problemText(state).contains("na počítači „jinde“ (proces 1, od "));
        QCOMPARE(second.tryLock(true), FolderLock::State::Locked);
    }
    if (state == FolderLock::State::NotAFile)
        QVERIFY(second.problemText(state).contains(kFolderLockName));
    // Whoever took the lock is the one a third start finds.
    if (state == FolderLock::State::Locked)
        QCOMPARE(FolderLock().tryLock(), FolderLock::State::HeldByAnother);
}

void FolderLockTest::onlyLeftoversOfTheKilledSessionGo_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("writtenAfterStart"); // seconds
    QTest::addColumn<bool>("removed");
    QTest::newRow("cut-short save") << ".tobrel-uloz-aB3dEf" << 5 << true;
    QTest::newRow("user's copy from before") << ".tobrel-uloz-aB3dEf" << -3600 << false;
    QTest::newRow("user's copies") << "adresy.ar.zaloha" << 5 << false;
    QTest::newRow("like a store's old temporary") << "tobrel.ar.aB3dEf" << 5 << false;
    QTest::newRow("seven letters") << ".tobrel-uloz-aB3dEfg" << 5 << false;
    QTest::newRow("set aside") << "tobrel-obnova.ar.odlozeno" << 5 << false;
    QTest::newRow("the store") << "tobrel.ar" << 5 << false;
}

void FolderLockTest::onlyLeftoversOfTheKilledSessionGo()
{
    QFETCH(QString, name);
    QFETCH(int, writtenAfterStart);
    QFETCH(bool, removed);
    const ScopedCurrentDirectory directory;
    const QDateTime sessionStart = QDateTime::currentDateTime().addSecs(-600);
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.setFileTime(sessionStart.addSecs(writtenAfterStart),
                             QFileDevice::FileModificationTime));
    file.close();
    removeSaveLeftovers(sessionStart);
    QCOMPARE(QFile::exists(name), !removed);
}

QTEST_GUILESS_MAIN(FolderLockTest)
#include "FolderLockTest.moc"
