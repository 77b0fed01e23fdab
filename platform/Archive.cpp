#include "Archive.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>

#include <bit>

namespace {

constexpr std::uint8_t kWideLength = 0xFF;
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

bool ArchiveReader::readString(std::string &bytes)
{
    const qsizetype start = m_pos;
    std::uint8_t shortLength = 0;
    if (!readByte(shortLength))
        return false;
    qsizetype length = shortLength;
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
    if (!readRawBytes(length, bytes)) {
        m_pos = start;
        return false;
    }
    return true;
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
    FileContents contents;
    QFile file(path);
    if (!file.exists())
        return contents;
    contents.status = FileReadStatus::Unreadable;
    if (!file.open(QIODevice::ReadOnly))
        return contents;
    contents.bytes = file.readAll();
    if (file.error() == QFileDevice::NoError)
        contents.status = FileReadStatus::Read;
    else
        contents.bytes.clear();
    return contents;
}

bool writeFileSafely(const QString &path, QByteArrayView bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // Without a commit the save file discards its temporary copy.
    if (file.write(bytes.data(), bytes.size()) != bytes.size())
        return false;
    return file.commit();
}
