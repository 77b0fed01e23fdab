#include "EnvelopeOnPaper.h"

#include "EnvelopePaper.h"

#include <QMarginsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRectF>

namespace {

constexpr double kMillimetresPerInch = 25.4;

// Turned by the feed's rotation about its corner, then moved back onto the paper's corner.
QTransform turned(QSizeF envelope, int rotation)
{
    QTransform rotate;
    rotate.rotate(rotation);
    const QRectF bounds = rotate.mapRect(QRectF(QPointF(), envelope));
    return rotate * QTransform::fromTranslate(-bounds.left(), -bounds.top());
}

double placementX(FeedPlacement placement, double paperWidth, double envelopeWidth)
{
    switch (placement) {
    case FeedPlacement::Left:
        break;
    case FeedPlacement::Centre:
        return (paperWidth - envelopeWidth) / 2.0;
    case FeedPlacement::Right:
        return paperWidth - envelopeWidth;
    }
    return 0.0;
}

} // namespace

EnvelopeOnPaper::EnvelopeOnPaper(const EnvelopeFormat &format, const PrinterPaper &printer)
    : EnvelopeOnPaper(EnvelopePaper::millimetres(format), printer)
{
}

EnvelopeOnPaper::EnvelopeOnPaper(QSizeF envelope, const PrinterPaper &printer)
{
    const QTransform rotation = turned(envelope, printer.feed.rotation);
    const QSizeF turnedEnvelope = rotation.mapRect(QRectF(QPointF(), envelope)).size();
    if (printer.pageSetup) {
        m_pageLayout = *printer.pageSetup;
        m_pageLayout.setMinimumMargins(QMarginsF());
        m_pageLayout.setMargins(QMarginsF());
    } else {
        m_pageLayout = EnvelopePaper::pageLayout(turnedEnvelope);
    }
    const double paperWidth = m_pageLayout.fullRect(QPageLayout::Millimeter).width();
    // The correction moves the envelope's drawing as the user sees the envelope, whichever
    // way it goes through the printer.
    m_millimetres =
        QTransform::fromTranslate(printer.feed.offsetX, printer.feed.offsetY) * rotation *
        QTransform::fromTranslate(
            placementX(printer.feed.placement, paperWidth, turnedEnvelope.width()), 0.0);
}

QTransform EnvelopeOnPaper::transform(int dpiX, int dpiY) const
{
    // Exactly the identity, not one rounded through millimetres: the default settings must
    // draw the page exactly as it has always been drawn.
    if (m_millimetres.isIdentity())
        return {};
    const QTransform toMillimetres =
        QTransform::fromScale(kMillimetresPerInch / dpiX, kMillimetresPerInch / dpiY);
    const QTransform toPixels =
        QTransform::fromScale(dpiX / kMillimetresPerInch, dpiY / kMillimetresPerInch);
    return toMillimetres * m_millimetres * toPixels;
}

bool EnvelopeOnPaper::beginOnPaper(QPainter &painter, QPagedPaintDevice &device) const
{
    askForPaper(device, m_pageLayout);
    if (!painter.begin(&device))
        return false;
    painter.setTransform(transform(device.logicalDpiX(), device.logicalDpiY()));
    return true;
}

bool askForPaper(QPagedPaintDevice &device, const QPageLayout &paper)
{
    // A printer takes the whole layout it is given, mode included, even when it then refuses
    // it for its margins; a layout in the standard mode would put the origin at the printable
    // area's corner and move every text by the printer's margins.
    QPageLayout fullPage = paper;
    fullPage.setMode(QPageLayout::FullPageMode);
    if (device.setPageLayout(fullPage))
        return true;
    // Refused for its margins by a printer that cannot print up to the edges: its full page
    // still starts at the paper's corner.
    const bool sized = device.setPageSize(paper.pageSize());
    const bool turned = device.setPageOrientation(paper.orientation());
    QPageLayout kept = device.pageLayout();
    if (kept.mode() != QPageLayout::FullPageMode) {
        kept.setMode(QPageLayout::FullPageMode);
        device.setPageLayout(kept);
    }
    return sized && turned;
}

bool beginEnvelopeRun(QPainter &painter, QPagedPaintDevice &device,
                      const std::optional<EnvelopeFormat> &format, const PrinterPaper &printer)
{
    if (format)
        return EnvelopeOnPaper(*format, printer).beginOnPaper(painter, device);
    return painter.begin(&device);
}
