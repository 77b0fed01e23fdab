// Loads and saves store files of realistic size and prints how long each step took.
#include "StoreFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <string>

namespace {

constexpr int kAddressCount = 100000;
constexpr int kEnvelopeCount = 1000;

AddressEntry makeAddress(int i)
{
    const std::string n = std::to_string(i);
    return AddressEntry{"Ing. Jan Nov\xE1k " + n + "\r\nDlouh\xE1 " + n +
                            "\r\n110 00 Praha 1\r\n\xC8"
                            "esk\xE1 republika",
                        "Nov\xE1k " + n};
}

void report(const char *step, const QElapsedTimer &clock)
{
    std::printf("%-44s %8.1f ms\n", step, double(clock.nsecsElapsed()) / 1e6);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    const QString addressPath = QDir(dir.path()).filePath(kAddressStoreName);
    const QString envelopePath = QDir(dir.path()).filePath(kEnvelopeStoreName);

    AddressEntryArray senders, addressees;
    EnvelopeFormatArray envelopes;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < kAddressCount; ++i) {
        senders.Append(makeAddress(i));
        addressees.Append(makeAddress(kAddressCount + i));
    }
    for (int i = 0; i < kEnvelopeCount; ++i) {
        EnvelopeFormat format;
        format.label = "Ob\xE1lka " + std::to_string(i);
        format.width = 22.0f;
        format.height = 11.0f;
        envelopes.Append(format);
    }
    report("build 2 x 100,000 addresses in memory", clock);

    clock.restart();
    if (!saveAddressStore(addressPath, senders, addressees) ||
        !saveEnvelopeStore(envelopePath, envelopes))
        return 1;
    report("save adresy.ar and tobrel.ar", clock);

    AddressEntryArray sendersBack, addresseesBack;
    EnvelopeFormatArray envelopesBack;
    clock.restart();
    const LoadReport addresses = loadAddressStore(addressPath, sendersBack, addresseesBack);
    const LoadReport formats = loadEnvelopeStore(envelopePath, envelopesBack);
    report("load adresy.ar and tobrel.ar", clock);

    clock.restart();
    const int last = addresseesBack.FindByLabel(addressees.GetAt(kAddressCount - 1).label);
    report("find the last addressee by label", clock);

    const bool whole = addresses.state == LoadReport::State::Whole &&
                       formats.state == LoadReport::State::Whole && last == kAddressCount - 1;
    std::printf("adresy.ar: %lld bytes, %d entries kept, %s\n", QFileInfo(addressPath).size(),
                addresses.keptEntries, whole ? "whole" : "DAMAGED");
    return whole ? 0 : 1;
}
