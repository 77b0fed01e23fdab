#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>
#include <string>
#include <string_view>

// Stored texts are code page 1250 bytes; widgets speak QString. This is the one place
// where the two meet.
QString fromCp1250(std::string_view bytes);

// nullopt when a character has no code page 1250 byte: such text must never be stored
// with a replacement character in its place.
std::optional<std::string> toCp1250(QStringView text);

// The distinct characters of text that code page 1250 cannot hold, in order of appearance.
QString charactersOutsideCp1250(QStringView text);

// Text files of unknown encoding: UTF-8 when the bytes are valid UTF-8 (a byte order mark
// is dropped), else code page 1250, which gives every byte a character.
QString fromUtf8OrCp1250(QByteArrayView bytes);

// Stored multi-line texts break lines with CR LF; widgets with \n.
QString fromStoredText(std::string_view bytes);
std::optional<std::string> toStoredText(QStringView text);

// Text as searches compare it, without letter case and diacritics ("Dvořák" as "dvorak"),
// appended to out in code page 1250 bytes.
void appendSearchFolded(std::string_view bytes, std::string &out);
// The same for text typed to search with; nullopt when it holds a character that no stored
// text can contain.
std::optional<std::string> searchFolded(QStringView text);
