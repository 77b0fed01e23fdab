#include "ListsFolder.h"

#include "StoreFiles.h"

ListsFolder::ListsFolder() : m_lockState(m_lock.tryLock())
{
    startReading();
}

bool ListsFolder::takeOverFromElsewhere()
{
    m_lockState = m_lock.tryLock(true);
    startReading();
    return m_lockState == FolderLock::State::Locked;
}

void ListsFolder::startReading()
{
    const bool ours =
        m_lockState == FolderLock::State::Locked || m_lockState == FolderLock::State::Unavailable;
    if (ours && !unsavedChangesWait())
        m_lists = std::async(std::launch::async, prepareLists);
}
