#include "LogFontQt.h"

#include "Cp1250.h"

#include <QFontInfo>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <string_view>

namespace {

bool namesAny(const QString &family, std::initializer_list<const char *> words)
{
    return std::any_of(words.begin(), words.end(), [&family](const char *word) {
        return family.contains(QLatin1String(word), Qt::CaseInsensitive);
    });
}

// Fixed-pitch faces are "modern"; otherwise the face's name tells sans-serif ("swiss") from
// serif ("roman") faces, for the free faces and for the Windows ones they stand in for.
std::uint8_t pitchAndFamily(const QFont &font)
{
    const QFontInfo drawn(font);
    if (drawn.fixedPitch())
        return FF_MODERN | FIXED_PITCH;
    const QString family = drawn.family();
    if (namesAny(family, {"Sans", "Arial", "Helvetica", "Verdana", "Tahoma"}))
        return FF_SWISS | VARIABLE_PITCH;
    if (namesAny(family, {"Serif", "Roman", "Times", "Georgia"}))
        return FF_ROMAN | VARIABLE_PITCH;
    return FF_DONTCARE | VARIABLE_PITCH;
}

} // namespace

QFont fontFromLogFont(const LOGFONT &font)
{
    const char *face = font.lfFaceName;
    const std::string_view faceBytes(face, strnlen(face, sizeof font.lfFaceName));

    QFont result;
    result.setFamily(fromCp1250(faceBytes));
    // Zero asks for the default weight; the other values share Qt's 100..900 scale.
    result.setWeight(font.lfWeight <= 0 ? QFont::Normal
                                        : QFont::Weight(std::min(font.lfWeight, 1000)));
    result.setItalic(font.lfItalic != 0);
    result.setUnderline(font.lfUnderline != 0);
    result.setStrikeOut(font.lfStrikeOut != 0);
    return result;
}

LOGFONT logFontFromFont(const QFont &font)
{
    LOGFONT result;
    std::memset(&result, 0, sizeof result);
    result.lfWeight = font.weight();
    result.lfItalic = font.italic() ? 1 : 0;
    result.lfUnderline = font.underline() ? 1 : 0;
    result.lfStrikeOut = font.strikeOut() ? 1 : 0;
    result.lfCharSet = EASTEUROPE_CHARSET;
    result.lfOutPrecision = OUT_STROKE_PRECIS;
    result.lfClipPrecision = CLIP_STROKE_PRECIS;
    result.lfQuality = DRAFT_QUALITY;
    result.lfPitchAndFamily = pitchAndFamily(font);

    // A face name with characters outside code page 1250 keeps the ones it can.
    QString family = font.family();
    for (const QChar c : charactersOutsideCp1250(family))
        family.remove(c);
    const std::string face = toCp1250(family).value_or(std::string());
    std::memcpy(result.lfFaceName, face.data(),
                std::min(face.size(), std::size_t(LF_FACESIZE - 1)));
    return result;
}
