#include "Cp1250.h"

#include <QStringDecoder>
#include <QStringEncoder>

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
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return fromCp1250(std::string_view(bytes.data(), std::size_t(bytes.size())));
    return text;
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
