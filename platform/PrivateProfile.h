#pragma once

#include <QString>

#include <string>
#include <string_view>

// The Windows private-profile (INI) functions, with their rules: case-insensitive section
// and key names, CR LF lines, struct values as upper-case hex plus a checksum byte. Texts
// are code page 1250 bytes. A bare file name lives in the per-user configuration
// directory ($XDG_CONFIG_HOME, else ~/.config).
QString privateProfilePath(const QString &fileName);
// The same as the system takes it: the directory's bytes as they are in the environment,
// which need not be valid UTF-8.
QByteArray privateProfileNativePath(const QString &fileName);

// At most bufferSize - 1 characters; missing file, section or key: the default without
// its trailing blanks.
std::string GetPrivateProfileStringA(std::string_view section, std::string_view key,
                                     std::string_view defaultValue, int bufferSize,
                                     const QString &fileName);
// false when the file was left as it was; why then says, in Czech, what went wrong.
bool WritePrivateProfileStringA(std::string_view section, std::string_view key,
                                std::string_view value, const QString &fileName,
                                QString *why = nullptr);

bool WritePrivateProfileStructA(std::string_view section, std::string_view key, const void *data,
                                int size, const QString &fileName, QString *why = nullptr);
// Fails, leaving data untouched, unless the stored value has exactly 2 * size + 2 hex
// digits with a matching checksum.
bool GetPrivateProfileStructA(std::string_view section, std::string_view key, void *data,
                              int size, const QString &fileName);
