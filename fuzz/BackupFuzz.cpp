// One backup kind (TOBREL_BACKUP_KIND) merged into a list that already holds an entry, and
// the report the user would read.
#include "Backup.h"
#include "FuzzInput.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    constexpr auto kind = BackupKind::TOBREL_BACKUP_KIND;
    const QString path = fuzzInputFile(data, size);
    RestoreOutcome outcome;
    if constexpr (kind == BackupKind::Envelopes) {
        EnvelopeFormatArray envelopes;
        EnvelopeFormat existing;
        existing.label = "C5";
        envelopes.Append(existing);
        outcome = restoreEnvelopeBackup(path, envelopes);
        if (envelopes.GetSize() != 1 + int(outcome.addedLabels.size()))
            std::abort();
    } else {
        AddressEntryArray entries;
        AddressEntry existing;
        existing.label = "Novák";
        entries.Append(existing);
        outcome = restoreAddressBackup(path, entries);
        if (entries.GetSize() != 1 + int(outcome.addedLabels.size()))
            std::abort();
    }
    if (outcome.whole)
        restoreReport(kind, outcome.skippedLabels);
    else
        unreadableBackupReport(kind, outcome);
    return 0;
}
