// "pismo.bin": a damaged file gives the default font; the face name always ends in time.
#include "FuzzInput.h"
#include "StoreFiles.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    PrintFont font = defaultPrintFont();
    loadPrintFont(fuzzInputFile(data, size), font);
    if (std::memchr(font.font.lfFaceName, 0, sizeof font.font.lfFaceName) == nullptr)
        std::abort();
    return 0;
}
