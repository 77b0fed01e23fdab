#include "Archive.h"

#include "FileError.h"
#include "Prefault.h"

#include <QFile>
#include <QRandomGenerator>
#include <QtEndian>

#include <bit>
#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::uint8_t kWideLength = 0xFF;
constexpr qsizetype kChunkSize = qsizetype(1) << 20;
constexpr std::uint16_t kLongLength = 0xFFFF;

} // namespace

void ArchiveWriter::writeInt32(std::int32_t value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    m_bytes.append(bytes, 4);
}

void ArchiveWriter::writeFloat(float value)
{
    writeInt32(std::bit_cast<std::int32_t>(value));
}

void ArchiveWriter::writeByte(std::uint8_t value)
{
    m_bytes.append(char(value));
}

void ArchiveWriter::writeString(std::string_view bytes)
{
    const std::size_t length = bytes.size();
    if (length < kWideLength) {
        writeByte(std::uint8_t(length));
    } else {
        writeByte(kWideLength);
        char prefix[4];
        if (length < kLongLength - 1u) {
            qToLittleEndian(std::uint16_t(length), prefix);
            m_bytes.append(prefix, 2);
        } else {
            qToLittleEndian(kLongLength, prefix);
            m_bytes.append(prefix, 2);
            qToLittleEndian(std::uint32_t(length), prefix);
            m_bytes.append(prefix, 4);
        }
    }
    writeRawBytes(bytes);
}

void ArchiveWriter::writeRawBytes(std::string_view bytes)
{
    m_bytes.append(bytes.data(), qsizetype(bytes.size()));
    flushFullChunk();
}

void ArchiveWriter::flushFullChunk()
{
    if (!m_flush || m_bytes.size() < kChunkSize)
        return;
    // After a failed chunk the rest is not written either.
    m_flushed = m_flushed && m_flush(m_bytes);
    m_bytes.resize(0); // keeps the block for the next chunk
}

bool ArchiveWriter::finish()
{
    if (m_flush && !m_bytes.isEmpty()) {
        m_flushed = m_flushed && m_flush(m_bytes);
        m_bytes.resize(0);
    }
    return m_flushed;
}

bool ArchiveReader::readInt32(std::int32_t &value)
{
    if (remaining() < 4)
        return false;
    value = qFromLittleEndian<std::int32_t>(m_bytes.constData() + m_pos);
    m_pos += 4;
    return true;
}

bool ArchiveReader::readFloat(float &value)
{
    std::int32_t bits = 0;
    if (!readInt32(bits))
        return false;
    value = std::bit_cast<float>(bits);
    return true;
}

bool ArchiveReader::readByte(std::uint8_t &value)
{
    if (remaining() < 1)
        return false;
    value = std::uint8_t(m_bytes.at(m_pos));
    ++m_pos;
    return true;
}

bool ArchiveReader::readStringLength(qsizetype &length)
{
    const qsizetype start = m_pos;
    std::uint8_t shortLength = 0;
    if (!readByte(shortLength))
        return false;
    length = shortLength;
    if (shortLength == kWideLength) {
        if (remaining() < 2) {
            m_pos = start;
            return false;
        }
        const auto wideLength = qFromLittleEndian<std::uint16_t>(m_bytes.constData() + m_pos);
        m_pos += 2;
        length = wideLength;
        if (wideLength == kLongLength) {
            if (remaining() < 4) {
                m_pos = start;
                return false;
            }
            length = qsizetype(qFromLittleEndian<std::uint32_t>(m_bytes.constData() + m_pos));
            m_pos += 4;
        }
    }
    return true;
}

bool ArchiveReader::readString(std::string &bytes)
{
    std::string_view read;
    if (!readString(read))
        return false;
    bytes.assign(read);
    return true;
}

bool ArchiveReader::readString(std::string_view &bytes)
{
    const qsizetype start = m_pos;
    qsizetype length = 0;
    if (!readStringLength(length))
        return false;
    if (length > remaining()) {
        m_pos = start;
        return false;
    }
    bytes = std::string_view(m_bytes.constData() + m_pos, std::size_t(length));
    m_pos += length;
    return true;
}

bool ArchiveReader::skipString()
{
    std::string_view ignored;
    return readString(ignored);
}

bool ArchiveReader::readRawBytes(qsizetype count, std::string &bytes)
{
    if (count < 0 || count > remaining())
        return false;
    bytes.assign(m_bytes.constData() + m_pos, std::size_t(count));
    m_pos += count;
    return true;
}

FileContents readWholeFile(const QString &path)
{
    return readWholeFile(QFile::encodeName(path));
}

FileContents readWholeFile(const QByteArray &nativePath)
{
    FileContents contents;
    const int fd = ::open(nativePath.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        contents.error = errno;
        if (errno != ENOENT && errno != ENOTDIR)
            contents.status = FileReadStatus::Unreadable;
        return contents;
    }
    contents.status = FileReadStatus::Unreadable;
    struct stat info;
    bool whole = ::fstat(fd, &info) == 0 && !S_ISDIR(info.st_mode);
    contents.error = whole ? 0 : EISDIR;
    // Straight into a block of the size the file has; a file that grows meanwhile is read
    // on to its end all the same.
    QByteArray &bytes = contents.bytes;
    if (whole && S_ISREG(info.st_mode)) {
        bytes.resize(qsizetype(info.st_size));
        prefault(bytes.data(), std::size_t(bytes.size()));
    }
    qsizetype got = 0;
    char more[65536];
    while (whole) {
        const bool full = got == bytes.size();
        const ssize_t count = full ? ::read(fd, more, sizeof more)
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

// The temporary file beside the target: its name plus a dot and six random letters or
// digits, created anew so no other file is ever opened by mistake.
int createTemporaryBeside(const QByteArray &target, QByteArray &temporary)
{
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = target + '.';
        for (int i = 0; i < 6; ++i)
            temporary += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)];
        const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

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

bool writeFileSafely(const QString &path, QByteArrayView bytes, QString *why)
{
    return writeFileSafely(QFile::encodeName(path), bytes, why);
}

bool writeFileSafely(const QByteArray &nativePath, QByteArrayView bytes, QString *why)
{
    return writeFileSafely(
        nativePath, [bytes](const ChunkWriter &write) { return write(bytes); }, why);
}

bool writeFileSafely(const QString &path, const std::function<bool(const ChunkWriter &)> &produce,
                     QString *why)
{
    return writeFileSafely(QFile::encodeName(path), produce, why);
}

bool writeFileSafely(const QByteArray &path, const std::function<bool(const ChunkWriter &)> &produce,
                     QString *why)
{
    const QByteArray nativePath = followLink(path);
    const auto fail = [why](int error) {
        if (why)
            *why = fileErrorText(error);
        return false;
    };
    QByteArray temporary;
    const int fd = createTemporaryBeside(nativePath, temporary);
    if (fd < 0)
        return fail(errno);
    // A replaced file keeps its permissions; a new one gets what the umask allows. The data
    // must be on the disk before the rename, or a crash could leave the name on an empty
    // file; close reports late write errors on some file systems.
    struct stat previous;
    int error = 0;
    const ChunkWriter write = [fd, &error](QByteArrayView chunk) {
        if (writeAll(fd, chunk))
            return true;
        error = errno;
        return false;
    };
    bool written = ::stat(nativePath.constData(), &previous) != 0 ||
                   ::fchmod(fd, previous.st_mode & 07777) == 0;
    if (!written)
        error = errno;
    else if (!(written = produce(write)))
        error = error != 0 ? error : EIO;
    else if (!(written = ::fsync(fd) == 0))
        error = errno;
    if (::close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (written && ::rename(temporary.constData(), nativePath.constData()) != 0) {
        written = false;
        error = errno;
    }
    if (written)
        return true;
    ::unlink(temporary.constData());
    return fail(error);
}
