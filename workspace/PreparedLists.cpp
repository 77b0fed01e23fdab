#include "PreparedLists.h"

#include "RecordListModel.h"
#include "RecoveryFile.h"

#include <future>

PreparedLists prepareLists()
{
    PreparedLists prepared;
    prepared.stored = WorkspaceStores::readLists();
    const StoredLists &lists = prepared.stored;
    prepared.fingerprint =
        RecoveryFile::fingerprintOf(lists.envelopes, lists.senders, lists.addressees);
    // The two long lists are sorted at once, on two cores.
    auto senderOrder =
        std::async(std::launch::async, [&lists] { return listOrder(lists.senders); });
    prepared.envelopeOrder = listOrder(lists.envelopes);
    prepared.addresseeOrder = listOrder(lists.addressees);
    prepared.senderOrder = senderOrder.get();
    return prepared;
}
