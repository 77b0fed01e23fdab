#pragma once

#include "SafeFile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

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
