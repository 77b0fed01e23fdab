// The numbers typed into the dialogs and read from the profile file.
#include "NumberText.h"

#include <cmath>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    if (const std::optional<double> value = parseDialogNumber(text)) {
        // What the dialog shows again (15 digits) must read as a number again.
        if (std::isfinite(*value) && !parseDialogNumber(formatDouble(*value)))
            std::abort();
    }
    atoiC(text);
    formatFixed(atofC(text));
    formatFloat(float(atofC(text)));
    return 0;
}
