#include "MulDiv.h"

#include <cstdint>
#include <limits>

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const std::int64_t product = std::int64_t(a) * b;
    const bool negative = (product < 0) != (c < 0);
    // Magnitudes as unsigned so that INT_MIN and the largest product cannot overflow.
    const std::uint64_t magnitude =
        product < 0 ? 0 - std::uint64_t(product) : std::uint64_t(product);
    const std::uint64_t divisor = c < 0 ? 0 - std::uint64_t(std::int64_t(c)) : std::uint64_t(c);
    const std::uint64_t rounded = (magnitude + divisor / 2) / divisor;
    if (rounded > std::uint64_t(std::numeric_limits<int>::max()))
        return -1;
    return negative ? -int(rounded) : int(rounded);
}

QPoint HIMETRICtoDP(QPoint himetric, int dpiX, int dpiY)
{
    return QPoint(MulDiv(himetric.x(), dpiX, 2540), MulDiv(himetric.y(), dpiY, 2540));
}
