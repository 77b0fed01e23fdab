#pragma once

#include "Records.h"

#include <QPoint>
#include <QRect>
#include <QSize>

// Where things land on the screen preview and on the printed page. Every length becomes an
// integer by a double product truncated toward zero, then 0.01 mm go to pixels through the
// device's logical inch (MulDiv), exactly as the stored formats have always been placed.
namespace EnvelopeGeometry {

// The envelope's top-left corner in the view's client area.
inline constexpr QPoint kPreviewOrigin{5, 50};

// A double product cut toward zero; values from damaged files that do not fit an int are
// clamped instead of overflowing, and NaN gives 0.
int trunc(double value);

// A rectangle given by its corners, as the old drawing calls took it: right and bottom are
// the first pixels outside, and a negative width or height is kept. Corners beyond a
// quarter of the int range are held there, so no width, height or small shift overflows.
QRect fromCorners(QPoint topLeft, QPoint bottomRight);

// The text boxes over the preview at the given scale.
QRect previewSenderBox(const EnvelopeFormat &format, double scale, int dpiX, int dpiY);
QRect previewAddresseeBox(const EnvelopeFormat &format, double scale, int dpiX, int dpiY);

// The outline in units of 0.1 mm with y growing upward, so the height is zero or less.
QSize previewOutline(const EnvelopeFormat &format, double scale);
// A point of the outline in client pixels.
QPoint previewOutlineToDevice(QPoint lometric, int dpiX, int dpiY);

// The third field's box on the preview, in client pixels.
QRect previewFieldBox(double left, double top, double width, double height, double scale, int dpiX,
                      int dpiY);

// The printed page, in printer pixels from the printable area's top-left.
QRect printSenderRect(const EnvelopeFormat &format, int dpiX, int dpiY);
QRect printAddresseeRect(const EnvelopeFormat &format, int dpiX, int dpiY);
QRect printFieldRect(double left, double top, double width, double height, int dpiX, int dpiY);

// Character heights in pixels: the print font from whole points (rounded), the third
// field's font from tenths of a point (truncated).
int printFontPixels(int points, int dpiY);
int pointFontPixels(int tenths, int dpiY);

// The third field's size in tenths on the preview.
int scaledTenths(int tenths, double scale);
// The text boxes' character height in twips at the preview scale.
int charFormatTwips(int points, double scale);

} // namespace EnvelopeGeometry
