#include "AddressParts.h"

#include <QStringList>

namespace {

QString joinedWords(const QString &first, const QString &second)
{
    QStringList words;
    for (const QString &word : {first.trimmed(), second.trimmed()}) {
        if (!word.isEmpty())
            words << word;
    }
    return words.join(QLatin1Char(' '));
}

void addTrimmedLines(QStringList &lines, const QString &part)
{
    for (const QString &line : withLineFeeds(part).split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    }
}

} // namespace

QString withLineFeeds(QString text)
{
    return text.replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

std::optional<ImportedAddress> addressFromParts(const QString &label, const PostalParts &parts)
{
    QStringList lines;
    addTrimmedLines(lines, parts.company);
    addTrimmedLines(lines, joinedWords(parts.firstName, parts.lastName));
    addTrimmedLines(lines, parts.street);
    if (!parts.addressBlock.isEmpty())
        lines << withLineFeeds(parts.addressBlock);
    addTrimmedLines(lines, joinedWords(parts.postalCode, parts.city));
    addTrimmedLines(lines, parts.country);

    ImportedAddress address{withLineFeeds(label).replace(QLatin1Char('\n'), QLatin1Char(' ')),
                            lines.join(QLatin1Char('\n'))};
    // A label is one line in the lists.
    if (address.label.trimmed().isEmpty())
        address.label = joinedWords(parts.lastName, parts.firstName);
    if (address.label.isEmpty())
        address.label = withLineFeeds(parts.company).section(QLatin1Char('\n'), 0, 0).trimmed();
    if (address.label.isEmpty())
        address.label = address.text.section(QLatin1Char('\n'), 0, 0).trimmed();
    if (address.label.isEmpty())
        return std::nullopt;
    return address;
}
