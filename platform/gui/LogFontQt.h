#pragma once

#include "LogFont.h"

#include <QFont>

// The stored font record and Qt's font. Size is not part of the record's use here: callers
// set pixel or point sizes themselves.
QFont fontFromLogFont(const LOGFONT &font);
// The record as Windows' font dialog fills it for a scalable face: face name, weight,
// effects, the Central European character set, stroke precision, draft quality, and pitch
// and family of the face actually drawn. The height stays 0.
LOGFONT logFontFromFont(const QFont &font);
