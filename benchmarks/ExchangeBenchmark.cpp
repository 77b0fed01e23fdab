// ExchangeBenchmark [entries per list...]: "tobrel --export" to CSV and vCard, "tobrel --import"
// of 100,000 addresses from CSV into such a folder and into an empty one, the restore of a
// list's backup into itself, and a vCard of 200,000 folded lines after a line without a colon
// (defaults 100000 1000000). Each row: wall time, processor time (user + system), the peak
// memory of the process and the load average when it ended, since the machine may be busy.
// TOBREL=path runs another build of the program.
#include "Backup.h"
#include "StoreFiles.h"
#include "VCardAddresses.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <fcntl.h>
#include <cstdlib>
#include <functional>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

double seconds(const timeval &t)
{
    return double(t.tv_sec) + double(t.tv_usec) / 1e6;
}

void printRow(const char *what, double wall, const rusage &usage, bool ok)
{
    double load[3] = {};
    getloadavg(load, 3);
    std::printf("%-44s %8.2f %8.2f %8.1f %6.2f%s\n", what, wall,
                seconds(usage.ru_utime) + seconds(usage.ru_stime), double(usage.ru_maxrss) / 1024,
                load[0], ok ? "" : "  FAILED");
    std::fflush(stdout);
}

// Runs argv in dir with its output thrown away; the figures of the whole process.
bool run(const char *what, const QString &dir, const QList<QByteArray> &arguments)
{
    std::vector<char *> argv;
    for (const QByteArray &argument : arguments)
        argv.push_back(const_cast<char *>(argument.constData()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    QDir::setCurrent(dir);
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    const bool spawned = posix_spawn(&pid, argv.front(), &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    if (spawned)
        wait4(pid, &status, 0, &usage);
    const bool ok = spawned && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (what)
        printRow(what, timer.nsecsElapsed() / 1e9, usage, ok);
    return ok;
}

// Runs work in a child process of its own, for a peak memory of its own.
void inChild(const char *what, const std::function<bool()> &work)
{
    QElapsedTimer timer;
    timer.start();
    const pid_t pid = fork();
    if (pid == 0)
        _exit(work() ? 0 : 1);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    printRow(what, timer.nsecsElapsed() / 1e9, usage, WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

QByteArray foldedLinesCard()
{
    QByteArray card = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Jan\r\nPOZN\xC1MKA bez dvojte\xE8ky\r\n";
    for (int i = 0; i < 200000; ++i)
        card += " pokra\xE8ov\xE1n\xED\r\n";
    return card + "END:VCARD\r\n";
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QByteArray tobrel = qEnvironmentVariableIsSet("TOBREL") ? qgetenv("TOBREL")
                                                                  : QByteArray(TOBREL_EXECUTABLE);
    const QByteArray tool = ADDRESS_STORE_TOOL;
    QList<int> sizes;
    for (const QString &argument : app.arguments().mid(1))
        sizes << argument.toInt();
    if (sizes.isEmpty())
        sizes = {100000, 1000000};

    std::printf("%-44s %8s %8s %8s %6s\n", "", "wall s", "cpu s", "peak MB", "load");
    // 100,000 senders of another folder, exported, are the file every import takes.
    QTemporaryDir source;
    const QByteArray csv = QDir(source.path()).filePath(QStringLiteral("import.csv")).toLocal8Bit();
    if (!run(nullptr, source.path(), {tool, "make", "100000"}) ||
        !run(nullptr, source.path(), {tobrel, "--export", csv, "--senders"}))
        return 1;
    {
        QTemporaryDir empty;
        run("--import 100000 CSV, empty folder", empty.path(), {tobrel, "--import", csv});
    }
    for (const int size : sizes) {
        QTemporaryDir dir;
        if (!run(nullptr, dir.path(), {tool, "make", QByteArray::number(size)}))
            return 1;
        const QByteArray n = QByteArray::number(size);
        run(("--export " + n + " to CSV").constData(), dir.path(), {tobrel, "--export", "out.csv"});
        run(("--export " + n + " to vCard").constData(), dir.path(), {tobrel, "--export", "out.vcf"});
        inChild(("restore " + n + " backup into its list").constData(), [&] {
            AddressEntryArray senders, addressees;
            loadAddressStore(QString::fromLatin1(kAddressStoreName), senders, addressees);
            return writeAddressBackup(QStringLiteral("a.zad"), addressees) &&
                   restoreAddressBackup(QStringLiteral("a.zad"), addressees).whole;
        });
        run(("--import 100000 CSV into " + n).constData(), dir.path(), {tobrel, "--import", csv});
    }
    const QByteArray card = foldedLinesCard();
    inChild("vCard, 200000 folded lines after no colon", [&] {
        return !parseVCards(card).error.isEmpty();
    });
    return 0;
}
