#include "ProfileFile.h"

#include "NumberText.h"
#include "PrivateProfile.h"

#include <QFile>

#include <cmath>

namespace {

constexpr int kStringBufferSize = 260;

QString pathName(const std::string &name)
{
    return QFile::decodeName(QByteArray::fromStdString(name));
}

} // namespace

void ProfileFile::SetFileName(std::string_view name)
{
    m_fileName = name;
}

int ProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    if (m_fileName.empty())
        return 0;
    return WritePrivateProfileStringA(section, key, value, pathName(m_fileName)) ? 1 : 0;
}

std::string ProfileFile::GetString(std::string_view section, std::string_view key,
                                   std::string_view defaultValue)
{
    if (m_fileName.empty())
        return std::string(defaultValue);
    return GetPrivateProfileStringA(section, key, defaultValue, kStringBufferSize,
                                    pathName(m_fileName));
}

int ProfileFile::WriteInt(std::string_view section, std::string_view key, int value)
{
    return WriteString(section, key, std::to_string(value));
}

int ProfileFile::GetInt(std::string_view section, std::string_view key, int defaultValue)
{
    const std::string text = GetString(section, key, {});
    return text.empty() ? defaultValue : atoiC(text);
}

int ProfileFile::WriteDouble(std::string_view section, std::string_view key, double value)
{
    return WriteString(section, key, formatFixed(value));
}

double ProfileFile::GetDouble(std::string_view section, std::string_view key, double defaultValue)
{
    const std::string text = GetString(section, key, {});
    if (text.empty())
        return defaultValue;
    // An overflow reads as infinity, which no caller can place or draw.
    const double value = atofC(text);
    return std::isfinite(value) ? value : defaultValue;
}

int ProfileFile::WriteStruct(std::string_view section, std::string_view key, const void *data,
                             int size)
{
    if (m_fileName.empty())
        return 0;
    return WritePrivateProfileStructA(section, key, data, size, pathName(m_fileName)) ? 1 : 0;
}

int ProfileFile::GetStruct(std::string_view section, std::string_view key, void *data, int size)
{
    if (m_fileName.empty())
        return 0;
    return GetPrivateProfileStructA(section, key, data, size, pathName(m_fileName)) ? 1 : 0;
}
