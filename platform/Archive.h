#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

// The binary archive encoding of the store and backup files: little-endian 32-bit
// integers, IEEE floats bit for bit, strings with a 1-, 3- or 7-byte length prefix.
class ArchiveWriter
{
public:
    void writeInt32(std::int32_t value);
    void writeFloat(float value);
    void writeByte(std::uint8_t value);
    void writeString(std::string_view bytes);   // length prefix, then the bytes
    void writeRawBytes(std::string_view bytes); // no prefix
    const QByteArray &bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
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
    bool readRawBytes(qsizetype count, std::string &bytes);
    qsizetype remaining() const { return m_bytes.size() - m_pos; }
    bool atEnd() const { return remaining() == 0; }

private:
    QByteArray m_bytes;
    qsizetype m_pos = 0;
};

enum class FileReadStatus { Missing, Read, Unreadable };
struct FileContents
{
    FileReadStatus status = FileReadStatus::Missing;
    QByteArray bytes;
};
FileContents readWholeFile(const QString &path);

// Writes through QSaveFile: on any failure the previous file stays whole and false comes
// back.
bool writeFileSafely(const QString &path, QByteArrayView bytes);
