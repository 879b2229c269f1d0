#include "imaging/kernels/crop.h"

#include "imaging/kernels/adjust.h"

#include "core/translatable.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <new>

namespace imaging {

namespace {

constexpr std::array<std::string_view, kCropFilterItems> kLabels = {
    QT_TRANSLATE_NOOP("Paginor", "None"), QT_TRANSLATE_NOOP("Paginor", "Box"), QT_TRANSLATE_NOOP("Paginor", "Triangle"),
    QT_TRANSLATE_NOOP("Paginor", "Hermitite"), QT_TRANSLATE_NOOP("Paginor", "Bell"), QT_TRANSLATE_NOOP("Paginor", "Spline"),
    QT_TRANSLATE_NOOP("Paginor", "Lanczos3"), QT_TRANSLATE_NOOP("Paginor", "Mitchell")};

int roundToInt(double v)
{
    return static_cast<int>(std::nearbyint(v));
}

void checkZoom(double z)
{
    // The cut-out divides by z: nothing at or below 0 has a meaning.
    if (!(z > 0.0) || !std::isfinite(z))
        throw ImagingError(kBadZoom);
}

// A w x h bitmap of the working image's pixels from (x0, y0) on, white outside it.
Bitmap copyRect(ConstBitmapView src, int x0, int y0, int w, int h)
{
    Bitmap out = Bitmap::uninitialized(w, h, 4);
    for (int y = 0; y < h; ++y) {
        std::uint8_t* to = out.row(y);
        std::memset(to, 0xFF, static_cast<std::size_t>(w) * 4);
        const int sy = y0 + y;
        if (sy < 0 || sy >= src.height)
            continue;
        const int first = std::max(0, -x0);
        const int last = std::min(w, src.width - x0);
        if (first < last)
            std::memcpy(to + 4 * first, src.row(sy) + 4 * (x0 + first), static_cast<std::size_t>(last - first) * 4);
    }
    return out;
}

// Nearest pixels of the rectangle (x0, y0, w, h) of src spread over all of dst, white
// where the rectangle leaves src: the plain stretching of the "None" item.
void stretchRect(ConstBitmapView src, int x0, int y0, int w, int h, Bitmap& dst)
{
    for (int y = 0; y < dst.height(); ++y) {
        const int sy = y0 + static_cast<int>(static_cast<long long>(y) * h / dst.height());
        std::uint8_t* to = dst.row(y);
        for (int x = 0; x < dst.width(); ++x) {
            const int sx = x0 + static_cast<int>(static_cast<long long>(x) * w / dst.width());
            if (sy < 0 || sy >= src.height || sx < 0 || sx >= src.width)
                std::memset(to + 4 * x, 0xFF, 4);
            else
                std::memcpy(to + 4 * x, src.row(sy) + 4 * sx, 4);
        }
    }
}

} // namespace

std::string_view cropFilterLabel(int item)
{
    return kLabels.at(static_cast<std::size_t>(item));
}

PreviewPlacement zoomPreview(double z, int baseHeight, float aspectRatio, double left, double top, bool centre)
{
    checkZoom(z);
    const double b = baseHeight;
    const double ar = aspectRatio;
    PreviewPlacement p{roundToInt(left), roundToInt(top), roundToInt(z * b * ar), roundToInt(z * b)};
    if (centre) {
        p.top = roundToInt(b / 2 - z * b / 2);
        p.left = roundToInt(ar * b / 2 - z * b * ar / 2);
    }
    return p;
}

int mulDiv(long long a, long long b, long long c)
{
    if (c == 0)
        return -1;
    return static_cast<int>(std::llround(static_cast<double>(a) * static_cast<double>(b) / static_cast<double>(c)));
}

CutOut cutOut(ConstBitmapView working, double z, const PreviewPlacement& preview, float aspectRatio, int filterItem)
{
    checkZoom(z);
    if (filterItem < 0 || filterItem >= kCropFilterItems)
        throw ImagingError(kBadFilter);
    if (working.bytesPerPixel != 4)
        throw ImagingError(kNeeds24Or32Bit);
    const int W = working.width;
    const int H = working.height;
    const int cutWidth = std::max(1, roundToInt(W / z));
    const int cutHeight = std::max(1, roundToInt(H / z));
    if (double(cutWidth) * cutHeight > double(kMaxResultPixels))
        throw std::bad_alloc();
    CutOut result;
    if (filterItem == 0) {
        const int y0 = mulDiv(roundToInt(preview.top), H, preview.height);
        const int x0 = mulDiv(roundToInt(preview.left), W, preview.width);
        const int width = std::max(1, roundToInt(H * double(aspectRatio)));
        result.image = Bitmap::uninitialized(width, H, 4);
        stretchRect(working, -x0, -y0, cutWidth, cutHeight, result.image);
        return result;
    }
    const int y0 = mulDiv(roundToInt(preview.top * z), H, roundToInt(z * preview.height));
    const int x0 = mulDiv(roundToInt(preview.left * z), W, roundToInt(z * preview.width));
    result.image = copyRect(working, -x0, -y0, cutWidth, cutHeight);
    try {
        const int width = roundToInt(cutWidth * z), height = roundToInt(cutHeight * z);
        if (double(width) * height > double(kMaxResultPixels))
            throw ImagingError(kResampleTooLarge);
        Bitmap scaled = Bitmap::uninitialized(std::max(width, 1), std::max(height, 1), 3);
        ResampleBitmap(result.image.view(), scaled.view(), filterFromIndex(filterItem - 1));
        result.image = to32Bit(scaled.view());
    } catch (const ImagingError& e) {
        result.failure = core::messageOf(e);
    }
    return result;
}

} // namespace imaging
