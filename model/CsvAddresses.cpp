#include "CsvAddresses.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <array>
#include <string_view>

namespace {

enum Column {
    Label,
    FirstName,
    LastName,
    Company,
    Street,
    City,
    PostalCode,
    Country,
    Address,
    ColumnCount
};

// Lower case, without diacritics and spaces: "PSČ" and "psc", "First name" and "firstname".
QString columnKey(const QString &name)
{
    QString key;
    for (const QChar c : name.normalized(QString::NormalizationForm_D).toCaseFolded()) {
        if (c.category() != QChar::Mark_NonSpacing && !c.isSpace())
            key += c;
    }
    return key;
}

int columnOf(const QString &name)
{
    static const std::array<std::pair<const char *, Column>, 19> names{{
        {"oznaceni", Label},     {"label", Label},        {"jmeno", FirstName},
        {"firstname", FirstName}, {"prijmeni", LastName},  {"lastname", LastName},
        {"firma", Company},      {"company", Company},    {"ulice", Street},
        {"street", Street},      {"mesto", City},         {"city", City},
        {"psc", PostalCode},     {"zip", PostalCode},     {"postalcode", PostalCode},
        {"zeme", Country},       {"country", Country},    {"adresa", Address},
        {"address", Address},
    }};
    const QString key = columnKey(name);
    for (const auto &[known, column] : names) {
        if (key == QLatin1String(known))
            return column;
    }
    return -1;
}

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

// RFC 4180 records; records whose fields are all empty (blank lines) are left out.
std::vector<QStringList> readRecords(QStringView text, QString &error)
{
    const QChar separator = detectSeparator(text);
    std::vector<QStringList> records;
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
                    return {};
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
                return {};
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
    return records;
}

} // namespace

ParsedAddresses parseCsvAddresses(QStringView text)
{
    ParsedAddresses parsed;
    std::vector<QStringList> records = readRecords(text, parsed.error);
    if (records.empty())
        return parsed;

    std::array<int, ColumnCount> columns;
    columns.fill(-1);
    const QStringList &first = records.front();
    for (int i = 0; i < first.size(); ++i) {
        const int column = columnOf(first[i]);
        if (column >= 0 && columns[std::size_t(column)] < 0)
            columns[std::size_t(column)] = i;
    }
    const bool hasHeader = std::any_of(columns.cbegin(), columns.cend(),
                                       [](int index) { return index >= 0; });

    for (std::size_t r = hasHeader ? 1 : 0; r < records.size(); ++r) {
        const QStringList &fields = records[r];
        PostalParts parts;
        QString label;
        if (hasHeader) {
            const auto field = [&](Column column) {
                return fields.value(columns[std::size_t(column)]);
            };
            label = field(Label);
            parts = {field(Company), field(FirstName), field(LastName), field(Street),
                     field(Address), field(PostalCode), field(City), field(Country)};
        } else {
            label = fields.value(0);
            parts.street = fields.mid(1).join(QLatin1Char('\n'));
        }
        if (std::optional<ImportedAddress> address = addressFromParts(label, parts))
            parsed.addresses.push_back(std::move(*address));
    }
    return parsed;
}

QByteArray csvAddressBytes(const std::vector<ImportedAddress> &addresses)
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
    QString csv = QString::fromUtf8("Označení;Adresa\r\n");
    for (const ImportedAddress &address : addresses)
        csv += field(address.label) + u';' + field(address.text) + QLatin1String("\r\n");
    return QByteArray("\xEF\xBB\xBF") + csv.toUtf8();
}
