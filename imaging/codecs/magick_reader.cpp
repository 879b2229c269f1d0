// Formats Qt has no reader for, through ImageMagick's Magick++.
#include "imaging/codecs/codec_internal.h"
#include "imaging/codecs/codec_messages.h"
#include "imaging/kernels/over_white.h"

#include <Magick++.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <mutex>

#include <sys/stat.h>

namespace imaging::detail {
namespace {

void initMagick()
{
    static std::once_flag once;
    std::call_once(once, [] { Magick::InitializeMagick(nullptr); });
}

// Most formats carry no reliable signature under these extensions (an SGI file named
// .rgb would otherwise be taken for raw RGB samples), so the format is always named.
// Photo CD files hold several sizes; index 3 is the 768 x 512 base image, where
// ImageMagick's first image would be the 192 x 128 thumbnail.
std::string magickName(const std::string& path, const FormatInfo& format)
{
    std::string request = std::string(format.formatName) + ":" + path;
    if (format.formatName == "PCD")
        request += "[3]";
    return request;
}

void checkReadable(const std::string& path)
{
    // ImageMagick reads the file itself (a Dr. Halo picture finds its palette beside
    // it); a missing file or a folder gets our own clear message first.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        throw ImagingError(msg::compose(msg::kCannotOpen, path, QT_TRANSLATE_NOOP("Paginor", "no such file")));
    if (!S_ISREG(st.st_mode))
        throw ImagingError(msg::compose(msg::kCannotOpen, path, QT_TRANSLATE_NOOP("Paginor", "not an ordinary file")));
}

std::uint32_t be(const std::vector<std::uint8_t>& d, std::size_t at, int bytes)
{
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = (v << 8) | d[at + i];
    return v;
}

// ImageMagick shows an SGI file cut short as a picture with a black end. The header
// (and for run-length files the table of row offsets and lengths) says how long the
// file must be, so a short one is refused here.
void checkSgiComplete(const std::string& path)
{
    const std::vector<std::uint8_t> d = readWholeFile(path);
    const auto cut = [&] { throw ImagingError(msg::compose(msg::kCannotRead, path, QT_TRANSLATE_NOOP("Paginor", "the file is truncated"))); };
    if (d.size() < 512)
        cut();
    const std::uint64_t bpc = d[3], x = be(d, 6, 2), y = be(d, 8, 2), z = std::max<std::uint32_t>(1, be(d, 10, 2));
    const unsigned dimensions = be(d, 4, 2);
    const std::uint64_t rows = dimensions == 1 ? 1 : y, channels = dimensions == 3 ? z : 1;
    checkImageSize(static_cast<std::int64_t>(x), static_cast<std::int64_t>(rows), path);
    if (d[2] == 0) { // stored as is
        if (512 + x * rows * channels * bpc > d.size())
            cut();
        return;
    }
    const std::uint64_t entries = rows * channels;
    if (512 + 8 * entries > d.size())
        cut();
    for (std::uint64_t i = 0; i < entries; ++i) {
        const std::uint64_t start = be(d, 512 + 4 * i, 4), length = be(d, 512 + 4 * (entries + i), 4);
        if (start + length > d.size())
            cut();
    }
}

// A raw fax has no header to say how long it is, but every page ends with six end-of-line
// codes in a row (each eleven or more 0 bits and a 1, followed in two-dimensional coding
// by a 1-bit tag), then padding. ImageMagick reads a file cut inside them or inside the
// last lines as a whole page, so a file without them is refused here.
void checkFaxComplete(const std::string& path)
{
    const std::vector<std::uint8_t> d = readWholeFile(path);
    std::size_t bit = d.size() * 8; // bits are read from the last one backwards
    const auto bitAt = [&](std::size_t i) { return (d[i / 8] >> (7 - i % 8)) & 1; };
    while (bit > 0 && bitAt(bit - 1) == 0)
        --bit;
    int endOfLines = 0;
    while (endOfLines < 6 && bit > 0) {
        --bit; // the 1 that ends the code, or the 1 of a tag after it
        if (bit > 0 && bitAt(bit - 1) == 1)
            --bit;
        std::size_t zeros = 0;
        while (bit > 0 && bitAt(bit - 1) == 0 && zeros < 12)
            --bit, ++zeros;
        if (zeros < 11)
            break;
        while (bit > 0 && bitAt(bit - 1) == 0) // fill bits before the code
            --bit;
        ++endOfLines;
    }
    if (endOfLines < 6)
        throw ImagingError(msg::compose(msg::kCannotRead, path, QT_TRANSLATE_NOOP("Paginor", "the file is truncated (no end-of-page codes)")));
}

// ImageMagick's messages end with where in its own source it gave up
// (" @ error/pnm.c/ReadPNMImage/1361"); that means nothing to whoever loads a picture.
std::string withoutSourceLocation(std::string text)
{
    for (const char* kind : {" @ error/", " @ warning/", " @ fatalerror/"})
        if (const std::size_t at = text.find(kind); at != std::string::npos)
            text.erase(at);
    return text;
}

// ImageMagick's progress during a read, mapped onto 10..70 of the caller's scale. A
// callback that throws stops the read: the exception is kept and thrown again by the
// caller, never carried through ImageMagick's C frames.
struct ReadProgress {
    const ProgressFn* callback;
    int last = -1;
    std::exception_ptr error;
};

MagickCore::MagickBooleanType onMagickProgress(const char*, const MagickCore::MagickOffsetType offset,
                                               const MagickCore::MagickSizeType extent, void* data)
{
    auto* state = static_cast<ReadProgress*>(data);
    if (!*state->callback || extent == 0)
        return MagickCore::MagickTrue;
    const int percent = 10 + static_cast<int>(std::min<double>(1.0, double(offset) / double(extent)) * 60.0);
    if (percent <= state->last)
        return MagickCore::MagickTrue;
    state->last = percent;
    try {
        (*state->callback)(percent);
    } catch (...) {
        state->error = std::current_exception();
        return MagickCore::MagickFalse;
    }
    return MagickCore::MagickTrue;
}

// Runs one Magick++ step. A truncated or corrupt file often gives only a warning and
// half a picture; that is a failed load. Other warnings (an unknown tag) are ignored.
template <class Step>
void magickStep(const std::string& path, Step step)
{
    try {
        step();
    } catch (const Magick::WarningCorruptImage& e) {
        throw ImagingError(msg::compose(msg::kCannotRead, path, withoutSourceLocation(e.what())));
    } catch (const Magick::Warning&) {
    } catch (const Magick::Exception& e) {
        throw ImagingError(msg::compose(msg::kCannotRead, path, withoutSourceLocation(e.what())));
    }
}

// Pixels as blue, green, red. The alpha channel is asked for only when the image has
// one: ImageMagick 6 leaves it undefined in the pixels of some readers otherwise.
Bitmap exportOverWhite(Magick::Image& image, const std::string& path)
{
    const int width = static_cast<int>(image.columns());
    const int height = static_cast<int>(image.rows());
    const bool alpha = image.matte();
    const int channels = alpha ? 4 : 3;
    Bitmap bmp(width, height, 3);
    constexpr int kBand = 64; // rows exported at a time, to bound the extra memory
    std::vector<std::uint8_t> band(static_cast<std::size_t>(width) * channels * kBand);
    for (int y0 = 0; y0 < height; y0 += kBand) {
        const int rows = std::min(kBand, height - y0);
        magickStep(path, [&] {
            image.write(0, y0, width, rows, alpha ? "BGRA" : "BGR", Magick::CharPixel, band.data());
        });
        for (int r = 0; r < rows; ++r) {
            const std::uint8_t* in = band.data() + static_cast<std::size_t>(r) * width * channels;
            if (alpha)
                bgraRowOverWhite(in, bmp.row(y0 + r), width);
            else
                std::memcpy(bmp.row(y0 + r), in, static_cast<std::size_t>(width) * 3);
        }
    }
    return bmp;
}

// ImageMagick 6 leaves Targa rows in the order the file stores them (most are stored
// bottom up) and only records that in the orientation.
void applyStoredOrientation(Magick::Image& image, const FormatInfo& format, const std::string& path)
{
    if (format.formatName != "TGA")
        return;
    magickStep(path, [&] {
        switch (image.orientation()) {
        case Magick::BottomLeftOrientation:
            image.flip();
            break;
        case Magick::TopRightOrientation:
            image.flop();
            break;
        case Magick::BottomRightOrientation:
            image.rotate(180);
            break;
        default:
            break;
        }
    });
}

// ImageMagick decodes a raw fax onto a 2592-pixel-wide page; the lines of a standard
// fax are 1728 pixels, and the blank strip right of them is no part of the picture.
constexpr int kFaxPageWidth = 2592, kFaxLineWidth = 1728;

Bitmap trimFaxPage(Bitmap page)
{
    if (page.width() != kFaxPageWidth)
        return page;
    for (int y = 0; y < page.height(); ++y) {
        const std::uint8_t* row = page.row(y);
        if (std::any_of(row + kFaxLineWidth * 3, row + kFaxPageWidth * 3, [](std::uint8_t v) { return v != 255; }))
            return page; // a wide fax: keep it all
    }
    Bitmap lines(kFaxLineWidth, page.height(), 3);
    for (int y = 0; y < page.height(); ++y)
        std::memcpy(lines.row(y), page.row(y), kFaxLineWidth * 3);
    return lines;
}

} // namespace

Bitmap readWithMagick(const std::string& path, const FormatInfo& format, const ProgressFn& progress,
                      const DecodeOptions& options)
{
    report(progress, 0);
    checkReadable(path);
    if (format.formatName == "SGI")
        checkSgiComplete(path);
    if (format.formatName == "FAX")
        checkFaxComplete(path);
    initMagick();
    const std::string request = magickName(path, format);
    Magick::Image image;
    image.quiet(false);
    // The header's size first: a crafted header must not make the decoder allocate.
    magickStep(path, [&] { image.ping(request); });
    checkImageSize(image.columns(), image.rows(), path);
    report(progress, 10);
    ReadProgress readProgress{&progress, -1, nullptr};
    MagickCore::SetImageInfoProgressMonitor(image.imageInfo(), onMagickProgress, &readProgress);
    try {
        magickStep(path, [&] { image.read(request); });
    } catch (const ImagingError&) {
        if (readProgress.error)
            std::rethrow_exception(readProgress.error);
        throw;
    }
    MagickCore::SetImageInfoProgressMonitor(image.imageInfo(), nullptr, nullptr);
    if (readProgress.error)
        std::rethrow_exception(readProgress.error);
    if (!image.isValid() || image.columns() == 0 || image.rows() == 0)
        throw ImagingError(msg::compose(msg::kCannotRead, path, QT_TRANSLATE_NOOP("Paginor", "no picture in the file")));
    checkImageSize(image.columns(), image.rows(), path);
    applyStoredOrientation(image, format, path);
    report(progress, 70);
    // Photo CD pictures come in YCC, Photoshop files may be CMYK or grey: export wants sRGB.
    if (image.colorSpace() != Magick::sRGBColorspace)
        magickStep(path, [&] { image.colorSpace(Magick::sRGBColorspace); });
    Bitmap bmp = exportOverWhite(image, path);
    // An RGB profile (a TIFF from a camera or scanner) gives the colours; the CMYK and
    // YCC pictures above are already sRGB and their profiles are refused.
    const Magick::Blob icc = image.iccColorProfile();
    if (icc.length() > 0)
        convertToSrgb(profileIfUsed({static_cast<const std::uint8_t*>(icc.data()), icc.length()}, options),
                      bmp.view());
    if (format.formatName == "FAX")
        bmp = trimFaxPage(std::move(bmp));
    report(progress, 100);
    return bmp;
}

} // namespace imaging::detail
