// "lerbot.ini" as the third field reads it, then one value written back into it. The
// first two lines of the input name the section and the key; the rest is the file.
#include "FuzzInput.h"
#include "LogFont.h"
#include "PrivateProfile.h"

#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::string_view input(reinterpret_cast<const char *>(data), size);
    const auto line = [&input] {
        const std::size_t end = std::min(input.find('\n'), input.size());
        const std::string_view text = input.substr(0, end);
        input.remove_prefix(std::min(end + 1, input.size()));
        return std::string(text);
    };
    const std::string section = line();
    const std::string key = line();
    const QString path =
        fuzzInputFile(reinterpret_cast<const std::uint8_t *>(input.data()), input.size());
    const std::string value = GetPrivateProfileStringA(section, key, " default ", 260, path);
    if (value.size() > 259)
        std::abort();
    LOGFONT font{};
    GetPrivateProfileStructA("TRETI_OKNO", "font", &font, sizeof font, path);
    if (WritePrivateProfileStringA(section, key, "12.5", path) &&
        GetPrivateProfileStringA(section, key, "", 260, path) != "12.5")
        std::abort();
    return 0;
}
