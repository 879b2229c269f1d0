// The formats phones and the web write today: HEIF (HEVC) and AVIF through libheif, WebP
// through libwebp and JPEG XL through libjxl. Each decodes the primary (or first) picture
// into a 24-bit bitmap, upright, in sRGB, with 10- and 12-bit samples rounded to 8 bits.
#include "imaging/codec_internal.h"
#include "imaging/codec_messages.h"
#include "imaging/exif_blocks.h"
#include "imaging/modern_formats.h"
#include "imaging/orientation.h"
#include "imaging/parallel.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <string_view>
#include <memory>
#include <thread>

#include <jxl/decode.h>
#include <jxl/resizable_parallel_runner.h>
#include <libheif/heif.h>
#include <webp/decode.h>
#include <webp/demux.h>

namespace imaging {
namespace detail {
namespace {

[[noreturn]] void refuse(const std::string& name, const std::string& detail)
{
    throw ImagingError(msg::compose(msg::kNotAccepted, name, detail));
}

// One sample of `bits` (9..16) rounded to 8 bits.
inline std::uint8_t narrow(unsigned value, unsigned maxValue)
{
    return static_cast<std::uint8_t>((std::min(value, maxValue) * 255u + maxValue / 2) / maxValue);
}

// RGB(A) rows, 8 or 16 bits a sample (native order), into the bitmap's BGR rows; alpha is
// laid over white, as the picture will be printed.
void copyRows(const std::uint8_t* src, std::ptrdiff_t srcStride, int channels, int bits, Bitmap& out)
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
                        const unsigned white = 255 * (255 - a);
                        o[0] = static_cast<std::uint8_t>((s[2] * a + white + 127) / 255);
                        o[1] = static_cast<std::uint8_t>((s[1] * a + white + 127) / 255);
                        o[2] = static_cast<std::uint8_t>((s[0] * a + white + 127) / 255);
                    } else {
                        o[0] = s[2];
                        o[1] = s[1];
                        o[2] = s[0];
                    }
                }
            } else {
                const auto* s = reinterpret_cast<const std::uint16_t*>(src + y * srcStride);
                for (int x = 0; x < width; ++x, s += channels, o += 3) {
                    std::uint8_t rgb[3] = {narrow(s[0], maxValue), narrow(s[1], maxValue), narrow(s[2], maxValue)};
                    if (channels == 4) {
                        const unsigned a = narrow(s[3], maxValue);
                        for (std::uint8_t& c : rgb)
                            c = static_cast<std::uint8_t>((c * a + 255 * (255 - a) + 127) / 255);
                    }
                    o[0] = rgb[2];
                    o[1] = rgb[1];
                    o[2] = rgb[0];
                }
            }
        }
    });
}

// libheif's planar RGB(A): one plane a channel, each a byte a sample, or two (native
// order) of which bits[c] (9..16) are used.
struct PlanarRgb {
    const std::uint8_t* rows[4] = {};
    std::ptrdiff_t strides[4] = {};
    int bits[4] = {8, 8, 8, 8};
};

// The planes into the bitmap's BGR rows, as copyRows does for interleaved samples.
void copyPlanes(const PlanarRgb& in, int channels, Bitmap& out)
{
    const int width = out.width();
    parallelFor(out.height(), static_cast<long long>(width) * channels * 2, [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            std::uint8_t* o = out.row(y);
            for (int x = 0; x < width; ++x, o += 3) {
                unsigned s[4] = {0, 0, 0, 255};
                for (int c = 0; c < channels; ++c) {
                    const std::uint8_t* row = in.rows[c] + y * in.strides[c];
                    s[c] = in.bits[c] == 8 ? row[x]
                                           : narrow(reinterpret_cast<const std::uint16_t*>(row)[x], (1u << in.bits[c]) - 1);
                }
                if (s[3] != 255) {
                    const unsigned white = 255 * (255 - s[3]);
                    for (int c = 0; c < 3; ++c)
                        s[c] = (s[c] * s[3] + white + 127) / 255;
                }
                o[0] = static_cast<std::uint8_t>(s[2]);
                o[1] = static_cast<std::uint8_t>(s[1]);
                o[2] = static_cast<std::uint8_t>(s[0]);
            }
        }
    });
}

// ---- HEIF and AVIF ----

struct HeifContextDeleter {
    void operator()(heif_context* c) const { heif_context_free(c); }
};
struct HeifHandleDeleter {
    void operator()(heif_image_handle* h) const { heif_image_handle_release(h); }
};
struct HeifImageDeleter {
    void operator()(heif_image* i) const { heif_image_release(i); }
};
struct HeifOptionsDeleter {
    void operator()(heif_decoding_options* o) const { heif_decoding_options_free(o); }
};

void checkHeif(const heif_error& err, const std::string& name)
{
    if (err.code != heif_error_Ok)
        refuse(name, err.message ? err.message : "libheif could not read it");
}

struct HeifFile {
    std::unique_ptr<heif_context, HeifContextDeleter> context;
    std::unique_ptr<heif_image_handle, HeifHandleDeleter> primary;
};

HeifFile openHeif(std::span<const std::uint8_t> data, const std::string& name)
{
    HeifFile f;
    f.context.reset(heif_context_alloc());
    if (!f.context)
        throw std::bad_alloc();
    // libheif sizes some of its own buffers from the coded data, past the sizes checked
    // here: it is held to the same bound (a side of at most the root of the pixel limit).
    heif_context_set_maximum_image_size_limit(
        f.context.get(), static_cast<int>(std::sqrt(static_cast<double>(maxDecodedPixels()))));
    checkHeif(heif_context_read_from_memory_without_copy(f.context.get(), data.data(), data.size(), nullptr), name);
    heif_image_handle* handle = nullptr;
    checkHeif(heif_context_get_primary_image_handle(f.context.get(), &handle), name);
    f.primary.reset(handle);
    return f;
}

// The colours the file declares, as an ICC profile convertToSrgb understands: the embedded
// profile itself, or one made from an nclx box's primaries (Display P3, BT.2020) with the
// sRGB tone curve. Empty for sRGB, BT.709 and files that declare nothing.
std::vector<std::uint8_t> heifProfile(const heif_image_handle* handle)
{
    std::vector<std::uint8_t> icc;
    switch (heif_image_handle_get_color_profile_type(handle)) {
    case heif_color_profile_type_prof:
    case heif_color_profile_type_rICC:
        icc.resize(heif_image_handle_get_raw_color_profile_size(handle));
        if (icc.empty() || heif_image_handle_get_raw_color_profile(handle, icc.data()).code != heif_error_Ok)
            icc.clear();
        break;
    case heif_color_profile_type_nclx: {
        heif_color_profile_nclx* nclx = nullptr;
        // libheif may hand out the profile even when it reports an error: it is freed either way.
        if (heif_image_handle_get_nclx_color_profile(handle, &nclx).code != heif_error_Ok || nclx == nullptr) {
            heif_nclx_color_profile_free(nclx);
            break;
        }
        const auto primaries = nclx->color_primaries;
        if (primaries != heif_color_primaries_ITU_R_BT_709_5 && primaries != heif_color_primaries_unspecified)
            icc = rgbProfile({nclx->color_primary_red_x, nclx->color_primary_red_y, nclx->color_primary_green_x,
                              nclx->color_primary_green_y, nclx->color_primary_blue_x, nclx->color_primary_blue_y,
                              nclx->color_primary_white_x, nclx->color_primary_white_y});
        heif_nclx_color_profile_free(nclx);
        break;
    }
    default:
        break;
    }
    return icc;
}

// ---- WebP ----

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

// ---- JPEG XL ----

struct JxlDecoderDeleter {
    void operator()(JxlDecoder* d) const { JxlDecoderDestroy(d); }
};
struct JxlRunnerDeleter {
    void operator()(void* r) const { JxlResizableParallelRunnerDestroy(r); }
};

} // namespace

Bitmap decodeHeif(std::span<const std::uint8_t> data, const ProgressFn& progress, const std::string& name)
{
    report(progress, 0);
    HeifFile f = openHeif(data, name);
    const heif_image_handle* handle = f.primary.get();
    // Both the stored size and the turned one must pass before any pixels exist.
    checkImageSize(heif_image_handle_get_ispe_width(handle), heif_image_handle_get_ispe_height(handle), name);
    checkImageSize(heif_image_handle_get_width(handle), heif_image_handle_get_height(handle), name);
    // The planar form: libheif turns its YCbCr planes into it in one step, where the
    // interleaved forms take two or three more full-size pictures in passing (some 200 MB
    // for a 12-megapixel photo); the samples are the same.
    std::unique_ptr<heif_decoding_options, HeifOptionsDeleter> options(heif_decoding_options_alloc());
    // The container's turn and mirror (irot, imir) are the picture's orientation; the
    // EXIF block's orientation tag describes the same turn and is never applied on top.
    options->ignore_transformations = orientationHonoured() ? 0 : 1;
    heif_image* decoded = nullptr;
    checkHeif(heif_decode_image(handle, &decoded, heif_colorspace_RGB, heif_chroma_444, options.get()), name);
    std::unique_ptr<heif_image, HeifImageDeleter> image(decoded);
    const int width = heif_image_get_primary_width(image.get());
    const int height = heif_image_get_primary_height(image.get());
    if (width <= 0 || height <= 0)
        refuse(name, "the picture has no pixels");
    checkImageSize(width, height, name);
    const heif_channel kPlanes[4] = {heif_channel_R, heif_channel_G, heif_channel_B, heif_channel_Alpha};
    const int channels = heif_image_has_channel(image.get(), heif_channel_Alpha) ? 4 : 3;
    PlanarRgb planes;
    for (int c = 0; c < channels; ++c) {
        int stride = 0;
        planes.rows[c] = heif_image_get_plane_readonly(image.get(), kPlanes[c], &stride);
        planes.strides[c] = stride;
        const int stored = heif_image_get_bits_per_pixel(image.get(), kPlanes[c]);
        if (planes.rows[c] == nullptr || heif_image_get_width(image.get(), kPlanes[c]) < width ||
            heif_image_get_height(image.get(), kPlanes[c]) < height || (stored != 8 && stored != 16))
            refuse(name, "the picture's colour planes are not in a usable form");
        planes.bits[c] = stored == 8 ? 8 : std::clamp(heif_image_get_bits_per_pixel_range(image.get(), kPlanes[c]), 9, 16);
    }
    Bitmap out = Bitmap::uninitialized(width, height);
    copyPlanes(planes, channels, out);
    image.reset();
    convertToSrgb(heifProfile(handle), out.view());
    report(progress, 100);
    return out;
}

Bitmap decodeWebp(std::span<const std::uint8_t> data, const ProgressFn& progress, const std::string& name)
{
    report(progress, 0);
    WebPBitstreamFeatures features;
    if (WebPGetFeatures(data.data(), data.size(), &features) != VP8_STATUS_OK)
        refuse(name, "the WebP header is damaged");
    WebPData whole{data.data(), data.size()};
    std::unique_ptr<WebPDemuxer, DemuxDeleter> demux(WebPDemux(&whole));
    if (!demux)
        refuse(name, "the WebP file is damaged or cut short");
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
            refuse(name, "the first frame of the WebP animation cannot be decoded");
        out = Bitmap::uninitialized(width, height);
        copyRows(rgba, static_cast<std::ptrdiff_t>(width) * 4, 4, 8, out);
    } else if (features.has_alpha) {
        std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
        if (WebPDecodeRGBAInto(data.data(), data.size(), rgba.data(), rgba.size(), width * 4) == nullptr)
            refuse(name, "the WebP data is damaged or cut short");
        out = Bitmap::uninitialized(width, height);
        copyRows(rgba.data(), static_cast<std::ptrdiff_t>(width) * 4, 4, 8, out);
    } else {
        // Straight into the bitmap's rows.
        if (features.width != width || features.height != height)
            refuse(name, "the WebP picture does not fill its canvas");
        out = Bitmap::uninitialized(width, height);
        if (WebPDecodeBGRInto(data.data(), data.size(), out.data(), static_cast<std::size_t>(out.stride()) * height,
                              static_cast<int>(out.stride())) == nullptr)
            refuse(name, "the WebP data is damaged or cut short");
    }
    convertToSrgb(webpChunk(demux.get(), "ICCP"), out.view());
    const std::vector<std::uint8_t> exifBlock = webpChunk(demux.get(), "EXIF");
    out = orientUpright(std::move(out), honouredOrientation(exifOrientation(tiffBlockOf(exifBlock))));
    report(progress, 100);
    return out;
}

Bitmap decodeJxl(std::span<const std::uint8_t> data, const ProgressFn& progress, const std::string& name)
{
    report(progress, 0);
    std::unique_ptr<JxlDecoder, JxlDecoderDeleter> dec(JxlDecoderCreate(nullptr));
    std::unique_ptr<void, JxlRunnerDeleter> runner(JxlResizableParallelRunnerCreate(nullptr));
    if (!dec || !runner)
        throw std::bad_alloc();
    if (JxlDecoderSubscribeEvents(dec.get(), JXL_DEC_BASIC_INFO | JXL_DEC_COLOR_ENCODING | JXL_DEC_FULL_IMAGE) !=
            JXL_DEC_SUCCESS ||
        JxlDecoderSetParallelRunner(dec.get(), JxlResizableParallelRunner, runner.get()) != JXL_DEC_SUCCESS)
        refuse(name, "libjxl could not be set up");
    // The codestream's orientation is the picture's; libjxl turns it upright unless the
    // stored pixels are asked for.
    JxlDecoderSetKeepOrientation(dec.get(), orientationHonoured() ? JXL_FALSE : JXL_TRUE);
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
            refuse(name, "the JPEG XL data is damaged");
        if (status == JXL_DEC_NEED_MORE_INPUT)
            refuse(name, "the JPEG XL file is cut short");
        if (status == JXL_DEC_SUCCESS)
            break;
        if (status == JXL_DEC_BASIC_INFO) {
            if (JxlDecoderGetBasicInfo(dec.get(), &info) != JXL_DEC_SUCCESS)
                refuse(name, "the JPEG XL header is damaged");
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
                refuse(name, "the JPEG XL picture has no usable size");
            pixels.resize(size);
            if (JxlDecoderSetImageOutBuffer(dec.get(), &format, pixels.data(), pixels.size()) != JXL_DEC_SUCCESS)
                refuse(name, "the JPEG XL picture has no usable size");
        } else if (status == JXL_DEC_FULL_IMAGE) {
            haveImage = true;
            break; // the first frame of an animation is the picture
        }
    }
    if (!haveImage)
        refuse(name, "the JPEG XL file holds no picture");
    // Turned upright, a picture's sides swap.
    const bool swapped = orientationHonoured() && info.orientation >= JXL_ORIENT_TRANSPOSE;
    const int width = static_cast<int>(swapped ? info.ysize : info.xsize);
    const int height = static_cast<int>(swapped ? info.xsize : info.ysize);
    Bitmap out = Bitmap::uninitialized(width, height);
    copyRows(pixels.data(), static_cast<std::ptrdiff_t>(width) * format.num_channels, static_cast<int>(format.num_channels),
             8, out);
    pixels = {};
    convertToSrgb(icc, out.view());
    report(progress, 100);
    return out;
}

namespace {

bool startsWith(std::span<const std::uint8_t> data, std::string_view magic)
{
    return data.size() >= magic.size() && std::memcmp(data.data(), magic.data(), magic.size()) == 0;
}

} // namespace

Sniffed sniffFormat(std::span<const std::uint8_t> head)
{
    if (startsWith(head, "\xFF\xD8\xFF"))
        return Sniffed::Jpeg;
    if (head.size() >= 12 && startsWith(head, "RIFF") && startsWith(head.subspan(8), "WEBP"))
        return Sniffed::WebP;
    if (startsWith(head, "\xFF\x0A") || startsWith(head, std::string_view("\0\0\0\x0CJXL \r\n\x87\n", 12)))
        return Sniffed::Jxl;
    // An ISO media file whose brands name a HEIF picture (HEVC or AV1 coded).
    if (head.size() >= 16 && startsWith(head.subspan(4), "ftyp")) {
        const std::size_t boxSize = std::size_t(head[0]) << 24 | std::size_t(head[1]) << 16 | std::size_t(head[2]) << 8 | head[3];
        const std::size_t end = std::min(head.size(), boxSize);
        static constexpr std::string_view kBrands[] = {"heic", "heix", "heim", "heis", "hevc", "hevx",
                                                       "mif1", "msf1", "avif", "avis"};
        for (std::size_t pos = 8; pos + 4 <= end; pos += pos == 8 ? 8 : 4)
            for (std::string_view brand : kBrands)
                if (startsWith(head.subspan(pos), brand))
                    return Sniffed::Heif;
    }
    return Sniffed::Other;
}

Sniffed sniffFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::array<char, 64> head{};
    in.read(head.data(), head.size());
    const auto got = static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0));
    return sniffFormat({reinterpret_cast<const std::uint8_t*>(head.data()), got});
}

EncodedDecoder decoderFor(Sniffed kind)
{
    switch (kind) {
    case Sniffed::Heif:
        return decodeHeif;
    case Sniffed::WebP:
        return decodeWebp;
    case Sniffed::Jxl:
        return decodeJxl;
    case Sniffed::Jpeg:
    case Sniffed::Other:
        break;
    }
    return nullptr;
}

} // namespace detail
} // namespace imaging
