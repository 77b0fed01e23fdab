#include "LogFont.h"

#include <QtEndian>

#include <cstring>

void InitDefaultLogFont(LOGFONT &font)
{
    std::memset(&font, 0, sizeof font);
    font.lfHeight = 16;
    font.lfCharSet = EASTEUROPE_CHARSET;
    std::strcpy(font.lfFaceName, "Times New Roman");
}

namespace {

constexpr qsizetype kFaceOffset = 28;

void putInt32(char *at, std::int32_t value)
{
    qToLittleEndian(value, at);
}

std::int32_t int32At(const char *at)
{
    return qFromLittleEndian<std::int32_t>(at);
}

} // namespace

QByteArray logFontBytes(const LOGFONT &font)
{
    QByteArray bytes(sizeof(LOGFONT), '\0');
    char *out = bytes.data();
    putInt32(out, font.lfHeight);
    putInt32(out + 4, font.lfWidth);
    putInt32(out + 8, font.lfEscapement);
    putInt32(out + 12, font.lfOrientation);
    putInt32(out + 16, font.lfWeight);
    const std::uint8_t flags[] = {font.lfItalic,  font.lfUnderline,     font.lfStrikeOut,
                                  font.lfCharSet, font.lfOutPrecision,  font.lfClipPrecision,
                                  font.lfQuality, font.lfPitchAndFamily};
    std::memcpy(out + 20, flags, sizeof flags);
    std::memcpy(out + kFaceOffset, font.lfFaceName, LF_FACESIZE);
    return bytes;
}

bool logFontFromBytes(QByteArrayView bytes, LOGFONT &font)
{
    if (bytes.size() != qsizetype(sizeof(LOGFONT)))
        return false;
    const char *in = bytes.data();
    font.lfHeight = int32At(in);
    font.lfWidth = int32At(in + 4);
    font.lfEscapement = int32At(in + 8);
    font.lfOrientation = int32At(in + 12);
    font.lfWeight = int32At(in + 16);
    const auto byteAt = [in](int offset) { return std::uint8_t(in[offset]); };
    font.lfItalic = byteAt(20);
    font.lfUnderline = byteAt(21);
    font.lfStrikeOut = byteAt(22);
    font.lfCharSet = byteAt(23);
    font.lfOutPrecision = byteAt(24);
    font.lfClipPrecision = byteAt(25);
    font.lfQuality = byteAt(26);
    font.lfPitchAndFamily = byteAt(27);
    std::memcpy(font.lfFaceName, in + kFaceOffset, LF_FACESIZE);
    return true;
}
