#include "CalibrationPage.h"

#include <QCoreApplication>
#include <QFont>
#include <QLocale>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>

#include <cmath>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("CalibrationPage", text);
}

constexpr double kMarkDistance = 10.0; // mm from each edge
constexpr double kCrossArm = 5.0;
constexpr double kRulerInset = 25.0; // the rulers' lines, from the left and bottom edges

// Millimetres to the painter's device pixels.
class MillimetreScale
{
public:
    explicit MillimetreScale(const QPaintDevice &device)
        : m_x(device.logicalDpiX() / 25.4), m_y(device.logicalDpiY() / 25.4)
    {
    }
    QPointF point(double x, double y) const { return {x * m_x, y * m_y}; }
    QLineF line(double x1, double y1, double x2, double y2) const
    {
        return {point(x1, y1), point(x2, y2)};
    }
    QRectF rect(double x, double y, double width, double height) const
    {
        return {point(x, y), point(x + width, y + height)};
    }
    double y(double millimetres) const { return millimetres * m_y; }

private:
    double m_x;
    double m_y;
};

// Ticks every millimetre, longer every 5 and 10, the centimetres numbered.
double tickLength(int millimetre)
{
    return millimetre % 10 == 0 ? 4.0 : millimetre % 5 == 0 ? 2.5 : 1.5;
}

// Numbers that would stand on the other ruler are left out.
bool clearOf(int millimetre, double otherRuler)
{
    return std::abs(millimetre - otherRuler) > 6.0;
}

void drawHorizontalRuler(QPainter &painter, const MillimetreScale &mm, double y, double length,
                         double otherRulerX)
{
    painter.drawLine(mm.line(0.0, y, length, y));
    for (int x = 0; x <= int(length); ++x) {
        painter.drawLine(mm.line(x, y, x, y - tickLength(x)));
        if (x % 10 == 0 && x > 0 && clearOf(x, otherRulerX))
            painter.drawText(mm.rect(x - 5.0, y - 9.0, 10.0, 4.0), Qt::AlignCenter,
                             QString::number(x / 10));
    }
}

void drawVerticalRuler(QPainter &painter, const MillimetreScale &mm, double x, double length,
                       double otherRulerY)
{
    painter.drawLine(mm.line(x, 0.0, x, length));
    for (int y = 0; y <= int(length); ++y) {
        painter.drawLine(mm.line(x, y, x + tickLength(y), y));
        if (y % 10 == 0 && y > 0 && clearOf(y, otherRulerY))
            painter.drawText(mm.rect(x + 5.0, y - 2.0, 6.0, 4.0), Qt::AlignLeft | Qt::AlignVCenter,
                             QString::number(y / 10));
    }
}

void drawCross(QPainter &painter, const MillimetreScale &mm, double x, double y)
{
    painter.drawLine(mm.line(x - kCrossArm, y, x + kCrossArm, y));
    painter.drawLine(mm.line(x, y - kCrossArm, x, y + kCrossArm));
}

QString millimetres(double value)
{
    return QLocale(QLocale::Czech).toString(value, 'f', 1);
}

} // namespace

QString placementName(FeedPlacement placement)
{
    switch (placement) {
    case FeedPlacement::Left:
        return tr("vlevo");
    case FeedPlacement::Centre:
        return tr("na střed");
    case FeedPlacement::Right:
        return tr("vpravo");
    }
    return {};
}

QString printerDisplayName(const QString &printerName)
{
    return printerName.isEmpty() ? tr("Soubor PDF") : printerName;
}

void drawCalibrationPage(QPainter &painter, QSizeF envelope, const QString &printerName,
                         const PrinterFeed &feed)
{
    const MillimetreScale mm(*painter.device());
    const double width = envelope.width();
    const double height = envelope.height();

    painter.save();
    painter.setPen(QPen(Qt::black, mm.y(0.2)));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(qMax(1, int(mm.y(2.8))));
    painter.setFont(font);

    for (const double x : {kMarkDistance, width - kMarkDistance})
        for (const double y : {kMarkDistance, height - kMarkDistance})
            drawCross(painter, mm, x, y);
    drawHorizontalRuler(painter, mm, height - kRulerInset, width, kRulerInset);
    drawVerticalRuler(painter, mm, kRulerInset, height, height - kRulerInset);

    const QStringList lines = {
        tr("Zkušební stránka obálky – tiskárna: %1").arg(printerDisplayName(printerName)),
        tr("Obálka %1 × %2 mm; otočení %3°, umístění %4, posun X %5 mm, Y %6 mm")
            .arg(millimetres(width), millimetres(height))
            .arg(feed.rotation)
            .arg(placementName(feed.placement), millimetres(feed.offsetX),
                 millimetres(feed.offsetY)),
        tr("Křížky mají ležet 10 mm od okrajů obálky, nuly pravítek na jejím levém a horním "
           "okraji."),
        tr("Leží-li křížek dál od levého okraje, zmenšete posun X o rozdíl, leží-li blíž, "
           "zvětšete ho; posun Y stejně podle horního okraje."),
    };
    const double textLeft = kRulerInset + 15.0;
    painter.drawText(mm.rect(textLeft, 15.0, width - textLeft - 15.0, height - 45.0),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, lines.join(u'\n'));
    painter.restore();
}
