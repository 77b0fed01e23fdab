#include "ListsFolder.h"

#include "StoreFiles.h"

#include <QFile>

ListsFolder::ListsFolder() : m_lockState(m_lock.tryLock())
{
    if (m_lockState != FolderLock::State::HeldByAnother &&
        !QFile::exists(QString::fromLatin1(kRecoveryFileName)))
        m_lists = std::async(std::launch::async, prepareLists);
}
