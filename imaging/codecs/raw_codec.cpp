// Camera RAW files through LibRaw. Most cameras store a full-size JPEG rendering beside
// the sensor data; when it is there it is the picture (decoded by the JPEG decoder in a
// fraction of a develop's time), otherwise LibRaw develops the sensor data with the
// camera's white balance into 8-bit sRGB.
#include "core/file_signature.h"
#include "imaging/codecs/codec_internal.h"
#include "imaging/codecs/codec_messages.h"
#include "imaging/codecs/modern_formats.h"
#include "imaging/codecs/registry.h"
#include "imaging/kernels/orientation.h"

#include <algorithm>
#include <memory>

#include <libraw/libraw.h>

namespace imaging {
namespace detail {
namespace {

[[noreturn]] void refuse(const std::string& path, const std::string& detail)
{
    throw ImagingError(msg::compose(msg::kNotAccepted, path, detail));
}

std::string librawText(int code)
{
    return libraw_strerror(code);
}

// LibRaw's turn code (dcraw's: bit 2 transposes, bit 1 flips top to bottom, bit 0 left to
// right) as the EXIF orientation it came from.
int exifOrientationOfFlip(int flip)
{
    static constexpr int kOrientation[8] = {1, 2, 4, 3, 5, 8, 6, 7};
    return kOrientation[flip & 7];
}

// An opened RAW file. LibRaw's object is large (hundreds of KB), so it lives on the heap.
std::unique_ptr<LibRaw> openRaw(const std::string& path)
{
    auto raw = std::make_unique<LibRaw>(LIBRAW_OPTIONS_NONE);
    const int rc = raw->open_file(path.c_str());
    if (rc != LIBRAW_SUCCESS)
        refuse(path, librawText(rc));
    const libraw_image_sizes_t& s = raw->imgdata.sizes;
    checkImageSize(s.width, s.height, path);
    return raw;
}

} // namespace

std::optional<EmbeddedPreview> rawJpegPreview(const std::string& path)
{
    std::unique_ptr<LibRaw> raw = openRaw(path);
    const libraw_image_sizes_t& s = raw->imgdata.sizes;
    const libraw_thumbnail_t& t = raw->imgdata.thumbnail;
    // Its format is known once it is unpacked.
    if (raw->unpack_thumb() != LIBRAW_SUCCESS || t.tformat != LIBRAW_THUMBNAIL_JPEG || t.thumb == nullptr || t.tlength < 4 ||
        !core::startsAsJpeg({reinterpret_cast<const std::uint8_t*>(t.thumb), 2}))
        return std::nullopt;
    EmbeddedPreview preview;
    preview.jpeg.assign(reinterpret_cast<const std::uint8_t*>(t.thumb),
                        reinterpret_cast<const std::uint8_t*>(t.thumb) + t.tlength);
    preview.orientation = exifOrientationOfFlip(s.flip);
    try {
        preview.stored = readJpegSize(preview.jpeg);
    } catch (const ImagingError&) {
        return std::nullopt; // a damaged preview: the sensor data may still be good
    }
    preview.sensor = {s.width, s.height};
    return preview;
}

Bitmap developRaw(const std::string& path, const ProgressFn& progress, const DecodeOptions& options)
{
    report(progress, 0);
    std::unique_ptr<LibRaw> raw = openRaw(path);
    libraw_output_params_t& p = raw->imgdata.params;
    p.use_camera_wb = 1;
    p.output_color = 1; // sRGB
    p.output_bps = 8;
    p.user_flip = 0;    // turned below, by the same rule as every other format
    const int orientation = exifOrientationOfFlip(raw->imgdata.sizes.flip);
    int rc = raw->unpack();
    if (rc != LIBRAW_SUCCESS)
        refuse(path, librawText(rc));
    report(progress, 30);
    rc = raw->dcraw_process();
    if (rc != LIBRAW_SUCCESS)
        refuse(path, librawText(rc));
    report(progress, 80);
    libraw_processed_image_t* made = raw->dcraw_make_mem_image(&rc);
    std::unique_ptr<libraw_processed_image_t, void (*)(libraw_processed_image_t*)> image(made, LibRaw::dcraw_clear_mem);
    if (!image || image->type != LIBRAW_IMAGE_BITMAP || image->bits != 8 || (image->colors != 3 && image->colors != 1))
        refuse(path, made ? "the developed picture has an unusual form" : librawText(rc));
    raw->recycle();
    checkImageSize(image->width, image->height, path);
    Bitmap out = Bitmap::uninitialized(image->width, image->height);
    const int colours = image->colors;
    for (int y = 0; y < out.height(); ++y) {
        const std::uint8_t* s = image->data + static_cast<std::size_t>(y) * out.width() * colours;
        std::uint8_t* o = out.row(y);
        for (int x = 0; x < out.width(); ++x, s += colours, o += 3) {
            o[0] = s[colours == 3 ? 2 : 0];
            o[1] = s[colours == 3 ? 1 : 0];
            o[2] = s[0];
        }
    }
    image.reset();
    if (options.honourOrientation)
        out = orientUpright(std::move(out), orientation);
    report(progress, 100);
    return out;
}

Bitmap decodeRaw(const std::string& path, const ProgressFn& progress, const DecodeOptions& options)
{
    if (std::optional<EmbeddedPreview> preview = rawJpegPreview(path); preview && isFullSizePreview(*preview)) {
        Bitmap bmp = decodeJpegNamed(preview->jpeg, options, progress, path);
        return options.honourOrientation ? orientUpright(std::move(bmp), preview->orientation) : bmp;
    }
    return developRaw(path, progress, options);
}

} // namespace detail

bool isFullSizePreview(const EmbeddedPreview& preview)
{
    const int longSide = std::max(preview.sensor.width, preview.sensor.height);
    return 3 * std::max(preview.stored.width, preview.stored.height) >= 2 * longSide;
}

} // namespace imaging
