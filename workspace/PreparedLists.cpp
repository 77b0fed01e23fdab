#include "PreparedLists.h"

#include "RecoveryFile.h"

namespace {
template <typename T> LabelListModel::Order orderOf(const RecordArray<T> &entries)
{
    return LabelListModel::sortedOrder(
        entries.GetSize(), [&entries](int entry) -> std::string_view {
            return entries.ElementAt(entry).label;
        });
}
} // namespace

PreparedLists prepareLists()
{
    PreparedLists prepared;
    prepared.stored = WorkspaceStores::readLists();
    const StoredLists &lists = prepared.stored;
    prepared.fingerprint =
        RecoveryFile::fingerprintOf(lists.envelopes, lists.senders, lists.addressees);
    prepared.envelopeOrder = orderOf(lists.envelopes);
    prepared.senderOrder = orderOf(lists.senders);
    prepared.addresseeOrder = orderOf(lists.addressees);
    return prepared;
}
