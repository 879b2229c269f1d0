// Laying transparent pixels over white: the page they are printed on is white.
#pragma once

#include <cstdint>

namespace imaging::detail {

// One row of 8-bit blue, green, red, alpha (not premultiplied) to blue, green, red.
inline void bgraRowOverWhite(const std::uint8_t* bgra, std::uint8_t* bgr, int width)
{
    for (int x = 0; x < width; ++x, bgra += 4, bgr += 3) {
        const unsigned a = bgra[3];
        for (int c = 0; c < 3; ++c) // a*v + (255-a)*255 over 255, rounded
            bgr[c] = static_cast<std::uint8_t>((bgra[c] * a + 255u * (255u - a) + 127u) / 255u);
    }
}

} // namespace imaging::detail
