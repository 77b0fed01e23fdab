#include "VCardAddresses.h"

#include "Cp1250.h"

#include <QCoreApplication>
#include <QList>
#include <QStringDecoder>
#include <QStringList>

#include <cctype>

namespace {

struct Property
{
    QByteArray name; // upper case, without a group prefix
    QString value;   // decoded, still escaped
    QStringList types; // lower case: "home", "work", "pref"
    QString label;     // a vCard 4.0 ADR's LABEL parameter
    bool preferred = false;
};

struct CardLines
{
    int firstLine = 0;
    QList<QByteArray> lines;
};

QString cardError(const char *text, int line)
{
    return QCoreApplication::translate("VCardAddresses", text).arg(line);
}

// RFC 6868: ^n is a line break, ^' a double quote, ^^ a caret, in parameter values.
QString caretDecoded(const QString &value)
{
    QString text;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar next = i + 1 < value.size() ? value[i + 1] : QChar();
        if (value[i] == u'^' && (next == u'n' || next == u'N' || next == u'\'' || next == u'^')) {
            text += next == u'\'' ? QChar(u'"') : next == u'^' ? QChar(u'^') : QChar(u'\n');
            ++i;
        } else {
            text += value[i];
        }
    }
    return text;
}

// Parameters split at semicolons outside double quotes.
QList<QByteArray> parameters(QByteArrayView head)
{
    QList<QByteArray> split{QByteArray()};
    bool quoted = false;
    for (const char c : head) {
        if (c == '"')
            quoted = !quoted;
        if (c == ';' && !quoted)
            split << QByteArray();
        else
            split.back() += c;
    }
    return split;
}

bool isQuotedPrintable(const QByteArray &line)
{
    const qsizetype colon = line.indexOf(':');
    return line.left(colon).toUpper().contains("QUOTED-PRINTABLE");
}

// vCard 2.1 folds at white space and keeps it; 3.0 and 4.0 insert one blank that goes.
// A quoted-printable value continues after a soft line break ("=" at the end).
QList<QByteArray> unfold(const QList<QByteArray> &physical, bool keepsFoldBlank)
{
    QList<QByteArray> logical;
    for (const QByteArray &line : physical) {
        if (!logical.isEmpty() && isQuotedPrintable(logical.back()) && logical.back().endsWith('=')) {
            logical.back().chop(1);
            logical.back() += line;
        } else if (!logical.isEmpty() && (line.startsWith(' ') || line.startsWith('\t'))) {
            logical.back() += keepsFoldBlank ? line : line.mid(1);
        } else if (!line.trimmed().isEmpty()) {
            logical << line;
        }
    }
    return logical;
}

QByteArray quotedPrintableDecoded(QByteArrayView encoded)
{
    const auto isHex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
    QByteArray bytes;
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        if (encoded[i] == '=' && i + 2 < encoded.size() && isHex(encoded[i + 1]) &&
            isHex(encoded[i + 2])) {
            bytes += char(encoded.sliced(i + 1, 2).toByteArray().toInt(nullptr, 16));
            i += 2;
        } else {
            bytes += encoded[i];
        }
    }
    return bytes;
}

// "[group.]NAME;PARAM=x;PARAM:value"; the colon may stand inside a quoted parameter. The
// file is UTF-8 by now; an encoded value without CHARSET is UTF-8 when it is valid UTF-8.
std::optional<Property> parseProperty(const QByteArray &line, QString &error)
{
    qsizetype colon = -1;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size() && colon < 0; ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted)
            colon = i;
    }
    if (colon <= 0)
        return std::nullopt;
    const QList<QByteArray> head = parameters(QByteArrayView(line).first(colon));
    Property property;
    property.name = head.front().mid(head.front().lastIndexOf('.') + 1).toUpper();
    QByteArray value = line.mid(colon + 1);
    QByteArray charset;
    bool encoded = false;
    for (qsizetype i = 1; i < head.size(); ++i) {
        const qsizetype equals = head[i].indexOf('=');
        // vCard 2.1 names types and encodings bare: "ADR;HOME;QUOTED-PRINTABLE".
        const QByteArray name = equals < 0 ? QByteArray() : head[i].left(equals).trimmed().toUpper();
        QByteArray parameterValue = head[i].mid(equals + 1).trimmed();
        if (parameterValue.size() >= 2 && parameterValue.startsWith('"') && parameterValue.endsWith('"'))
            parameterValue = parameterValue.sliced(1, parameterValue.size() - 2);
        const QByteArray upper = parameterValue.toUpper();
        if (upper == "QUOTED-PRINTABLE" && (name.isEmpty() || name == "ENCODING")) {
            value = quotedPrintableDecoded(value);
            encoded = true;
        } else if ((upper == "BASE64" || upper == "B") && (name.isEmpty() || name == "ENCODING")) {
            value = QByteArray::fromBase64(value);
            encoded = true;
        } else if (name == "CHARSET") {
            charset = parameterValue;
        } else if (name == "LABEL") {
            property.label = caretDecoded(QString::fromUtf8(parameterValue));
        } else if (name == "PREF") {
            property.preferred = true;
        } else if (name.isEmpty() || name == "TYPE") {
            for (const QByteArray &type : upper.split(','))
                property.types << QString::fromLatin1(type.trimmed()).toLower();
        }
    }
    property.preferred = property.preferred || property.types.contains(QStringLiteral("pref"));
    if (charset.isEmpty()) {
        property.value = encoded ? fromUtf8OrCp1250(value) : QString::fromUtf8(value);
        return property;
    }
    QStringDecoder decoder(charset.constData());
    if (!decoder.isValid()) {
        error = QCoreApplication::translate("VCardAddresses", "neznámá znaková sada „%1“.")
                    .arg(QString::fromLatin1(charset));
        return std::nullopt;
    }
    property.value = decoder.decode(value);
    return property;
}

QString unescaped(QStringView value)
{
    QString text;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'\\' && i + 1 < value.size()) {
            const QChar next = value[++i];
            text += next == u'n' || next == u'N' ? QChar(u'\n') : next;
        } else {
            text += value[i];
        }
    }
    return text;
}

// The components of a structured value (N, ADR, ORG), split at semicolons not escaped.
QStringList components(const QString &value)
{
    QStringList parts{QString()};
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'\\' && i + 1 < value.size()) {
            parts.back() += value.mid(i, 2);
            ++i;
        } else if (value[i] == u';') {
            parts << QString();
        } else {
            parts.back() += value[i];
        }
    }
    for (QString &part : parts)
        part = unescaped(part);
    return parts;
}

QString joinedNonEmpty(const QStringList &parts, const QString &separator)
{
    QStringList kept;
    for (const QString &part : parts) {
        if (!part.trimmed().isEmpty())
            kept << part.trimmed();
    }
    return kept.join(separator);
}

// The address the card prefers: PREF first, then HOME, then the first one.
const Property *preferredAddress(const std::vector<Property> &addresses)
{
    const Property *best = nullptr;
    int bestScore = -1;
    for (const Property &address : addresses) {
        const int score = (address.preferred ? 2 : 0) + (address.types.contains(u"home") ? 1 : 0);
        if (score > bestScore) {
            best = &address;
            bestScore = score;
        }
    }
    return best;
}

std::optional<ImportedAddress> cardAddress(const CardLines &card, QString &error)
{
    QByteArray version = "3.0";
    for (const QByteArray &line : card.lines) {
        if (line.toUpper().startsWith("VERSION:"))
            version = line.mid(8).trimmed();
    }
    if (version != "2.1" && version != "3.0" && version != "4.0") {
        error = QCoreApplication::translate("VCardAddresses",
                                            "vizitka na řádku %1 má neznámou verzi „%2“.")
                    .arg(card.firstLine)
                    .arg(QString::fromLatin1(version));
        return std::nullopt;
    }

    std::optional<QString> fullName, name, organisation;
    std::vector<Property> addresses, labels;
    const std::pair<const char *, std::optional<QString> *> wanted[] = {
        {"FN", &fullName}, {"N", &name}, {"ORG", &organisation}};
    for (const QByteArray &line : unfold(card.lines, version == "2.1")) {
        std::optional<Property> property = parseProperty(line, error);
        if (!error.isEmpty())
            return std::nullopt;
        if (!property) {
            error = cardError(QT_TRANSLATE_NOOP("VCardAddresses",
                                                "vizitka začínající na řádku %1 obsahuje řádek "
                                                "bez dvojtečky."),
                              card.firstLine);
            return std::nullopt;
        }
        for (const auto &[propertyName, slot] : wanted) {
            if (property->name == propertyName && !*slot)
                *slot = property->value;
        }
        if (property->name == "ADR")
            addresses.push_back(std::move(*property));
        else if (property->name == "LABEL")
            labels.push_back(std::move(*property));
    }

    PostalParts parts;
    parts.company = joinedNonEmpty(components(organisation.value_or(QString())),
                                   QStringLiteral(", "));
    if (name) {
        // family; given; additional; prefixes; suffixes
        const QStringList n = components(*name);
        parts.lastName = n.value(0);
        parts.firstName = joinedNonEmpty({n.value(1), n.value(2)}, QStringLiteral(" "));
        parts.titleBefore = n.value(3);
        parts.titleAfter = n.value(4);
    }
    const Property *address = preferredAddress(addresses);
    // The label written for the chosen address, or the one the card prefers.
    const Property *label = nullptr;
    for (const Property &candidate : labels) {
        if (!label || (address && candidate.types == address->types))
            label = &candidate;
    }
    if (label && !label->value.trimmed().isEmpty())
        parts.addressBlock = unescaped(label->value);
    else if (address && !address->label.trimmed().isEmpty())
        parts.addressBlock = address->label;
    // FN is the name of a card without one; an empty N (our exports) names nobody.
    const auto nameFromFullName = [&] {
        if (parts.firstName.trimmed().isEmpty() && parts.lastName.trimmed().isEmpty() &&
            fullName && unescaped(*fullName).trimmed() != parts.company)
            parts.firstName = unescaped(*fullName);
    };
    if (!name)
        nameFromFullName();
    // A label that names the person is a whole envelope text (an export of ours) and wins; an
    // address label under the name gives way to the parts.
    const bool wholeLabel =
        !parts.addressBlock.trimmed().isEmpty() && isWholeText(parts.addressBlock, parts);
    if (address) {
        // post office box; extended address; street; city; region; postal code; country
        const QStringList adr = components(address->value);
        PostalParts place = parts;
        place.addressBlock.clear();
        place.street = QStringList{adr.value(2), adr.value(1), adr.value(0)}.join(u'\n');
        place.city = adr.value(3);
        place.region = adr.value(4);
        place.postalCode = adr.value(5);
        place.country = adr.value(6);
        if (place.hasPlace() && !wholeLabel)
            parts = place;
    }
    if (!wholeLabel)
        nameFromFullName();
    return addressFromParts(unescaped(fullName.value_or(QString())), parts);
}

QByteArray folded(const QByteArray &line)
{
    constexpr qsizetype kLineLength = 75;
    QByteArray out;
    qsizetype start = 0;
    while (line.size() - start > kLineLength - (start > 0)) {
        qsizetype end = start + kLineLength - (start > 0);
        // Never inside a UTF-8 sequence.
        while ((line[end] & 0xC0) == 0x80)
            --end;
        out += (start > 0 ? " " : "") + line.mid(start, end - start) + "\r\n";
        start = end;
    }
    return out + (start > 0 ? " " : "") + line.mid(start) + "\r\n";
}

QByteArray escaped(QString text)
{
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char(','), QLatin1String("\\,"))
        .replace(QLatin1Char(';'), QLatin1String("\\;"))
        .replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return text.toUtf8();
}

} // namespace

ParsedAddresses parseVCards(QByteArrayView bytes)
{
    ParsedAddresses parsed;
    std::optional<CardLines> card;
    int nested = 0;
    const QList<QByteArray> lines = fromUtf8OrCp1250(bytes).toUtf8().split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        const QByteArray keyword = line.trimmed().toUpper();
        const int lineNumber = int(i + 1);
        if (!card) {
            if (keyword == "BEGIN:VCARD") {
                card = CardLines{lineNumber, {}};
            } else if (!keyword.isEmpty()) {
                parsed.error = cardError(
                    QT_TRANSLATE_NOOP("VCardAddresses",
                                      "řádek %1 nestojí uvnitř vizitky (BEGIN:VCARD … END:VCARD)."),
                    lineNumber);
                break;
            }
            continue;
        }
        // A card inside a card (a vCard 2.1 AGENT) is passed over.
        if (keyword == "BEGIN:VCARD")
            ++nested;
        if (nested > 0) {
            nested -= keyword == "END:VCARD";
            continue;
        }
        if (keyword != "END:VCARD") {
            card->lines << line;
            continue;
        }
        std::optional<ImportedAddress> address = cardAddress(*card, parsed.error);
        if (!parsed.error.isEmpty())
            break;
        if (address)
            parsed.addresses.push_back(std::move(*address));
        card.reset();
    }
    if (card && parsed.error.isEmpty())
        parsed.error = cardError(QT_TRANSLATE_NOOP("VCardAddresses",
                                                   "vizitka začínající na řádku %1 nemá konec "
                                                   "(END:VCARD)."),
                                 card->firstLine);
    if (!parsed.error.isEmpty())
        parsed.addresses.clear();
    return parsed;
}

QByteArray vCardBytes(const std::vector<ImportedAddress> &addresses)
{
    QByteArray bytes;
    for (const ImportedAddress &address : addresses) {
        const PostalParts parts = partsFromText(address.text);
        const auto structured = [](const QStringList &components) {
            QByteArrayList values;
            for (const QString &component : components)
                values << escaped(component);
            return values.join(';');
        };
        bytes += "BEGIN:VCARD\r\nVERSION:3.0\r\n" + folded("FN:" + escaped(address.label)) +
                 folded("N:" + structured({parts.lastName, parts.firstName, QString(),
                                           parts.titleBefore, parts.titleAfter}));
        if (!parts.company.isEmpty())
            bytes += folded("ORG:" + escaped(parts.company));
        if (parts.hasPlace())
            bytes += folded("ADR:" + structured({QString(), QString(), parts.street, parts.city,
                                                 QString(), parts.postalCode, parts.country}));
        bytes += folded("LABEL:" + escaped(address.text)) + "END:VCARD\r\n";
    }
    return bytes;
}
