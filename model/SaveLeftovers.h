#pragma once

#include <QDateTime>

// A process killed while it saved leaves the temporary copy "<name>.XXXXXX" of a store or
// of the recovery file beside it. Removes those in the current directory that were written
// since sessionStart, the start of the session that was killed, so a file the user named
// alike before it ("adresy.ar.zaloha") stays. Call it only while holding the folder lock.
void removeSaveLeftovers(const QDateTime &sessionStart);
