#include "PreparedLists.h"

#include "RecoveryFile.h"

#include <future>

namespace {
template <typename Array> LabelListModel::Order orderOf(const Array &entries)
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
    // The two long lists are sorted at once, on two cores.
    auto senderOrder = std::async(std::launch::async, [&lists] { return orderOf(lists.senders); });
    prepared.envelopeOrder = orderOf(lists.envelopes);
    prepared.addresseeOrder = orderOf(lists.addressees);
    prepared.senderOrder = senderOrder.get();
    return prepared;
}
