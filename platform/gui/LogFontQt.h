#pragma once

#include "LogFont.h"

#include <QFont>

// The stored font record and Qt's font. Size is not part of the record's use here: callers
// set pixel or point sizes themselves.
QFont fontFromLogFont(const LOGFONT &font);
LOGFONT logFontFromFont(const QFont &font);
