#pragma once

#include <QString>

#include <optional>
#include <vector>

// One address as a file gives it, before it becomes code page 1250; lines break with \n.
struct ImportedAddress
{
    QString label;
    QString text;
};

// What reading a file gave: the addresses in file order, or why it cannot be read.
struct ParsedAddresses
{
    std::vector<ImportedAddress> addresses;
    QString error; // a Czech sentence; set only when addresses is empty
};

// The parts of an address that files name, in Czech postal order.
struct PostalParts
{
    QString company;
    QString firstName;
    QString lastName;
    QString street;       // may hold several lines
    QString addressBlock; // whole lines taken as they are (an address column, a vCard LABEL)
    QString postalCode;
    QString city;
    QString country;
};

// Company, "Jméno Příjmení", street, the address block, "PSČ Město", country; empty parts
// leave no line. Without a label the address is called "Příjmení Jméno", else by its
// company, else by its first line; an address with neither label nor text is nothing.
std::optional<ImportedAddress> addressFromParts(const QString &label, const PostalParts &parts);

// CR LF and lone CR become \n.
QString withLineFeeds(QString text);
