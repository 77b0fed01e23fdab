#include "CsvAddresses.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <array>
#include <string_view>

namespace {

QString malformed(const char *text, int line)
{
    return QCoreApplication::translate("CsvAddresses", text).arg(line);
}

bool isLineFeedAt(QStringView text, qsizetype i)
{
    return i < text.size() && text[i] == u'\n';
}

// The separator the first record uses most outside quotes; a semicolon when it has one
// column only.
QChar detectSeparator(QStringView text)
{
    int commas = 0, semicolons = 0, tabs = 0;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u'\n' || c == u'\r'))
            break;
        else if (!quoted && c == u',')
            ++commas;
        else if (!quoted && c == u';')
            ++semicolons;
        else if (!quoted && c == u'\t')
            ++tabs;
    }
    if (commas > semicolons && commas > tabs)
        return u',';
    if (tabs > semicolons)
        return u'\t';
    return u';';
}

// A field a spreadsheet would run as a formula (or one that looks like such a field already
// kept as text) is written behind an apostrophe, which spreadsheets show as text; reading
// takes exactly that apostrophe away again, so every field comes back as it was.
bool needsFormulaGuard(QStringView field)
{
    static constexpr std::u16string_view kFormulaStarts = u"=+-@\t\r";
    qsizetype first = 0;
    while (first < field.size() && field[first] == u'\'')
        ++first;
    return first < field.size() &&
           kFormulaStarts.find(field[first].unicode()) != std::u16string_view::npos;
}

QString guardedAgainstFormula(const QString &field)
{
    return needsFormulaGuard(field) ? u'\'' + field : field;
}

QString withoutFormulaGuard(QString field)
{
    if (field.startsWith(u'\'') && needsFormulaGuard(QStringView(field).mid(1)))
        field.remove(0, 1);
    return field;
}

} // namespace

CsvSheet readCsvSheet(QStringView text)
{
    CsvSheet sheet;
    QString &error = sheet.error;
    std::vector<QStringList> &records = sheet.records;
    const QChar separator = detectSeparator(text);
    QStringList record;
    int line = 1;
    qsizetype i = 0;
    const auto endRecord = [&] {
        if (std::any_of(record.cbegin(), record.cend(),
                        [](const QString &field) { return !field.trimmed().isEmpty(); }))
            records.push_back(record);
        record.clear();
    };
    while (i < text.size()) {
        QString field;
        if (text[i] == u'"') {
            const int openedOn = line;
            for (++i;; ++i) {
                if (i >= text.size()) {
                    error = malformed(QT_TRANSLATE_NOOP("CsvAddresses",
                                                        "uvozovky otevřené na řádku %1 nejsou uzavřeny."),
                                      openedOn);
                    records.clear();
                    return sheet;
                }
                if (text[i] == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else if (text[i] == u'"') {
                    ++i;
                    break;
                } else {
                    if (text[i] == u'\n' || (text[i] == u'\r' && !isLineFeedAt(text, i + 1)))
                        ++line;
                    field += text[i];
                }
            }
            if (i < text.size() && text[i] != separator && text[i] != u'\r' && text[i] != u'\n') {
                error = malformed(QT_TRANSLATE_NOOP("CsvAddresses",
                                                    "za uzavírací uvozovkou na řádku %1 následuje další text."),
                                  line);
                records.clear();
                return sheet;
            }
        } else {
            while (i < text.size() && text[i] != separator && text[i] != u'\r' && text[i] != u'\n')
                field += text[i++];
        }
        record << withoutFormulaGuard(std::move(field));
        if (i >= text.size())
            break;
        if (text[i] == separator) {
            ++i;
            if (i == text.size())
                record << QString();
            continue;
        }
        i += text[i] == u'\r' && isLineFeedAt(text, i + 1) ? 2 : 1;
        ++line;
        endRecord();
    }
    endRecord();
    return sheet;
}

ParsedAddresses csvAddresses(const CsvSheet &sheet, const ColumnLayout &layout)
{
    ParsedAddresses parsed;
    parsed.error = sheet.error;
    if (!parsed.error.isEmpty() || sheet.records.empty())
        return parsed;
    if (!layout.hasPlace()) {
        parsed.error = QCoreApplication::translate("CsvAddresses",
                                                   "žádný sloupec neobsahuje adresu.");
        parsed.columnsWithoutAddress = sheet.records.front();
        return parsed;
    }
    for (std::size_t r = layout.hasHeader ? 1 : 0; r < sheet.records.size(); ++r) {
        if (std::optional<ImportedAddress> address = rowAddress(sheet.records[r], layout))
            parsed.addresses.push_back(std::move(*address));
    }
    return parsed;
}

ParsedAddresses parseCsvAddresses(QStringView text)
{
    const CsvSheet sheet = readCsvSheet(text);
    return csvAddresses(sheet, sheet.records.empty() ? ColumnLayout()
                                                     : recognisedLayout(sheet.records.front()));
}

QByteArray csvAddressBytes(const std::vector<ImportedAddress> &addresses, bool withHeader)
{
    const auto field = [](const QString &value) {
        QString text = guardedAgainstFormula(value);
        if (!text.contains(u';') && !text.contains(u'"') && !text.contains(u'\n') &&
            !text.contains(u'\r'))
            return text;
        text.replace(QLatin1Char('"'), QLatin1String("\"\""));
        text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
        return u'"' + text + u'"';
    };
    QString csv = withHeader ? QString::fromUtf8("Označení;Titul před;Jméno;Příjmení;Titul za;"
                                                 "Firma;Ulice;PSČ;Obec;Země;Adresa\r\n")
                             : QString();
    for (const ImportedAddress &address : addresses) {
        const PostalParts parts = partsFromText(address.text);
        QStringList row;
        for (const QString &value :
             {address.label, parts.titleBefore, parts.firstName, parts.lastName, parts.titleAfter,
              parts.company, parts.street, parts.postalCode, parts.city, parts.country,
              address.text})
            row << field(value);
        csv += row.join(u';') + QLatin1String("\r\n");
    }
    return (withHeader ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + csv.toUtf8();
}
