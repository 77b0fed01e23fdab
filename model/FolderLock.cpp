#include "FolderLock.h"

#include <QFileInfo>

FolderLock::FolderLock() : m_file(QString::fromLatin1(kFolderLockName))
{
    // A bare name: the folder's own name may not be valid text. No age makes a lock
    // stale, only a holder that is gone.
    m_file.setStaleLockTime(0);
}

FolderLock::State FolderLock::tryLock()
{
    const QFileInfo previous(QString::fromLatin1(kFolderLockName));
    const QDateTime previousStart = previous.exists() ? previous.lastModified() : QDateTime();
    if (m_file.tryLock()) {
        if (previousStart.isValid())
            m_abandonedSince = previousStart;
        return State::Locked;
    }
    return m_file.error() == QLockFile::LockFailedError ? State::HeldByAnother
                                                          : State::Unavailable;
}

