#pragma once

#include "AddressColumns.h"

#include <QByteArray>
#include <QStringView>

// The records of a CSV file as spreadsheets write it: the separator (comma, semicolon or
// tab) is the one the first record uses most outside quotes; fields are quoted as in RFC 4180
// and may hold line breaks; records whose fields are all empty are left out.
struct CsvSheet
{
    std::vector<QStringList> records;
    QString error; // why the file is no CSV (records then empty)
};
CsvSheet readCsvSheet(QStringView text);

// The addresses of the sheet's rows with the columns laid out so; an error naming the
// columns when none of them holds a place.
ParsedAddresses csvAddresses(const CsvSheet &sheet, const ColumnLayout &layout);
// The same with the columns the first row names.
ParsedAddresses parseCsvAddresses(QStringView text);

// UTF-8 with a byte order mark, semicolons, CR LF: a header row, then per address its label,
// the parts read from its text for a mail merge, and the whole text, which a re-import takes.
QByteArray csvAddressBytes(const std::vector<ImportedAddress> &addresses);
