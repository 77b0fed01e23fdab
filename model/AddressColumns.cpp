#include "AddressColumns.h"

#include "ProfileFile.h"

#include <QCryptographicHash>
#include <QRegularExpression>

#include <algorithm>
#include <cstring>

namespace {

using Field = AddressField;

constexpr char kColumnsSection[] = "SLOUPCE_IMPORTU";
// One letter per field in the order of AddressField, the last for AddressKind.
constexpr char kFieldLetters[] = "LTJPZFUCDSOKYANH";

enum class GroupKind
{
    None,
    Home,
    Work,
    Other
};

const QStringList kHomeWords{"home", "domu", "domaci", "soukrome", "soukroma", "soukromy"};
const QStringList kWorkWords{"business",   "work",     "office",  "prace",
                             "zamestnani", "pracovni", "firemni", "sluzebni"};
const QStringList kOtherWords{"other", "jina", "jine", "jiny", "ostatni", "dalsi"};

GroupKind groupKind(const QString &word)
{
    if (kHomeWords.contains(word))
        return GroupKind::Home;
    if (kWorkWords.contains(word))
        return GroupKind::Work;
    if (kOtherWords.contains(word))
        return GroupKind::Other;
    return GroupKind::None;
}

// A header without its address word ("Home", "(domů)", "Address 1 -"): the rest and the
// address it names ("home", "address1").
struct HeaderName
{
    QString rest;
    QString group;
    GroupKind kind = GroupKind::None;
};

HeaderName splitHeader(const QString &header)
{
    static const QRegularExpression numbered(
        QStringLiteral("^\\s*(address|adresa)\\s*(\\d+)\\s*-?(.*)$"),
        QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch match = numbered.match(header); match.hasMatch())
        return {matchKey(match.captured(3)), QStringLiteral("address") + match.captured(2)};
    static const QRegularExpression bracketed(QStringLiteral("^(.*)\\((.*)\\)\\s*$"));
    if (const QRegularExpressionMatch match = bracketed.match(header); match.hasMatch()) {
        const QString word = matchKey(match.captured(2));
        if (const GroupKind kind = groupKind(word); kind != GroupKind::None)
            return {matchKey(match.captured(1)), word, kind};
    }
    const QStringList words =
        header.split(QRegularExpression(QStringLiteral("[\\s/_-]+")), Qt::SkipEmptyParts);
    if (words.size() > 1) {
        for (const QString &word : {words.front(), words.back()}) {
            const QString key = matchKey(word);
            if (const GroupKind kind = groupKind(key); kind != GroupKind::None) {
                QStringList rest = words;
                rest.removeOne(word);
                return {matchKey(rest.join(QLatin1Char(' '))), key, kind};
            }
        }
    }
    return {matchKey(header), QString()};
}

struct KnownName
{
    const char *key;
    Field field;
};

// Names without an address word; the numbers of further street lines ("Street 2") go.
const KnownName kNames[] = {
    {"oznaceni", Field::Label},
    {"label", Field::Label},
    {"titul", Field::TitleBefore},
    {"titulpred", Field::TitleBefore},
    {"titulpredjmenem", Field::TitleBefore},
    {"title", Field::TitleBefore},
    {"prefix", Field::TitleBefore},
    {"nameprefix", Field::TitleBefore},
    {"jmeno", Field::FirstName},
    {"krestnijmeno", Field::FirstName},
    {"druhejmeno", Field::FirstName},
    {"firstname", Field::FirstName},
    {"givenname", Field::FirstName},
    {"middlename", Field::FirstName},
    {"additionalname", Field::FirstName},
    {"prijmeni", Field::LastName},
    {"lastname", Field::LastName},
    {"familyname", Field::LastName},
    {"surname", Field::LastName},
    {"titulza", Field::TitleAfter},
    {"titulzajmenem", Field::TitleAfter},
    {"suffix", Field::TitleAfter},
    {"namesuffix", Field::TitleAfter},
    {"pripona", Field::TitleAfter},
    {"firma", Field::Company},
    {"company", Field::Company},
    {"spolecnost", Field::Company},
    {"organizace", Field::Company},
    {"organization", Field::Company},
    {"organisation", Field::Company},
    {"organizationname", Field::Company},
    {"organization1name", Field::Company},
    {"nazevfirmy", Field::Company},
    {"ulice", Field::Street},
    {"street", Field::Street},
    {"streetaddress", Field::Street},
    {"pobox", Field::Street},
    {"extendedaddress", Field::Street},
    {"cislo", Field::Number},
    {"cislopopisne", Field::Number},
    {"cisloorientacni", Field::Number},
    {"cp", Field::Number},
    {"co", Field::Number},
    {"cislodomu", Field::Number},
    {"housenumber", Field::Number},
    {"castobce", Field::District},
    {"mestskacast", Field::District},
    {"district", Field::District},
    {"psc", Field::PostalCode},
    {"zip", Field::PostalCode},
    {"zipcode", Field::PostalCode},
    {"postalcode", Field::PostalCode},
    {"postcode", Field::PostalCode},
    {"obec", Field::City},
    {"mesto", Field::City},
    {"city", Field::City},
    {"town", Field::City},
    {"kraj", Field::Region},
    {"state", Field::Region},
    {"region", Field::Region},
    {"province", Field::Region},
    {"zeme", Field::Country},
    {"stat", Field::Country},
    {"country", Field::Country},
    {"countryregion", Field::Country},
    {"zemeoblast", Field::Country},
    {"adresa", Field::Address},
    {"address", Field::Address},
    {"formatted", Field::Address},
    {"celaadresa", Field::Address},
    {"postovniadresa", Field::Address},
    {"type", Field::AddressKind},
    {"typ", Field::AddressKind},
};

// Full names serve as the person's name when a sheet has no first and last name columns.
const QStringList kFullNames{"name",           "fullname",         "displayname", "celejmeno",
                             "jmenoaprijmeni", "zobrazovanejmeno", "fileas"};

// Columns known to hold nothing for an envelope.
const QStringList kOtherData{"mail",     "phone",    "telefon", "mobil",   "fax",      "pager",
                             "web",      "url",      "note",    "poznamk", "birthday", "narozen",
                             "nick",     "prezdivk", "job",     "funkce",  "pozice",   "department",
                             "oddeleni", "categor",  "kategor", "group",   "skupin",   "labels",
                             "photo",    "gender"};

std::optional<Field> knownField(const QString &key, bool grouped)
{
    QString bare = key;
    // "Street 2", "Home Address 2", "Ulice 3 (domů)": further lines of the street.
    static const QRegularExpression lineNumber(
        QStringLiteral("^(street|ulice|address|adresa)\\d$"));
    if (lineNumber.match(key).hasMatch())
        return Field::Street;
    for (const KnownName &name : kNames) {
        if (bare == QLatin1String(name.key)) {
            // An address word before "Address" or "Adresa" makes it a street (Thunderbird).
            if (name.field == Field::Address && grouped && bare != u"formatted")
                return Field::Street;
            if (name.field == Field::Label && grouped)
                return Field::AddressKind;
            return name.field;
        }
    }
    return std::nullopt;
}

bool isOtherData(const QString &key)
{
    return std::any_of(kOtherData.cbegin(), kOtherData.cend(),
                       [&](const QString &word) { return key.contains(word); }) ||
           key == u"ico" || key == u"dic";
}

// A first row of names that no header word gives: text without digits in every column.
bool looksLikeHeader(const QStringList &row)
{
    static const QRegularExpression digitOrBreak(QStringLiteral("[\\d\\n\\r]"));
    return row.size() > 1 &&
           std::all_of(row.cbegin(), row.cend(),
                       [&](const QString &cell) {
                           return !cell.trimmed().isEmpty() && !cell.contains(digitOrBreak);
                       }) &&
           QStringList(row).removeDuplicates() == 0;
}

QString headerKey(const QStringList &firstRow)
{
    QByteArray joined;
    for (const QString &cell : firstRow)
        joined += matchKey(cell).toUtf8() + '\x1f';
    return QString::fromLatin1(
        QCryptographicHash::hash(joined, QCryptographicHash::Sha1).toHex().left(16));
}

ProfileFile profile()
{
    ProfileFile file;
    file.SetFileName(kProfileFileName);
    return file;
}

int groupRank(const QString &kind, bool home)
{
    const QString trimmed = kind.trimmed();
    if (trimmed.startsWith(u'*') || matchKey(trimmed).contains(QLatin1String("pref")))
        return 0;
    const QStringList words =
        trimmed.split(QRegularExpression(QStringLiteral("\\W+")), Qt::SkipEmptyParts);
    const bool named = std::any_of(words.cbegin(), words.cend(), [](const QString &word) {
        return groupKind(matchKey(word)) == GroupKind::Home;
    });
    return home || named ? 1 : 2;
}

} // namespace

bool ColumnLayout::allKnown() const
{
    return hasHeader && std::all_of(columns.cbegin(), columns.cend(),
                                    [](const Column &column) { return column.known; });
}

bool ColumnLayout::hasPlace() const
{
    return std::any_of(columns.cbegin(), columns.cend(),
                       [](const Column &column) { return isPlaceField(column.field); });
}

std::vector<AddressField> ColumnLayout::fields() const
{
    std::vector<AddressField> chosen;
    for (const Column &column : columns)
        chosen.push_back(column.field);
    return chosen;
}

void ColumnLayout::choose(const std::vector<AddressField> &chosen, std::optional<bool> header)
{
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const AddressField field = i < chosen.size() ? chosen[i] : AddressField::Unused;
        if (field != columns[i].field) {
            columns[i].field = field;
            columns[i].known = true;
            if (!isPlaceField(field))
                columns[i].group = -1;
        }
    }
    hasHeader = header.value_or(hasHeader);
}

ColumnLayout recognisedLayout(const QStringList &firstRow)
{
    ColumnLayout layout;
    QStringList groups;
    bool namedPerson = false;
    std::vector<qsizetype> fullNames;
    for (const QString &header : firstRow) {
        const HeaderName name = splitHeader(header);
        const bool grouped = !name.group.isEmpty();
        ColumnLayout::Column column;
        if (const std::optional<Field> field = knownField(name.rest, grouped)) {
            column.field = *field;
            column.known = true;
            namedPerson = namedPerson || *field == Field::FirstName || *field == Field::LastName;
            if (grouped && (isPlaceField(*field) || *field == Field::AddressKind)) {
                if (!groups.contains(name.group)) {
                    groups << name.group;
                    layout.homeGroups.push_back(name.kind == GroupKind::Home);
                }
                column.group = int(groups.indexOf(name.group));
            }
        } else if (kFullNames.contains(name.rest)) {
            column.known = true;
            fullNames.push_back(qsizetype(layout.columns.size()));
        } else {
            column.known = isOtherData(name.rest);
        }
        layout.columns.push_back(column);
    }
    if (!namedPerson) {
        for (const qsizetype index : fullNames)
            layout.columns[std::size_t(index)].field = Field::FirstName;
    }
    const bool anyField = std::any_of(
        layout.columns.cbegin(), layout.columns.cend(),
        [](const ColumnLayout::Column &column) { return column.field != Field::Unused; });
    // Exports (address words in the header) name many columns of no use here.
    if (!groups.isEmpty()) {
        for (ColumnLayout::Column &column : layout.columns)
            column.known = true;
    }
    layout.hasHeader = anyField || looksLikeHeader(firstRow);
    if (!layout.hasHeader) {
        for (std::size_t i = 0; i < layout.columns.size(); ++i)
            layout.columns[i] = {i == 0 ? Field::Label : Field::Address, -1, false};
    }
    return layout;
}

std::optional<ImportedAddress> rowAddress(const QStringList &row, const ColumnLayout &layout)
{
    // The group whose address the row uses: marked preferred, else home, else the first.
    int chosenGroup = -1;
    int bestRank = 3;
    for (int group = 0; group < int(layout.homeGroups.size()); ++group) {
        QString kind;
        bool hasPlace = false;
        for (std::size_t i = 0; i < layout.columns.size(); ++i) {
            const ColumnLayout::Column &column = layout.columns[i];
            if (column.group != group)
                continue;
            if (column.field == Field::AddressKind)
                kind += row.value(qsizetype(i)) + u' ';
            else if (isPlaceField(column.field) && !row.value(qsizetype(i)).trimmed().isEmpty())
                hasPlace = true;
        }
        const int rank = groupRank(kind, layout.homeGroups[std::size_t(group)]);
        if (hasPlace && rank < bestRank) {
            bestRank = rank;
            chosenGroup = group;
        }
    }
    PostalParts parts;
    PostalParts formatted; // an export's own formatting of the address, when it has no parts
    QString label;
    for (std::size_t i = 0; i < layout.columns.size(); ++i) {
        const ColumnLayout::Column &column = layout.columns[i];
        const QString value = row.value(qsizetype(i));
        if (column.field == Field::Label)
            label += (label.isEmpty() ? QString() : QStringLiteral(" ")) + value.trimmed();
        else if (column.group >= 0 && column.group == chosenGroup && column.field == Field::Address)
            formatted.add(column.field, value);
        else if (column.group < 0 || column.group == chosenGroup)
            parts.add(column.field, value);
    }
    if (!parts.hasPlace())
        parts.addressBlock = formatted.addressBlock;
    return addressFromParts(label, parts);
}

std::optional<std::vector<AddressField>> fieldsNamed(const QString &names)
{
    std::vector<AddressField> fields;
    for (const QString &name : names.split(QLatin1Char(','))) {
        const std::optional<AddressField> field = addressFieldNamed(name);
        if (!field)
            return std::nullopt;
        fields.push_back(*field);
    }
    return fields;
}

std::optional<ColumnChoice> rememberedColumns(const QStringList &firstRow)
{
    const QString kept = QString::fromStdString(
        profile().GetString(kColumnsSection, headerKey(firstRow).toStdString(), ""));
    if (kept.size() != firstRow.size() + 1 || (kept[0] != u'0' && kept[0] != u'1'))
        return std::nullopt;
    ColumnChoice choice;
    choice.hasHeader = kept[0] == u'1';
    for (const QChar letter : kept.mid(1)) {
        const char *found = std::strchr(kFieldLetters, letter.toLatin1());
        if (letter.toLatin1() == 0 || !found)
            return std::nullopt;
        choice.fields.push_back(AddressField(found - kFieldLetters));
    }
    return choice;
}

void rememberColumns(const QStringList &firstRow, const ColumnChoice &choice)
{
    std::string value = choice.hasHeader.value_or(true) ? "1" : "0";
    for (const AddressField field : choice.fields)
        value += kFieldLetters[int(field)];
    profile().WriteString(kColumnsSection, headerKey(firstRow).toStdString(), value);
}
