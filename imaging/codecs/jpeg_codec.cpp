// JPEG through libjpeg-turbo's IJG interface. libjpeg reports errors by longjmp, so
// every call into it goes through callJpeg (jpeg_library.h); the C++ code around it
// turns a failure into a throw.
#include "imaging/codecs/codec_internal.h"
#include "imaging/codecs/codec_messages.h"
#include "imaging/codecs/fast_io.h"
#include "imaging/codecs/jpeg_library.h"

#include <algorithm>
#include <cerrno>
#include <cstdio> // jpeglib.h needs FILE and size_t declared first
#include <cstdlib>
#include <exception>
#include <new>
#include <system_error>
#include <utility>

#include <unistd.h>

#include <jerror.h> // after jpeglib.h (through jpeg_library.h): its configuration decides which codes exist

namespace imaging {
namespace {

using detail::JpegReader;
using detail::JpegReaderGuard;

// From this quality on the colour is kept at full resolution (no 2 x 2 chroma
// subsampling), as ImageMagick does: whoever asks for that much quality is printing
// and would see coloured fringes at sharp edges.
constexpr int kFullChromaQuality = 90;

// ---- encoding ----

// Compressed data goes straight into a vector. (libjpeg's own memory destination frees
// and replaces its buffer as it grows without telling the caller until the end, so an
// abandoned encode would leave the caller holding a freed pointer.)
struct VectorDestination {
    jpeg_destination_mgr pub;
    std::vector<std::uint8_t>* out;
};

constexpr std::size_t kFirstOutputSize = 1 << 16;

void startOutput(j_compress_ptr cinfo)
{
    auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
    bool grown = true;
    try {
        dest->out->resize(kFirstOutputSize);
    } catch (const std::bad_alloc&) {
        grown = false;
    }
    if (!grown)
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 1);
    dest->pub.next_output_byte = dest->out->data();
    dest->pub.free_in_buffer = dest->out->size();
}

boolean growOutput(j_compress_ptr cinfo)
{
    auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
    const std::size_t used = dest->out->size();
    bool grown = true;
    try {
        dest->out->resize(used * 2);
    } catch (const std::bad_alloc&) {
        grown = false;
    }
    if (!grown) // longjmp only once the catch block has ended
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 2);
    dest->pub.next_output_byte = dest->out->data() + used;
    dest->pub.free_in_buffer = dest->out->size() - used;
    return TRUE;
}

void endOutput(j_compress_ptr cinfo)
{
    auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
    dest->out->resize(dest->out->size() - dest->pub.free_in_buffer);
}

struct JpegWriter {
    jpeg_compress_struct cinfo;
    detail::JpegErrors err;
    detail::JpegProgress prog;
    VectorDestination dest;
    bool created = false;
};

bool startCompress(JpegWriter& e, int width, int height, int bytesPerPixel, int quality, int dpi)
{
    return detail::callJpeg(e.err, [&] {
        e.created = true;
        jpeg_create_compress(&e.cinfo);
        e.cinfo.progress = &e.prog.pub;
        e.cinfo.dest = &e.dest.pub;
        e.cinfo.image_width = static_cast<JDIMENSION>(width);
        e.cinfo.image_height = static_cast<JDIMENSION>(height);
        e.cinfo.input_components = bytesPerPixel;
        e.cinfo.in_color_space = bytesPerPixel == 4 ? JCS_EXT_BGRX : JCS_EXT_BGR;
        jpeg_set_defaults(&e.cinfo);
        jpeg_set_quality(&e.cinfo, quality, TRUE);
        if (dpi > 0) {
            // JFIF density in dots per inch, so the page prints at its size elsewhere.
            e.cinfo.density_unit = 1;
            e.cinfo.X_density = e.cinfo.Y_density = static_cast<UINT16>(std::min(dpi, 65535));
        }
        if (quality >= kFullChromaQuality && e.cinfo.num_components == 3)
            for (int c = 0; c < 3; ++c)
                e.cinfo.comp_info[c].h_samp_factor = e.cinfo.comp_info[c].v_samp_factor = 1;
        jpeg_start_compress(&e.cinfo, TRUE);
        return true;
    });
}

// The rows of bmp, which follow those written so far.
bool compressBand(JpegWriter& e, ConstBitmapView bmp, JSAMPROW* rows)
{
    return detail::callJpeg(e.err, [&] {
        for (int y = 0; y < bmp.height; ++y)
            // libjpeg's row type is not const, but the encoder only reads the rows.
            rows[y] = const_cast<JSAMPLE*>(bmp.row(y));
        JDIMENSION done = 0;
        while (done < static_cast<JDIMENSION>(bmp.height))
            done += jpeg_write_scanlines(&e.cinfo, rows + done, static_cast<JDIMENSION>(bmp.height) - done);
        return true;
    });
}

bool finishCompress(JpegWriter& e)
{
    return detail::callJpeg(e.err, [&] {
        jpeg_finish_compress(&e.cinfo);
        return true;
    });
}

bool compressRows(JpegWriter& e, ConstBitmapView bmp, int quality, int dpi)
{
    if (!startCompress(e, bmp.width, bmp.height, bmp.bytesPerPixel, quality, dpi))
        return false;
    for (int y = 0; y < bmp.height; ++y) {
        ConstBitmapView row = bmp;
        row.pixels = bmp.row(y);
        row.height = 1;
        JSAMPROW pointer = nullptr;
        if (!compressBand(e, row, &pointer))
            return false;
    }
    return finishCompress(e);
}

struct WriterGuard {
    JpegWriter& e;
    ~WriterGuard()
    {
        if (e.created)
            jpeg_destroy_compress(&e.cinfo);
    }
};

void checkWritable(ConstBitmapView bmp)
{
    if (bmp.pixels == nullptr || bmp.width <= 0 || bmp.height <= 0)
        throw ImagingError(msg::kNothingToSave);
    if (bmp.bytesPerPixel != 3 && bmp.bytesPerPixel != 4)
        throw ImagingError({"Unsupported bitmap layout: %1 bytes per pixel", bmp.bytesPerPixel});
}

// What every JPEG this program writes must meet before anything is encoded.
void checkJpegTarget(int quality, int width, int height)
{
    if (quality < 1 || quality > 100)
        throw ImagingError(msg::kBadQuality);
    if (width <= 0 || height <= 0)
        throw ImagingError(msg::kNothingToSave);
    if (width > JPEG_MAX_DIMENSION || height > JPEG_MAX_DIMENSION)
        throw ImagingError("The picture is too large for a JPEG file (at most 65500 pixels a side)");
}

} // namespace

namespace detail {

// A warning that pixels were lost fails the load: the rest of the picture would be grey
// or garbage. Other warnings (stray bytes between markers and the like) are common in
// cameras' files and the picture still decodes, so they are let through.
bool jpegWarningLosesPixels(int code)
{
    switch (code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_MUST_RESYNC:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
        return true;
    default:
        return false;
    }
}

// Huffman-coded data spends at least one bit on every 8 x 8 block of a component it
// holds (a DC difference, even in a progressive file's first scan), so a file shorter
// than that cannot hold its picture: refused before the decoder or we take the memory
// the header asks for, which a few hundred bytes could otherwise make gigabytes.
// Arithmetic coding can spend less than a bit on a block, so no bound holds for it.
void checkJpegDataCanHoldPicture(const jpeg_decompress_struct& cinfo, std::size_t bytes, const std::string& name)
{
    if (cinfo.arith_code || cinfo.num_components <= 0)
        return;
    std::uint64_t fewestBlocks = UINT64_MAX;
    for (int c = 0; c < cinfo.num_components; ++c) {
        const jpeg_component_info& comp = cinfo.comp_info[c];
        fewestBlocks = std::min<std::uint64_t>(fewestBlocks, std::uint64_t(comp.width_in_blocks) * comp.height_in_blocks);
    }
    if (std::uint64_t(bytes) * 8 < fewestBlocks)
        throw ImagingError(msg::compose(
            msg::kCorruptJpeg, name,
            core::Message(QT_TRANSLATE_NOOP("Paginor", "Corrupt JPEG data: %1 bytes cannot hold a %2 x %3 picture"), bytes,
                         cinfo.image_width, cinfo.image_height)));
}

// Inverted (Adobe) CMYK is what every writer of CMYK JPEGs produces; plain CMYK is
// converted the other way round.
void cmykRowToBgr(const std::uint8_t* cmyk, std::uint8_t* bgr, int width, bool inverted)
{
    for (int x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        const unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
        for (int c = 0; c < 3; ++c) {
            const unsigned v = inverted ? cmyk[c] : 255u - cmyk[c];
            bgr[2 - c] = static_cast<std::uint8_t>((v * k + 127u) / 255u);
        }
    }
}

void decodeJpegNamedInto(std::span<const std::uint8_t> data, Bitmap& bmp, const DecodeOptions& options,
                         const ProgressFn& progress, const std::string& name)
{
    JpegReader d{};
    JpegReaderGuard guard{d};
    d.wantProfile = options.useColourProfiles;
    detail::startJpegReader(d, data, progress, name);
    checkImageSize(d.cinfo.image_width, d.cinfo.image_height, name);
    checkJpegDataCanHoldPicture(d.cinfo, data.size(), name);
    const bool cmyk = d.cinfo.jpeg_color_space == JCS_CMYK || d.cinfo.jpeg_color_space == JCS_YCCK;
    d.cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    d.cinfo.mem->max_memory_to_use = static_cast<long>(maxImageBytes());
    const int width = static_cast<int>(d.cinfo.image_width);
    const int height = static_cast<int>(d.cinfo.image_height);
    if (bmp.width() != width || bmp.height() != height || bmp.bytesPerPixel() != 3) {
        bmp = Bitmap(); // the old memory goes before the new is taken
        bmp = Bitmap(width, height, 3);
    }
    std::vector<JSAMPLE> cmykRow(cmyk ? std::size_t(d.cinfo.image_width) * 4 : 0);
    report(progress, 0);
    if (!readAllJpegRows(d, bmp.data(), bmp.stride(), cmykRow.data()))
        detail::throwJpegFailure(d.err, msg::kCorruptJpeg, name);
    if (d.icc != nullptr && !cmyk)
        convertToSrgb({d.icc, d.iccLength}, bmp.view());
    report(progress, 100);
}

Bitmap decodeJpegNamed(std::span<const std::uint8_t> data, const DecodeOptions& options, const ProgressFn& progress,
                       const std::string& name)
{
    Bitmap bmp;
    decodeJpegNamedInto(data, bmp, options, progress, name);
    return bmp;
}

} // namespace detail

Bitmap decodeJpeg(std::span<const std::uint8_t> data, const ProgressFn& progress, const DecodeOptions& options)
{
    return detail::decodeJpegNamed(data, options, progress, {});
}

void decodeJpegInto(std::span<const std::uint8_t> data, Bitmap& reuse, const ProgressFn& progress,
                    const DecodeOptions& options)
{
    detail::decodeJpegNamedInto(data, reuse, options, progress, {});
}

bool decodeJpegStrips(std::span<const std::uint8_t> data, const DecodeOptions& options, int stripRows,
                      const std::function<void(int, int)>& size, const std::function<void(ConstBitmapView)>& strip)
{
    const std::string name;
    const ProgressFn none; // the reader keeps its address
    JpegReader d{};
    JpegReaderGuard guard{d};
    d.wantProfile = options.useColourProfiles;
    detail::startJpegReader(d, data, none, name);
    detail::checkImageSize(d.cinfo.image_width, d.cinfo.image_height, name);
    detail::checkJpegDataCanHoldPicture(d.cinfo, data.size(), name);
    const bool cmyk = d.cinfo.jpeg_color_space == JCS_CMYK || d.cinfo.jpeg_color_space == JCS_YCCK;
    // The profile's conversion is made on the whole picture.
    if (d.icc != nullptr && !cmyk)
        return false;
    d.cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    d.cinfo.mem->max_memory_to_use = static_cast<long>(detail::maxImageBytes());
    const int width = static_cast<int>(d.cinfo.image_width);
    const int height = static_cast<int>(d.cinfo.image_height);
    size(width, height);
    Bitmap rows(width, std::clamp(stripRows, 1, height), 3);
    std::vector<JSAMPLE> cmykRow(cmyk ? std::size_t(width) * 4 : 0);
    if (!detail::startJpegRows(d))
        detail::throwJpegFailure(d.err, msg::kCorruptJpeg, name);
    for (int y = 0; y < height; y += rows.height()) {
        ConstBitmapView view = std::as_const(rows).view();
        view.height = std::min(rows.height(), height - y);
        if (!detail::readJpegRows(d, rows.data(), rows.stride(), view.height, cmykRow.data()))
            detail::throwJpegFailure(d.err, msg::kCorruptJpeg, name);
        strip(view);
    }
    if (!detail::finishJpegRows(d))
        detail::throwJpegFailure(d.err, msg::kCorruptJpeg, name);
    return true;
}

ImageSize readJpegSize(std::span<const std::uint8_t> data)
{
    const ProgressFn none;
    JpegReader d{};
    JpegReaderGuard guard{d};
    detail::startJpegReader(d, data, none, {});
    detail::checkJpegDataCanHoldPicture(d.cinfo, data.size(), {});
    return {static_cast<int>(d.cinfo.image_width), static_cast<int>(d.cinfo.image_height)};
}

std::optional<JpegStream> describeJpegStream(std::span<const std::uint8_t> data, const DecodeOptions& options)
{
    const ProgressFn none;
    JpegReader d{};
    d.wantProfile = true;
    JpegReaderGuard guard{d};
    try {
        detail::startJpegReader(d, data, none, {});
    } catch (const ImagingError&) {
        return std::nullopt;
    }
    const jpeg_decompress_struct& c = d.cinfo;
    // What every PDF reader decodes: 8-bit Huffman-coded grey or colour (baseline or
    // progressive). CMYK files store their inks inverted or not depending on the maker.
    if (c.data_precision != 8 || c.arith_code)
        return std::nullopt;
    JpegStream out;
    out.width = static_cast<int>(c.image_width);
    out.height = static_cast<int>(c.image_height);
    if (c.num_components == 1 && c.jpeg_color_space == JCS_GRAYSCALE)
        out.components = 1;
    else if (c.num_components == 3 && (c.jpeg_color_space == JCS_YCbCr || c.jpeg_color_space == JCS_RGB))
        out.components = 3;
    else
        return std::nullopt;
    // The profile counts only where decoding applies it, so the page looks as printed.
    if (out.components == 3 && d.icc != nullptr && options.useColourProfiles &&
        detail::profileChangesColours({d.icc, d.iccLength}))
        out.profile.assign(d.icc, d.icc + d.iccLength);
    return out;
}

std::vector<std::uint8_t> encodeJpeg(ConstBitmapView bmp, int quality, const ProgressFn& progress, int dpi)
{
    if (quality < 1 || quality > 100)
        throw ImagingError(msg::kBadQuality);
    checkWritable(bmp);
    checkJpegTarget(quality, bmp.width, bmp.height);
    std::vector<std::uint8_t> out;
    JpegWriter e{};
    e.dest.pub.init_destination = startOutput;
    e.dest.pub.empty_output_buffer = growOutput;
    e.dest.pub.term_destination = endOutput;
    e.dest.out = &out;
    WriterGuard guard{e};
    detail::attachJpegManagers(reinterpret_cast<j_common_ptr>(&e.cinfo), e.err, e.prog, progress);
    detail::report(progress, 0);
    if (!compressRows(e, bmp, quality, dpi))
        detail::throwJpegFailure(e.err, msg::kCannotWrite, {});
    detail::report(progress, 100);
    return out;
}

void saveJpeg(ConstBitmapView bmp, const std::string& path, int quality, const ProgressFn& progress, int dpi)
{
    writeFileAtomically(path, encodeJpeg(bmp, quality, progress, dpi));
}

namespace {

void writeAll(int fd, const std::uint8_t* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw std::system_error(n < 0 ? errno : EIO, std::generic_category());
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

} // namespace

void saveJpegBands(const std::string& path, int width, int height, int quality, const NextBand& nextBand,
                   const ProgressFn& progress, int dpi)
{
    checkJpegTarget(quality, width, height);
    writeFileWith(path, [&](OutputFile& file) {
        std::vector<std::uint8_t> out;
        JpegWriter e{};
        e.dest.pub.init_destination = startOutput;
        e.dest.pub.empty_output_buffer = growOutput;
        e.dest.pub.term_destination = endOutput;
        e.dest.out = &out;
        WriterGuard guard{e};
        detail::attachJpegManagers(reinterpret_cast<j_common_ptr>(&e.cinfo), e.err, e.prog, progress);
        // What the encoder has made so far goes to the file after each band, and its
        // buffer is used again: the compressed page is never held whole either.
        auto drain = [&] {
            const std::size_t used = out.size() - e.dest.pub.free_in_buffer;
            writeAll(file.fd(), out.data(), used);
            file.startWriteback();
            e.dest.pub.next_output_byte = out.data();
            e.dest.pub.free_in_buffer = out.size();
        };
        detail::report(progress, 0);
        int bytesPerPixel = 0;
        std::vector<JSAMPROW> rows;
        for (int written = 0; written < height;) {
            const ConstBitmapView band = nextBand();
            checkWritable(band);
            if (band.width != width || band.height > height - written ||
                (bytesPerPixel != 0 && band.bytesPerPixel != bytesPerPixel))
                throw ImagingError("The rows given do not fit the picture being saved");
            if (bytesPerPixel == 0) {
                bytesPerPixel = band.bytesPerPixel;
                if (!startCompress(e, width, height, bytesPerPixel, quality, dpi))
                    detail::throwJpegFailure(e.err, msg::kCannotWrite, {});
            }
            rows.resize(static_cast<std::size_t>(band.height));
            if (!compressBand(e, band, rows.data()))
                detail::throwJpegFailure(e.err, msg::kCannotWrite, {});
            drain();
            written += band.height;
        }
        if (!finishCompress(e))
            detail::throwJpegFailure(e.err, msg::kCannotWrite, {});
        // endOutput has cut the buffer to what is still to be written.
        writeAll(file.fd(), out.data(), out.size());
        file.startWriteback();
    });
    detail::report(progress, 100);
}

} // namespace imaging
