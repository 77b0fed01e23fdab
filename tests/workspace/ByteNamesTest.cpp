// A folder whose name is code page 1250 bytes, not UTF-8, as an old USB disk brings it.
#include "BackupCommands.h"
#include "RecordListModel.h"
#include "DialogStubs.h"
#include "FileBytes.h"
#include "PrivateProfile.h"
#include "Texts.h"
#include "WorkspaceStores.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kForeignName("\xe8\xed\xf8"); // "číř" in code page 1250

QList<QByteArray> entriesOf(const QByteArray &directory)
{
    QList<QByteArray> names;
    if (DIR *dir = ::opendir(directory.constData())) {
        while (const dirent *entry = ::readdir(dir))
            if (entry->d_name[0] != '.')
                names << QByteArray(entry->d_name);
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

class ByteNamesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void listsBackupsAndProfileLiveInAForeignFolder();
};

void ByteNamesTest::listsBackupsAndProfileLiveInAForeignFolder()
{
    QTemporaryDir root;
    const QByteArray folder = QFile::encodeName(root.path()) + '/' + kForeignName;
    QCOMPARE(::mkdir(folder.constData(), 0700), 0);
    const QString previous = QDir::currentPath();
    QCOMPARE(::chdir(folder.constData()), 0);
    qputenv("XDG_CONFIG_HOME", folder + "/nastaven\xed");

    EnvelopeFormatArray envelopes;
    envelopes.Append(envelope("C5", 22.9f, 16.2f, 1, 1, 9, 8));
    AddressEntryArray senders;
    senders.Append(address("Já", "Ulice 1"));
    const QList<StoreSaveFailure> failed =
        WorkspaceStores().save(envelopes, senders, senders, defaultPrintFont());
    QVERIFY2(failed.isEmpty(), qPrintable(WorkspaceStores::saveFailureMessage(failed)));
    const StoredLists read = WorkspaceStores::readLists();
    QVERIFY(read.envelopes.GetSize() == 1 && read.addressees.GetSize() == 1);

    // The backup dialog wanders off; the folder, whose name is no text, must come back.
    {
        QWidget owner;
        EnvelopeListModel envelopeList(envelopes);
        AddressListModel senderList(senders);
        FileDialogStub files;
        files.answer = [&root](const FileDialogRequest &) {
            QDir::setCurrent(root.path());
            return std::optional<QString>(); // Cancel
        };
        BackupCommands(&owner, {&envelopes, &senders, &senders, &envelopeList, &senderList, &senderList})
            .OnBackupEnvelopes();
    }
    QVERIFY(writeEnvelopeBackup(QStringLiteral("b.zob"), envelopes));
    EnvelopeFormatArray restored;
    QVERIFY(restoreEnvelopeBackup(QStringLiteral("b.zob"), restored).opened);
    QCOMPARE(restored.GetSize(), 1);
    QCOMPARE(restored.GetAt(0).label, std::string("C5"));

    QVERIFY(WritePrivateProfileStringA("Treti", "vfont", "120", "lerbot.ini"));
    QCOMPARE(GetPrivateProfileStringA("Treti", "vfont", "", 260, "lerbot.ini"), std::string("120"));

    // A damaged store is kept aside in the same folder.
    QVERIFY(writeFile(QStringLiteral("tobrel.ar"), "damaged"));
    WorkspaceStores damaged;
    EnvelopeFormatArray readEnvelopes;
    AddressEntryArray readSenders, readAddressees;
    damaged.adoptLists(WorkspaceStores::readLists(), readEnvelopes, readSenders, readAddressees);
    QVERIFY(damaged.takeLoadMessages().first().contains(QStringLiteral("tobrel.ar.poskozeny")));

    QCOMPARE(::chdir(QFile::encodeName(previous).constData()), 0);
    qunsetenv("XDG_CONFIG_HOME");
    // Everything landed in the folder itself; nothing under a name with replacement marks.
    QCOMPARE(entriesOf(QFile::encodeName(root.path())), QList<QByteArray>{kForeignName});
    QCOMPARE(entriesOf(folder),
             (QList<QByteArray>{"adresy.ar", "b.zob", QByteArray("nastaven\xed"), "pismo.bin",
                                "tobrel.ar", "tobrel.ar.poskozeny"}));
    QCOMPARE(entriesOf(folder + "/nastaven\xed"), QList<QByteArray>{"lerbot.ini"});
}

QTEST_MAIN(ByteNamesTest)
#include "ByteNamesTest.moc"
