#pragma once

#include "PrinterPaper.h"
#include "Records.h"

#include <QPageLayout>
#include <QSizeF>
#include <QTransform>

#include <optional>

class QPagedPaintDevice;
class QPainter;

// One envelope on one printer's paper: the page to ask the printer for, and the transform
// that takes the envelope's drawing (device pixels from the envelope's top-left corner) to
// that page. With a printer's default settings the page is the envelope and the transform
// is the identity.
class EnvelopeOnPaper
{
public:
    EnvelopeOnPaper(const EnvelopeFormat &format, const PrinterPaper &printer);
    EnvelopeOnPaper(QSizeF envelopeMillimetres, const PrinterPaper &printer);

    // Asked for in full-page mode, so coordinates start at the paper's corner.
    const QPageLayout &pageLayout() const { return m_pageLayout; }
    QTransform transform(int dpiX, int dpiY) const;
    // The same in millimetres.
    const QTransform &transformMillimetres() const { return m_millimetres; }

    // Asks device for the page (it keeps what it can take) and begins painter on it with the
    // transform set, so the envelope is drawn as on its own page. False when the painter could
    // not begin.
    bool beginOnPaper(QPainter &painter, QPagedPaintDevice &device) const;

private:
    QPageLayout m_pageLayout;
    QTransform m_millimetres;
};

// Asks device for paper, or where a printer refuses it because it cannot print up to the
// paper's edges, for its size and orientation, and leaves it in full-page mode whatever it
// took: the origin is the paper's corner, never the printable area's. The device keeps what
// it cannot take; false then.
bool askForPaper(QPagedPaintDevice &device, const QPageLayout &paper);

// Begins painter on device for a run of envelopes of format on that printer's paper; with no
// format (an empty page) on the device as it is. False when the painter could not begin.
bool beginEnvelopeRun(QPainter &painter, QPagedPaintDevice &device,
                      const std::optional<EnvelopeFormat> &format, const PrinterPaper &printer);
