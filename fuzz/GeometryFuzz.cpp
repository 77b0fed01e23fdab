// Every placement on the preview and the page, for any floats a file or a dialog can bring
// (infinities and NaN too); the undefined-behaviour sanitizer reports any overflow.
#include "EnvelopeGeometry.h"

#include <cstring>

namespace {

class Input
{
public:
    Input(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}
    template <typename T> T next()
    {
        T value{};
        const std::size_t count = std::min(sizeof value, m_size);
        std::memcpy(&value, m_data, count);
        m_data += count;
        m_size -= count;
        return value;
    }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace EnvelopeGeometry;
    Input in(data, size);
    EnvelopeFormat format;
    for (float *length : {&format.width, &format.height, &format.senderLeft, &format.senderTop,
                          &format.addresseeLeft, &format.addresseeTop})
        *length = in.next<float>();
    const double scale =
        in.next<std::uint8_t>() % 4 == 0 ? in.next<double>() : 0.25 * in.next<std::uint8_t>();
    // Real devices: a few to a few thousand dots per inch.
    const int dpiX = 1 + in.next<std::uint16_t>() % 9600;
    const int dpiY = 1 + in.next<std::uint16_t>() % 9600;
    const double field[4] = {in.next<float>(), in.next<float>(), in.next<float>(),
                             in.next<float>()};
    const int points = in.next<int>();

    for (const QRect &box :
         {previewSenderBox(format, scale, dpiX, dpiY),
          previewAddresseeBox(format, scale, dpiX, dpiY),
          previewFieldBox(field[0], field[1], field[2], field[3], scale, dpiX, dpiY),
          printSenderRect(format, dpiX, dpiY), printAddresseeRect(format, dpiX, dpiY),
          printFieldRect(field[0], field[1], field[2], field[3], dpiX, dpiY)}) {
        // What the drawing code does with a box.
        if (box.width() > 0 && box.height() > 0)
            (void)box.adjusted(0, 0, -1, -1);
    }
    const QSize outline = previewOutline(format, scale);
    for (const QPoint corner : {QPoint(0, 0), QPoint(outline.width(), outline.height())})
        (void)previewOutlineToDevice(corner, dpiX, dpiY);
    (void)printFontPixels(points, dpiY);
    (void)pointFontPixels(scaledTenths(points, scale), dpiY);
    (void)charFormatTwips(points, scale);
    return 0;
}
