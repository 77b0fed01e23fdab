#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>
#include <type_traits>

// The Windows font record in its 8-bit form. Its 60-byte layout is stored whole in the
// profile file, so it must not change.
struct LOGFONT
{
    std::int32_t lfHeight;
    std::int32_t lfWidth;
    std::int32_t lfEscapement;
    std::int32_t lfOrientation;
    std::int32_t lfWeight;
    std::uint8_t lfItalic;
    std::uint8_t lfUnderline;
    std::uint8_t lfStrikeOut;
    std::uint8_t lfCharSet;
    std::uint8_t lfOutPrecision;
    std::uint8_t lfClipPrecision;
    std::uint8_t lfQuality;
    std::uint8_t lfPitchAndFamily;
    char lfFaceName[32];
};
static_assert(sizeof(LOGFONT) == 60);
static_assert(std::is_trivially_copyable_v<LOGFONT>);

inline constexpr int LF_FACESIZE = 32;
inline constexpr std::int32_t FW_BOLD = 700;
inline constexpr std::uint8_t EASTEUROPE_CHARSET = 238;
inline constexpr std::uint8_t OUT_STROKE_PRECIS = 3;
inline constexpr std::uint8_t CLIP_STROKE_PRECIS = 2;
inline constexpr std::uint8_t DRAFT_QUALITY = 1;
inline constexpr std::uint8_t FIXED_PITCH = 1;
inline constexpr std::uint8_t VARIABLE_PITCH = 2;
inline constexpr std::uint8_t FF_DONTCARE = 0x00;
inline constexpr std::uint8_t FF_ROMAN = 0x10;
inline constexpr std::uint8_t FF_SWISS = 0x20;
inline constexpr std::uint8_t FF_MODERN = 0x30;

// Overwrites all 60 bytes: "Times New Roman", height 16, character set 238, the rest zero.
void InitDefaultLogFont(LOGFONT &font);

// The record as its 60 little-endian bytes, and back (false, font untouched, unless 60 bytes).
QByteArray logFontBytes(const LOGFONT &font);
bool logFontFromBytes(QByteArrayView bytes, LOGFONT &font);
