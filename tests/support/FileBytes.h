#pragma once

#include "Records.h"

#include <QByteArray>
#include <QString>

// Whole files as bytes. readFile gives nothing for a file that cannot be read; writeFile
// tells whether every byte was written.
QByteArray readFile(const QString &path);
bool writeFile(const QString &path, const QByteArray &bytes);

// The format of the examples, "abc", 16 x 12 cm, and an envelope store (or backup) that
// holds it alone: the bytes of tests/data/tobrel-one-format.ar.
EnvelopeFormat exampleEnvelope();
QByteArray exampleEnvelopeStoreBytes();

// The print font file written when there was none: 12 points, Times New Roman.
QByteArray defaultPrintFontBytes();
