#pragma once

#include "Records.h"

#include <QString>
#include <QStringList>

#include <string>

class QComboBox;

// Stored labels and texts are code page 1250 bytes; tests write them as Unicode.
std::string cp1250(const QString &text);

// The texts of a combo box's items, top to bottom.
QStringList comboItems(const QComboBox *combo);

// Test texts are written in UTF-8 and stored as code page 1250 bytes.
EnvelopeFormat envelope(const char *label, float width, float height, float senderLeft,
                        float senderTop, float addresseeLeft, float addresseeTop);
AddressEntry address(const char *label, const char *text);
