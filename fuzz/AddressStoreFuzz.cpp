// "adresy.ar": senders, then addressees; only whole entries are kept.
#include "Archive.h"
#include "FuzzInput.h"
#include "StoreFiles.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    AddressEntryArray senders;
    AddressEntryArray addressees;
    const LoadReport report = loadAddressStore(fuzzInputFile(data, size), senders, addressees);
    if (report.keptEntries != senders.GetSize() + addressees.GetSize())
        std::abort();
    // The entries are views of the file's bytes: each must still be readable after the load.
    ArchiveWriter out;
    writeAddressList(out, senders);
    writeAddressList(out, addressees);
    return 0;
}
