#pragma once

#include "PrinterPaper.h"

#include <QSizeF>
#include <QString>

class QPainter;

// A test page from which the user reads a printer's correction: crosses 10 mm from each
// edge of the envelope, millimetre rulers from its left and top edges, the printer's name
// and its settings. Drawn like the envelope's page, in device pixels from the envelope's
// top-left corner; the caller applies the printer's EnvelopeOnPaper transform.
void drawCalibrationPage(QPainter &painter, QSizeF envelopeMillimetres, const QString &printerName,
                         const PrinterFeed &feed);

// The feed in words, for the page and the settings dialog.
QString placementName(FeedPlacement placement);
// The printer's name as the user knows it; the PDF file output has none.
QString printerDisplayName(const QString &printerName);
