#include "AddressParts.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <array>

namespace {

constexpr std::array<const char *, kChosenFieldCount> kFieldNames{
    QT_TRANSLATE_NOOP("AddressParts", "Označení"),  QT_TRANSLATE_NOOP("AddressParts", "Titul před"),
    QT_TRANSLATE_NOOP("AddressParts", "Jméno"),     QT_TRANSLATE_NOOP("AddressParts", "Příjmení"),
    QT_TRANSLATE_NOOP("AddressParts", "Titul za"),  QT_TRANSLATE_NOOP("AddressParts", "Firma"),
    QT_TRANSLATE_NOOP("AddressParts", "Ulice"),     QT_TRANSLATE_NOOP("AddressParts", "Číslo"),
    QT_TRANSLATE_NOOP("AddressParts", "Část obce"), QT_TRANSLATE_NOOP("AddressParts", "PSČ"),
    QT_TRANSLATE_NOOP("AddressParts", "Obec"),      QT_TRANSLATE_NOOP("AddressParts", "Kraj"),
    QT_TRANSLATE_NOOP("AddressParts", "Země"),      QT_TRANSLATE_NOOP("AddressParts", "Adresa"),
    QT_TRANSLATE_NOOP("AddressParts", "Nepoužít"),
};

// How the post of a country wants the place written.
enum class PlaceOrder
{
    Czech,          // "PSČ Obec", no region, the PSČ as "NNN NN"
    CodeFirst,      // "12345 City", the region on a line of its own
    CityRegionCode, // "City, REGION 12345" (the Americas, Australia)
    CityThenCode,   // "City", the region, then the postcode on its own line (the British Isles)
};

struct Country
{
    PlaceOrder order = PlaceOrder::CodeFirst;
    bool home = false; // a Czech address: the country is left out
};

Country countryOf(const QString &name)
{
    static const QStringList czech{
        "", "cz", "cze", "cr", "czech", "czechia", "czechrepublic", "cesko", "ceskarepublika"};
    static const QStringList slovak{
        "sk", "svk", "sr", "slovakia", "slovakrepublic", "slovensko", "slovenskarepublika"};
    static const QStringList american{"us",           "usa",
                                      "unitedstates", "unitedstatesofamerica",
                                      "spojenestaty", "spojenestatyamericke",
                                      "ca",           "canada",
                                      "kanada",       "au",
                                      "australia",    "australie"};
    static const QStringList british{
        "gb",       "uk",      "unitedkingdom", "greatbritain",      "england",
        "scotland", "wales",   "velkabritanie", "spojenekralovstvi", "anglie",
        "ie",       "ireland", "irsko"};
    const QString key = matchKey(name);
    if (czech.contains(key))
        return {PlaceOrder::Czech, true};
    if (slovak.contains(key))
        return {PlaceOrder::Czech, false};
    if (american.contains(key))
        return {PlaceOrder::CityRegionCode, false};
    if (british.contains(key))
        return {PlaceOrder::CityThenCode, false};
    return {};
}

QString joinedWords(const QStringList &words, const QString &separator = QStringLiteral(" "))
{
    QStringList kept;
    for (const QString &word : words) {
        if (!word.trimmed().isEmpty())
            kept << word.trimmed();
    }
    return kept.join(separator);
}

void addTrimmedLines(QStringList &lines, const QString &part)
{
    for (const QString &line : withLineFeeds(part).split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    }
}

QString czechPostalCode(const QString &code)
{
    QString digits = code;
    digits.remove(QLatin1Char(' '));
    static const QRegularExpression fiveDigits(QStringLiteral("^\\d{5}$"));
    if (!fiveDigits.match(digits).hasMatch())
        return code.trimmed();
    return digits.left(3) + u' ' + digits.mid(3);
}

QStringList placeLines(const PostalParts &parts, PlaceOrder order)
{
    const QString city = parts.city.trimmed();
    const QString region = parts.region.trimmed();
    switch (order) {
    case PlaceOrder::Czech:
        return {joinedWords({czechPostalCode(parts.postalCode), city})};
    case PlaceOrder::CodeFirst:
        return {joinedWords({parts.postalCode, city}), region};
    case PlaceOrder::CityRegionCode:
        return {joinedWords({city, joinedWords({region, parts.postalCode})}, QStringLiteral(", "))};
    case PlaceOrder::CityThenCode:
        return {city, region, parts.postalCode};
    }
    return {};
}

} // namespace

bool isWholeText(const QString &block, const PostalParts &parts)
{
    // A company read from several lines comes joined with commas.
    const QStringList names{
        parts.lastName.trimmed(), parts.firstName.trimmed(),
        parts.company.section(QRegularExpression(QStringLiteral(",|\n")), 0, 0).trimmed()};
    bool anyName = false;
    for (const QString &name : names) {
        if (name.isEmpty())
            continue;
        anyName = true;
        if (block.contains(name))
            return true;
    }
    return !anyName;
}

namespace {

const QStringList &titlesBefore()
{
    static const QStringList titles{"bc.",     "bca.",  "ing.",   "ing.arch.", "mgr.",    "mga.",
                                    "mudr.",   "mddr.", "mvdr.",  "phdr.",     "judr.",   "rndr.",
                                    "paeddr.", "thdr.", "thlic.", "pharmdr.",  "rsdr.",   "dr.",
                                    "doc.",    "prof.", "akad.",  "arch.",     "ing.arch"};
    return titles;
}

const QStringList &titlesAfter()
{
    static const QStringList titles{"ph.d.", "phd.",  "csc.", "drsc.", "dis.", "mba",
                                    "ll.m.", "th.d.", "jr.",  "sr.",   "ml.",  "st."};
    return titles;
}

bool isTitle(const QString &word, const QStringList &titles)
{
    return titles.contains(word.toLower().remove(QLatin1Char(',')));
}

const QStringList &companyMarks()
{
    static const QStringList marks{"s.r.o.", "spol.",  "a.s.",  "v.o.s.", "k.s.",
                                   "o.p.s.", "z.s.",   "z.ú.",  "s.p.",   "družstvo",
                                   "gmbh",   "ltd",    "inc.",  "úřad",   "škola",
                                   "nadace", "spolek", "firma", "hotel"};
    return marks;
}

bool isCompany(const QString &line)
{
    const QString lower = line.toLower();
    for (const QString &mark : companyMarks()) {
        if (lower.contains(mark))
            return true;
    }
    return false;
}

// "Ing. Karel Novotný, Ph.D." into its parts; false when the line is no person's name.
bool readPersonName(const QString &line, PostalParts &parts)
{
    if (isCompany(line) || line.contains(QRegularExpression(QStringLiteral("\\d"))))
        return false;
    QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList before, after;
    while (!words.isEmpty() && isTitle(words.front(), titlesBefore()))
        before << words.takeFirst();
    while (!words.isEmpty() && isTitle(words.back(), titlesAfter()))
        after.prepend(words.takeLast());
    if (words.size() < 2 || words.size() > 4)
        return false;
    if (words.back().endsWith(QLatin1Char(',')))
        words.back().chop(1);
    parts.titleBefore = before.join(QLatin1Char(' '));
    parts.titleAfter = after.join(QLatin1Char(' '));
    parts.lastName = words.takeLast();
    parts.firstName = words.join(QLatin1Char(' '));
    return true;
}

} // namespace

QString addressFieldName(AddressField field)
{
    return QCoreApplication::translate("AddressParts", kFieldNames[std::size_t(field)]);
}

std::optional<AddressField> addressFieldNamed(const QString &name)
{
    for (int i = 0; i < kChosenFieldCount; ++i) {
        if (matchKey(name) == matchKey(QString::fromUtf8(kFieldNames[std::size_t(i)])))
            return AddressField(i);
    }
    return std::nullopt;
}

bool isPlaceField(AddressField field)
{
    return field >= AddressField::Street && field <= AddressField::Address;
}

void PostalParts::add(AddressField field, const QString &value)
{
    const QString trimmed = field == AddressField::Address ? value : value.trimmed();
    if (trimmed.isEmpty())
        return;
    const auto append = [&](QString &part, const char *separator) {
        part += (part.isEmpty() ? QString() : QString::fromLatin1(separator)) + trimmed;
    };
    switch (field) {
    case AddressField::TitleBefore:
        append(titleBefore, " ");
        break;
    case AddressField::FirstName:
        append(firstName, " ");
        break;
    case AddressField::LastName:
        append(lastName, " ");
        break;
    case AddressField::TitleAfter:
        append(titleAfter, " ");
        break;
    case AddressField::Company:
        append(company, "\n");
        break;
    case AddressField::Street:
        append(street, "\n");
        break;
    case AddressField::Number:
        append(number, "/");
        break;
    case AddressField::District:
        append(district, " ");
        break;
    case AddressField::PostalCode:
        append(postalCode, " ");
        break;
    case AddressField::City:
        append(city, " ");
        break;
    case AddressField::Region:
        append(region, " ");
        break;
    case AddressField::Country:
        append(country, " ");
        break;
    case AddressField::Address:
        append(addressBlock, "\n");
        break;
    case AddressField::Label:
    case AddressField::Unused:
    case AddressField::AddressKind:
        break;
    }
}

bool PostalParts::hasPlace() const
{
    for (const QString *part : {&street, &number, &district, &postalCode, &city, &addressBlock}) {
        if (!part->trimmed().isEmpty())
            return true;
    }
    return false;
}

QString withLineFeeds(QString text)
{
    return text.replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

QString matchKey(const QString &text)
{
    QString key;
    for (const QChar c : text.normalized(QString::NormalizationForm_D).toCaseFolded()) {
        if (c.isLetterOrNumber())
            key += c;
    }
    return key;
}

std::optional<ImportedAddress> addressFromParts(const QString &label, const PostalParts &parts)
{
    QStringList lines;
    addTrimmedLines(lines, parts.company);
    QString name = joinedWords({parts.titleBefore, parts.firstName, parts.lastName});
    if (!parts.titleAfter.trimmed().isEmpty())
        name += (name.isEmpty() ? QString() : QStringLiteral(", ")) + parts.titleAfter.trimmed();
    addTrimmedLines(lines, name);

    const QString block = withLineFeeds(parts.addressBlock);
    if (!block.trimmed().isEmpty() && isWholeText(block, parts)) {
        lines = QStringList{block};
    } else {
        const QString district = parts.district.trimmed();
        QStringList streetLines = withLineFeeds(parts.street).split(QLatin1Char('\n'));
        // A village without streets: "Lhota 15", its part or the village with the number.
        if (streetLines.front().trimmed().isEmpty() && !parts.number.trimmed().isEmpty())
            streetLines.front() = district.isEmpty() ? parts.city : district;
        streetLines.front() = joinedWords({streetLines.front(), parts.number});
        for (const QString &line : streetLines)
            addTrimmedLines(lines, line);
        if (!district.isEmpty() && !parts.street.trimmed().isEmpty() &&
            district.compare(parts.city.trimmed(), Qt::CaseInsensitive) != 0)
            lines << district;
        if (!block.trimmed().isEmpty())
            lines << block;
        const Country country = countryOf(parts.country);
        for (const QString &line : placeLines(parts, country.order))
            addTrimmedLines(lines, line);
        if (!country.home)
            addTrimmedLines(lines, parts.country);
    }

    ImportedAddress address{withLineFeeds(label).replace(QLatin1Char('\n'), QLatin1Char(' ')),
                            lines.join(QLatin1Char('\n')), parts.hasPlace()};
    if (address.label.trimmed().isEmpty())
        address.label = joinedWords({parts.lastName, parts.firstName});
    if (address.label.isEmpty())
        address.label = withLineFeeds(parts.company).section(QLatin1Char('\n'), 0, 0).trimmed();
    if (address.label.isEmpty())
        address.label = address.text.section(QLatin1Char('\n'), 0, 0).trimmed();
    if (address.label.isEmpty())
        return std::nullopt;
    return address;
}

PostalParts partsFromText(const QString &text)
{
    QStringList lines;
    addTrimmedLines(lines, text);
    PostalParts parts;
    static const QRegularExpression postalLine(
        QStringLiteral("^((?:[A-Z]{1,2}-)?\\d{3} ?\\d{2}|\\d{4})(?:\\s+(.*))?$"));
    qsizetype place = lines.size();
    for (qsizetype i = lines.size() - 1; i >= 0 && place == lines.size(); --i) {
        if (const QRegularExpressionMatch match = postalLine.match(lines[i]); match.hasMatch()) {
            place = i;
            parts.postalCode = match.captured(1);
            parts.city = match.captured(2);
            parts.country = lines.mid(i + 1).join(QLatin1Char(' '));
        }
    }
    qsizetype end = place;
    static const QRegularExpression digit(QStringLiteral("\\d"));
    if (end > 0 && lines[end - 1].contains(digit) && !isCompany(lines[end - 1]))
        parts.street = lines[--end];
    QStringList companyLines;
    for (qsizetype i = 0; i < end; ++i) {
        if (!parts.lastName.isEmpty() || !readPersonName(lines[i], parts))
            companyLines << lines[i];
    }
    parts.company = companyLines.join(QStringLiteral(", "));
    return parts;
}
