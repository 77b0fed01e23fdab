// "AddressStoreTool make N" writes adresy.ar with N senders and N addressees into the current
// directory, through the store writer; "AddressStoreTool read" reads and decodes it and prints
// the time taken and the peak memory: the floor under any start-up with that store.
#include "StoreFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <array>
#include <cstdio>
#include <string>

namespace {

// Surnames in code page 1250, many sharing their beginnings, as in a real address book.
constexpr std::array<const char *, 16> kSurnames{"Nov\xE1k",
                                                 "Svoboda",
                                                 "Novotn\xFD",
                                                 "Dvo\xF8\xE1k",
                                                 "\xC8"
                                                 "ern\xFD",
                                                 "Proch\xE1zka",
                                                 "Ku\xE8"
                                                 "era",
                                                 "Vesel\xFD",
                                                 "Hor\xE1k",
                                                 "N\xECmec",
                                                 "Chalupa",
                                                 "\x8A\x9D"
                                                 "astn\xFD",
                                                 "Mare\x9A",
                                                 "Pokorn\xFD",
                                                 "H\xE1jek",
                                                 "Kr\xE1l"};

AddressEntryArray makeEntries(const char *role, int count)
{
    AddressEntryArray entries;
    for (int i = 0; i < count; ++i) {
        // Spread over the list so that sorting has real work to do.
        const int n = int((i * 7919LL) % count);
        AddressEntry entry;
        entry.label = std::string(kSurnames[std::size_t(n) % kSurnames.size()]) + " " + role + " " +
                      std::to_string(n);
        entry.text =
            entry.label + "\r\nDlouh\xE1 " + std::to_string(n % 300) + "\r\n110 00 Praha 1";
        entries.Append(std::move(entry));
    }
    return entries;
}

long peakMemoryKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString path = QDir::current().filePath(QString::fromLatin1(kAddressStoreName));
    if (argc == 3 && std::string(argv[1]) == "make") {
        const int count = std::atoi(argv[2]);
        return saveAddressStore(path, makeEntries("odes.", count), makeEntries("adr.", count)) ? 0
                                                                                               : 1;
    }
    if (argc == 2 && std::string(argv[1]) == "read") {
        QElapsedTimer timer;
        timer.start();
        AddressEntryArray senders, addressees;
        loadAddressStore(path, senders, addressees);
        std::printf("%d %d %lld %ld\n", senders.GetSize(), addressees.GetSize(), timer.elapsed(),
                    peakMemoryKiB());
        return 0;
    }
    std::fprintf(stderr, "usage: AddressStoreTool make N | read\n");
    return 2;
}
