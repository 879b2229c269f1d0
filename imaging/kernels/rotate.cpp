// Quarter turns and mirroring of 24-bit bitmaps.
#include "imaging/kernels/imaging.h"
#include "imaging/kernels/parallel.h"

#include <algorithm>
#include <cstring>

namespace imaging {

namespace {

constexpr int kBand = 64;

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
// A result row is a source column. Bands of kBand source rows are taken in turn: while
// the result rows of one band are written, the band's cache lines (one per source row,
// holding 21 pixels of the column) and its pages stay at hand.
void turnRows(ConstBitmapView src, BitmapView dst, int quarters, int y0, int y1)
{
    const int h = src.height;
    for (int x0 = 0; x0 < dst.width; x0 += kBand) {
        const int x1 = std::min(dst.width, x0 + kBand);
        const std::uint8_t* rows[kBand];
        for (int x = x0; x < x1; ++x) // result column x reads source row rows[x - x0]
            rows[x - x0] = src.row(quarters == 1 ? x : h - 1 - x);
        for (int y = y0; y < y1; ++y) {
            // Quarter 1: result (x, y) is source (w - 1 - y, x); quarter 3: source (y, h - 1 - x).
            const int column = 3 * (quarters == 1 ? src.width - 1 - y : y);
            std::uint8_t* to = dst.row(y) + 3 * x0;
            for (int i = 0; i < x1 - x0; ++i)
                copyPixel(to + 3 * i, rows[i] + column);
        }
    }
}

} // namespace

Bitmap FlipReverse(bool flip, bool reverse, ConstBitmapView bmp)
{
    if (bmp.bytesPerPixel != 3)
        throw ImagingError(kCantFlipReverse);
    Bitmap result = Bitmap::uninitialized(bmp.width, bmp.height, 3);
    BitmapView dst = result.view();
    detail::parallelFor(bmp.height, static_cast<long long>(bmp.width) * 3,
                        [&](int y0, int y1) { flipRows(bmp, dst, flip, reverse, y0, y1); });
    return result;
}

Bitmap Rotate90(std::int32_t angle, ConstBitmapView bmp)
{
    if (bmp.bytesPerPixel != 3)
        throw ImagingError(kCantRotate90);
    if (angle < 0 || angle % 90 != 0)
        throw ImagingError(kRotateAngle);
    const int quarters = (angle / 90) % 4;
    if (quarters == 0)
        return FlipReverse(false, false, bmp);
    if (quarters == 2)
        return FlipReverse(true, true, bmp);
    Bitmap result = Bitmap::uninitialized(bmp.height, bmp.width, 3);
    BitmapView dst = result.view();
    // Each worker writes its own result rows, so it reads its own source columns.
    detail::parallelFor(dst.height, static_cast<long long>(dst.width) * 3,
                        [&](int y0, int y1) { turnRows(bmp, dst, quarters, y0, y1); });
    return result;
}

} // namespace imaging
