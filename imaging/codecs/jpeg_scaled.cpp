// Scaled JPEG decoding, with the full decoder's reader, managers and error handling
// (jpeg_library.h).
#include "imaging/codecs/jpeg_scaled.h"

#include "imaging/codecs/codec_internal.h"
#include "imaging/codecs/codec_messages.h"
#include "imaging/codecs/jpeg_library.h"

#include <algorithm>
#include <vector>

namespace imaging {

int jpegScaledLength(int length, int eighths)
{
    return static_cast<int>((static_cast<long long>(length) * eighths + 7) / 8);
}

int jpegScaleFor(int width, int height, int minWidth, int minHeight)
{
    for (int eighths = 1; eighths < 8; ++eighths)
        if (jpegScaledLength(width, eighths) >= minWidth && jpegScaledLength(height, eighths) >= minHeight)
            return eighths;
    return 8;
}

Bitmap decodeJpegScaled(std::span<const std::uint8_t> data, int eighths, const std::string& name,
                        const DecodeOptions& options)
{
    eighths = std::clamp(eighths, 1, 8);
    const ProgressFn none; // the reader keeps its address
    detail::JpegReader d{};
    detail::JpegReaderGuard guard{d};
    d.wantProfile = options.useColourProfiles;
    detail::startJpegReader(d, data, none, name);
    d.cinfo.scale_num = static_cast<unsigned>(eighths);
    d.cinfo.scale_denom = 8;
    const bool cmyk = d.cinfo.jpeg_color_space == JCS_CMYK || d.cinfo.jpeg_color_space == JCS_YCCK;
    d.cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    const bool scaled = detail::callJpeg(d.err, [&] {
        jpeg_calc_output_dimensions(&d.cinfo);
        return true;
    });
    if (!scaled)
        detail::throwJpegFailure(d.err, msg::kCorruptJpeg, name);
    // The full size is checked, as the full decode will be asked for it later.
    detail::checkImageSize(d.cinfo.image_width, d.cinfo.image_height, name);
    detail::checkJpegDataCanHoldPicture(d.cinfo, data.size(), name);
    d.cinfo.mem->max_memory_to_use = static_cast<long>(detail::maxImageBytes());
    Bitmap bmp(static_cast<int>(d.cinfo.output_width), static_cast<int>(d.cinfo.output_height), 3);
    std::vector<JSAMPLE> cmykRow(cmyk ? std::size_t(d.cinfo.output_width) * 4 : 0);
    if (!detail::readAllJpegRows(d, bmp.data(), bmp.stride(), cmykRow.data()))
        detail::throwJpegFailure(d.err, msg::kCorruptJpeg, name);
    // The screen's copy takes the colours the printed picture will have.
    if (d.icc != nullptr && !cmyk)
        detail::convertToSrgb({d.icc, d.iccLength}, bmp.view());
    return bmp;
}

} // namespace imaging
