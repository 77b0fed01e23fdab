#include "ClippedText.h"

#include "LogFontQt.h"

#include <QPainter>
#include <QRect>
#include <QString>

void drawClippedText(QPainter &painter, const QRect &rect, const QString &text)
{
    if (text.isEmpty())
        return;
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop, text);
    painter.restore();
}

QFont fontWithPixelHeight(const LOGFONT &record, int pixels)
{
    QFont font = fontFromLogFont(record);
    if (pixels > 0)
        font.setPixelSize(pixels);
    return font;
}
