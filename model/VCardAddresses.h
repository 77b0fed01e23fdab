#pragma once

#include "AddressParts.h"

#include <QByteArray>
#include <QByteArrayView>

// Addresses in vCard 2.1, 3.0 and 4.0 files (phones, Apple, Android, mail programs), one per
// card: the label is FN, the text ORG, the name of N with its titles (FN when a card has no
// name), then the preferred ADR (PREF, else HOME, else the first) in postal order, or LABEL
// when it is a whole envelope text or there is no ADR. Folded lines, quoted-printable and
// base64 values, CHARSET parameters and RFC 6868 carets are read; the file is UTF-8, UTF-16
// or code page 1250 by the rule of fromUtf8OrCp1250.
ParsedAddresses parseVCards(QByteArrayView bytes);

// vCard 3.0 in UTF-8: FN holds the label, N, ORG and ADR the parts read from the text, LABEL
// the whole text; lines folded at 75 bytes.
QByteArray vCardBytes(const std::vector<ImportedAddress> &addresses);
