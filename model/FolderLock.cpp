#include "FolderLock.h"

#include <QByteArrayList>
#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QSysInfo>

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_ino == b.st_ino && a.st_dev == b.st_dev;
}

QDateTime modificationTime(const struct stat &info)
{
    return QDateTime::fromMSecsSinceEpoch(qint64(info.st_mtim.tv_sec) * 1000 +
                                          info.st_mtim.tv_nsec / 1000000);
}

// The file's own name, so a link or a directory put there is never followed.
bool namesFile(int fd)
{
    struct stat opened, named;
    return ::fstat(fd, &opened) == 0 && ::lstat(kFolderLockName, &named) == 0 &&
           sameFile(opened, named);
}

// The lines QLockFile writes too: process number, program, computer.
FolderLock::Holder readHolder(int fd, const struct stat &info)
{
    char buffer[512];
    const ssize_t count = ::pread(fd, buffer, sizeof buffer, 0);
    const QByteArrayList lines = QByteArray(buffer, count > 0 ? count : 0).split('\n');
    FolderLock::Holder holder;
    holder.pid = lines.value(0).toLongLong();
    holder.host = QString::fromUtf8(lines.value(2)).trimmed();
    holder.since = modificationTime(info);
    return holder;
}

// Where flock() does not work (some network file systems), the process number decides.
bool heldByLiveProcess(int fd, const FolderLock::Holder &holder)
{
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        return false;
    if (errno == EWOULDBLOCK)
        return true;
    return holder.pid > 0 && holder.pid != ::getpid() &&
           (::kill(pid_t(holder.pid), 0) == 0 || errno == EPERM);
}

} // namespace

FolderLock::~FolderLock()
{
    if (m_fd < 0)
        return;
    if (namesFile(m_fd))
        ::unlink(kFolderLockName);
    ::close(m_fd);
}

FolderLock::State FolderLock::tryLock(bool evenFromElsewhere)
{
    if (m_fd >= 0)
        return State::Locked;
    const QString thisHost = QSysInfo::machineHostName();
    // A few rounds, for a holder that ends or a taker that wins while we look.
    for (int round = 0; round < 5; ++round) {
        const int made =
            ::open(kFolderLockName, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (made >= 0) {
            if (::flock(made, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
                ::close(made); // another start took it over in this instant
                continue;
            }
            // Readable to every user, whatever the umask: otherwise another user's start
            // could not tell a live lock from a damaged one.
            ::fchmod(made, 0644);
            const QByteArray lines =
                QByteArray::number(qint64(::getpid())) + "\ntobrel\n" + thisHost.toUtf8() + '\n';
            // An empty lock file holds all the same.
            [[maybe_unused]] const ssize_t written =
                ::write(made, lines.constData(), std::size_t(lines.size()));
            m_fd = made;
            return State::Locked;
        }
        if (errno != EEXIST)
            return State::Unavailable;
        struct stat named;
        if (::lstat(kFolderLockName, &named) != 0)
            continue;
        if (!S_ISREG(named.st_mode))
            return State::NotAFile;
        const int existing =
            ::open(kFolderLockName, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (existing < 0) {
            // Nobody can hold what nobody can read: a lock is always made readable.
            if (errno == EACCES && ::unlink(kFolderLockName) == 0)
                m_abandonedSince = modificationTime(named);
            else if (errno != ENOENT)
                return State::Unavailable;
            continue;
        }
        m_holder = readHolder(existing, named);
        const bool elsewhere = !m_holder.host.isEmpty() && m_holder.host != thisHost;
        const bool held = heldByLiveProcess(existing, m_holder);
        if (!elsewhere && held) {
            ::close(existing);
            return State::HeldByAnother;
        }
        if (elsewhere && !evenFromElsewhere) {
            ::close(existing);
            return State::HeldElsewhere;
        }
        // Ours to take: removed while still locked, so that a start that opened it too
        // finds it gone when its own flock succeeds, and tries again.
        if (namesFile(existing) && ::unlink(kFolderLockName) == 0)
            m_abandonedSince = m_holder.since;
        ::close(existing);
    }
    return State::HeldByAnother;
}

QString FolderLock::problemText(State state) const
{
    const auto tr = [](const char *text) {
        return QCoreApplication::translate("FolderLock", text);
    };
    const QString folder = QDir::toNativeSeparators(QDir::currentPath());
    if (state == State::NotAFile)
        return tr("Zámek seznamů „%1“ ve složce „%2“ není obyčejný soubor (je to složka, "
                  "odkaz nebo zařízení). Odstraňte ho a spusťte program znovu.")
            .arg(QLatin1String(kFolderLockName), folder);
    return tr("Seznamy ve složce „%1“ má otevřené program Tobrel na počítači „%2“ (proces %3, "
              "od %4).")
        .arg(folder, m_holder.host)
        .arg(m_holder.pid)
        .arg(QLocale(QLocale::Czech).toString(m_holder.since, QLocale::ShortFormat));
}
