// Laying transparent pixels over white: the page they are printed on is white.
#pragma once

#include <cstdint>

namespace imaging::detail {

// One 8-bit sample v of alpha a (not premultiplied) laid over white: a*v + (255-a)*255
// over 255, rounded.
inline unsigned overWhite(unsigned v, unsigned a)
{
    return (v * a + 255u * (255u - a) + 127u) / 255u;
}

// One row of 8-bit blue, green, red, alpha (not premultiplied) to blue, green, red.
inline void bgraRowOverWhite(const std::uint8_t* bgra, std::uint8_t* bgr, int width)
{
    for (int x = 0; x < width; ++x, bgra += 4, bgr += 3) {
        const unsigned a = bgra[3];
        for (int c = 0; c < 3; ++c)
            bgr[c] = static_cast<std::uint8_t>(overWhite(bgra[c], a));
    }
}

} // namespace imaging::detail
