// "adresy.ar": senders, then addressees; only whole entries are kept.
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
    return 0;
}
