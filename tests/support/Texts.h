#pragma once

#include <QString>
#include <QStringList>

#include <string>

class QComboBox;

// Stored labels and texts are code page 1250 bytes; tests write them as Unicode.
std::string cp1250(const QString &text);

// The texts of a combo box's items, top to bottom.
QStringList comboItems(const QComboBox *combo);
