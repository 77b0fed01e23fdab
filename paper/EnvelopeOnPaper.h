#pragma once

#include "PrinterPaper.h"
#include "Records.h"

#include <QPageLayout>
#include <QSizeF>
#include <QTransform>

// One envelope on one printer's paper: the page to ask the printer for, and the transform
// that takes the envelope's drawing (device pixels from the envelope's top-left corner) to
// that page. With a printer's default settings the page is the envelope and the transform
// is the identity.
class EnvelopeOnPaper
{
public:
    EnvelopeOnPaper(const EnvelopeFormat &format, const PrinterPaper &printer);
    EnvelopeOnPaper(QSizeF envelopeMillimetres, const PrinterPaper &printer);

    // Set with the printer's full page on, so coordinates start at the paper's corner.
    const QPageLayout &pageLayout() const { return m_pageLayout; }
    QTransform transform(int dpiX, int dpiY) const;
    // The same in millimetres.
    const QTransform &transformMillimetres() const { return m_millimetres; }

private:
    QPageLayout m_pageLayout;
    QTransform m_millimetres;
};
