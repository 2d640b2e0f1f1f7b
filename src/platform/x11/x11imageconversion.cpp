#include "platform/x11/x11imageconversion.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace {

constexpr quint32 opaque = 0xff000000u;

// One colour channel of a pixel value, widened to 8 bits.
struct Channel {
    explicit Channel(unsigned long mask)
        : shift(mask ? std::countr_zero(mask) : 0), bits(std::popcount(mask)),
          mask(static_cast<quint32>(mask)) {}

    // Channels of more than 8 bits lose their low bits, narrower ones are
    // stretched so that their brightest value is 255.

    quint32 of(quint32 pixel) const {
        if (!bits)
            return 0;
        const quint32 value = (pixel & mask) >> shift;
        return bits >= 8 ? value >> (bits - 8) : value * 255 / ((1u << bits) - 1);
    }

    int shift;
    int bits;
    quint32 mask;
};

bool hostIsLsbFirst() {
    return std::endian::native == std::endian::little;
}

// The visual most servers give: 0x00RRGGBB in the host's byte order, which is
// RGB32 but for the unused top byte.
bool isHostRgb32(const XImage& image) {
    return image.bits_per_pixel == 32 && image.red_mask == 0xff0000 && image.green_mask == 0xff00 &&
           image.blue_mask == 0xff && (image.byte_order == LSBFirst) == hostIsLsbFirst();
}

quint32 readPixel(const unsigned char* bytes, int size, bool lsbFirst) {
    quint32 value = 0;
    for (int i = 0; i < size; ++i) {
        const int at = lsbFirst ? size - 1 - i : i;
        value = (value << 8) | bytes[at];
    }
    return value;
}

} // namespace

void copyToRgb32(const XImage& image, QImage& target, int x, int y) {
    const int width = image.width;
    if (isHostRgb32(image)) {
        for (int row = 0; row < image.height; ++row) {
            const auto* source =
                reinterpret_cast<const quint32*>(image.data + row * image.bytes_per_line);
            auto* line = reinterpret_cast<quint32*>(target.scanLine(y + row)) + x;
            for (int column = 0; column < width; ++column)
                line[column] = source[column] | opaque;
        }
        return;
    }
    const Channel red(image.red_mask), green(image.green_mask), blue(image.blue_mask);
    const int size = image.bits_per_pixel / 8;
    const bool lsbFirst = image.byte_order == LSBFirst;
    for (int row = 0; row < image.height; ++row) {
        const auto* source =
            reinterpret_cast<const unsigned char*>(image.data + row * image.bytes_per_line);
        auto* line = reinterpret_cast<quint32*>(target.scanLine(y + row)) + x;
        for (int column = 0; column < width; ++column) {
            const quint32 pixel = readPixel(source + column * size, size, lsbFirst);
            line[column] = opaque | red.of(pixel) << 16 | green.of(pixel) << 8 | blue.of(pixel);
        }
    }
}
