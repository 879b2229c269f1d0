// Whole-file reads, crash-safe writes and private temporary folders with the codecs'
// messages, and the size guard.
#include "imaging/codecs/codec_internal.h"
#include "imaging/codecs/codec_messages.h"
#include "imaging/codecs/fast_io.h"

#include <atomic>
#include <system_error>

#include <unistd.h>

namespace imaging {
namespace {

std::string errnoText(int err)
{
    return std::generic_category().message(err);
}

} // namespace

std::vector<std::uint8_t> readWholeFile(const std::string& path)
{
    using enum core::FileError::Failure;
    try {
        return core::readWholeFile(path, static_cast<std::uint64_t>(detail::maxImageBytes()));
    } catch (const core::FileError& e) {
        switch (e.failure()) {
        case NotOrdinary:
            throw ImagingError(msg::compose(msg::kCannotOpen, path, QT_TRANSLATE_NOOP("Paginor", "not an ordinary file")));
        case TooLarge:
            throw ImagingError(msg::compose(msg::kTooLarge, path, QT_TRANSLATE_NOOP("Paginor", "the file is larger than this machine can hold")));
        case CannotRead:
            throw ImagingError(msg::compose(msg::kCannotRead, path, errnoText(e.code().value())));
        default:
            throw ImagingError(msg::compose(msg::kCannotOpen, path, errnoText(e.code().value())));
        }
    }
}

void writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes)
{
    try {
        core::writeFileAtomically(path, bytes);
    } catch (const core::FileError& e) {
        throw ImagingError(msg::compose(msg::kCannotWrite, path, errnoText(e.code().value())));
    }
}

void writeFileWith(const std::string& path, const std::function<void(OutputFile&)>& writeBody)
{
    try {
        core::writeFileWith(path, writeBody);
    } catch (const core::FileError& e) {
        throw ImagingError(msg::compose(msg::kCannotWrite, path, errnoText(e.code().value())));
    }
}

namespace detail {

std::int64_t maxImageBytes()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return std::int64_t(4) << 30;
    // Half the memory for one picture leaves room for the copies editing makes.
    return static_cast<std::int64_t>(pages) * pageSize / 2;
}

namespace {
std::atomic<std::int64_t> g_maxDecodedPixels{kMaxPixels};
} // namespace

void setMaxDecodedPixels(std::int64_t pixels)
{
    g_maxDecodedPixels = pixels > 0 && pixels < kMaxPixels ? pixels : kMaxPixels;
}

std::int64_t maxDecodedPixels()
{
    return g_maxDecodedPixels;
}

void checkImageSize(std::int64_t width, std::int64_t height, const std::string& path)
{
    if (width <= 0 || height <= 0)
        throw ImagingError(msg::compose(msg::kCannotRead, path, core::Message(QT_TRANSLATE_NOOP("Paginor", "the image has no pixels"))));
    // Bitmap sizes are ints; the row stride must fit too.
    if (width > (1 << 28) || height > (1 << 28) || width * height > g_maxDecodedPixels)
        throw ImagingError(msg::compose(msg::kTooLarge, path, core::Message(QT_TRANSLATE_NOOP("Paginor", "%1 x %2 pixels"), width, height)));
    // A decoder may hold a 32-bit copy beside our 24-bit result.
    if (width * height * 7 > maxImageBytes())
        throw ImagingError(msg::compose(
            msg::kTooLarge, path,
            core::Message(QT_TRANSLATE_NOOP("Paginor", "%1 x %2 pixels, more than this machine's memory"), width, height)));
}

core::TemporaryFolder makeTemporaryFolder()
{
    try {
        return core::TemporaryFolder("paginor-");
    } catch (const core::FileError& e) {
        throw ImagingError(msg::compose(msg::kCannotWrite, e.path(), errnoText(e.code().value())));
    }
}

} // namespace detail
} // namespace imaging
