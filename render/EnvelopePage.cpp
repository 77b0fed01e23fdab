#include "EnvelopePage.h"

#include "ClippedText.h"
#include "EnvelopeGeometry.h"

#include <QPagedPaintDevice>
#include <QPainter>

void drawEnvelopePage(QPainter &painter, const EnvelopePage &page)
{
    if (!page.format)
        return;
    using namespace EnvelopeGeometry;
    const int dpiX = painter.device()->logicalDpiX();
    const int dpiY = painter.device()->logicalDpiY();

    painter.save();
    painter.setFont(fontWithPixelHeight(page.printFont, printFontPixels(page.printFontSize, dpiY)));
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    painter.setPen(Qt::black);
    drawClippedText(painter, printSenderRect(*page.format, dpiX, dpiY), page.senderText);
    drawClippedText(painter, printAddresseeRect(*page.format, dpiX, dpiY), page.addresseeText);

    if (const auto &field = page.thirdField) {
        painter.setBackgroundMode(Qt::TransparentMode);
        painter.setFont(fontWithPixelHeight(field->font, pointFontPixels(field->pointSize, dpiY)));
        drawClippedText(
            painter,
            printFieldRect(field->left, field->top, field->width, field->height, dpiX, dpiY),
            field->text);
    }
    painter.restore();
}

qsizetype printEnvelopes(QPainter &painter, QPagedPaintDevice &device, qsizetype count,
                         const std::function<EnvelopePage(qsizetype)> &pageAt,
                         const std::function<bool(qsizetype drawn)> &goOn)
{
    qsizetype drawn = 0;
    while (drawn < count) {
        if (drawn > 0 && !device.newPage()) {
            painter.end();
            return -1;
        }
        drawEnvelopePage(painter, pageAt(drawn));
        ++drawn;
        if (goOn && !goOn(drawn))
            break;
    }
    return painter.end() ? drawn : -1;
}
