// Fitting a picture to the frames' shape: same height, width from the aspect ratio.
#include "imaging/kernels/imaging.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace imaging {

Bitmap fitToAspectRatio(ConstBitmapView src, float aspectRatio)
{
    if (src.bytesPerPixel != 3 && src.bytesPerPixel != 4)
        throw ImagingError(kNeeds24Or32Bit);
    const long double wanted = static_cast<long double>(src.height) * aspectRatio;
    if (!std::isfinite(wanted) || !(aspectRatio > 0.0f))
        throw ImagingError(kBadAspectRatio);
    const long double width = std::nearbyint(wanted);
    if (width < 1.0L || width * src.height > static_cast<long double>(kMaxResultPixels))
        throw ImagingError(kBadAspectRatio);

    Bitmap result(static_cast<int>(width), src.height, 3);
    // Blank strips are white, as the page behind the picture is.
    std::memset(result.data(), 0xFF, static_cast<std::size_t>(result.stride()) * result.height());
    // round((new width - picture width) / 2): a negative offset cuts both sides alike.
    const auto offset = static_cast<long long>(std::nearbyint((width - src.width) / 2.0L));
    const long long first = std::max(0LL, -offset);
    const long long last = std::min<long long>(src.width, result.width() - offset);
    for (int y = 0; y < src.height; ++y) {
        const std::uint8_t* from = src.row(y);
        std::uint8_t* to = result.row(y);
        for (long long x = first; x < last; ++x)
            std::memcpy(to + 3 * (x + offset), from + src.bytesPerPixel * x, 3);
    }
    return result;
}

} // namespace imaging
