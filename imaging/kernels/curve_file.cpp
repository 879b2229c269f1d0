// Curve files: the tone table as 256 little-endian 32-bit entries, no header.
#include "imaging/kernels/imaging.h"

#include "core/files.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace imaging {

namespace {

constexpr std::size_t kCurveBytes = 256 * 4;

std::array<std::uint8_t, kCurveBytes> toBytes(const ToneLUT& lut)
{
    std::array<std::uint8_t, kCurveBytes> bytes{};
    for (std::size_t v = 0; v < 256; ++v) {
        const auto u = static_cast<std::uint32_t>(lut[v]);
        for (std::size_t k = 0; k < 4; ++k)
            bytes[4 * v + k] = static_cast<std::uint8_t>(u >> (8 * k));
    }
    return bytes;
}

ToneLUT fromBytes(const std::array<std::uint8_t, kCurveBytes>& bytes)
{
    ToneLUT lut{};
    for (std::size_t v = 0; v < 256; ++v) {
        std::uint32_t u = 0;
        for (std::size_t k = 0; k < 4; ++k)
            u |= static_cast<std::uint32_t>(bytes[4 * v + k]) << (8 * k);
        lut[v] = static_cast<std::int32_t>(u);
    }
    return lut;
}

} // namespace

ToneLUT readCurveFile(const std::string& path, const ToneLUT& base)
{
    std::error_code ec;
    // Only a plain file: a FIFO or device would block or never end.
    if (!std::filesystem::is_regular_file(path, ec))
        throw ImagingError({QT_TRANSLATE_NOOP("Paginor", "Can't open file %1"), path});
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ImagingError({QT_TRANSLATE_NOOP("Paginor", "Can't open file %1"), path});
    auto bytes = toBytes(base);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.bad())
        throw ImagingError({QT_TRANSLATE_NOOP("Paginor", "Can't open file %1"), path});
    // A short file has replaced only the bytes it holds; the rest are base's.
    return fromBytes(bytes);
}

void writeCurveFile(const ToneLUT& lut, const std::string& path)
{
    const auto bytes = toBytes(lut);
    // A failed write leaves any earlier curve as it was.
    try {
        core::writeFileAtomically(path, bytes);
    } catch (const core::FileError&) {
        throw ImagingError({QT_TRANSLATE_NOOP("Paginor", "Can't write file %1"), path});
    }
}

} // namespace imaging
