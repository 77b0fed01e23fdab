// The numbers typed into the dialogs and read from the profile file.
#include "NumberText.h"

#include <cmath>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    if (const std::optional<double> value = parseDialogNumber(text)) {
        // What the dialog shows again must read as the same number.
        const std::optional<double> again = parseDialogNumber(formatDouble(*value));
        if (std::isfinite(*value) && (!again || *again != *value))
            std::abort();
    }
    atoiC(text);
    formatFixed(atofC(text));
    formatFloat(float(atofC(text)));
    return 0;
}
