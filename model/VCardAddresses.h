#pragma once

#include "AddressParts.h"

#include <QByteArray>
#include <QByteArrayView>

// Addresses in vCard 2.1, 3.0 and 4.0 files, one per card: the label is FN, the text is
// ORG, the name of N (FN when a card has no N), then ADR (street, "PSČ Město", country) or,
// without ADR, LABEL. Folded lines, quoted-printable values with soft line breaks and
// CHARSET parameters are read; a value without CHARSET is UTF-8 when it is valid UTF-8,
// else code page 1250.
ParsedAddresses parseVCards(QByteArrayView bytes);

// vCard 3.0 in UTF-8: FN holds the label, LABEL the text, lines folded at 75 bytes.
QByteArray vCardBytes(const std::vector<ImportedAddress> &addresses);
