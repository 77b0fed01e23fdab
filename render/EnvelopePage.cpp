#include "EnvelopePage.h"

#include "ClippedText.h"
#include "EnvelopeGeometry.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <vector>

namespace {
// One text of the page with its box, font and background.
struct PlacedText
{
    CutText::Box box;
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
        {CutText::Box::Sender, printSenderRect(*page.format, dpiX, dpiY), printFont,
         &page.senderText, false},
        {CutText::Box::Addressee, printAddresseeRect(*page.format, dpiX, dpiY), printFont,
         &page.addresseeText, false},
    };
    if (const auto &field = page.thirdField)
        texts.push_back(
            {CutText::Box::ThirdField,
             printFieldRect(field->left, field->top, field->width, field->height, dpiX, dpiY),
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

QList<CutText> cutTexts(QPainter &painter, const EnvelopePage &page,
                        const QList<QRect> &unprintable)
{
    QList<CutText> cut;
    painter.save();
    for (const PlacedText &placed : placedTexts(*painter.device(), page)) {
        painter.setFont(placed.font);
        const QString &text = *placed.text;
        const int line = firstCutLine(painter, placed.rect, text);
        if (line >= 0) {
            cut.append({placed.box, placed.rect, line, text.section(u'\n', line, line), false});
            continue;
        }
        const int lines = text.isEmpty() ? 0 : int(text.count(u'\n')) + 1;
        for (int i = 0; i < lines; ++i) {
            const QRect onDevice =
                painter.transform().mapRect(lineRect(painter, placed.rect, text, i));
            if (std::any_of(unprintable.cbegin(), unprintable.cend(),
                            [&onDevice](const QRect &edge) { return edge.intersects(onDevice); })) {
                cut.append({placed.box, placed.rect, i, text.section(u'\n', i, i), true});
                break;
            }
        }
    }
    painter.restore();
    return cut;
}

void findCutTexts(qsizetype count, const std::function<EnvelopePage(qsizetype)> &pageAt,
                  int resolution, const QTransform &toDevice, const QList<QRect> &unprintable,
                  const std::function<void(qsizetype, const CutText &)> &found)
{
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    QPdfWriter measure(&sink);
    measure.setResolution(resolution);
    QPainter painter(&measure);
    painter.setTransform(toDevice);
    for (qsizetype i = 0; i < count; ++i)
        for (const CutText &cut : cutTexts(painter, pageAt(i), unprintable))
            found(i, cut);
}

QString describeCut(const CutText &cut)
{
    const auto tr = [](const char *text) {
        return QCoreApplication::translate("EnvelopePage", text);
    };
    const QString box = cut.box == CutText::Box::Sender      ? tr("odesílatel")
                        : cut.box == CutText::Box::Addressee ? tr("adresát")
                                                             : tr("třetí pole");
    return (cut.atPrinterEdge
                ? tr("%1: řádek %2 „%3“ zasahuje do okraje, který tiskárna nepotiskne.")
                : tr("%1: řádek %2 „%3“ se nevejde a bude oříznut."))
        .arg(box)
        .arg(cut.line + 1)
        .arg(cut.lineText);
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
