#pragma once

#include "AddressParts.h"

#include <QByteArray>
#include <QStringView>

// Addresses in CSV as spreadsheets write it: the separator (comma, semicolon or tab) is
// the one the first record uses most outside quotes; fields are quoted as in RFC 4180 and
// may hold line breaks. A first row with known column names (Czech or English, in any
// letter case, with or without diacritics) is a header; otherwise the first column is the
// label and the others are lines of the text.
ParsedAddresses parseCsvAddresses(QStringView text);

// UTF-8 with a byte order mark, semicolons, CR LF, a header row that parseCsvAddresses
// knows: what Czech spreadsheets open as it is.
QByteArray csvAddressBytes(const std::vector<ImportedAddress> &addresses);
