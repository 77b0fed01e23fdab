#pragma once

#include "LogFont.h"

#include <QString>

#include <cstdint>

// The third field as the preview and the printout draw it.
struct ThirdFieldValues
{
    LOGFONT font{};
    std::int32_t pointSize = 120; // tenths of a point
    double left = 0.0;            // cm from the envelope's left edge
    double top = 0.0;             // cm below the envelope's top edge
    double width = 0.0;
    double height = 0.0;
    QString text;
};

// Where "lerbot.ini" keeps whether the third field follows the addressee.
inline constexpr char kThirdFieldLinkSection[] = "3okno";
inline constexpr char kThirdFieldLinkKey[] = "propojit";

// Position, size and font as the profile file keeps them (the text is never stored);
// missing or damaged keys give the defaults: the default font, lengths 0, 12 points.
ThirdFieldValues readThirdFieldSettings();
void writeThirdFieldSettings(const ThirdFieldValues &values);
// On unless the profile says otherwise.
bool readThirdFieldLink();
