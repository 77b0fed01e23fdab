// Runs with FaultShim preloaded: every kind of file the program writes meets a full or
// failing disk at each step of the save, and must keep its old content whole.
#include "Backup.h"
#include "FileBytes.h"
#include "PrivateProfile.h"
#include "ScopedDirectories.h"
#include "StoreFiles.h"
#include "Texts.h"

#include <QDir>
#include <QTest>

#include <cerrno>
#include <functional>

namespace {

// Writes one kind of file with n entries (n distinguishes old and new content).
using Save = std::function<bool(int entries, QString *why)>;

struct FileKind
{
    const char *name;
    Save save;
};

EnvelopeFormatArray envelopes(int count)
{
    EnvelopeFormatArray list;
    for (int i = 0; i < count; ++i)
        list.Append(envelope(QByteArray::number(i).constData(), 22.9f, 16.2f, 1, 1, 9, 8));
    return list;
}

AddressEntryArray addresses(int count)
{
    AddressEntryArray list;
    for (int i = 0; i < count; ++i)
        list.Append(address(QByteArray::number(i).constData(), "Ulice 1\r\nMěsto"));
    return list;
}

const FileKind kKinds[] = {
    {"tobrel.ar",
     [](int n, QString *why) { return saveEnvelopeStore("tobrel.ar", envelopes(n), why); }},
    {"adresy.ar",
     [](int n, QString *why) {
         return saveAddressStore("adresy.ar", addresses(n), addresses(n), why);
     }},
    {"pismo.bin",
     [](int n, QString *why) {
         PrintFont font = defaultPrintFont();
         font.pointSize = n;
         return savePrintFont("pismo.bin", font, why);
     }},
    {"lerbot.ini",
     [](int n, QString *why) {
         return WritePrivateProfileStringA("Treti", "vfont", std::to_string(n), "lerbot.ini",
                                           why);
     }},
    {"b.zob", [](int n, QString *why) { return writeEnvelopeBackup("b.zob", envelopes(n), why); }},
    {"b.zad", [](int n, QString *why) { return writeAddressBackup("b.zad", addresses(n), why); }},
};

struct Fault
{
    const char *call;
    int error;
    const char *reason;
};

const Fault kFaults[] = {
    {"write:0", ENOSPC, "Na disku není dost místa."},
    {"write:5", ENOSPC, "Na disku není dost místa."},
    {"write:5", EDQUOT, "Na disku není dost místa."},
    {"write:9", EIO, "Chyba vstupu/výstupu."},
    {"fsync", EIO, "Chyba vstupu/výstupu."},
    {"fsync", ENOSPC, "Na disku není dost místa."},
    {"close", EIO, "Chyba vstupu/výstupu."},
    {"rename", EACCES, "Přístup odepřen."},
    {"rename", EROFS, "Disk je jen pro čtení."},
};

QString pathOf(const char *name)
{
    // The profile's bare name lives in the configuration directory, set to the current one.
    return QDir::current().filePath(QString::fromLatin1(name));
}

} // namespace

class SaveFaultTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void failedSaveKeepsOldFileWhole_data();
    void failedSaveKeepsOldFileWhole();
};

void SaveFaultTest::failedSaveKeepsOldFileWhole_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("call");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("reason");
    for (int kind = 0; kind < int(std::size(kKinds)); ++kind) {
        for (const Fault &fault : kFaults)
            QTest::addRow("%s %s errno %d", kKinds[kind].name, fault.call, fault.error)
                << kind << QByteArray(fault.call) << fault.error << QString::fromUtf8(fault.reason);
        // Without a fault the same save replaces the file, so the faults above are what
        // keeps the old content.
        QTest::addRow("%s no fault", kKinds[kind].name) << kind << QByteArray() << 0 << QString();
    }
}

void SaveFaultTest::failedSaveKeepsOldFileWhole()
{
    QFETCH(int, kind);
    QFETCH(QByteArray, call);
    QFETCH(int, error);
    QFETCH(QString, reason);
    const ScopedCurrentDirectory current;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(current.path()));
    const FileKind &file = kKinds[kind];

    QVERIFY(file.save(1, nullptr));
    const QByteArray old = readFile(pathOf(file.name));
    QVERIFY(!old.isEmpty());

    if (!call.isEmpty()) {
        qputenv("TOBREL_FAULT", call);
        qputenv("TOBREL_FAULT_ERRNO", QByteArray::number(error));
    }
    QString why;
    const bool saved = file.save(40, &why);
    qunsetenv("TOBREL_FAULT");

    QCOMPARE(saved, call.isEmpty());
    QCOMPARE(why, reason);
    const QByteArray now = readFile(pathOf(file.name));
    if (saved)
        QVERIFY(now != old && !now.isEmpty());
    else
        QCOMPARE(now, old);
    // No temporary file is left beside it.
    QCOMPARE(QDir::current().entryList(QDir::Files), QStringList{file.name});
}

QTEST_GUILESS_MAIN(SaveFaultTest)
#include "SaveFaultTest.moc"
