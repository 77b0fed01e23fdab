// A CSV file given to --import or the window's import, and the export of what it held.
#include "Cp1250.h"
#include "CsvAddresses.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    const ParsedAddresses parsed = parseCsvAddresses(fromUtf8OrCp1250(bytes));
    csvAddressBytes(parsed.addresses);
    return 0;
}
