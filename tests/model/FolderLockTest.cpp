#include "FileBytes.h"
#include "FolderLock.h"
#include "SaveLeftovers.h"
#include "ScopedDirectories.h"

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
}

void FolderLockTest::lockIsTakenOnlyFromTheDead()
{
    QFETCH(QString, holder);
    QFETCH(FolderLock::State, state);
    const ScopedCurrentDirectory directory;
    const QDateTime sessionStart = QDateTime::currentDateTime().addSecs(-3600);
    auto live = std::make_unique<FolderLock>();
    if (!holder.isEmpty())
        QCOMPARE(live->tryLock(), FolderLock::State::Locked);
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
    if (!holder.isEmpty()) {
        QFile lockFile(kFolderLockName);
        QVERIFY(lockFile.open(QIODevice::ReadWrite));
        QVERIFY(lockFile.setFileTime(sessionStart, QFileDevice::FileModificationTime));
    }
    FolderLock second;
    QCOMPARE(second.tryLock(), state);
    QCOMPARE(second.abandonedSessionStart().has_value(), holder == "dead");
    if (holder == "dead")
        QCOMPARE(*second.abandonedSessionStart(), sessionStart);
}

void FolderLockTest::onlyLeftoversOfTheKilledSessionGo_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("writtenAfterStart"); // seconds
    QTest::addColumn<bool>("removed");
    QTest::newRow("envelope store") << "tobrel.ar.aB3dEf" << 5 << true;
    QTest::newRow("recovery file") << "tobrel-obnova.ar.XyZabc" << 5 << true;
    QTest::newRow("user's copy from before") << "adresy.ar.zaloha" << -3600 << false;
    QTest::newRow("seven letters") << "adresy.ar.zalohy2" << 5 << false;
    QTest::newRow("set aside") << "tobrel-obnova.ar.odlozeno" << 5 << false;
    QTest::newRow("another file") << "jiny.ar.aB3dEf" << 5 << false;
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
