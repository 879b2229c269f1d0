// Images as they arrive: packed device-independent bitmaps in malloc'd blocks.
#include "twain/core/twain.h"

#include "imaging/codecs/codecs.h"

#include <malloc.h>

#include <cstdlib>
#include <cstring>

namespace twain {
namespace {

std::uint32_t u32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

std::uint16_t u16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

constexpr std::uint32_t kCoreHeader = 12;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

struct DibLayout {
    int width = 0;
    int height = 0; // rows; the header's value may be negative for top-down rows
    bool topDown = false;
    int bitCount = 0;
    std::size_t tableEntries = 0;
    std::size_t tableEntrySize = 4;
    std::size_t pixelOffset = 0;
};

DibLayout layoutOf(const std::uint8_t* d, std::size_t size)
{
    if (size < 4)
        throw TwainError(QT_TRANSLATE_NOOP("Paginor", "The scanned image is empty"));
    DibLayout l;
    const std::uint32_t headerSize = u32(d);
    std::int64_t h = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t coloursUsed = 0;
    if (headerSize == kCoreHeader && size >= kCoreHeader) {
        l.width = u16(d + 4);
        h = u16(d + 6);
        l.bitCount = u16(d + 10);
        l.tableEntrySize = 3;
    } else if (headerSize >= 40 && headerSize <= 4096 && size >= headerSize) {
        l.width = static_cast<std::int32_t>(u32(d + 4));
        h = static_cast<std::int32_t>(u32(d + 8));
        l.bitCount = u16(d + 14);
        compression = u32(d + 16);
        coloursUsed = u32(d + 32);
    } else {
        throw TwainError(QT_TRANSLATE_NOOP("Paginor", "The scanned image has no bitmap header"));
    }
    if (compression != kBiRgb && !(compression == kBiBitfields && (l.bitCount == 16 || l.bitCount == 32)))
        throw TwainError(QT_TRANSLATE_NOOP("Paginor", "The scanned image is compressed"));
    if (compression == kBiBitfields && headerSize == 40)
        l.tableEntries = 3; // the three masks follow the header
    l.topDown = h < 0;
    if (h < 0)
        h = -h;
    if (l.width <= 0 || h <= 0 || static_cast<std::int64_t>(l.width) * h > imaging::kMaxPixels)
        throw TwainError(QT_TRANSLATE_NOOP("Paginor", "The scanned image has no usable size"));
    l.height = static_cast<int>(h);
    if (l.bitCount != 1 && l.bitCount != 4 && l.bitCount != 8 && l.bitCount != 16 && l.bitCount != 24 &&
        l.bitCount != 32)
        throw TwainError(QT_TRANSLATE_NOOP("Paginor", "The scanned image has an unknown bit count"));
    if (l.bitCount <= 8 && compression == kBiRgb) {
        std::size_t entries = headerSize == kCoreHeader || coloursUsed == 0 ? std::size_t(1) << l.bitCount : coloursUsed;
        l.tableEntries = entries > 256 ? 0 : entries;
    }
    l.pixelOffset = headerSize + l.tableEntries * l.tableEntrySize;
    const std::size_t stride = (static_cast<std::size_t>(l.width) * l.bitCount + 31) / 32 * 4;
    if (l.pixelOffset > size || (size - l.pixelOffset) / stride < static_cast<std::size_t>(l.height))
        throw TwainError(QT_TRANSLATE_NOOP("Paginor", "The scanned image is shorter than its header says"));
    return l;
}

} // namespace

int acquiredImageWidth(ImageHandle image)
{
    const auto* d = static_cast<const std::uint8_t*>(image);
    if (!d)
        return 0;
    return u32(d) == kCoreHeader ? u16(d + 4) : static_cast<std::int32_t>(u32(d + 4));
}

int acquiredImageHeight(ImageHandle image)
{
    const auto* d = static_cast<const std::uint8_t*>(image);
    if (!d)
        return 0;
    return u32(d) == kCoreHeader ? u16(d + 6) : static_cast<std::int32_t>(u32(d + 8));
}

imaging::Bitmap dibToBitmap(const std::uint8_t* d, std::size_t size)
{
    const DibLayout l = layoutOf(d, size);
    const std::uint8_t* table = d + u32(d);
    const std::size_t stride = (static_cast<std::size_t>(l.width) * l.bitCount + 31) / 32 * 4;
    imaging::Bitmap out(l.width, l.height, 3);
    for (int y = 0; y < l.height; ++y) {
        const int srcRow = l.topDown ? y : l.height - 1 - y;
        const std::uint8_t* src = d + l.pixelOffset + static_cast<std::size_t>(srcRow) * stride;
        std::uint8_t* dst = out.row(y);
        for (int x = 0; x < l.width; ++x, dst += 3) {
            if (l.bitCount <= 8) {
                const int perByte = 8 / l.bitCount;
                const int shift = 8 - l.bitCount * (x % perByte + 1);
                const std::size_t index = (src[x / perByte] >> shift) & ((1 << l.bitCount) - 1);
                if (index < l.tableEntries) {
                    std::memcpy(dst, table + index * l.tableEntrySize, 3);
                } else {
                    // Without a table the index is a grey level.
                    const auto grey = static_cast<std::uint8_t>(index * 255 / ((1 << l.bitCount) - 1));
                    dst[0] = dst[1] = dst[2] = grey;
                }
            } else if (l.bitCount == 16) {
                // 5-5-5, the layout of uncompressed 16-bit DIBs.
                const unsigned v = u16(src + x * 2);
                dst[0] = static_cast<std::uint8_t>((v & 31) * 255 / 31);
                dst[1] = static_cast<std::uint8_t>((v >> 5 & 31) * 255 / 31);
                dst[2] = static_cast<std::uint8_t>((v >> 10 & 31) * 255 / 31);
            } else {
                std::memcpy(dst, src + static_cast<std::size_t>(x) * (l.bitCount / 8), 3);
            }
        }
    }
    return out;
}

// A handle is a block from malloc; its usable size bounds what the header may claim.
imaging::Bitmap DibToImage(ImageHandle image)
{
    if (!image)
        throw TwainError(QT_TRANSLATE_NOOP("Paginor", "There is no scanned image"));
    return dibToBitmap(static_cast<const std::uint8_t*>(image), malloc_usable_size(image));
}

} // namespace twain
