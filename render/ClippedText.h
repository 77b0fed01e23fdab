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

// The first line (from 0) of text that drawClippedText cuts off in rect with the painter's
// font, at the rect's right or bottom edge; -1 when all of it shows.
int firstCutLine(const QPainter &painter, const QRect &rect, const QString &text);

// Where drawClippedText puts line (from 0) of text in rect: from the rect's left, as wide as
// the line's text, within rect.
QRect lineRect(const QPainter &painter, const QRect &rect, const QString &text, int line);

// The font of a record at a character height in device pixels; zero or less keeps the
// default size, as the old font height 0 did.
QFont fontWithPixelHeight(const LOGFONT &record, int pixels);
