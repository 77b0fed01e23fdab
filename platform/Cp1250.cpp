#include "Cp1250.h"

#include <QStringDecoder>
#include <QHash>

#include <array>
#include <cstdint>

namespace {

// The characters of the bytes from 0x80 up (below, a byte is its own character). The five
// bytes the code page leaves undefined stand for the C1 controls of their number, as the
// system's converters read them, so that every byte comes back as it was.
constexpr std::array<char16_t, 128> kUpperHalf{
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160,
    0x2039, 0x015A, 0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0,
    0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x017B, 0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6,
    0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1,
    0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A,
    0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2,
    0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED,
    0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7, 0x0159,
    0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// The way back: the byte of each character up to the highest one the code page holds, 0 for
// none (only U+0000 is byte 0).
constexpr char16_t kHighestCharacter = 0x2122;
constexpr std::array<std::uint8_t, kHighestCharacter + 1> kBytes = [] {
    std::array<std::uint8_t, kHighestCharacter + 1> bytes{};
    for (int byte = 1; byte < 0x80; ++byte)
        bytes[std::size_t(byte)] = std::uint8_t(byte);
    for (std::size_t i = 0; i < kUpperHalf.size(); ++i)
        bytes[kUpperHalf[i]] = std::uint8_t(0x80 + i);
    return bytes;
}();

} // namespace

QString fromCp1250(std::string_view bytes)
{
    QString text(qsizetype(bytes.size()), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = byte < 0x80 ? char16_t(byte) : kUpperHalf[byte - 0x80];
    }
    return text;
}

std::optional<std::string> toCp1250(QStringView text)
{
    std::string bytes(std::size_t(text.size()), '\0');
    char *out = bytes.data();
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        // A surrogate, alone or paired, has no byte either.
        if (code > kHighestCharacter || (kBytes[code] == 0 && code != 0))
            return std::nullopt;
        *out++ = char(kBytes[code]);
    }
    return bytes;
}

QString fromUtf8OrCp1250(QByteArrayView bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE
                                                           : QStringConverter::Utf16BE);
        return utf16.decode(bytes.sliced(2));
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8.decode(bytes);
    const qsizetype replacements = text.count(QChar::ReplacementCharacter) -
                                   QByteArray::fromRawData(bytes.data(), bytes.size())
                                       .count("\xEF\xBF\xBD");
    if (replacements > 1) {
        if (bytes.startsWith("\xEF\xBB\xBF"))
            bytes = bytes.sliced(3);
        return fromCp1250(std::string_view(bytes.data(), std::size_t(bytes.size())));
    }
    return text;
}

NearestText nearestCp1250(QStringView text)
{
    // Letters that are no base letter with marks, and scripts spelled in Czech.
    static const QHash<char32_t, const char *> spelled{
        {U'æ', "ae"}, {U'Æ', "Ae"}, {U'œ', "oe"}, {U'Œ', "Oe"}, {U'ø', "o"},   {U'Ø', "O"},
        {U'ð', "d"},  {U'Ð', "D"},  {U'þ', "th"}, {U'Þ', "Th"}, {U'ı', "i"},   {U'ŋ', "n"},
        {U'ĸ', "k"},  {U'ħ', "h"},  {U'Ħ', "H"},  {U'ŧ', "t"},  {U'Ŧ', "T"},   {U'ƒ', "f"},
        {U'\uFFFD', "?"}, {U'а', "a"}, {U'б', "b"}, {U'в', "v"}, {U'г', "g"}, {U'ґ', "g"},
        {U'д', "d"},  {U'е', "e"},  {U'ё', "jo"}, {U'є', "je"}, {U'ж', "ž"},   {U'з', "z"},
        {U'и', "i"},  {U'і', "i"},  {U'ї', "ji"}, {U'й', "j"},  {U'к', "k"},   {U'л', "l"},
        {U'м', "m"},  {U'н', "n"},  {U'о', "o"},  {U'п', "p"},  {U'р', "r"},   {U'с', "s"},
        {U'т', "t"},  {U'у', "u"},  {U'ф', "f"},  {U'х', "ch"}, {U'ц', "c"},   {U'ч', "č"},
        {U'ш', "š"},  {U'щ', "šč"}, {U'ъ', ""},   {U'ы', "y"},  {U'ь', ""},    {U'э', "e"},
        {U'ю', "ju"}, {U'я', "ja"},
    };
    NearestText nearest;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QStringView character = text.mid(i, length);
        i += length;
        // No surrogate is a code page 1250 character, whatever the encoder makes of one alone.
        if (!character.front().isSurrogate() && toCp1250(character)) {
            nearest.text += character;
            continue;
        }
        if (!nearest.replaced.contains(character))
            nearest.replaced += character;
        const char32_t code = character.toUcs4().front();
        const QString lower = QString::fromUcs4(&code, 1).toLower();
        if (const auto found = spelled.constFind(lower.toUcs4().front()); found != spelled.cend()) {
            QString letters = QString::fromUtf8(found.value());
            if (lower != character && !letters.isEmpty())
                letters[0] = letters[0].toUpper();
            nearest.text += letters;
            continue;
        }
        // The base letters without their marks ("ñ" is "n", "ﬁ" is "fi").
        for (const QChar c : character.toString().normalized(QString::NormalizationForm_KD)) {
            if (c.category() != QChar::Mark_NonSpacing && !c.isSurrogate() &&
                toCp1250(QStringView(&c, 1)))
                nearest.text += c;
        }
    }
    return nearest;
}

QString charactersOutsideCp1250(QStringView text)
{
    QString outside;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QStringView character = text.mid(i, length);
        if (!toCp1250(character) && !outside.contains(character))
            outside += character;
        i += length;
    }
    return outside;
}

QString fromStoredText(std::string_view bytes)
{
    return fromCp1250(bytes).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

std::optional<std::string> toStoredText(QStringView text)
{
    QString lines = text.toString();
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lines.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return toCp1250(lines);
}

namespace {
// What each byte becomes in a search: its character decomposed, without the marks, case
// folded, and encoded again ("Ř" as "r", "ß" as "ss").
const std::array<std::string, 256> &searchFoldTable()
{
    static const std::array<std::string, 256> table = [] {
        std::array<std::string, 256> folds;
        for (int byte = 0; byte < 256; ++byte) {
            const char character = char(byte);
            QString folded;
            for (const QChar c : fromCp1250(std::string_view(&character, 1))
                                     .normalized(QString::NormalizationForm_D)
                                     .toCaseFolded())
                if (c.category() != QChar::Mark_NonSpacing)
                    folded += c;
            folds[std::size_t(byte)] = toCp1250(folded).value_or(std::string(1, character));
        }
        return folds;
    }();
    return table;
}
} // namespace

void appendSearchFolded(std::string_view bytes, std::string &out)
{
    const std::array<std::string, 256> &table = searchFoldTable();
    for (const char byte : bytes)
        out += table[static_cast<unsigned char>(byte)];
}

std::optional<std::string> searchFolded(QStringView text)
{
    const std::optional<std::string> bytes = toCp1250(text);
    if (!bytes)
        return std::nullopt;
    std::string folded;
    appendSearchFolded(*bytes, folded);
    return folded;
}
