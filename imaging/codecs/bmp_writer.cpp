// 24-bit Windows bitmaps: a 14-byte file header, a 40-byte info header, then the rows
// from the bottom up, each padded to a multiple of 4 bytes, as every viewer expects.
#include "imaging/codecs/codec_internal.h"
#include "imaging/codecs/codec_messages.h"
#include "imaging/codecs/fast_io.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>
#include <vector>

#include <sys/uio.h>
#include <unistd.h>

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

// dpi 0 keeps the customary 72 dots per inch.
void writeHeaders(std::uint8_t* h, int width, int height, std::uint32_t imageBytes, int dpi = 0)
{
    const auto perMetre = dpi > 0 ? static_cast<std::uint32_t>(std::lround(dpi / 0.0254)) : kPixelsPerMetre;
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
    putLe32(info + 24, perMetre);
    putLe32(info + 28, perMetre);
    // colours used and important stay 0: no colour table
}

// The bytes of one padded row in the file; throws for what no BMP file can hold.
std::size_t checkedRowBytes(ConstBitmapView bmp)
{
    if (bmp.pixels == nullptr || bmp.width <= 0 || bmp.height <= 0)
        throw ImagingError(msg::kNothingToSave);
    if (bmp.bytesPerPixel != 3 && bmp.bytesPerPixel != 4)
        throw ImagingError({"Unsupported bitmap layout: %1 bytes per pixel", bmp.bytesPerPixel});
    const std::size_t rowBytes = (static_cast<std::size_t>(bmp.width) * 3 + 3) & ~std::size_t(3);
    if (rowBytes * static_cast<std::size_t>(bmp.height) >
        std::numeric_limits<std::uint32_t>::max() - kFileHeaderSize - kInfoHeaderSize)
        throw ImagingError(msg::kTooLargeToSave);
    return rowBytes;
}

// The fourth byte of a 32-bit pixel is unused and dropped.
void dropFourthBytes(const std::uint8_t* in, std::uint8_t* out, std::size_t pixels)
{
    for (std::size_t x = 0; x < pixels; ++x)
        std::memcpy(out + 3 * x, in + 4 * x, 3);
}

// Hands the file's pieces to the kernel many at a time with writev: 24-bit rows go
// straight from the bitmap, 32-bit rows through a few megabytes of staging. No copy of
// the whole file is ever made.
class RowStream {
public:
    explicit RowStream(OutputFile& out) : m_out(out) { m_pieces.reserve(kMaxPieces); }

    void add(const std::uint8_t* bytes, std::size_t size)
    {
        if (m_pieces.size() == kMaxPieces)
            flush();
        m_pieces.push_back({const_cast<std::uint8_t*>(bytes), size}); // writev only reads
    }
    // Room for `size` bytes (at most kStagingBytes) that go into the file next.
    std::uint8_t* stage(std::size_t size)
    {
        if (m_staged + size > kStagingBytes || m_pieces.size() == kMaxPieces)
            flush();
        std::uint8_t* room = m_staging.data() + m_staged;
        m_staged += size;
        add(room, size);
        return room;
    }
    void flush()
    {
        writeAllPieces(m_out.fd(), m_pieces);
        m_out.startWriteback();
        m_pieces.clear();
        m_staged = 0;
    }

    static constexpr std::size_t kStagingBytes = std::size_t(4) << 20;

private:
    static constexpr std::size_t kMaxPieces = IOV_MAX;

    static void writeAllPieces(int fd, std::vector<iovec>& pieces)
    {
        iovec* next = pieces.data();
        auto left = static_cast<int>(pieces.size());
        while (left > 0) {
            ssize_t n = ::writev(fd, next, left);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                throw std::system_error(n < 0 ? errno : EIO, std::generic_category());
            for (; left > 0 && static_cast<std::size_t>(n) >= next->iov_len; ++next, --left)
                n -= static_cast<ssize_t>(next->iov_len);
            if (left > 0) { // a piece written in part
                next->iov_base = static_cast<std::uint8_t*>(next->iov_base) + n;
                next->iov_len -= static_cast<std::size_t>(n);
            }
        }
    }

    OutputFile& m_out;
    std::vector<iovec> m_pieces;
    std::vector<std::uint8_t> m_staging = std::vector<std::uint8_t>(kStagingBytes);
    std::size_t m_staged = 0;
};

void writeRows(ConstBitmapView bmp, std::size_t rowBytes, RowStream& out)
{
    static constexpr std::uint8_t kZeros[4] = {};
    const auto width = static_cast<std::size_t>(bmp.width);
    const std::size_t padding = rowBytes - 3 * width;
    constexpr std::size_t kPixelsPerStage = RowStream::kStagingBytes / 3;
    for (int y = bmp.height - 1; y >= 0; --y) {
        const std::uint8_t* in = bmp.row(y);
        if (bmp.bytesPerPixel == 3) {
            out.add(in, 3 * width);
        } else {
            for (std::size_t x = 0; x < width; x += kPixelsPerStage) {
                const std::size_t n = std::min(kPixelsPerStage, width - x);
                dropFourthBytes(in + 4 * x, out.stage(3 * n), n);
            }
        }
        if (padding > 0) // the view's own padding may hold anything
            out.add(kZeros, padding);
    }
    out.flush();
}

} // namespace

std::vector<std::uint8_t> encodeBmp(ConstBitmapView bmp)
{
    const std::size_t rowBytes = checkedRowBytes(bmp);
    const std::size_t imageBytes = rowBytes * static_cast<std::size_t>(bmp.height);
    std::vector<std::uint8_t> file(kFileHeaderSize + kInfoHeaderSize + imageBytes, 0);
    writeHeaders(file.data(), bmp.width, bmp.height, static_cast<std::uint32_t>(imageBytes));
    std::uint8_t* out = file.data() + kFileHeaderSize + kInfoHeaderSize;
    for (int y = bmp.height - 1; y >= 0; --y, out += rowBytes) {
        if (bmp.bytesPerPixel == 3)
            std::memcpy(out, bmp.row(y), static_cast<std::size_t>(bmp.width) * 3);
        else
            dropFourthBytes(bmp.row(y), out, static_cast<std::size_t>(bmp.width));
    }
    return file;
}

void saveBmp(ConstBitmapView bmp, const std::string& path, int dpi)
{
    const std::size_t rowBytes = checkedRowBytes(bmp);
    std::uint8_t headers[kFileHeaderSize + kInfoHeaderSize] = {};
    writeHeaders(headers, bmp.width, bmp.height, static_cast<std::uint32_t>(rowBytes * static_cast<std::size_t>(bmp.height)),
                 dpi);
    writeFileWith(path, [&](OutputFile& file) {
        RowStream out(file);
        out.add(headers, sizeof headers);
        writeRows(bmp, rowBytes, out);
    });
}

} // namespace imaging

namespace imaging {

void saveBmpBands(const std::string& path, int width, int height, const NextBand& nextBand, int dpi)
{
    ConstBitmapView shape;
    shape.pixels = reinterpret_cast<const std::uint8_t*>(&shape); // only checked for null
    shape.width = width;
    shape.height = height;
    shape.bytesPerPixel = 3;
    const std::size_t rowBytes = checkedRowBytes(shape);
    const std::size_t imageBytes = rowBytes * static_cast<std::size_t>(height);
    std::uint8_t headers[kFileHeaderSize + kInfoHeaderSize] = {};
    writeHeaders(headers, width, height, static_cast<std::uint32_t>(imageBytes), dpi);
    writeFileWith(path, [&](OutputFile& file) {
        // The rows go in from the bottom up, so each band of rows, top to bottom, goes in
        // at its own place, its last row first.
        if (::ftruncate(file.fd(), static_cast<off_t>(sizeof headers + imageBytes)) != 0)
            throw std::system_error(errno, std::generic_category());
        RowStream out(file);
        out.add(headers, sizeof headers);
        out.flush();
        for (int written = 0; written < height;) {
            const ConstBitmapView band = nextBand();
            if (band.pixels == nullptr || band.width != width || band.height <= 0 || band.height > height - written ||
                (band.bytesPerPixel != 3 && band.bytesPerPixel != 4))
                throw ImagingError("The rows given do not fit the picture being saved");
            const auto offset = static_cast<off_t>(sizeof headers +
                                                   rowBytes * static_cast<std::size_t>(height - written - band.height));
            if (::lseek(file.fd(), offset, SEEK_SET) != offset)
                throw std::system_error(errno, std::generic_category());
            writeRows(band, rowBytes, out);
            written += band.height;
        }
    });
}

} // namespace imaging
