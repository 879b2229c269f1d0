// JPEG XL through libjxl: the picture (the first frame of an animation) into a 24-bit
// bitmap, upright by its codestream's orientation, in sRGB.
#include "imaging/codecs/codec_internal.h"
#include "imaging/codecs/modern_formats.h"
#include "imaging/codecs/sample_rows.h"
#include "imaging/kernels/orientation.h"

#include <memory>
#include <new>

#include <jxl/decode.h>
#include <jxl/resizable_parallel_runner.h>

namespace imaging {
namespace detail {
namespace {

struct JxlDecoderDeleter {
    void operator()(JxlDecoder* d) const { JxlDecoderDestroy(d); }
};
struct JxlRunnerDeleter {
    void operator()(void* r) const { JxlResizableParallelRunnerDestroy(r); }
};

} // namespace

Bitmap decodeJxl(std::span<const std::uint8_t> data, const DecodeOptions& options, const ProgressFn& progress,
                 const std::string& name)
{
    report(progress, 0);
    std::unique_ptr<JxlDecoder, JxlDecoderDeleter> dec(JxlDecoderCreate(nullptr));
    std::unique_ptr<void, JxlRunnerDeleter> runner(JxlResizableParallelRunnerCreate(nullptr));
    if (!dec || !runner)
        throw std::bad_alloc();
    if (JxlDecoderSubscribeEvents(dec.get(), JXL_DEC_BASIC_INFO | JXL_DEC_COLOR_ENCODING | JXL_DEC_FULL_IMAGE) !=
            JXL_DEC_SUCCESS ||
        JxlDecoderSetParallelRunner(dec.get(), JxlResizableParallelRunner, runner.get()) != JXL_DEC_SUCCESS)
        refuseData(name, "libjxl could not be set up");
    // The codestream's orientation is the picture's; libjxl turns it upright unless the
    // stored pixels are asked for.
    JxlDecoderSetKeepOrientation(dec.get(), options.honourOrientation ? JXL_FALSE : JXL_TRUE);
    JxlDecoderSetInput(dec.get(), data.data(), data.size());
    JxlDecoderCloseInput(dec.get());

    JxlBasicInfo info{};
    JxlPixelFormat format{3, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
    std::vector<std::uint8_t> pixels;
    std::vector<std::uint8_t> icc;
    bool haveImage = false;
    for (;;) {
        const JxlDecoderStatus status = JxlDecoderProcessInput(dec.get());
        if (status == JXL_DEC_ERROR)
            refuseData(name, "the JPEG XL data is damaged");
        if (status == JXL_DEC_NEED_MORE_INPUT)
            refuseData(name, "the JPEG XL file is cut short");
        if (status == JXL_DEC_SUCCESS)
            break;
        if (status == JXL_DEC_BASIC_INFO) {
            if (JxlDecoderGetBasicInfo(dec.get(), &info) != JXL_DEC_SUCCESS)
                refuseData(name, "the JPEG XL header is damaged");
            checkImageSize(info.xsize, info.ysize, name);
            format.num_channels = info.alpha_bits > 0 ? 4 : 3;
            JxlResizableParallelRunnerSetThreads(
                runner.get(), JxlResizableParallelRunnerSuggestThreads(info.xsize, info.ysize));
        } else if (status == JXL_DEC_COLOR_ENCODING) {
            // Lossy (XYB) pictures are rendered into sRGB straight away; others keep their
            // own colours, converted below by their profile.
            JxlColorEncoding srgb{};
            srgb.color_space = JXL_COLOR_SPACE_RGB;
            srgb.white_point = JXL_WHITE_POINT_D65;
            srgb.primaries = JXL_PRIMARIES_SRGB;
            srgb.transfer_function = JXL_TRANSFER_FUNCTION_SRGB;
            srgb.rendering_intent = JXL_RENDERING_INTENT_PERCEPTUAL;
            JxlDecoderSetPreferredColorProfile(dec.get(), &srgb);
            std::size_t size = 0;
            if (JxlDecoderGetICCProfileSize(dec.get(), &format, JXL_COLOR_PROFILE_TARGET_DATA, &size) ==
                    JXL_DEC_SUCCESS &&
                size > 0) {
                icc.resize(size);
                if (JxlDecoderGetColorAsICCProfile(dec.get(), &format, JXL_COLOR_PROFILE_TARGET_DATA, icc.data(),
                                                   icc.size()) != JXL_DEC_SUCCESS)
                    icc.clear();
            }
        } else if (status == JXL_DEC_NEED_IMAGE_OUT_BUFFER) {
            std::size_t size = 0;
            if (JxlDecoderImageOutBufferSize(dec.get(), &format, &size) != JXL_DEC_SUCCESS)
                refuseData(name, "the JPEG XL picture has no usable size");
            pixels.resize(size);
            if (JxlDecoderSetImageOutBuffer(dec.get(), &format, pixels.data(), pixels.size()) != JXL_DEC_SUCCESS)
                refuseData(name, "the JPEG XL picture has no usable size");
        } else if (status == JXL_DEC_FULL_IMAGE) {
            haveImage = true;
            break; // the first frame of an animation is the picture
        }
    }
    if (!haveImage)
        refuseData(name, "the JPEG XL file holds no picture");
    // Turned upright, a picture's sides swap.
    const bool swapped = options.honourOrientation && info.orientation >= JXL_ORIENT_TRANSPOSE;
    const int width = static_cast<int>(swapped ? info.ysize : info.xsize);
    const int height = static_cast<int>(swapped ? info.xsize : info.ysize);
    Bitmap out = Bitmap::uninitialized(width, height);
    copyRgbRows(pixels.data(), static_cast<std::ptrdiff_t>(width) * format.num_channels, static_cast<int>(format.num_channels),
             8, out);
    pixels = {};
    convertToSrgb(profileIfUsed(icc, options), out.view());
    report(progress, 100);
    return out;
}
} // namespace detail
} // namespace imaging
