#include "ClippedText.h"

#include "LogFontQt.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRect>
#include <QString>

#include <algorithm>

namespace {
// Lines follow each other at the font's height without its external leading, as the
// envelopes have always been printed; Qt's own line spacing would add the leading.
int lineStep(const QPainter &painter)
{
    return QFontMetrics(painter.font(), painter.device()).height();
}
} // namespace

void drawClippedText(QPainter &painter, const QRect &rect, const QString &text)
{
    if (text.isEmpty())
        return;
    const int lineStep = ::lineStep(painter);
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    QRect lineRect(rect.left(), rect.top(), qMax(rect.width(), 0), lineStep);
    for (const QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        if (lineRect.top() >= rect.bottom() + 1)
            break;
        if (!line.isEmpty())
            painter.drawText(lineRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                             line.toString());
        lineRect.translate(0, lineStep);
    }
    painter.restore();
}

int firstCutLine(const QPainter &painter, const QRect &rect, const QString &text)
{
    if (text.isEmpty())
        return -1;
    const QFontMetrics metrics(painter.font(), painter.device());
    const int step = lineStep(painter);
    const QList<QStringView> lines = QStringView(text).split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i)
        if ((i + 1) * qint64(step) > rect.height() ||
            metrics.horizontalAdvance(lines[i].toString()) > rect.width())
            return int(i);
    return -1;
}

QRect lineRect(const QPainter &painter, const QRect &rect, const QString &text, int line)
{
    const QString lineText = text.section(QLatin1Char('\n'), line, line);
    const int step = lineStep(painter);
    const QRect whole(rect.left(), rect.top() + line * step,
                      QFontMetrics(painter.font(), painter.device()).horizontalAdvance(lineText),
                      step);
    return whole.intersected(rect);
}

QFont fontWithPixelHeight(const LOGFONT &record, int pixels)
{
    QFont font = fontFromLogFont(record);
    if (pixels > 0)
        font.setPixelSize(pixels);
    return font;
}
