#pragma once

#include "LogFont.h"

#include <QFont>

class QPainter;
class QRect;
class QString;

// Text as the envelope has always been drawn: left and top aligned, broken only at the
// text's own line breaks, never wrapped, clipped to its rectangle; '&' is printed as it
// stands. Nothing is drawn for an empty text.
void drawClippedText(QPainter &painter, const QRect &rect, const QString &text);

// Whether drawClippedText shows all of text in rect with the painter's font, or cuts some off.
bool textFitsIn(const QPainter &painter, const QRect &rect, const QString &text);

// The font of a record at a character height in device pixels; zero or less keeps the
// default size, as the old font height 0 did.
QFont fontWithPixelHeight(const LOGFONT &record, int pixels);
