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

// Each kind writes its file with n entries; n tells old content from new.
const std::pair<const char *, std::function<bool(int n, QString *why)>> kKinds[] = {
    {"tobrel.ar",
     [](int n, QString *why) { return saveEnvelopeStore("tobrel.ar", envelopes(n), why); }},
    {"adresy.ar",
     [](int n, QString *why) {
         return saveAddressStore("adresy.ar", addresses(n), addresses(n), why);
     }},
    {"pismo.bin",
     [](int n, QString *why) {
         return savePrintFont("pismo.bin", {LOGFONT{}, n}, why);
     }},
    {"lerbot.ini",
     [](int n, QString *why) {
         return WritePrivateProfileStringA("Treti", "vfont", std::to_string(n), "lerbot.ini", why);
     }},
    {"b.zob", [](int n, QString *why) { return writeEnvelopeBackup("b.zob", envelopes(n), why); }},
    {"b.zad", [](int n, QString *why) { return writeAddressBackup("b.zad", addresses(n), why); }},
};

const struct
{
    const char *call;
    int error;
    const char *reason;
} kFaults[] = {
    {"write:0", ENOSPC, "Na disku není dost místa."},
    {"write:5", EDQUOT, "Na disku není dost místa."},
    {"write:9", EIO, "Chyba vstupu/výstupu."},
    {"fsync", EIO, "Chyba vstupu/výstupu."},
    {"fsync", ENOSPC, "Na disku není dost místa."},
    {"close", EIO, "Chyba vstupu/výstupu."},
    {"rename", EACCES, "Přístup odepřen."},
    {"rename", EROFS, "Disk je jen pro čtení."},
    {"rename", EXDEV, "Chyba systému č. 18."}, // no words of its own, but not English
};

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
    QTest::addColumn<int>("fault"); // -1: none, and the same save replaces the file
    for (int kind = 0; kind < int(std::size(kKinds)); ++kind) {
        for (int fault = -1; fault < int(std::size(kFaults)); ++fault)
            QTest::addRow("%s %s errno %d", kKinds[kind].first,
                          fault < 0 ? "no fault" : kFaults[fault].call,
                          fault < 0 ? 0 : kFaults[fault].error)
                << kind << fault;
    }
}

void SaveFaultTest::failedSaveKeepsOldFileWhole()
{
    QFETCH(int, kind);
    QFETCH(int, fault);
    const ScopedCurrentDirectory current;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(current.path())); // the profile goes here too
    const auto &[name, save] = kKinds[kind];
    QVERIFY(save(1, nullptr));
    const QByteArray old = readFile(QString::fromLatin1(name));

    if (fault >= 0) {
        qputenv("TOBREL_FAULT", kFaults[fault].call);
        qputenv("TOBREL_FAULT_ERRNO", QByteArray::number(kFaults[fault].error));
    }
    QString why;
    const bool saved = save(40, &why);
    qunsetenv("TOBREL_FAULT");

    QCOMPARE(saved, fault < 0);
    QCOMPARE(why, fault < 0 ? QString() : QString::fromUtf8(kFaults[fault].reason));
    const QByteArray now = readFile(QString::fromLatin1(name));
    QVERIFY(saved ? now != old && !now.isEmpty() : now == old);
    QCOMPARE(QDir::current().entryList(QDir::Files), QStringList{name}); // no temporary left
}

QTEST_GUILESS_MAIN(SaveFaultTest)
#include "SaveFaultTest.moc"
