// The decoded samples' copy into a bitmap's rows; see sample_rows.h.
#include "imaging/codecs/sample_rows.h"

#include "imaging/codecs/codec_messages.h"
#include "imaging/kernels/over_white.h"
#include "imaging/kernels/parallel.h"

namespace imaging::detail {

void refuseData(const std::string& name, const std::string& detail)
{
    throw ImagingError(msg::compose(msg::kNotAccepted, name, detail));
}

void copyRgbRows(const std::uint8_t* src, std::ptrdiff_t srcStride, int channels, int bits, Bitmap& out)
{
    const int width = out.width();
    const unsigned maxValue = (1u << bits) - 1;
    parallelFor(out.height(), static_cast<long long>(width) * channels * 2, [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            std::uint8_t* o = out.row(y);
            if (bits == 8) {
                const std::uint8_t* s = src + y * srcStride;
                for (int x = 0; x < width; ++x, s += channels, o += 3) {
                    if (channels == 4 && s[3] != 255) {
                        const unsigned a = s[3];
                        o[0] = static_cast<std::uint8_t>(overWhite(s[2], a));
                        o[1] = static_cast<std::uint8_t>(overWhite(s[1], a));
                        o[2] = static_cast<std::uint8_t>(overWhite(s[0], a));
                    } else {
                        o[0] = s[2];
                        o[1] = s[1];
                        o[2] = s[0];
                    }
                }
            } else {
                const auto* s = reinterpret_cast<const std::uint16_t*>(src + y * srcStride);
                for (int x = 0; x < width; ++x, s += channels, o += 3) {
                    std::uint8_t rgb[3] = {narrowSample(s[0], maxValue), narrowSample(s[1], maxValue), narrowSample(s[2], maxValue)};
                    if (channels == 4) {
                        const unsigned a = narrowSample(s[3], maxValue);
                        for (std::uint8_t& c : rgb)
                            c = static_cast<std::uint8_t>(overWhite(c, a));
                    }
                    o[0] = rgb[2];
                    o[1] = rgb[1];
                    o[2] = rgb[0];
                }
            }
        }
    });
}

} // namespace imaging::detail
