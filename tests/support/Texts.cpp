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
