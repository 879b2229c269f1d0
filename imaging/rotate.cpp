// Quarter turns and mirroring of 24-bit bitmaps. A turn walks the picture in square
// tiles so that both the rows read and the rows written stay in the cache.
#include "imaging/imaging.h"
#include "imaging/parallel.h"

#include <algorithm>
#include <cstring>

namespace imaging {

namespace {

constexpr int kTile = 32;

void copyPixel(std::uint8_t* to, const std::uint8_t* from)
{
    std::memcpy(to, from, 3);
}

// Rows y0 .. y1 - 1 of src mirrored as asked into the same rows of dst.
void flipRows(ConstBitmapView src, BitmapView dst, bool flip, bool reverse, int y0, int y1)
{
    const int w = src.width;
    for (int y = y0; y < y1; ++y) {
        const std::uint8_t* from = src.row(flip ? src.height - 1 - y : y);
        std::uint8_t* to = dst.row(y);
        if (!reverse) {
            std::memcpy(to, from, static_cast<std::size_t>(w) * 3);
            continue;
        }
        for (int x = 0; x < w; ++x)
            copyPixel(to + 3 * x, from + 3 * (w - 1 - x));
    }
}

// Result rows y0 .. y1 - 1 of a quarter turn (quarters 1 or 3); result size h x w.
void turnRows(ConstBitmapView src, BitmapView dst, int quarters, int y0, int y1)
{
    const int w = src.width, h = src.height;
    for (int tx = 0; tx < dst.width; tx += kTile) {
        const int xEnd = std::min(dst.width, tx + kTile);
        for (int y = y0; y < y1; ++y) {
            std::uint8_t* to = dst.row(y);
            if (quarters == 1) { // result (x', y') is source (w - 1 - y', x')
                const int column = 3 * (w - 1 - y);
                for (int x = tx; x < xEnd; ++x)
                    copyPixel(to + 3 * x, src.row(x) + column);
            } else { // result (x', y') is source (y', h - 1 - x')
                const int column = 3 * y;
                for (int x = tx; x < xEnd; ++x)
                    copyPixel(to + 3 * x, src.row(h - 1 - x) + column);
            }
        }
    }
}

} // namespace

Bitmap FlipReverse(bool flip, bool reverse, ConstBitmapView bmp)
{
    if (bmp.bytesPerPixel != 3)
        throw ImagingError(std::string(kCantFlipReverse));
    Bitmap result(bmp.width, bmp.height, 3);
    BitmapView dst = result.view();
    detail::parallelFor(bmp.height, static_cast<long long>(bmp.width) * 3,
                        [&](int y0, int y1) { flipRows(bmp, dst, flip, reverse, y0, y1); });
    return result;
}

Bitmap Rotate90(std::int32_t angle, ConstBitmapView bmp)
{
    if (bmp.bytesPerPixel != 3)
        throw ImagingError(std::string(kCantRotate90));
    if (angle < 0 || angle % 90 != 0)
        throw ImagingError(std::string(kRotateAngle));
    const int quarters = (angle / 90) % 4;
    if (quarters == 0)
        return FlipReverse(false, false, bmp);
    if (quarters == 2)
        return FlipReverse(true, true, bmp);
    Bitmap result(bmp.height, bmp.width, 3);
    BitmapView dst = result.view();
    // Bands of whole tiles of result rows, so each worker reads its own source columns.
    detail::parallelFor(
        dst.height, static_cast<long long>(dst.width) * 3,
        [&](int y0, int y1) {
            for (int ty = y0; ty < y1; ty += kTile)
                turnRows(bmp, dst, quarters, ty, std::min(y1, ty + kTile));
        },
        kTile);
    return result;
}

} // namespace imaging
