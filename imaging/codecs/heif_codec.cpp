// HEIF (HEVC) and AVIF through libheif: the primary picture into a 24-bit bitmap,
// upright, in sRGB, with 10- and 12-bit samples rounded to 8 bits. A phone's grid of
// tiles is read by the grid reader (heif_grid.h) a row of tiles at a time, and the
// screen's copy is made from the coded planes a band of rows at a time.
#include "imaging/codecs/codec_internal.h"
#include "imaging/codecs/heif_grid.h"
#include "imaging/codecs/modern_formats.h"
#include "imaging/codecs/sample_rows.h"
#include "imaging/kernels/orientation.h"
#include "imaging/kernels/over_white.h"
#include "imaging/kernels/parallel.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>

#include <libheif/heif.h>

namespace imaging {
namespace detail {
namespace {

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
                                           : narrowSample(reinterpret_cast<const std::uint16_t*>(row)[x], (1u << in.bits[c]) - 1);
                }
                if (s[3] != 255) {
                    for (int c = 0; c < 3; ++c)
                        s[c] = overWhite(s[c], s[3]);
                }
                o[0] = static_cast<std::uint8_t>(s[2]);
                o[1] = static_cast<std::uint8_t>(s[1]);
                o[2] = static_cast<std::uint8_t>(s[0]);
            }
        }
    });
}

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
        refuseData(name, err.message ? err.message : "libheif could not read it");
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
    // Both the stored size and the turned one must pass before any pixels exist.
    checkImageSize(heif_image_handle_get_ispe_width(handle), heif_image_handle_get_ispe_height(handle), name);
    checkImageSize(heif_image_handle_get_width(handle), heif_image_handle_get_height(handle), name);
    return f;
}

std::unique_ptr<heif_decoding_options, HeifOptionsDeleter> decodingOptions(const DecodeOptions& choices)
{
    std::unique_ptr<heif_decoding_options, HeifOptionsDeleter> options(heif_decoding_options_alloc());
    if (!options)
        throw std::bad_alloc();
    // The container's turn and mirror (irot, imir) are the picture's orientation; the
    // EXIF block's orientation tag describes the same turn and is never applied on top.
    options->ignore_transformations = choices.honourOrientation ? 0 : 1;
    return options;
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

// A picture decoded as the coder stored it, as Y, Cb and Cr planes. Made into RGB here,
// a band of rows at a time, as libheif makes it when asked for RGB: each pixel takes the
// chroma sample of its block as it is (no filtering), through the matrix the picture's
// colour description names (BT.601 when it names none), rounded to the nearest level.
struct YcbcrPlanes {
    const std::uint8_t* rows[4] = {}; // Y, Cb, Cr and alpha (null when there is none)
    std::ptrdiff_t strides[4] = {};
    int bits = 8;      // of Y, Cb and Cr: 8 a byte, 9..16 two bytes (native order)
    int alphaBits = 8; // the same for alpha
    int shiftH = 0;    // chroma subsampling, as shifts of the column and the row
    int shiftV = 0;
    bool identity = false; // the samples are G, B and R
    bool fullRange = true;
    float rCr = 0, gCb = 0, gCr = 0, bCb = 0;
};

// Kr and Kb of the matrices pictures use; false for one converted otherwise.
bool lumaWeights(int matrix, float& kr, float& kb)
{
    switch (matrix) {
    case heif_matrix_coefficients_ITU_R_BT_709_5:
        kr = 0.2126f, kb = 0.0722f;
        return true;
    case heif_matrix_coefficients_US_FCC_T47:
        kr = 0.30f, kb = 0.11f;
        return true;
    case heif_matrix_coefficients_unspecified:
    case heif_matrix_coefficients_ITU_R_BT_470_6_System_B_G:
    case heif_matrix_coefficients_ITU_R_BT_601_6:
        kr = 0.299f, kb = 0.114f;
        return true;
    case heif_matrix_coefficients_SMPTE_240M:
        kr = 0.212f, kb = 0.087f;
        return true;
    case heif_matrix_coefficients_ITU_R_BT_2020_2_non_constant_luminance:
        kr = 0.2627f, kb = 0.0593f;
        return true;
    default:
        return false;
    }
}

// The conversion a colour description's matrix and range name for p.bits deep samples;
// false for one converted otherwise.
bool takeMatrix(int matrix, bool fullRange, YcbcrPlanes& p)
{
    p.fullRange = fullRange;
    // Limited range is stretched as libheif stretches 8-bit samples; deeper ones it does
    // its own way, so it converts them.
    if (!p.fullRange && p.bits != 8)
        return false;
    if (matrix == heif_matrix_coefficients_RGB_GBR) {
        p.identity = true;
        return p.fullRange;
    }
    float kr = 0, kb = 0;
    if (!lumaWeights(matrix, kr, kb))
        return false;
    p.rCr = 2 * (-kr + 1);
    p.gCb = 2 * kb * (-kb + 1) / (kb + kr - 1);
    p.gCr = 2 * kr * (-kr + 1) / (kb + kr - 1);
    p.bCb = 2 * (-kb + 1);
    return true;
}

// The planes of a picture decoded in its stored form, when they are one converted here;
// nothing for any other (monochrome, another matrix), which libheif converts instead.
std::optional<YcbcrPlanes> ycbcrPlanes(const heif_image* image, int width, int height)
{
    YcbcrPlanes p;
    if (heif_image_get_colorspace(image) != heif_colorspace_YCbCr)
        return std::nullopt;
    switch (heif_image_get_chroma_format(image)) {
    case heif_chroma_420:
        p.shiftH = p.shiftV = 1;
        break;
    case heif_chroma_422:
        p.shiftH = 1;
        break;
    case heif_chroma_444:
        break;
    default:
        return std::nullopt;
    }
    const heif_channel kChannels[4] = {heif_channel_Y, heif_channel_Cb, heif_channel_Cr, heif_channel_Alpha};
    const int channels = heif_image_has_channel(image, heif_channel_Alpha) ? 4 : 3;
    for (int c = 0; c < channels; ++c) {
        const int stored = heif_image_get_bits_per_pixel(image, kChannels[c]);
        const int bits = stored == 8 ? 8 : std::clamp(heif_image_get_bits_per_pixel_range(image, kChannels[c]), 9, 16);
        const bool chroma = c == 1 || c == 2;
        const int needWidth = chroma ? ((width - 1) >> p.shiftH) + 1 : width;
        const int needHeight = chroma ? ((height - 1) >> p.shiftV) + 1 : height;
        int stride = 0;
        p.rows[c] = heif_image_get_plane_readonly(image, kChannels[c], &stride);
        p.strides[c] = stride;
        if (p.rows[c] == nullptr || (stored != 8 && stored != 16) ||
            heif_image_get_width(image, kChannels[c]) < needWidth || heif_image_get_height(image, kChannels[c]) < needHeight)
            return std::nullopt;
        if (c == 0)
            p.bits = bits;
        else if (c < 3 && bits != p.bits)
            return std::nullopt;
        else if (c == 3)
            p.alphaBits = bits;
    }
    // libheif gives the picture the file's colour description, or the coded stream's;
    // with neither, BT.601 in full range.
    heif_color_profile_nclx* nclx = nullptr;
    if (heif_image_get_nclx_color_profile(image, &nclx).code != heif_error_Ok)
        nclx = nullptr;
    const bool known = nclx != nullptr ? takeMatrix(nclx->matrix_coefficients, nclx->full_range_flag != 0, p)
                                       : takeMatrix(heif_matrix_coefficients_unspecified, true, p);
    heif_nclx_color_profile_free(nclx);
    return known ? std::optional<YcbcrPlanes>(p) : std::nullopt;
}

// True when the file's pictures are coded 4:2:0, the form phones and cameras write:
// libheif then hands the planes over as they were decoded. Only the HEVC and AV1 coding
// configurations are read; besides 4:2:0 ones, monochrome ones are allowed, which phones
// use for the pictures kept beside the photo (depth, HDR gain). False when any says
// otherwise or none is found, and libheif converts the picture itself.
bool codedAs420(std::span<const std::uint8_t> file)
{
    enum Chroma { Mono, Half, Other };
    int halved = 0;
    bool others = false;
    const auto count = [&](Chroma c) {
        halved += c == Half;
        others = others || c == Other;
    };
    forEachBox(file, [&](std::string_view type, std::span<const std::uint8_t> meta) {
        if (type != "meta" || meta.size() < 4)
            return;
        forEachBox(meta.subspan(4), [&](std::string_view type, std::span<const std::uint8_t> iprp) {
            if (type != "iprp")
                return;
            forEachBox(iprp, [&](std::string_view type, std::span<const std::uint8_t> ipco) {
                if (type != "ipco")
                    return;
                forEachBox(ipco, [&](std::string_view type, std::span<const std::uint8_t> config) {
                    if (type == "hvcC") {
                        const int format = config.size() > 16 ? config[16] & 3 : -1; // chroma_format_idc
                        count(format == 0 ? Mono : format == 1 ? Half : Other);
                    } else if (type == "av1C") {
                        const int bits = config.size() > 2 ? config[2] & 0x1C : -1; // monochrome, x and y halved
                        count(bits == 0x1C || bits == 0x10 ? Mono : bits == 0x0C ? Half : Other);
                    }
                });
            });
        });
    });
    return halved > 0 && !others;
}

inline unsigned sampleAt(const YcbcrPlanes& p, int c, int x, int y)
{
    const std::uint8_t* row = p.rows[c] + y * p.strides[c];
    return (c == 3 ? p.alphaBits : p.bits) == 8 ? row[x] : reinterpret_cast<const std::uint16_t*>(row)[x];
}

inline unsigned roundLevel(float v, unsigned maxValue)
{
    const long level = static_cast<long>(v + 0.5f);
    return level < 0 ? 0u : std::min(static_cast<unsigned>(level), maxValue);
}

// Rows [y0, y0 + band.height) of the planes into the band's BGR rows, 8 bits a sample,
// alpha laid over white, as copyPlanes gives them from libheif's RGB.
void ycbcrToBand(const YcbcrPlanes& p, int y0, BitmapView band)
{
    const unsigned maxValue = (1u << p.bits) - 1;
    const unsigned maxAlpha = (1u << p.alphaBits) - 1;
    const float half = static_cast<float>(1u << (p.bits - 1));
    parallelFor(band.height, static_cast<long long>(band.width) * 24, [&](int begin, int end) {
        for (int by = begin; by < end; ++by) {
            const int y = y0 + by;
            const int cy = y >> p.shiftV;
            std::uint8_t* o = band.row(by);
            for (int x = 0; x < band.width; ++x, o += 3) {
                const int cx = x >> p.shiftH;
                const unsigned luma = sampleAt(p, 0, x, y);
                const unsigned cbSample = sampleAt(p, 1, cx, cy);
                const unsigned crSample = sampleAt(p, 2, cx, cy);
                unsigned rgb[3];
                if (p.identity) {
                    rgb[0] = crSample, rgb[1] = luma, rgb[2] = cbSample;
                } else {
                    float yv = static_cast<float>(luma);
                    float cb = static_cast<float>(cbSample) - half;
                    float cr = static_cast<float>(crSample) - half;
                    if (!p.fullRange) {
                        yv = (yv - 16) * 1.1689f;
                        cb = cb * 1.1429f;
                        cr = cr * 1.1429f;
                    }
                    rgb[0] = roundLevel(yv + p.rCr * cr, maxValue);
                    rgb[1] = roundLevel(yv + p.gCb * cb + p.gCr * cr, maxValue);
                    rgb[2] = roundLevel(yv + p.bCb * cb, maxValue);
                }
                if (p.bits != 8)
                    for (unsigned& c : rgb)
                        c = narrowSample(c, maxValue);
                if (p.rows[3] != nullptr) {
                    const unsigned a = p.alphaBits == 8 ? sampleAt(p, 3, x, y) : narrowSample(sampleAt(p, 3, x, y), maxAlpha);
                    if (a != 255)
                        for (unsigned& c : rgb)
                            c = overWhite(c, a);
                }
                o[0] = static_cast<std::uint8_t>(rgb[2]);
                o[1] = static_cast<std::uint8_t>(rgb[1]);
                o[2] = static_cast<std::uint8_t>(rgb[0]);
            }
        }
    });
}

// Rows collected into a picture, turned upright at the end.
class WholePicture : public RowSink {
public:
    void begin(int width, int height, int orientation) override
    {
        m_picture = Bitmap::uninitialized(width, height);
        m_orientation = orientation;
    }
    void rows(ConstBitmapView band, int firstRow) override
    {
        for (int y = 0; y < band.height; ++y)
            std::memcpy(m_picture.row(firstRow + y), band.row(y), static_cast<std::size_t>(band.width) * 3);
    }
    Bitmap take() { return orientUpright(std::move(m_picture), m_orientation); }

private:
    Bitmap m_picture;
    int m_orientation = 1;
};

// A phone's grid of tiles handed to sink a row of tiles at a time, turned by the
// container's irot when orientations are honoured (libheif turns them so). False, with
// the rows perhaps begun, when a tile does not decode as the grid says.
bool decodeGridInto(const HeifGrid& grid, const heif_image_handle* handle, const DecodeOptions& options, RowSink& sink)
{
    const int turns = options.honourOrientation ? grid.quarterTurns : 0;
    const int width = turns % 2 != 0 ? grid.height : grid.width;
    const int height = turns % 2 != 0 ? grid.width : grid.height;
    if (width != heif_image_handle_get_width(handle) || height != heif_image_handle_get_height(handle))
        return false;
    // The orientation tag that turns the stored rows as many quarters anticlockwise.
    static constexpr int kOrientationOfTurns[4] = {1, 8, 3, 6};
    const SrgbConversion toSrgb(profileIfUsed(heifProfile(handle), options));
    GridBand band;
    Bitmap rows;
    YcbcrPlanes p;
    for (int row = 0; row < grid.rows; ++row) {
        if (!decodeGridRow(grid, row, band))
            return false;
        if (row == 0) {
            p.bits = band.bits;
            p.shiftH = p.shiftV = 1;
            // The file's colour description, as libheif takes it, or else the tiles' own.
            heif_color_profile_nclx* nclx = nullptr;
            if (heif_image_handle_get_nclx_color_profile(handle, &nclx).code != heif_error_Ok)
                nclx = nullptr;
            const bool known = nclx != nullptr ? takeMatrix(nclx->matrix_coefficients, nclx->full_range_flag != 0, p)
                                               : takeMatrix(band.streamMatrix, band.streamFullRange, p);
            heif_nclx_color_profile_free(nclx);
            if (!known)
                return false;
            rows = Bitmap::uninitialized(grid.width, std::min(grid.tileHeight, grid.height));
            sink.begin(grid.width, grid.height, kOrientationOfTurns[turns]);
        }
        for (int c = 0; c < 3; ++c) {
            p.rows[c] = band.planes[c].data();
            p.strides[c] = band.strides[c];
        }
        BitmapView view = rows.view();
        view.height = band.rows;
        ycbcrToBand(p, 0, view);
        toSrgb.apply(view);
        sink.rows(view, row * grid.tileHeight);
    }
    return true;
}

// The picture as libheif decodes it whole, in RGB.
Bitmap decodeHeifWhole(const heif_image_handle* handle, const DecodeOptions& options, const std::string& name)
{
    // The planar form: libheif turns its YCbCr planes into it in one step, where the
    // interleaved forms take two or three more full-size pictures in passing (some 200 MB
    // for a 12-megapixel photo); the samples are the same.
    heif_image* decoded = nullptr;
    checkHeif(heif_decode_image(handle, &decoded, heif_colorspace_RGB, heif_chroma_444, decodingOptions(options).get()), name);
    std::unique_ptr<heif_image, HeifImageDeleter> image(decoded);
    const int width = heif_image_get_primary_width(image.get());
    const int height = heif_image_get_primary_height(image.get());
    if (width <= 0 || height <= 0)
        refuseData(name, "the picture has no pixels");
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
            refuseData(name, "the picture's colour planes are not in a usable form");
        planes.bits[c] = stored == 8 ? 8 : std::clamp(heif_image_get_bits_per_pixel_range(image.get(), kPlanes[c]), 9, 16);
    }
    Bitmap out = Bitmap::uninitialized(width, height);
    copyPlanes(planes, channels, out);
    image.reset();
    convertToSrgb(profileIfUsed(heifProfile(handle), options), out.view());
    return out;
}

} // namespace

Bitmap decodeHeif(std::span<const std::uint8_t> data, const DecodeOptions& options, const ProgressFn& progress,
                  const std::string& name)
{
    report(progress, 0);
    HeifFile f = openHeif(data, name);
    // A phone's grid of tiles, read here a row of tiles at a time, gives the same pixels
    // as libheif's whole decode without the whole RGB picture libheif pastes the tiles into.
    if (std::optional<HeifGrid> grid = findHeifGrid(data)) {
        WholePicture whole;
        if (decodeGridInto(*grid, f.primary.get(), options, whole)) {
            report(progress, 100);
            return whole.take();
        }
    }
    Bitmap out = decodeHeifWhole(f.primary.get(), options, name);
    report(progress, 100);
    return out;
}

// decodeHeif handed to sink a band of rows at a time, made from the planes the coder
// stored: libheif's RGB picture and a whole one of ours are never made (72 MB in passing
// for a 12-megapixel photo). The rows are the ones decodeHeif gives.
ImageSize decodeHeifInto(std::span<const std::uint8_t> data, const DecodeOptions& options, const std::string& name,
                         RowSink& sink)
{
    HeifFile f = openHeif(data, name);
    const heif_image_handle* handle = f.primary.get();
    if (std::optional<HeifGrid> grid = findHeifGrid(data))
        if (decodeGridInto(*grid, handle, options, sink))
            return {heif_image_handle_get_width(handle), heif_image_handle_get_height(handle)};
    // Asked for any other form (even "as stored"), libheif makes RGB of it first.
    std::unique_ptr<heif_image, HeifImageDeleter> image;
    std::optional<YcbcrPlanes> planes;
    int width = 0;
    int height = 0;
    if (codedAs420(data)) {
        heif_image* decoded = nullptr;
        checkHeif(heif_decode_image(handle, &decoded, heif_colorspace_YCbCr, heif_chroma_420, decodingOptions(options).get()), name);
        image.reset(decoded);
        width = heif_image_get_primary_width(image.get());
        height = heif_image_get_primary_height(image.get());
        if (width <= 0 || height <= 0)
            refuseData(name, "the picture has no pixels");
        checkImageSize(width, height, name);
        planes = ycbcrPlanes(image.get(), width, height);
    }
    if (!planes) {
        // A form libheif converts itself: decoded again, whole.
        image.reset();
        Bitmap whole = decodeHeifWhole(handle, options, name);
        const ImageSize size{whole.width(), whole.height()};
        RowSink::handOver(sink, std::move(whole));
        return size;
    }
    const SrgbConversion toSrgb(profileIfUsed(heifProfile(handle), options));
    constexpr int kBandRows = 64;
    Bitmap band = Bitmap::uninitialized(width, std::min(kBandRows, height));
    sink.begin(width, height, 1);
    for (int y = 0; y < height; y += kBandRows) {
        BitmapView rows = band.view();
        rows.height = std::min(kBandRows, height - y);
        ycbcrToBand(*planes, y, rows);
        toSrgb.apply(rows);
        sink.rows(rows, y);
    }
    return {width, height};
}

} // namespace detail
} // namespace imaging
