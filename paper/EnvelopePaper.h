#pragma once

#include "Records.h"

#include <QPageLayout>
#include <QPageSize>
#include <QSizeF>

#include <optional>

// The paper when nothing else is chosen: the envelope itself.
namespace EnvelopePaper {

// The envelope's width and height in millimetres, as the screen shows it.
QSizeF millimetres(const EnvelopeFormat &format);

// The standard envelope size whose sides match these within 0.5 mm, either way round.
std::optional<QPageSize::PageSizeId> standardSize(QSizeF millimetres);

// A page of the envelope's size: the standard size where one matches, else a custom one;
// turned so that it lies as the envelope lies on the screen; no margins, so the
// positions of a format are measured from the envelope's edges. Invalid when a side is not
// positive.
QPageLayout pageLayout(const EnvelopeFormat &format);
QPageLayout pageLayout(QSizeF millimetres);

} // namespace EnvelopePaper
