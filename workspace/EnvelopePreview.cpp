#include "EnvelopePreview.h"

#include "ClippedText.h"
#include "EnvelopeGeometry.h"

#include <QCoreApplication>
#include <QPaintDevice>
#include <QPainter>

#include <array>

namespace {

void drawCaptions(QPainter &painter)
{
    const std::array<std::pair<int, QString>, 4> captions{{
        {5, QCoreApplication::translate("CTobrelView", "Zvolte obálku:")},
        {160, QCoreApplication::translate("CTobrelView", "Zvolte adresáta:")},
        {315, QCoreApplication::translate("CTobrelView", "Zvolte odesílatele:")},
        {470, QCoreApplication::translate("CTobrelView", "Zvolte měřítko:")},
    }};
    // The captions stand with their tops at y = 2, above the combos at y = 20.
    const int top = 2 + painter.fontMetrics().ascent();
    for (const auto &[x, caption] : captions)
        painter.drawText(x, top, caption);
}

void drawOutline(QPainter &painter, QSize outline, int dpiX, int dpiY)
{
    using EnvelopeGeometry::previewOutlineToDevice;
    const int w = outline.width();
    const int h = outline.height();
    const std::array<QPoint, 5> path{
        previewOutlineToDevice({0, 0}, dpiX, dpiY), previewOutlineToDevice({w, 0}, dpiX, dpiY),
        previewOutlineToDevice({w, h}, dpiX, dpiY), previewOutlineToDevice({0, h}, dpiX, dpiY),
        previewOutlineToDevice({0, 0}, dpiX, dpiY)};
    painter.setPen(QPen(Qt::black, 0));
    painter.drawPolyline(path.data(), int(path.size()));
}

void drawField(QPainter &painter, const ThirdFieldValues &field, double scale, int dpiX, int dpiY)
{
    using namespace EnvelopeGeometry;
    const QRect box =
        previewFieldBox(field.left, field.top, field.width, field.height, scale, dpiX, dpiY);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::white);
    // The old frame covered the first pixel row and column but not the last ones.
    if (box.width() > 0 && box.height() > 0)
        painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setFont(fontWithPixelHeight(
        field.font, pointFontPixels(scaledTenths(field.pointSize, scale), dpiY)));
    painter.setBackgroundMode(Qt::TransparentMode);
    drawClippedText(painter, box, field.text);
}

} // namespace

void drawEnvelopePreview(QPainter &painter, const EnvelopePreview &preview)
{
    painter.save();
    painter.setPen(Qt::black);
    drawCaptions(painter);
    if (preview.format) {
        const int dpiX = painter.device()->logicalDpiX();
        const int dpiY = painter.device()->logicalDpiY();
        drawOutline(painter, EnvelopeGeometry::previewOutline(*preview.format, preview.scale), dpiX,
                    dpiY);
        if (preview.thirdField)
            drawField(painter, *preview.thirdField, preview.scale, dpiX, dpiY);
    }
    painter.restore();
}
