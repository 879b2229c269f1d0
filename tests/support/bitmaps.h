// Pictures for the tests that hand one to the kernels, a frame or a codec: one colour, or a
// colour worked out for every pixel.
#pragma once

#include "imaging/kernels/bitmap.h"

#include <array>
#include <cstdint>

namespace support {

// A 24-bit picture whose pixel (x, y) is colourAt(x, y): blue, green, red, each cut to a byte.
template <typename ColourAt> imaging::Bitmap paintedBitmap(int width, int height, ColourAt colourAt)
{
    imaging::Bitmap bmp(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::array<int, 3> bgr = colourAt(x, y);
            std::uint8_t* p = bmp.row(y) + 3 * x;
            for (int c = 0; c < 3; ++c)
                p[c] = static_cast<std::uint8_t>(bgr[c]);
        }
    return bmp;
}

// blue, green, red in the bitmap's byte order; a fourth byte, when there is one, stays 0.
inline imaging::Bitmap solidBitmap(int width, int height, int blue, int green, int red, int bytesPerPixel = 3)
{
    imaging::Bitmap bmp(width, height, bytesPerPixel);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = bmp.row(y) + x * bytesPerPixel;
            p[0] = static_cast<std::uint8_t>(blue);
            p[1] = static_cast<std::uint8_t>(green);
            p[2] = static_cast<std::uint8_t>(red);
        }
    return bmp;
}

} // namespace support
