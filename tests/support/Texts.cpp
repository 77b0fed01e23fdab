#include "Texts.h"

#include "Cp1250.h"

#include <QComboBox>

std::string cp1250(const QString &text)
{
    return toCp1250(text).value();
}

QStringList comboItems(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

EnvelopeFormat envelope(const char *label, float width, float height, float senderLeft,
                        float senderTop, float addresseeLeft, float addresseeTop)
{
    EnvelopeFormat format;
    format.label = cp1250(label);
    format.width = width;
    format.height = height;
    format.senderLeft = senderLeft;
    format.senderTop = senderTop;
    format.addresseeLeft = addresseeLeft;
    format.addresseeTop = addresseeTop;
    return format;
}

AddressEntry address(const char *label, const char *text)
{
    AddressEntry entry;
    entry.label = cp1250(label);
    entry.text = cp1250(text);
    return entry;
}
