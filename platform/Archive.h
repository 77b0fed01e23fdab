#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

// Writes one chunk of a file's bytes; false when it could not.
using ChunkWriter = std::function<bool(QByteArrayView chunk)>;

// The binary archive encoding of the store and backup files: little-endian 32-bit
// integers, IEEE floats bit for bit, strings with a 1-, 3- or 7-byte length prefix.
class ArchiveWriter
{
public:
    ArchiveWriter() = default;
    // Hands the bytes over to flush chunk by chunk instead of keeping them all, so that a
    // long list needs no block of its own size.
    explicit ArchiveWriter(ChunkWriter flush) : m_flush(std::move(flush)) {}
    // Hands over what is left; false when any chunk could not be written.
    bool finish();

    void writeInt32(std::int32_t value);
    void writeFloat(float value);
    void writeByte(std::uint8_t value);
    void writeString(std::string_view bytes);   // length prefix, then the bytes
    void writeRawBytes(std::string_view bytes); // no prefix
    const QByteArray &bytes() const { return m_bytes; }

private:
    void flushFullChunk();

    QByteArray m_bytes;
    ChunkWriter m_flush;
    bool m_flushed = true;
};

// Reads the same encoding from a buffer, which it shares (so a temporary may be passed).
// Every read checks that the bytes are there before it allocates or copies; a failed read
// leaves the position unchanged.
class ArchiveReader
{
public:
    explicit ArchiveReader(QByteArray bytes) : m_bytes(std::move(bytes)) {}
    bool readInt32(std::int32_t &value);
    bool readFloat(float &value);
    bool readByte(std::uint8_t &value);
    bool readString(std::string &bytes);
    bool readString(std::string_view &bytes); // a view of the shared buffer, not a copy
    bool skipString();                        // moves past a string without copying it
    bool readRawBytes(qsizetype count, std::string &bytes);
    qsizetype remaining() const { return m_bytes.size() - m_pos; }
    bool atEnd() const { return remaining() == 0; }
    const QByteArray &bytes() const { return m_bytes; }

private:
    // The length from a string's prefix, with the position after it.
    bool readStringLength(qsizetype &length);

    QByteArray m_bytes;
    qsizetype m_pos = 0;
};

enum class FileReadStatus { Missing, Read, Unreadable };
struct FileContents
{
    FileReadStatus status = FileReadStatus::Missing;
    QByteArray bytes;
    int error = 0; // why it is not Read: the system's error code
};
// Paths go to the system as bytes (QFile::encodeName), so that a folder whose name is not
// valid UTF-8 still works when it is reached by a relative path; the byte forms serve
// paths whose bytes a QString cannot carry.
FileContents readWholeFile(const QString &path);
FileContents readWholeFile(const QByteArray &nativePath);

// Writes a temporary file beside the target, syncs it to the disk and renames it over the
// target: on any failure (a full disk too) the previous file stays whole, false comes
// back, and why is set to the reason in Czech. Not QSaveFile: it makes a relative name
// absolute through text, which fails in a folder whose name is not valid UTF-8.
bool writeFileSafely(const QString &path, QByteArrayView bytes, QString *why = nullptr);
bool writeFileSafely(const QByteArray &nativePath, QByteArrayView bytes, QString *why = nullptr);
// The same with the bytes made as they are written: produce hands them to the writer it is
// given and returns whether all were written.
bool writeFileSafely(const QString &path, const std::function<bool(const ChunkWriter &)> &produce,
                     QString *why = nullptr);
bool writeFileSafely(const QByteArray &nativePath,
                     const std::function<bool(const ChunkWriter &)> &produce,
                     QString *why = nullptr);
