#include "Archive.h"

#include <QtEndian>

#include <bit>

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
