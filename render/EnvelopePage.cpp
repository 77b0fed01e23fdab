#include "EnvelopePage.h"

#include "ClippedText.h"
#include "EnvelopeGeometry.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <vector>

namespace {
// One text of the page with its box, font and background.
struct PlacedText
{
    QRect rect;
    QFont font;
    const QString *text;
    bool transparent;
};

std::vector<PlacedText> placedTexts(const QPaintDevice &device, const EnvelopePage &page)
{
    if (!page.format)
        return {};
    using namespace EnvelopeGeometry;
    const int dpiX = device.logicalDpiX();
    const int dpiY = device.logicalDpiY();
    const QFont printFont =
        fontWithPixelHeight(page.printFont, printFontPixels(page.printFontSize, dpiY));
    std::vector<PlacedText> texts{
        {printSenderRect(*page.format, dpiX, dpiY), printFont, &page.senderText, false},
        {printAddresseeRect(*page.format, dpiX, dpiY), printFont, &page.addresseeText, false},
    };
    if (const auto &field = page.thirdField)
        texts.push_back(
            {printFieldRect(field->left, field->top, field->width, field->height, dpiX, dpiY),
             fontWithPixelHeight(field->font, pointFontPixels(field->pointSize, dpiY)),
             &field->text, true});
    return texts;
}
} // namespace

void drawEnvelopePage(QPainter &painter, const EnvelopePage &page)
{
    painter.save();
    painter.setBackground(Qt::white);
    painter.setPen(Qt::black);
    for (const PlacedText &placed : placedTexts(*painter.device(), page)) {
        painter.setBackgroundMode(placed.transparent ? Qt::TransparentMode : Qt::OpaqueMode);
        painter.setFont(placed.font);
        drawClippedText(painter, placed.rect, *placed.text);
    }
    painter.restore();
}

QList<QRect> cutTextBoxes(QPainter &painter, const EnvelopePage &page)
{
    QList<QRect> cut;
    painter.save();
    for (const PlacedText &placed : placedTexts(*painter.device(), page)) {
        painter.setFont(placed.font);
        if (!textFitsIn(painter, placed.rect, *placed.text))
            cut.append(placed.rect);
    }
    painter.restore();
    return cut;
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
