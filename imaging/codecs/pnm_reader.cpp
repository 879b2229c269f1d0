// Binary netpbm (P6, P5) of 8 or 16 bits read straight into the bitmap's rows. A
// 6000 x 4000 picture of 16 bits is 144 MB; reading it whole into memory, then through
// Qt's reader into an image of its own, then into our bitmap took three copies, half a
// second and 380 MB.
#include "imaging/codecs/codec_internal.h"
#include "imaging/codecs/codec_messages.h"
#include "imaging/codecs/fast_io.h"
#include "imaging/kernels/parallel.h"
#include "imaging/kernels/simd.h"

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace imaging::detail {
namespace {

// The header must end within this many bytes; a longer one (pages of comments) goes to
// the general reader.
constexpr std::size_t kHeaderLimit = 64 * 1024;
// Bytes read per call: a whole number of pixels of every kind, small enough to stay
// in the processor's cache while its pixels are turned into ours.
constexpr std::size_t kChunkBytes = std::size_t(3) << 18;
// More digits than this is no picture size; the general reader may say what it is.
constexpr int kMaxDigits = 12;

struct PnmHeader {
    int channels = 0;       // 3 for P6, 1 for P5
    int bytesPerSample = 0; // 1 for a largest value of 255, 2 (big-endian) for 65535
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::size_t dataOffset = 0;
};

bool isSpace(std::uint8_t c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads the whitespace and comments before a number, then the number. The number must
// end in whitespace or a comment, as netpbm writes it.
std::optional<std::int64_t> headerNumber(std::span<const std::uint8_t> head, std::size_t& pos)
{
    while (pos < head.size() && (isSpace(head[pos]) || head[pos] == '#')) {
        if (head[pos] == '#')
            while (pos < head.size() && head[pos] != '\n')
                ++pos;
        else
            ++pos;
    }
    std::int64_t value = 0;
    int digits = 0;
    for (; pos < head.size() && head[pos] >= '0' && head[pos] <= '9'; ++pos, ++digits) {
        if (digits == kMaxDigits)
            return std::nullopt;
        value = value * 10 + (head[pos] - '0');
    }
    if (digits == 0 || pos >= head.size() || !(isSpace(head[pos]) || head[pos] == '#'))
        return std::nullopt;
    return value;
}

// "P6" or "P5", whitespace, width, height and largest value (255 or 65535) as decimal
// numbers with whitespace or comments between them, then exactly one whitespace byte
// before the pixels. Anything else is left to the general reader.
std::optional<PnmHeader> parsePnmHeader(std::span<const std::uint8_t> head)
{
    if (head.size() < 3 || head[0] != 'P' || (head[1] != '5' && head[1] != '6') || !isSpace(head[2]))
        return std::nullopt;
    PnmHeader h;
    h.channels = head[1] == '6' ? 3 : 1;
    std::size_t pos = 2;
    const auto width = headerNumber(head, pos);
    const auto height = width ? headerNumber(head, pos) : std::nullopt;
    const auto maxValue = height ? headerNumber(head, pos) : std::nullopt;
    // A comment straight after the largest value would make the byte that starts the
    // pixels a matter of interpretation; other largest values need scaling. Both go
    // the long way.
    if (!maxValue || (*maxValue != 255 && *maxValue != 65535) || !isSpace(head[pos]))
        return std::nullopt;
    h.bytesPerSample = *maxValue == 255 ? 1 : 2;
    h.width = *width;
    h.height = *height;
    h.dataOffset = pos + 1;
    return h;
}

// Netpbm holds red, green, blue; our pixels are blue, green, red.
PAGINOR_VECTOR_CLONES void rgbToBgr(const std::uint8_t* src, std::uint8_t* dst, std::size_t pixels)
{
    for (std::size_t i = 0; i < pixels; ++i) {
        dst[3 * i + 0] = src[3 * i + 2];
        dst[3 * i + 1] = src[3 * i + 1];
        dst[3 * i + 2] = src[3 * i + 0];
    }
}

PAGINOR_VECTOR_CLONES void greyToBgr(const std::uint8_t* src, std::uint8_t* dst, std::size_t pixels)
{
    for (std::size_t i = 0; i < pixels; ++i) {
        dst[3 * i + 0] = src[i];
        dst[3 * i + 1] = src[i];
        dst[3 * i + 2] = src[i];
    }
}

// Big-endian 16-bit samples to 8 bits, the same bytes as Qt's reader gives: colour
// v / 257 rounded to nearest (bias 128: 128 gives 0, 129 gives 1), grey v / 257
// truncated (bias 0: 256 gives 0, 257 gives 1). A contiguous loop, so the compiler
// vectorises it; the channels are put in our order afterwards.
PAGINOR_VECTOR_CLONES void narrow16(const std::uint8_t* src, std::uint8_t* dst, std::size_t samples, unsigned bias)
{
    for (std::size_t i = 0; i < samples; ++i) {
        const unsigned v = (unsigned(src[2 * i]) << 8 | src[2 * i + 1]) + bias;
        dst[i] = static_cast<std::uint8_t>((v - (v >> 8)) >> 8);
    }
}

// One run of pixels of the file's kind into ours.
void convertPixels(const PnmHeader& h, const std::uint8_t* src, std::uint8_t* dst, std::size_t pixels)
{
    const auto toBgr = h.channels == 3 ? rgbToBgr : greyToBgr;
    if (h.bytesPerSample == 1) {
        toBgr(src, dst, pixels);
        return;
    }
    // Through a few kilobytes that stay in the first-level cache.
    constexpr std::size_t kBlock = 2048;
    std::uint8_t narrow[3 * kBlock];
    const auto channels = static_cast<std::size_t>(h.channels);
    const unsigned bias = h.channels == 3 ? 128 : 0;
    for (std::size_t done = 0; done < pixels; done += kBlock) {
        const std::size_t n = std::min(kBlock, pixels - done);
        narrow16(src + 2 * channels * done, narrow, channels * n, bias);
        toBgr(narrow, dst + 3 * done, n);
    }
}

// Reads up to `size` bytes at `offset`; fewer only at the end of the file.
std::size_t readAt(int fd, std::uint8_t* out, std::size_t size, std::int64_t offset, const std::string& path)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd, out + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw ImagingError(msg::compose(msg::kCannotRead, path, std::generic_category().message(errno)));
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

[[noreturn]] void cutOff(const std::string& path)
{
    throw ImagingError(msg::compose(msg::kCannotRead, path, QT_TRANSLATE_NOOP("Paginor", "the file is truncated")));
}

// Rows [begin, end), chunk by chunk, turned into ours as they arrive. Reports progress
// when given a callback.
void readRows(int fd, const PnmHeader& h, Bitmap& bmp, int begin, int end, const std::string& path,
              const ProgressFn* progress)
{
    const auto rowPixels = static_cast<std::size_t>(h.width);
    const auto pixelBytes = static_cast<std::size_t>(h.channels * h.bytesPerSample);
    const std::size_t totalBytes = rowPixels * static_cast<std::size_t>(end - begin) * pixelBytes;
    std::vector<std::uint8_t> chunk(std::min(kChunkBytes, totalBytes));
    auto offset = static_cast<std::int64_t>(h.dataOffset + rowPixels * pixelBytes * static_cast<std::size_t>(begin));
    std::size_t doneBytes = 0;
    int y = begin;
    std::size_t x = 0; // pixels of row y already filled
    int reported = 0;
    while (doneBytes < totalBytes) {
        const std::size_t want = std::min(chunk.size(), totalBytes - doneBytes);
        if (readAt(fd, chunk.data(), want, offset, path) != want)
            cutOff(path);
        offset += static_cast<std::int64_t>(want);
        doneBytes += want;
        const std::uint8_t* src = chunk.data();
        for (std::size_t left = want / pixelBytes; left > 0;) {
            const std::size_t n = std::min(left, rowPixels - x);
            convertPixels(h, src, bmp.row(y) + 3 * x, n);
            src += n * pixelBytes;
            left -= n;
            x += n;
            if (x == rowPixels)
                x = 0, ++y;
        }
        const int percent = static_cast<int>(doneBytes * 99 / totalBytes);
        if (progress != nullptr && percent >= reported + 10)
            report(*progress, reported = percent);
    }
}

// Each core copies its own rows from the system's file cache and converts them; the
// first range, which runs on the calling thread, stands for the progress of the whole.
void readPixels(int fd, const PnmHeader& h, Bitmap& bmp, const std::string& path, const ProgressFn& progress)
{
    const long long rowBytes = h.width * h.channels * h.bytesPerSample;
    parallelFor(static_cast<int>(h.height), rowBytes, [&](int begin, int end) {
        readRows(fd, h, bmp, begin, end, path, begin == 0 ? &progress : nullptr);
    });
}

} // namespace

std::optional<Bitmap> readBinaryPnm(const std::string& path, const ProgressFn& progress)
{
    // O_NONBLOCK: a named pipe given as a picture must not hang the program.
    const core::FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat st {};
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    std::vector<std::uint8_t> head(static_cast<std::size_t>(std::clamp(st.st_size, off_t(0), off_t(kHeaderLimit))));
    head.resize(readAt(fd.get(), head.data(), head.size(), 0, path));
    const std::optional<PnmHeader> h = parsePnmHeader(head);
    if (!h)
        return std::nullopt;
    report(progress, 0);
    checkImageSize(h->width, h->height, path);
    // Refuse a short file before taking its pixel memory.
    const std::int64_t dataBytes = h->width * h->height * h->channels * h->bytesPerSample;
    if (st.st_size - static_cast<std::int64_t>(h->dataOffset) < dataBytes)
        cutOff(path);
    Bitmap bmp = Bitmap::uninitialized(static_cast<int>(h->width), static_cast<int>(h->height), 3);
    readPixels(fd.get(), *h, bmp, path, progress);
    report(progress, 100);
    return bmp;
}

} // namespace imaging::detail
