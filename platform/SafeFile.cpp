#include "SafeFile.h"

#include "FileError.h"
#include "Prefault.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileContents readWholeFile(const QString &path, Links links)
{
    return readWholeFile(QFile::encodeName(path), links);
}

FileContents readWholeFile(const QByteArray &nativePath, Links links)
{
    FileContents contents;
    // Not blocking, so that a pipe at the name is refused rather than waited for.
    const int fd = ::open(nativePath.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK |
                                                      (links == Links::Refuse ? O_NOFOLLOW : 0));
    if (fd < 0) {
        contents.error = errno;
        if (errno != ENOENT && errno != ENOTDIR)
            contents.status = FileReadStatus::Unreadable;
        return contents;
    }
    contents.status = FileReadStatus::Unreadable;
    struct stat info;
    const bool stated = ::fstat(fd, &info) == 0;
    bool whole = stated && S_ISREG(info.st_mode);
    if (!whole)
        contents.error = !stated ? errno : S_ISDIR(info.st_mode) ? EISDIR : ENODEV;
    // Straight into a block of the size the file has; a file that grows meanwhile is read
    // on to its end all the same.
    QByteArray &bytes = contents.bytes;
    if (whole) {
        bytes.resize(qsizetype(info.st_size));
        prefault(bytes.data(), std::size_t(bytes.size()));
    }
    qsizetype got = 0;
    char more[65536];
    while (whole) {
        const bool full = got == bytes.size();
        const ssize_t count = full
                                  ? ::read(fd, more, sizeof more)
                                  : ::read(fd, bytes.data() + got, std::size_t(bytes.size() - got));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            whole = count == 0;
            contents.error = whole ? 0 : errno;
            break;
        }
        if (full)
            bytes.append(more, qsizetype(count));
        got += count;
    }
    bytes.truncate(got); // a file that shrank meanwhile
    ::close(fd);
    if (whole)
        contents.status = FileReadStatus::Read;
    else
        contents.bytes.clear();
    return contents;
}

namespace {

// A link is followed, so that the file it points at is replaced and the link stays.
QByteArray followLink(const QByteArray &path)
{
    struct stat info;
    if (::lstat(path.constData(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    char *target = ::realpath(path.constData(), nullptr);
    if (!target)
        return path;
    const QByteArray resolved(target);
    std::free(target);
    return resolved;
}

bool writeAll(int fd, QByteArrayView bytes)
{
    const char *data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t count = ::write(fd, data, std::size_t(left));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            if (count == 0)
                errno = ENOSPC;
            return false;
        }
        data += count;
        left -= count;
    }
    return true;
}

} // namespace

PendingFile::PendingFile(const QByteArray &target, Links links)
    : m_target(links == Links::Follow ? followLink(target) : target)
{
    struct stat previous;
    const bool exists = ::lstat(m_target.constData(), &previous) == 0;
    if (exists && S_ISLNK(previous.st_mode)) {
        fail(ELOOP);
        return;
    }
    // A device or a pipe would be replaced by a plain file.
    if (exists && !S_ISREG(previous.st_mode)) {
        m_failed = true;
        m_error = S_ISDIR(previous.st_mode) ? fileErrorText(EISDIR) : notRegularFileText();
        return;
    }
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    const QByteArray folder = m_target.left(m_target.lastIndexOf('/') + 1);
    for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
        m_path = folder + kPendingFilePrefix;
        for (int i = 0; i < 6; ++i)
            m_path += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)];
        // Made anew, never through a link, so no other file is ever opened by mistake.
        m_fd =
            ::open(m_path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (m_fd < 0 && errno != EEXIST)
            break;
    }
    if (m_fd < 0) {
        fail(errno);
        return;
    }
    // A replaced file keeps its permissions; a new one gets what the umask allows.
    if (exists && ::fchmod(m_fd, previous.st_mode & 07777) != 0)
        fail(errno);
}

PendingFile::~PendingFile()
{
    discard();
}

bool PendingFile::fail(int error)
{
    if (!m_failed)
        m_error = fileErrorText(error);
    m_failed = true;
    discard();
    return false;
}

void PendingFile::discard()
{
    if (m_fd < 0)
        return;
    ::close(m_fd);
    m_fd = -1;
    ::unlink(m_path.constData());
}

bool PendingFile::write(QByteArrayView bytes)
{
    if (m_fd < 0)
        return false;
    return writeAll(m_fd, bytes) || fail(errno);
}

bool PendingFile::commit()
{
    if (m_fd < 0)
        return false;
    // Written by its name, it must still be the file made here. The data must be on the disk
    // before the rename, or a crash could leave the name on an empty file; close reports
    // late write errors on some file systems.
    struct stat made, named;
    if (::fstat(m_fd, &made) != 0 || ::lstat(m_path.constData(), &named) != 0)
        return fail(errno);
    if (made.st_ino != named.st_ino || made.st_dev != named.st_dev)
        return fail(ENOENT);
    if (::fsync(m_fd) != 0)
        return fail(errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 || ::rename(m_path.constData(), m_target.constData()) != 0) {
        const int error = errno;
        ::unlink(m_path.constData());
        return fail(error);
    }
    return true;
}

bool writeFileSafely(const QString &path, QByteArrayView bytes, QString *why, Links links)
{
    return writeFileSafely(QFile::encodeName(path), bytes, why, links);
}

bool writeFileSafely(const QByteArray &nativePath, QByteArrayView bytes, QString *why, Links links)
{
    return writeFileSafely(
        nativePath, [bytes](const ChunkWriter &write) { return write(bytes); }, why, links);
}

bool writeFileSafely(const QString &path, const std::function<bool(const ChunkWriter &)> &produce,
                     QString *why, Links links)
{
    return writeFileSafely(QFile::encodeName(path), produce, why, links);
}

bool writeFileSafely(const QByteArray &path,
                     const std::function<bool(const ChunkWriter &)> &produce, QString *why,
                     Links links)
{
    PendingFile file(path, links);
    const bool written = file.isOpen() &&
                         produce([&file](QByteArrayView chunk) { return file.write(chunk); }) &&
                         file.commit();
    if (!written && why)
        *why = file.errorText().isEmpty() ? fileErrorText(EIO) : file.errorText();
    return written;
}
