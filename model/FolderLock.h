#pragma once

#include <QDateTime>
#include <QLockFile>

#include <optional>

inline constexpr char kFolderLockName[] = ".tobrel.lock";

// The lists of the current directory belong to one program at a time: whoever holds the
// lock file beside the stores may read and write them. A lock left by a process that no
// longer runs is taken over; a live holder keeps it however long it runs.
class FolderLock
{
public:
    enum class State { Locked, HeldByAnother, Unavailable };

    FolderLock();
    State tryLock();

    // After a lock was taken over: when the session that left it began, so that files it
    // had half written can be told from the user's own.
    std::optional<QDateTime> abandonedSessionStart() const { return m_abandonedSince; }

private:
    QLockFile m_file;
    std::optional<QDateTime> m_abandonedSince;
};
