// "tobrel.ar": whatever the bytes, only whole entries are kept, and they save again.
#include "FuzzInput.h"
#include "StoreFiles.h"

#include "Archive.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    EnvelopeFormatArray envelopes;
    const LoadReport report = loadEnvelopeStore(fuzzInputFile(data, size), envelopes);
    if (report.keptEntries != envelopes.GetSize())
        std::abort();
    ArchiveWriter out;
    writeEnvelopeList(out, envelopes);
    return 0;
}
