// A vCard file given to --import or the window's import, and the export of what it held.
#include "VCardAddresses.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const ParsedAddresses parsed = parseVCards(QByteArrayView(data, qsizetype(size)));
    vCardBytes(parsed.addresses);
    return 0;
}
