#pragma once

#include <QList>
#include <QMargins>
#include <QRect>

class QPagedPaintDevice;
class QPainter;

// The strips along the paper's edges that a printer cannot print on, in device pixels: the
// top and bottom strips across the paper's width, the left and right ones between them. An
// edge the printer prints up to has none; margins that meet leave the whole paper.
QList<QRect> unprintableEdges(const QRect &paper, const QMargins &margins);

// The same for the page device has now, from its printer's minimum margins at its resolution;
// its origin is the paper's corner (a QPrinter with its full page on).
QList<QRect> unprintableEdges(const QPagedPaintDevice &device);

// Shades those strips of device's page in device pixels, whatever painter's transform.
void shadeUnprintableEdges(QPainter &painter, const QPagedPaintDevice &device);
