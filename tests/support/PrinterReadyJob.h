#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

// A job as a queue with a file: device hands it to the printer (PostScript after the printer's
// PJL header), read back through ghostscript.
struct PrinterReadyJob
{
    QString error;        // empty when the job was read
    QSizeF paper;         // points, as the job sets the page device
    QRectF ink;           // points from the paper's bottom-left: where anything was drawn
    QStringList features; // "InputSlot Tray1", "PageRegion EnvDL", ... in the job's order
};

// Waits until queue has no job left and reads what it wrote to path.
PrinterReadyJob waitForPrinterReadyJob(const QString &queue, const QString &path);

// The ink box of a PDF's first page in points from its bottom-left, by the same device.
QRectF inkOfPdf(const QString &pdf);
