// The glue this program puts around the phone, web and camera format libraries: telling
// a format by its content, finding the EXIF block in HEIF, WebP and JPEG XL files and its
// orientation, and the HEIF, WebP, JPEG XL and camera RAW decoders with their size checks,
// a phone's grid of HEVC tiles read a row at a time,
// sample narrowing, alpha over white and turns. What must hold for any input: a bitmap of
// a sane size or an ImagingError, never anything else; a block no larger than the input
// or, when the file keeps it compressed, than the cap on EXIF blocks.
#include "fuzz/fuzz_file.h"
#include "imaging/codecs/codec_internal.h"
#include "exif/core/exif_blocks.h"
#include "imaging/codecs/modern_formats.h"
#include "imaging/codecs/registry.h"
#include "imaging/kernels/orientation.h"

#include <algorithm>

namespace {

using fuzzing::require;

void checkBitmap(const imaging::Bitmap& bmp)
{
    require(bmp.width() > 0 && bmp.height() > 0 && bmp.bytesPerPixel() == 3);
    require(std::int64_t(bmp.width()) * bmp.height() <= imaging::kMaxPixels);
}

// Rows handed over in bands (a HEIF's planes, a phone's grid of tiles) must come after
// begin, inside the size it gave, top to bottom.
class CheckedSink : public imaging::RowSink {
public:
    void begin(int width, int height, int orientation) override
    {
        require(width > 0 && height > 0 && std::int64_t(width) * height <= imaging::kMaxPixels);
        require(orientation >= 1 && orientation <= 8);
        m_width = width, m_height = height, m_next = 0;
    }
    void rows(imaging::ConstBitmapView band, int firstRow) override
    {
        require(m_width > 0 && band.width == m_width && band.height > 0 && firstRow == m_next);
        require(firstRow + band.height <= m_height);
        m_next = firstRow + band.height;
    }

private:
    int m_width = 0, m_height = 0, m_next = 0;
};

} // namespace

// libheif's AV1 decoding through dav1d leaves a few bytes behind when a damaged picture
// stops it part way (inside the system's libraries, out of this program's reach).
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libdav1d.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A few hundred bytes of HEIF may rightly announce a gigapixel picture; filling that
    // memory is no parsing. The size check itself is what the cap exercises.
    imaging::detail::setMaxDecodedPixels(std::int64_t(1) << 22);
    const std::span<const std::uint8_t> bytes(data, size);
    const std::vector<std::uint8_t> block = imaging::embeddedExifBlock(bytes);
    require(block.size() <= std::max(size, imaging::kMaxExifBlock));
    const int orientation = imaging::exifOrientation(block);
    require(orientation >= 1 && orientation <= 8);
    const imaging::Codec* codec = imaging::sniff(bytes);
    try {
        if (codec != nullptr && codec->keptAs == imaging::KeptAs::EncodedData) {
            checkBitmap(codec->decode(bytes, {}, {}, "in"));
            CheckedSink sink;
            const imaging::ImageSize size = codec->decodeForScreen(bytes, {}, "in", sink);
            require(size.width > 0 && size.height > 0);
        } else if (size >= 4 && ((data[0] == 'I' && data[1] == 'I') || (data[0] == 'M' && data[1] == 'M'))) {
            // A camera RAW file is a TIFF file in most makes.
            checkBitmap(imaging::detail::decodeRaw(fuzzing::inputFile(data, size), {}, {}));
        }
    } catch (const imaging::ImagingError&) {
    }
    return 0;
}
