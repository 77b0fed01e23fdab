// One backup kind (TOBREL_BACKUP_KIND) merged into a list that already holds an entry, and
// the report the user would read.
#include "Backup.h"
#include "FuzzInput.h"

#include <cstdlib>

namespace {
// Every entry the restore reports as added is in the list, beside the one it held.
template <typename List>
RestoreOutcome restoreBeside(const char *heldLabel, const QString &path,
                             RestoreOutcome (*restore)(const QString &, List &))
{
    List list;
    typename List::Entry held;
    held.label = heldLabel;
    list.Append(held);
    const RestoreOutcome outcome = restore(path, list);
    if (list.GetSize() != 1 + int(outcome.addedLabels.size()))
        std::abort();
    return outcome;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    constexpr auto kind = BackupKind::TOBREL_BACKUP_KIND;
    const QString path = fuzzInputFile(data, size);
    const RestoreOutcome outcome = kind == BackupKind::Envelopes
                                       ? restoreBeside("C5", path, restoreEnvelopeBackup)
                                       : restoreBeside("Novák", path, restoreAddressBackup);
    if (outcome.whole)
        restoreReport(kind, outcome.skippedLabels);
    else
        unreadableBackupReport(kind, outcome);
    return 0;
}
