#pragma once

#include <QDateTime>

// A process killed while it saved leaves the temporary file of the safe writer (hidden, named
// by kPendingFilePrefix) beside the stores. Removes those in the current directory that were
// written since sessionStart, the start of the session that was killed; no other file is
// touched, however it is named. Call it only while holding the folder lock.
void removeSaveLeftovers(const QDateTime &sessionStart);
