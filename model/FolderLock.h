#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

inline constexpr char kFolderLockName[] = ".tobrel.lock";

// The lists of the current directory belong to one program at a time: whoever holds the
// lock file beside the stores may read and write them. The holder keeps the file locked
// with flock(), which the system releases when the holder ends however it ends, so a lock
// file that nobody alive holds (left by a killed process, emptied or garbled by a power cut,
// unreadable) is taken over. A lock written on another computer cannot be checked from
// here: it is only taken over when the user says so.
class FolderLock
{
public:
    enum class State
    {
        Locked,
        HeldByAnother, // a live Tobrel of this computer
        HeldElsewhere, // a Tobrel of another computer
        NotAFile,      // a directory, link or device has the lock's name
        Unavailable    // no file can be made here (a read-only medium)
    };
    struct Holder
    {
        QString host;
        qint64 pid = 0;
        QDateTime since;
    };

    FolderLock() = default;
    ~FolderLock();
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

    // evenFromElsewhere: another computer's lock is taken over too.
    State tryLock(bool evenFromElsewhere = false);
    // What the user is told about a lock held on another computer or a lock that is no
    // file, naming the folder, and the computer, process and time or the lock's name.
    QString problemText(State state) const;

    // After a lock was taken over: when the session that left it began, so that files it
    // had half written can be told from the user's own.
    std::optional<QDateTime> abandonedSessionStart() const { return m_abandonedSince; }

private:
    int m_fd = -1;
    Holder m_holder;
    std::optional<QDateTime> m_abandonedSince;
};
