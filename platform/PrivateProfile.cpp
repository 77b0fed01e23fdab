#include "PrivateProfile.h"

#include "Archive.h"
#include "Cp1250.h"
#include "FileError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdint>
#include <optional>
#include <vector>

#include <sys/stat.h>

namespace {

using Lines = std::vector<std::string>;

bool isProfileBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isProfileBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isProfileBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Windows compares the names with the code page's own letter case rules.
bool sameName(std::string_view a, std::string_view b)
{
    return fromCp1250(a).compare(fromCp1250(b), Qt::CaseInsensitive) == 0;
}

// CR LF, lone CR and lone LF each end one line.
Lines splitLines(const QByteArray &bytes)
{
    Lines lines;
    std::string current;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(current));
            current.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            current += c;
        }
    }
    if (!current.empty())
        lines.push_back(std::move(current));
    return lines;
}

std::optional<std::string_view> sectionNameOf(std::string_view line)
{
    line = trimmed(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    line.remove_prefix(1);
    return trimmed(line.substr(0, line.find(']')));
}

struct KeyValue
{
    std::string_view key;
    std::string_view value;
};

std::optional<KeyValue> keyValueOf(std::string_view line)
{
    line = trimmed(line);
    const std::size_t equals = line.find('=');
    if (line.empty() || line.front() == ';' || line.front() == '[' ||
        equals == std::string_view::npos)
        return std::nullopt;
    std::string_view value = trimmed(line.substr(equals + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return KeyValue{trimmed(line.substr(0, equals)), value};
}

struct Location
{
    int section = -1;       // header line of the first matching section
    int lastInSection = -1; // its last non-blank line, where a new key goes after
    int key = -1;           // first line that holds the key in a matching section
};

Location locate(const Lines &lines, std::string_view section, std::string_view key)
{
    Location where;
    bool inMatchingSection = false;
    bool inFirstMatch = false;
    for (int i = 0; i < int(lines.size()); ++i) {
        const std::string &line = lines[std::size_t(i)];
        if (const auto name = sectionNameOf(line)) {
            inMatchingSection = sameName(*name, section);
            inFirstMatch = inMatchingSection && where.section < 0;
            if (inFirstMatch)
                where.section = where.lastInSection = i;
            continue;
        }
        if (inFirstMatch && !trimmed(line).empty())
            where.lastInSection = i;
        if (!inMatchingSection || where.key >= 0)
            continue;
        if (const auto entry = keyValueOf(line); entry && sameName(entry->key, key))
            where.key = i;
    }
    return where;
}

std::optional<std::string> readValue(std::string_view section, std::string_view key,
                                     const QString &fileName)
{
    const FileContents contents = readWholeFile(privateProfileNativePath(fileName));
    if (contents.status != FileReadStatus::Read)
        return std::nullopt;
    const Lines lines = splitLines(contents.bytes);
    const Location where = locate(lines, section, key);
    if (where.key < 0)
        return std::nullopt;
    return std::string(keyValueOf(lines[std::size_t(where.key)])->value);
}

bool holdsLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

constexpr char kHexDigits[] = "0123456789ABCDEF";

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Every missing folder of the path, made by its bytes: QDir would make them under a name
// with replacement characters.
bool makeDirectories(const QByteArray &directory)
{
    if (directory.isEmpty())
        return true;
    for (qsizetype end = directory.indexOf('/', 1);; end = directory.indexOf('/', end + 1)) {
        const QByteArray part = end < 0 ? directory : directory.left(end);
        struct stat info;
        if (::stat(part.constData(), &info) != 0 && ::mkdir(part.constData(), 0777) != 0 &&
            errno != EEXIST)
            return false;
        if (end < 0)
            return true;
    }
}

QString tr(const char *text)
{
    return QCoreApplication::translate("PrivateProfile", text);
}

} // namespace

QString privateProfilePath(const QString &fileName)
{
    return QFile::decodeName(privateProfileNativePath(fileName));
}

QByteArray privateProfileNativePath(const QString &fileName)
{
    if (fileName.contains(QLatin1Char('/')))
        return QFile::encodeName(fileName);
    QByteArray directory = qgetenv("XDG_CONFIG_HOME");
    if (!directory.startsWith('/')) {
        directory = qgetenv("HOME");
        if (!directory.startsWith('/'))
            directory = QFile::encodeName(QDir::homePath());
        directory += "/.config";
    }
    return directory + '/' + QFile::encodeName(fileName);
}

std::string GetPrivateProfileStringA(std::string_view section, std::string_view key,
                                     std::string_view defaultValue, int bufferSize,
                                     const QString &fileName)
{
    if (bufferSize <= 0)
        return {};
    std::string value;
    if (auto stored = readValue(section, key, fileName)) {
        value = std::move(*stored);
    } else {
        while (!defaultValue.empty() && isProfileBlank(defaultValue.back()))
            defaultValue.remove_suffix(1);
        value = defaultValue;
    }
    if (value.size() > std::size_t(bufferSize - 1))
        value.resize(std::size_t(bufferSize - 1));
    return value;
}

bool WritePrivateProfileStringA(std::string_view section, std::string_view key,
                                std::string_view value, const QString &fileName, QString *why)
{
    const auto fail = [why](const QString &reason) {
        if (why)
            *why = reason;
        return false;
    };
    // A line break or a stray bracket or equals sign would plant other keys in the file; a
    // key read as a comment or a section header, or blanks around a name, would be written
    // but never found again.
    if (holdsLineBreak(section) || holdsLineBreak(key) || holdsLineBreak(value) ||
        section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos ||
        key.starts_with(';') || key.starts_with('[') || trimmed(key) != key ||
        trimmed(section) != section)
        return fail(tr("Název nebo hodnota obsahuje nepovolený znak."));
    const QByteArray path = privateProfileNativePath(fileName);
    const FileContents contents = readWholeFile(path);
    if (contents.status == FileReadStatus::Unreadable) // never replace what could not be read
        return fail(tr("Dosavadní obsah souboru se nepodařilo přečíst."));
    Lines lines = splitLines(contents.bytes);
    const Location where = locate(lines, section, key);
    if (where.key >= 0) {
        const std::string_view storedKey = keyValueOf(lines[std::size_t(where.key)])->key;
        lines[std::size_t(where.key)] = std::string(storedKey) + '=' + std::string(value);
    } else {
        std::string line = std::string(key) + '=' + std::string(value);
        if (where.section >= 0) {
            lines.insert(lines.begin() + where.lastInSection + 1, std::move(line));
        } else {
            lines.push_back('[' + std::string(section) + ']');
            lines.push_back(std::move(line));
        }
    }
    QByteArray bytes;
    for (const std::string &line : lines) {
        bytes.append(line.data(), qsizetype(line.size()));
        bytes.append("\r\n");
    }
    if (!makeDirectories(path.left(path.lastIndexOf('/'))))
        return fail(fileErrorText(errno));
    return writeFileSafely(path, bytes, why);
}

bool WritePrivateProfileStructA(std::string_view section, std::string_view key, const void *data,
                                int size, const QString &fileName, QString *why)
{
    if (size < 0 || (size > 0 && !data))
        return false;
    const auto *bytes = static_cast<const std::uint8_t *>(data);
    std::string hex;
    hex.reserve(std::size_t(size) * 2 + 2);
    std::uint8_t checksum = 0;
    const auto appendByte = [&hex](std::uint8_t byte) {
        hex += kHexDigits[byte >> 4];
        hex += kHexDigits[byte & 0x0F];
    };
    for (int i = 0; i < size; ++i) {
        appendByte(bytes[i]);
        checksum = std::uint8_t(checksum + bytes[i]);
    }
    appendByte(checksum);
    return WritePrivateProfileStringA(section, key, hex, fileName, why);
}

bool GetPrivateProfileStructA(std::string_view section, std::string_view key, void *data, int size,
                              const QString &fileName)
{
    if (size < 0 || (size > 0 && !data))
        return false;
    const std::optional<std::string> hex = readValue(section, key, fileName);
    if (!hex || hex->size() != std::size_t(size) * 2 + 2)
        return false;
    std::vector<std::uint8_t> bytes(std::size_t(size) + 1);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const int high = hexValue((*hex)[2 * i]);
        const int low = hexValue((*hex)[2 * i + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes[i] = std::uint8_t(high * 16 + low);
    }
    std::uint8_t checksum = 0;
    for (int i = 0; i < size; ++i)
        checksum = std::uint8_t(checksum + bytes[std::size_t(i)]);
    if (checksum != bytes.back())
        return false;
    std::copy(bytes.begin(), bytes.end() - 1, static_cast<std::uint8_t *>(data));
    return true;
}
