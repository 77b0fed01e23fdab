#pragma once

#include "LogFont.h"
#include "Records.h"
#include "ThirdFieldSettings.h"

#include <QList>
#include <QRect>
#include <QString>

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

// The boxes of page whose text the page cuts off at their edges, in the same device pixels.
QList<QRect> cutTextBoxes(QPainter &painter, const EnvelopePage &page);

// One envelope per page on device, which painter was begun on, drawn page by page so that a
// long run holds one page at a time; ends painter. After each page goOn, when given, says
// whether to draw the next. Returns the pages drawn, or -1 when the device failed.
qsizetype printEnvelopes(QPainter &painter, QPagedPaintDevice &device, qsizetype count,
                         const std::function<EnvelopePage(qsizetype)> &pageAt,
                         const std::function<bool(qsizetype drawn)> &goOn = {});
