#pragma once

#include <QIcon>

// An icon of the program's resources by its file name without extension ("tobrel",
// "new_envelope", ...).
QIcon appIcon(const char *name);
