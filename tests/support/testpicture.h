#pragma once

#include <cstdint>

// A picture no desktop shows by chance: cells of 8 x 8 pixels in colours
// drawn from a seed, coarse enough to survive a search's downscaling. Plain
// C++, so that the Win32 window of the Wine tests paints the same pixels.
namespace testpicture {

constexpr int cell = 8;

// 0xRRGGBB of pixel (x, y).
inline std::uint32_t pixel(std::uint32_t seed, int x, int y) {
    std::uint32_t state = seed * 2654435761u ^ std::uint32_t(x / cell) * 40503u ^
                          std::uint32_t(y / cell) * 2246822519u;
    // Two rounds of xorshift-multiply spread neighbouring cells far apart.
    for (int round = 0; round < 2; ++round) {
        state ^= state >> 15;
        state *= 0x2c1b3c6du;
        state ^= state >> 12;
    }
    return state & 0xffffff;
}

} // namespace testpicture
