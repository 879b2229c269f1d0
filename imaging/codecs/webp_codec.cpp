// WebP through libwebp: the picture (the first frame of an animation, on its canvas)
// into a 24-bit bitmap, upright by its EXIF chunk's orientation, in sRGB.
#include "imaging/codecs/codec_internal.h"
#include "exif/core/exif_blocks.h"
#include "imaging/codecs/modern_formats.h"
#include "imaging/codecs/sample_rows.h"
#include "imaging/kernels/orientation.h"

#include <memory>

#include <webp/decode.h>
#include <webp/demux.h>

namespace imaging {
namespace detail {
namespace {

struct DemuxDeleter {
    void operator()(WebPDemuxer* d) const { WebPDemuxDelete(d); }
};
struct AnimDecoderDeleter {
    void operator()(WebPAnimDecoder* d) const { WebPAnimDecoderDelete(d); }
};

std::vector<std::uint8_t> webpChunk(WebPDemuxer* demux, const char* fourcc)
{
    WebPChunkIterator it;
    std::vector<std::uint8_t> out;
    if (WebPDemuxGetChunk(demux, fourcc, 1, &it)) {
        out.assign(it.chunk.bytes, it.chunk.bytes + it.chunk.size);
        WebPDemuxReleaseChunkIterator(&it);
    }
    return out;
}

} // namespace

Bitmap decodeWebp(std::span<const std::uint8_t> data, const DecodeOptions& options, const ProgressFn& progress,
                  const std::string& name)
{
    report(progress, 0);
    WebPBitstreamFeatures features;
    if (WebPGetFeatures(data.data(), data.size(), &features) != VP8_STATUS_OK)
        refuseData(name, "the WebP header is damaged");
    WebPData whole{data.data(), data.size()};
    std::unique_ptr<WebPDemuxer, DemuxDeleter> demux(WebPDemux(&whole));
    if (!demux)
        refuseData(name, "the WebP file is damaged or cut short");
    const int width = static_cast<int>(WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_WIDTH));
    const int height = static_cast<int>(WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_HEIGHT));
    checkImageSize(width, height, name);
    Bitmap out;
    if (features.has_animation) {
        // The first frame of an animation, on its canvas.
        WebPAnimDecoderOptions animOptions;
        WebPAnimDecoderOptionsInit(&animOptions);
        animOptions.color_mode = MODE_RGBA;
        animOptions.use_threads = 1;
        std::unique_ptr<WebPAnimDecoder, AnimDecoderDeleter> anim(WebPAnimDecoderNew(&whole, &animOptions));
        std::uint8_t* rgba = nullptr;
        int timestamp = 0;
        if (!anim || !WebPAnimDecoderGetNext(anim.get(), &rgba, &timestamp))
            refuseData(name, "the first frame of the WebP animation cannot be decoded");
        out = Bitmap::uninitialized(width, height);
        copyRgbRows(rgba, static_cast<std::ptrdiff_t>(width) * 4, 4, 8, out);
    } else if (features.has_alpha) {
        std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
        if (WebPDecodeRGBAInto(data.data(), data.size(), rgba.data(), rgba.size(), width * 4) == nullptr)
            refuseData(name, "the WebP data is damaged or cut short");
        out = Bitmap::uninitialized(width, height);
        copyRgbRows(rgba.data(), static_cast<std::ptrdiff_t>(width) * 4, 4, 8, out);
    } else {
        // Straight into the bitmap's rows.
        if (features.width != width || features.height != height)
            refuseData(name, "the WebP picture does not fill its canvas");
        out = Bitmap::uninitialized(width, height);
        if (WebPDecodeBGRInto(data.data(), data.size(), out.data(), static_cast<std::size_t>(out.stride()) * height,
                              static_cast<int>(out.stride())) == nullptr)
            refuseData(name, "the WebP data is damaged or cut short");
    }
    convertToSrgb(profileIfUsed(webpChunk(demux.get(), "ICCP"), options), out.view());
    const std::vector<std::uint8_t> exifBlock = webpChunk(demux.get(), "EXIF");
    if (options.honourOrientation)
        out = orientUpright(std::move(out), exifOrientation(tiffBlockOf(exifBlock)));
    report(progress, 100);
    return out;
}

} // namespace detail
} // namespace imaging
