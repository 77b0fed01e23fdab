#pragma once

#include "LogFont.h"
#include "Records.h"
#include "ThirdFieldSettings.h"

#include <QList>
#include <QRect>
#include <QString>
#include <QTransform>

#include <functional>
#include <optional>

class QPagedPaintDevice;
class QPainter;

// What one printed envelope carries: the two texts as the boxes hold them now, the print
// font, the selected format (none: an empty page) and the third field while it is shown.
struct EnvelopePage
{
    QString senderText;
    QString addresseeText;
    LOGFONT printFont{};
    int printFontSize = 12; // whole points
    std::optional<EnvelopeFormat> format;
    std::optional<ThirdFieldValues> thirdField;
};

// The one drawing routine of the page, for the printer, the print preview and PDF files:
// device pixels of the painter's device from its top-left, at true size.
void drawEnvelopePage(QPainter &painter, const EnvelopePage &page);

// A box of the page whose text will not all come out: the first line cut off at the box's
// edge (the envelope's, or the third field's own), or else the first that runs into an edge
// the printer cannot print on.
struct CutText
{
    enum class Box
    {
        Sender,
        Addressee,
        ThirdField
    } box;
    QRect rect; // the box, in the page's device pixels
    int line;   // from 0
    QString lineText;
    bool atPrinterEdge;
};

// The cut boxes of page drawn with painter; unprintable: the strips the printer cannot reach,
// in the device's own pixels (through the painter's transform).
QList<CutText> cutTexts(QPainter &painter, const EnvelopePage &page,
                        const QList<QRect> &unprintable = {});

// The cut texts of count pages measured as a printer of that resolution draws them: with Qt's
// PDF engine, the envelope taken to the device by toDevice, against the device's unprintable
// strips. found gets each page's index and cut.
void findCutTexts(qsizetype count, const std::function<EnvelopePage(qsizetype)> &pageAt,
                  int resolution, const QTransform &toDevice, const QList<QRect> &unprintable,
                  const std::function<void(qsizetype, const CutText &)> &found);

// The cut in words, for the user: which box, which line and why.
QString describeCut(const CutText &cut);

// One envelope per page on device, which painter was begun on, drawn page by page so that a
// long run holds one page at a time; ends painter. After each page goOn, when given, says
// whether to draw the next. Returns the pages drawn, or -1 when the device failed.
qsizetype printEnvelopes(QPainter &painter, QPagedPaintDevice &device, qsizetype count,
                         const std::function<EnvelopePage(qsizetype)> &pageAt,
                         const std::function<bool(qsizetype drawn)> &goOn = {});
