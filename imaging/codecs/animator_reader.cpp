// Pictures and cels of the original Autodesk Animator: a 32-byte header (magic 0x9119,
// width, height, position, 8 bits a pixel, no compression, data size), a 256-entry
// palette of 6-bit red, green, blue, then one palette index a pixel, top row first.
#include "imaging/codecs/codec_internal.h"
#include "imaging/codecs/codec_messages.h"

#include <algorithm>

namespace imaging::detail {
namespace {

constexpr std::size_t kHeaderSize = 32;
constexpr std::size_t kPaletteSize = 768;
constexpr unsigned kMagic = 0x9119;
// Animator Pro wrote chunked pictures (magic 0x9500 after a file size) under the same
// extensions, and cels that are flic animations (0xAF12).
constexpr unsigned kProPictureMagic = 0x9500, kFlicMagic = 0xAF12;

unsigned le16(const std::vector<std::uint8_t>& d, std::size_t at)
{
    return d[at] | (d[at + 1] << 8);
}

void checkHeader(const std::vector<std::uint8_t>& d, const std::string& path)
{
    if (d.size() >= 6 && (le16(d, 4) == kProPictureMagic || le16(d, 4) == kFlicMagic))
        throw ImagingError(msg::compose(msg::kNoReader, path, QT_TRANSLATE_NOOP("Paginor", "Animator Pro pictures and flic cels are not read")));
    if (d.size() < kHeaderSize || le16(d, 0) != kMagic)
        throw ImagingError(msg::compose(msg::kCannotRead, path, QT_TRANSLATE_NOOP("Paginor", "not an Autodesk Animator picture")));
    if (d[10] != 8 || d[11] != 0)
        throw ImagingError(msg::compose(msg::kCannotRead, path, QT_TRANSLATE_NOOP("Paginor", "only 8-bit uncompressed Animator pictures exist")));
}

} // namespace

Bitmap readAnimator(const std::string& path, const ProgressFn& progress)
{
    report(progress, 0);
    const std::vector<std::uint8_t> d = readWholeFile(path);
    checkHeader(d, path);
    const int width = static_cast<int>(le16(d, 2)), height = static_cast<int>(le16(d, 4));
    checkImageSize(width, height, path);
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (d.size() < kHeaderSize + kPaletteSize + pixels)
        throw ImagingError(msg::compose(msg::kCannotRead, path, QT_TRANSLATE_NOOP("Paginor", "the file is truncated")));
    std::uint8_t colours[256][3]; // blue, green, red
    for (int i = 0; i < 256; ++i)
        for (int c = 0; c < 3; ++c) { // 0..63 stretched to 0..255
            const unsigned v = std::min<unsigned>(d[kHeaderSize + 3 * i + c], 63);
            colours[i][2 - c] = static_cast<std::uint8_t>((v * 255 + 31) / 63);
        }
    Bitmap bmp(width, height, 3);
    const std::uint8_t* in = d.data() + kHeaderSize + kPaletteSize;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* out = bmp.row(y);
        for (int x = 0; x < width; ++x, ++in, out += 3)
            std::copy_n(colours[*in], 3, out);
    }
    report(progress, 100);
    return bmp;
}

} // namespace imaging::detail
