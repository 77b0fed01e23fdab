#pragma once

#include "AddressParts.h"

#include <QStringList>

#include <optional>
#include <vector>

// What each column of a contact sheet holds, as its header names it (Google Contacts,
// Outlook in Czech and English, Thunderbird, Czech spreadsheets) or as the user chose.
// Exports give one set of place columns per address (Home, Business, "Address 1"); a row
// takes the one it marks preferred, else the home one, else the first that has anything.
struct ColumnLayout
{
    struct Column
    {
        AddressField field = AddressField::Unused;
        int group = -1;     // the address this place column belongs to; -1: every row's own
        bool known = false; // the header names it, also when it is of no use (e-mail, phone)
    };
    std::vector<Column> columns;
    std::vector<bool> homeGroups; // per group: the home address
    bool hasHeader = false;

    bool allKnown() const;
    bool hasPlace() const;
    std::vector<AddressField> fields() const;
    // The user's choice: one field per column (missing ones unused), and whether the first
    // row is a header (nothing: as recognised).
    void choose(const std::vector<AddressField> &chosen, std::optional<bool> header);
};

// The layout the first row names; without a header, the first column is the label and the
// others are lines of the address.
ColumnLayout recognisedLayout(const QStringList &firstRow);

// A row of the sheet as an address; nothing for a row with neither label nor text.
std::optional<ImportedAddress> rowAddress(const QStringList &row, const ColumnLayout &layout);

// Fields named in Czech as the column mapping shows them, separated by commas ("Jméno,
// Příjmení,Nepoužít,Ulice"); nothing when a name is none of them.
std::optional<std::vector<AddressField>> fieldsNamed(const QString &names);

// The choice made for a header, kept in "lerbot.ini" so the same sheet is mapped the same way
// next time; nothing when none was kept or the header has changed.
struct ColumnChoice
{
    std::vector<AddressField> fields;
    std::optional<bool> hasHeader; // nothing: as the first row looks
};
std::optional<ColumnChoice> rememberedColumns(const QStringList &firstRow);
void rememberColumns(const QStringList &firstRow, const ColumnChoice &choice);
