#include "NumberText.h"

#include <charconv>
#include <climits>
#include <cstdlib>
#include <locale.h>

namespace {

// Qt sets the user's locale at start-up; the stored and shown numbers keep the full stop.
locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return locale;
}

std::string formatted(double value, std::chars_format format, int precision)
{
    char buffer[400]; // "%f" of the largest double has 309 digits before the point
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    return std::string(buffer, result.ptr);
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isCSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

} // namespace

std::string formatFloat(float value)
{
    return formatted(value, std::chars_format::general, 6);
}

std::string formatDouble(double value)
{
    return formatted(value, std::chars_format::general, 15);
}

std::string formatFixed(double value)
{
    return formatted(value, std::chars_format::fixed, 6);
}

std::optional<double> parseDialogNumber(std::string_view text)
{
    const std::string field(text.substr(0, 31));
    std::size_t start = 0;
    while (start < field.size() && isBlank(field[start]))
        ++start;
    const char *begin = field.c_str() + start;
    char *end = nullptr;
    const double value = strtod_l(begin, &end, cLocale());
    // The old runtime knew no hexadecimal, infinity or NaN forms: such text is no number.
    for (const char *c = begin; c != end; ++c) {
        if (std::string_view("0123456789+-.eE").find(*c) == std::string_view::npos)
            return std::nullopt;
    }
    if (value == 0.0 && *begin != '0')
        return std::nullopt;
    while (isBlank(*end))
        ++end;
    if (*end != '\0')
        return std::nullopt;
    return value;
}

int atoiC(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > 1LL + INT_MAX)
            value = 1LL + INT_MAX; // saturate like strtol instead of overflowing
    }
    value = negative ? -value : value;
    return value > INT_MAX ? INT_MAX : int(value);
}

// The old runtime's atof knew only the decimal form: "inf", "nan" and hexadecimal text read
// as 0 there, and must not bring a NaN or infinity in through a hand-edited profile.
double atofC(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isCSpace(text[i]))
        ++i;
    const std::size_t start = i;
    const auto digits = [&text, &i] {
        const std::size_t first = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
        return i - first;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t mantissa = digits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return 0.0;
    std::size_t end = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        if (digits() > 0)
            end = i;
    }
    const std::string number(text.substr(start, end - start));
    return strtod_l(number.c_str(), nullptr, cLocale());
}
