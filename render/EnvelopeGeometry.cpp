#include "EnvelopeGeometry.h"

#include "MulDiv.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace EnvelopeGeometry {

int trunc(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    if (value <= lowest)
        return std::numeric_limits<int>::min();
    if (value >= highest)
        return std::numeric_limits<int>::max();
    return static_cast<int>(value);
}

namespace {

// Corners from damaged files are held within a quarter of the int range, so that the
// rectangle's width, height and small adjustments stay integers too.
constexpr std::int64_t kCoordinateLimit = std::numeric_limits<int>::max() / 4;

int saturated(std::int64_t value, std::int64_t limit = std::numeric_limits<int>::max())
{
    return int(std::clamp(value, -limit, limit));
}

QPoint sum(QPoint a, QPoint b)
{
    return {saturated(std::int64_t(a.x()) + b.x()), saturated(std::int64_t(a.y()) + b.y())};
}

} // namespace

QRect fromCorners(QPoint topLeft, QPoint bottomRight)
{
    const auto coordinate = [](std::int64_t value) { return saturated(value, kCoordinateLimit); };
    return QRect(QPoint(coordinate(topLeft.x()), coordinate(topLeft.y())),
                 QPoint(coordinate(bottomRight.x()) - 1, coordinate(bottomRight.y()) - 1));
}

namespace {

// 0.01 mm corners to scaled client pixels; the origin is added after scaling.
QRect previewBox(QPoint topLeft, QPoint bottomRight, double scale, int dpiX, int dpiY)
{
    const QPoint tl = HIMETRICtoDP(topLeft, dpiX, dpiY);
    const QPoint br = HIMETRICtoDP(bottomRight, dpiX, dpiY);
    const QPoint o = kPreviewOrigin;
    return fromCorners({trunc(tl.x() * scale + o.x()), trunc(tl.y() * scale + o.y())},
                       {trunc(br.x() * scale + o.x()), trunc(br.y() * scale + o.y())});
}

int himetric(double centimetres)
{
    return trunc(centimetres * 1000);
}

} // namespace

QRect previewSenderBox(const EnvelopeFormat &format, double scale, int dpiX, int dpiY)
{
    const int left = himetric(format.senderLeft);
    const int top = himetric(format.senderTop);
    const int right = saturated(std::int64_t(left) + trunc(double(format.width) * 500));
    int bottom = trunc(double(format.height) * 500);
    // A sender placed low on the envelope still gets a box at least 1 cm tall.
    if (std::int64_t(bottom) - top < 1000)
        bottom = saturated(std::int64_t(bottom) + 1000);
    return previewBox({left, top}, {right, bottom}, scale, dpiX, dpiY);
}

QRect previewAddresseeBox(const EnvelopeFormat &format, double scale, int dpiX, int dpiY)
{
    return previewBox({himetric(format.addresseeLeft), himetric(format.addresseeTop)},
                      {himetric(format.width), himetric(format.height)}, scale, dpiX, dpiY);
}

QSize previewOutline(const EnvelopeFormat &format, double scale)
{
    return {trunc(double(format.width) * 100 * scale), trunc(double(format.height) * -100 * scale)};
}

QPoint previewOutlineToDevice(QPoint lometric, int dpiX, int dpiY)
{
    // The negative divisor turns y upward without negating a value that may be INT_MIN.
    return sum(kPreviewOrigin,
               QPoint(MulDiv(lometric.x(), dpiX, 254), MulDiv(lometric.y(), dpiY, -254)));
}

QRect previewFieldBox(double left, double top, double width, double height, double scale, int dpiX,
                      int dpiY)
{
    const QPoint tl =
        HIMETRICtoDP({trunc(left * scale * 1000), trunc(scale * top * 1000)}, dpiX, dpiY);
    const QPoint br = HIMETRICtoDP(
        {trunc((left + width) * scale * 1000), trunc((top + height) * scale * 1000)}, dpiX, dpiY);
    return fromCorners(sum(tl, kPreviewOrigin), sum(br, kPreviewOrigin));
}

QRect printSenderRect(const EnvelopeFormat &format, int dpiX, int dpiY)
{
    return fromCorners(
        HIMETRICtoDP({himetric(format.senderLeft), himetric(format.senderTop)}, dpiX, dpiY),
        HIMETRICtoDP({himetric(format.width), himetric(format.height)}, dpiX, dpiY));
}

QRect printAddresseeRect(const EnvelopeFormat &format, int dpiX, int dpiY)
{
    return fromCorners(
        HIMETRICtoDP({himetric(format.addresseeLeft), himetric(format.addresseeTop)}, dpiX, dpiY),
        HIMETRICtoDP({himetric(format.width), himetric(format.height)}, dpiX, dpiY));
}

QRect printFieldRect(double left, double top, double width, double height, int dpiX, int dpiY)
{
    return fromCorners(HIMETRICtoDP({himetric(left), himetric(top)}, dpiX, dpiY),
                       HIMETRICtoDP({himetric(left + width), himetric(top + height)}, dpiX, dpiY));
}

int printFontPixels(int points, int dpiY)
{
    return MulDiv(points, dpiY, 72);
}

int pointFontPixels(int tenths, int dpiY)
{
    return trunc(double(std::int64_t(dpiY) * tenths / 720));
}

int scaledTenths(int tenths, double scale)
{
    return trunc(tenths * scale);
}

int charFormatTwips(int points, double scale)
{
    return trunc(double(std::int64_t(points) * 20) * scale);
}

} // namespace EnvelopeGeometry
