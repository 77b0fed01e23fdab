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

// Text files of unknown encoding: UTF-16 when a byte order mark says so; UTF-8 (a byte order
// mark is dropped) unless more than one byte is invalid, a single invalid byte becoming
// U+FFFD; else code page 1250, which gives every byte a character.
QString fromUtf8OrCp1250(QByteArrayView bytes);

// Every character that code page 1250 lacks as its nearest letters: "õ" as "o", "Щ" as "Šč",
// "æ" as "ae", U+FFFD as "?"; symbols with no such letters (emoji) are left out. Also
// returns the characters changed.
struct NearestText
{
    QString text;
    QString replaced;
};
NearestText nearestCp1250(QStringView text);

// Stored multi-line texts break lines with CR LF; widgets with \n.
QString fromStoredText(std::string_view bytes);
std::optional<std::string> toStoredText(QStringView text);

// Text as searches compare it, without letter case and diacritics ("Dvořák" as "dvorak"),
// appended to out in code page 1250 bytes.
void appendSearchFolded(std::string_view bytes, std::string &out);
// The same for text typed to search with; nullopt when it holds a character that no stored
// text can contain.
std::optional<std::string> searchFolded(QStringView text);
