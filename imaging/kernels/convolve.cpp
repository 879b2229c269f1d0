// The 3 x 3 filters of the sharpen-and-blur tool. The picture is filtered in place:
// each band of rows keeps copies of the original rows around the one it writes, with
// the edge pixels repeated, so no row is read after it has been overwritten.
#include "imaging/kernels/imaging.h"
#include "imaging/kernels/parallel.h"
#include "imaging/kernels/simd.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace imaging {

namespace {

// Row-major weights (top-left .. bottom-right) and the power of two dividing the sum.
struct Kernel {
    std::array<int, 9> weights;
    int shift;
};

// Every divisor is a power of two: 8, 1, 16 and 32.
constexpr std::array<Kernel, kConvolveStyleCount> kKernels{{
    {{-1, -1, -1, -1, 16, -1, -1, -1, -1}, 3},
    {{0, -1, 0, -1, 5, -1, 0, -1, 0}, 0},
    {{2, 2, 2, 2, 0, 2, 2, 2, 2}, 4},
    {{3, 3, 3, 3, 8, 3, 3, 3, 3}, 5},
}};

using Row = std::vector<std::uint8_t>;

// A copy of a row with its first and last pixel repeated one place outwards.
void padRow(const std::uint8_t* row, int width, int bpp, Row& padded)
{
    padded.resize(static_cast<std::size_t>(width + 2) * bpp);
    std::memcpy(padded.data() + bpp, row, static_cast<std::size_t>(width) * bpp);
    std::memcpy(padded.data(), row, bpp);
    std::memcpy(padded.data() + static_cast<std::size_t>(width + 1) * bpp, row + static_cast<std::ptrdiff_t>(width - 1) * bpp, bpp);
}

// Sums fit 16 bits: |weight| x 255 summed is at most 8160. Truncating toward zero a
// negative sum gives 0 or less, which clamps to 0, so a shift of the non-negative part
// divides exactly.
template <int Style>
PAGINOR_INLINE void filterBytes(const std::uint8_t* up, const std::uint8_t* mid, const std::uint8_t* down, int bpp,
                                int count, std::uint8_t* out)
{
    constexpr Kernel k = kKernels[Style];
    for (int b = 0; b < count; ++b) {
        const int s = k.weights[0] * up[b] + k.weights[1] * up[b + bpp] + k.weights[2] * up[b + 2 * bpp] +
                      k.weights[3] * mid[b] + k.weights[4] * mid[b + bpp] + k.weights[5] * mid[b + 2 * bpp] +
                      k.weights[6] * down[b] + k.weights[7] * down[b + bpp] + k.weights[8] * down[b + 2 * bpp];
        const auto level = static_cast<std::int16_t>(std::max<std::int16_t>(static_cast<std::int16_t>(s), 0) >> k.shift);
        out[b] = static_cast<std::uint8_t>(std::min<std::int16_t>(level, 255));
    }
}

PAGINOR_VECTOR_CLONES
void filterRow(int style, const std::uint8_t* up, const std::uint8_t* mid, const std::uint8_t* down, int bpp,
               int count, std::uint8_t* out)
{
    if (bpp == 3) {
        switch (style) {
        case 0: return filterBytes<0>(up, mid, down, 3, count, out);
        case 1: return filterBytes<1>(up, mid, down, 3, count, out);
        case 2: return filterBytes<2>(up, mid, down, 3, count, out);
        default: return filterBytes<3>(up, mid, down, 3, count, out);
        }
    }
    switch (style) {
    case 0: return filterBytes<0>(up, mid, down, 4, count, out);
    case 1: return filterBytes<1>(up, mid, down, 4, count, out);
    case 2: return filterBytes<2>(up, mid, down, 4, count, out);
    default: return filterBytes<3>(up, mid, down, 4, count, out);
    }
}

// Writes a filtered row; a 32-bit pixel's fourth byte keeps its value.
void storeRow(const std::uint8_t* out, int width, int bpp, std::uint8_t* row)
{
    if (bpp == 3) {
        std::memcpy(row, out, static_cast<std::size_t>(width) * 3);
        return;
    }
    for (int x = 0; x < width; ++x)
        std::memcpy(row + 4 * x, out + 4 * x, 3);
}

struct Band {
    int y0, y1;
    Row above, below; // original rows y0 - 1 and y1, held at the picture's edges
};

void filterBand(int style, BitmapView bmp, Band& band)
{
    const int bpp = bmp.bytesPerPixel;
    const int count = bmp.width * bpp;
    Row prev = band.above, cur, next, out(static_cast<std::size_t>(count));
    padRow(bmp.row(band.y0), bmp.width, bpp, cur);
    for (int y = band.y0; y < band.y1; ++y) {
        if (y + 1 < band.y1)
            padRow(bmp.row(y + 1), bmp.width, bpp, next);
        else
            next = band.below;
        filterRow(style, prev.data(), cur.data(), next.data(), bpp, count, out.data());
        storeRow(out.data(), bmp.width, bpp, bmp.row(y));
        std::swap(prev, cur);
        std::swap(cur, next);
    }
}

} // namespace

void Convolve3x3(int style, BitmapView bmp)
{
    if (style < 0 || style >= kConvolveStyleCount)
        throw ImagingError(kBadConvolveStyle);
    if (bmp.bytesPerPixel != 3 && bmp.bytesPerPixel != 4)
        throw ImagingError(kNeeds24Or32Bit);
    if (bmp.width <= 0 || bmp.height <= 0)
        return;
    const int h = bmp.height;
    const int bands = detail::workerCount(h, static_cast<long long>(bmp.width) * bmp.bytesPerPixel * 9);
    std::vector<Band> work(bands);
    // The rows next to each band are copied before any band starts writing.
    for (int b = 0; b < bands; ++b) {
        Band& band = work[b];
        band.y0 = static_cast<int>(static_cast<long long>(h) * b / bands);
        band.y1 = static_cast<int>(static_cast<long long>(h) * (b + 1) / bands);
        padRow(bmp.row(std::max(band.y0 - 1, 0)), bmp.width, bmp.bytesPerPixel, band.above);
        padRow(bmp.row(std::min(band.y1, h - 1)), bmp.width, bmp.bytesPerPixel, band.below);
    }
    detail::parallelFor(bands, 1LL << 40, [&](int b0, int b1) {
        for (int b = b0; b < b1; ++b)
            if (work[b].y0 < work[b].y1)
                filterBand(style, bmp, work[b]);
    });
}

} // namespace imaging
