#pragma once

#include "FolderLock.h"
#include "PreparedLists.h"

#include <future>

// The folder of the lists as start-up finds it before the application object exists: locked
// for this program, and its lists already being read and sorted on another thread, so that
// the reading overlaps the building of the window.
class ListsFolder
{
public:
    ListsFolder();

    FolderLock::State lockState() const { return m_lockState; }
    QString lockProblem() const { return m_lock.problemText(m_lockState); }
    // The user chose to open lists that another computer's Tobrel has locked.
    bool takeOverFromElsewhere();
    std::optional<QDateTime> abandonedSessionStart() const
    {
        return m_lock.abandonedSessionStart();
    }
    // The lists being read; none when the folder is another program's or a previous
    // session's changes wait to be offered instead.
    std::future<PreparedLists> takeLists() { return std::move(m_lists); }

private:
    void startReading();

    // Released last, after the window and the view have saved.
    FolderLock m_lock;
    FolderLock::State m_lockState;
    std::future<PreparedLists> m_lists;
};
