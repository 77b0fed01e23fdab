#include "UnprintableEdges.h"

#include <QPagedPaintDevice>
#include <QPageLayout>
#include <QPainter>
#include <QRegion>

QList<QRect> unprintableEdges(const QRect &paper, const QMargins &margins)
{
    // A region keeps its rectangles in rows from the top, each row from the left: exactly the
    // top strip, the left and right ones, then the bottom strip.
    const QRegion edges = QRegion(paper).subtracted(paper.marginsRemoved(margins));
    return {edges.begin(), edges.end()};
}

QList<QRect> unprintableEdges(const QPagedPaintDevice &device)
{
    QPageLayout layout = device.pageLayout();
    layout.setUnits(QPageLayout::Point);
    QMarginsF points = layout.minimumMargins();
    // Qt gives a printer's minimum margins as its paper stands in the printer, whatever the
    // page's orientation. A landscape page goes onto that paper turned a quarter to the left:
    // its top along the paper's left edge, its left along the paper's bottom.
    if (layout.orientation() == QPageLayout::Landscape)
        points = QMarginsF(points.bottom(), points.left(), points.top(), points.right());
    const int resolution = device.logicalDpiX();
    return unprintableEdges(layout.fullRectPixels(resolution),
                            (points * resolution / 72.0).toMargins());
}

void shadeUnprintableEdges(QPainter &painter, const QPagedPaintDevice &device)
{
    painter.save();
    painter.resetTransform();
    for (const QRect &edge : unprintableEdges(device))
        painter.fillRect(edge, QColor(128, 128, 128, 96));
    painter.restore();
}
