// One libFuzzer target for each decoder this program owns, chosen at build time by
// PAGINOR_DECODER: binary netpbm, Autodesk Animator pictures, the bitmap checks in front
// of Qt's BMP reader (with a .dib file's header completion), and the JPEG header checks
// and decoders. What must hold for any input: a bitmap or an ImagingError, never
// anything else; a bitmap of the announced size and within the size guard.
#include "fuzz/fuzz_file.h"
#include "imaging/codecs/codec_internal.h"
#include "imaging/codecs/fast_io.h"
#include "imaging/codecs/jpeg_scaled.h"

#include <vector>

namespace {

using fuzzing::require;

constexpr std::int64_t kMaxDecodedPixels = std::int64_t(1) << 22;

void checkBitmap(const imaging::Bitmap& bmp)
{
    require(bmp.width() > 0 && bmp.height() > 0 && bmp.bytesPerPixel() == 3);
    require(std::int64_t(bmp.width()) * bmp.height() <= imaging::kMaxPixels);
}

void fuzzPnm(const std::uint8_t* data, std::size_t size)
{
    const std::string path = fuzzing::inputFile(data, size);
    try {
        if (auto bmp = imaging::detail::readBinaryPnm(path, {}))
            checkBitmap(*bmp);
    } catch (const imaging::ImagingError&) {
    }
}

void fuzzAnimator(const std::uint8_t* data, std::size_t size)
{
    if (size < 6)
        return;
    const std::string path = fuzzing::inputFile(data, size);
    try {
        const imaging::Bitmap bmp = imaging::detail::readAnimator(path, {});
        checkBitmap(bmp);
        require(bmp.width() == (data[2] | data[3] << 8) && bmp.height() == (data[4] | data[5] << 8));
    } catch (const imaging::ImagingError&) {
    }
}

void fuzzBmp(const std::uint8_t* data, std::size_t size)
{
    try {
        const std::vector<std::uint8_t> file = imaging::detail::asBmpFile({data, data + size}, "in.dib");
        require(file.size() >= size && file[0] == 'B' && file[1] == 'M');
        imaging::detail::checkBmpComplete(file, "in.dib");
    } catch (const imaging::ImagingError&) {
    }
}

void fuzzJpeg(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    imaging::ImageSize announced;
    try {
        announced = imaging::readJpegSize(bytes);
    } catch (const imaging::ImagingError&) {
        return;
    }
    // Arithmetic coding can describe a flat picture of many megapixels in a few hundred
    // bytes, and decoding it rightly takes the memory; past a few megapixels the time
    // goes into filling memory, not into parsing.
    if (std::int64_t(announced.width) * announced.height > kMaxDecodedPixels)
        return;
    try {
        const imaging::Bitmap bmp = imaging::decodeJpeg(bytes);
        checkBitmap(bmp);
        require(bmp.width() == announced.width && bmp.height() == announced.height);
    } catch (const imaging::ImagingError&) {
    }
    try {
        const int eighths = size > 0 ? 1 + data[size - 1] % 8 : 8;
        const imaging::Bitmap bmp = imaging::decodeJpegScaled(bytes, eighths);
        require(bmp.width() == imaging::jpegScaledLength(announced.width, eighths));
        require(bmp.height() == imaging::jpegScaledLength(announced.height, eighths));
    } catch (const imaging::ImagingError&) {
    }
}

// Numbered as PAGINOR_DECODER counts them.
constexpr void (*kDecoders[])(const std::uint8_t*, std::size_t) = {fuzzPnm, fuzzAnimator, fuzzBmp, fuzzJpeg};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kDecoders[PAGINOR_DECODER - 1](data, size);
    return 0;
}
