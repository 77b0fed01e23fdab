// PrintCommandBenchmark [addressees...]: "tobrel --pdf --all-addressees" over generated lists
// (default 1000 and 10000); prints wall time, peak memory, pages and embedded font files.
#include "StoreFiles.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char **environ;

namespace {

void writeLists(const QString &dir, int addressees)
{
    EnvelopeFormatArray envelopes;
    envelopes.Append({22.9f, 11.4f, 11.0f, 5.5f, 1.0f, 1.0f, "DL"});
    AddressEntryArray senders;
    senders.Append({"Firma s.r.o.\r\nDlouh\xe1 1\r\n110 00 Praha 1", "Firma"});
    AddressEntryArray people;
    for (int i = 0; i < addressees; ++i) {
        const std::string n = std::to_string(i);
        people.Append({"Ing. Jan Nov\xe1k " + n + "\r\nKr\xe1tk\xe1 " + n +
                           "\r\n602 00 Brno\r\n\xc8"
                           "esk\xe1 republika",
                       "Nov\xe1k " + n});
    }
    saveEnvelopeStore(dir + QStringLiteral("/tobrel.ar"), envelopes);
    saveAddressStore(dir + QStringLiteral("/adresy.ar"), senders, people);
}

// Runs the program in dir; its wall time in seconds and peak resident memory in MB.
bool runTobrel(const QString &dir, double &seconds, double &peakMb)
{
    const QByteArray pdf = (dir + QStringLiteral("/out.pdf")).toLocal8Bit();
    const char *argv[] = {TOBREL_EXECUTABLE,  "--pdf", pdf.constData(), "--sender", "Firma",
                          "--all-addressees", nullptr};
    QDir::setCurrent(dir);
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    if (posix_spawn(&pid, TOBREL_EXECUTABLE, nullptr, nullptr, const_cast<char **>(argv),
                    environ) != 0)
        return false;
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    seconds = timer.nsecsElapsed() / 1e9;
    peakMb = usage.ru_maxrss / 1024.0;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QList<int> sizes;
    for (const QString &argument : app.arguments().mid(1))
        sizes << argument.toInt();
    if (sizes.isEmpty())
        sizes = {1000, 10000};
    for (const int size : sizes) {
        QTemporaryDir dir;
        writeLists(dir.path(), size);
        double seconds = 0, peakMb = 0;
        if (!runTobrel(dir.path(), seconds, peakMb)) {
            std::printf("%d addressees: tobrel failed\n", size);
            return 1;
        }
        QFile pdf(dir.filePath(QStringLiteral("out.pdf")));
        pdf.open(QIODevice::ReadOnly);
        const QByteArray bytes = pdf.readAll();
        std::printf("%6d addressees: %.3f s, %.1f MB peak, %lld pages, %lld embedded font "
                    "files, %.1f MB PDF\n",
                    size, seconds, peakMb, qlonglong(bytes.count("/Type /Page\n")),
                    qlonglong(bytes.count("/FontFile")), bytes.size() / 1e6);
    }
    return 0;
}
