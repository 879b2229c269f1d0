// 24-bit Windows bitmaps: a 14-byte file header, a 40-byte info header, then the rows
// from the bottom up, each padded to a multiple of 4 bytes, as every viewer expects.
#include "imaging/codec_internal.h"
#include "imaging/codec_messages.h"

#include <cstring>
#include <limits>

namespace imaging {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
// 72 dots per inch, in the format's pixels per metre.
constexpr std::uint32_t kPixelsPerMetre = 2835;

void putLe16(std::uint8_t* p, std::uint16_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

void putLe32(std::uint8_t* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void writeHeaders(std::uint8_t* h, int width, int height, std::uint32_t imageBytes)
{
    const auto offset = static_cast<std::uint32_t>(kFileHeaderSize + kInfoHeaderSize);
    h[0] = 'B';
    h[1] = 'M';
    putLe32(h + 2, offset + imageBytes);
    putLe32(h + 10, offset);
    std::uint8_t* info = h + kFileHeaderSize;
    putLe32(info + 0, kInfoHeaderSize);
    putLe32(info + 4, static_cast<std::uint32_t>(width));
    putLe32(info + 8, static_cast<std::uint32_t>(height)); // positive: bottom-up rows
    putLe16(info + 12, 1);                                   // planes
    putLe16(info + 14, 24);                                  // bits per pixel
    putLe32(info + 16, 0);                                   // BI_RGB, no compression
    putLe32(info + 20, imageBytes);
    putLe32(info + 24, kPixelsPerMetre);
    putLe32(info + 28, kPixelsPerMetre);
    // colours used and important stay 0: no colour table
}

} // namespace

std::vector<std::uint8_t> encodeBmp(ConstBitmapView bmp)
{
    if (bmp.pixels == nullptr || bmp.width <= 0 || bmp.height <= 0)
        throw ImagingError(std::string(msg::kNothingToSave));
    if (bmp.bytesPerPixel != 3 && bmp.bytesPerPixel != 4)
        throw ImagingError("Unsupported bitmap layout: " + std::to_string(bmp.bytesPerPixel) + " bytes per pixel");
    const std::size_t rowBytes = (static_cast<std::size_t>(bmp.width) * 3 + 3) & ~std::size_t(3);
    const std::size_t imageBytes = rowBytes * static_cast<std::size_t>(bmp.height);
    if (imageBytes > std::numeric_limits<std::uint32_t>::max() - kFileHeaderSize - kInfoHeaderSize)
        throw ImagingError(std::string(msg::kTooLargeToSave));

    std::vector<std::uint8_t> file(kFileHeaderSize + kInfoHeaderSize + imageBytes, 0);
    writeHeaders(file.data(), bmp.width, bmp.height, static_cast<std::uint32_t>(imageBytes));
    std::uint8_t* out = file.data() + kFileHeaderSize + kInfoHeaderSize;
    for (int y = bmp.height - 1; y >= 0; --y, out += rowBytes) {
        const std::uint8_t* in = bmp.row(y);
        if (bmp.bytesPerPixel == 3) {
            std::memcpy(out, in, static_cast<std::size_t>(bmp.width) * 3);
            continue;
        }
        for (int x = 0; x < bmp.width; ++x) // the fourth byte is unused and dropped
            std::memcpy(out + 3 * x, in + 4 * x, 3);
    }
    return file;
}

void saveBmp(ConstBitmapView bmp, const std::string& path)
{
    writeFileAtomically(path, encodeBmp(bmp));
}

} // namespace imaging
