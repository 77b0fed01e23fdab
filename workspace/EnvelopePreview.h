#pragma once

#include "Records.h"
#include "ThirdFieldSettings.h"

#include <optional>

class QPainter;

// What the screen preview shows: the selected format (none: captions only), the scale and
// the third field while its panel is shown.
struct EnvelopePreview
{
    std::optional<EnvelopeFormat> format;
    double scale = 1.0;
    std::optional<ThirdFieldValues> thirdField;
};

// Paints the captions over the combos, the scaled outline and the third field's box in the
// view's client pixels; the address texts are the view's own text boxes lying on top.
void drawEnvelopePreview(QPainter &painter, const EnvelopePreview &preview);
