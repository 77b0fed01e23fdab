// "tobrel-obnova.ar": formats, senders, addressees; only whole entries are kept.
#include "Archive.h"
#include "FuzzInput.h"
#include "StoreFiles.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    EnvelopeFormatArray envelopes;
    AddressEntryArray senders;
    AddressEntryArray addressees;
    const LoadReport report =
        loadRecoveryStore(fuzzInputFile(data, size), envelopes, senders, addressees);
    if (report.keptEntries != envelopes.GetSize() + senders.GetSize() + addressees.GetSize())
        std::abort();
    // What was offered back is what the session would write again.
    ArchiveWriter out;
    writeEnvelopeList(out, envelopes);
    writeAddressList(out, senders);
    writeAddressList(out, addressees);
    return 0;
}
