#include "Cp1250.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QHash>

#include <array>

namespace {

constexpr char kCodePage[] = "windows-1250";

} // namespace

QString fromCp1250(std::string_view bytes)
{
    QStringDecoder decoder(kCodePage);
    return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

std::optional<std::string> toCp1250(QStringView text)
{
    QStringEncoder encoder(kCodePage);
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes.toStdString();
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
