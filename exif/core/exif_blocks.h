// The EXIF block inside the files of the formats that do not keep it where a JPEG does:
// HEIF and AVIF (an "Exif" item), WebP (an "EXIF" chunk) and JPEG XL (an "Exif" box).
// Plain C++, no Qt: the decoders read the orientation from it and the EXIF reader its
// camera data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace imaging {

// The largest EXIF block taken from a file. A JPEG XL file may keep its block compressed,
// so the block can be larger than the file, but never larger than this.
inline constexpr std::size_t kMaxExifBlock = std::size_t(1) << 20;

// The TIFF block (from its "II"/"MM" header on) of the EXIF data the file's bytes carry,
// by what they are (not by any name); empty when there is none or the data is damaged.
std::vector<std::uint8_t> embeddedExifBlock(std::span<const std::uint8_t> fileBytes);

std::vector<std::uint8_t> heifExifBlock(std::span<const std::uint8_t> fileBytes);
std::vector<std::uint8_t> webpExifBlock(std::span<const std::uint8_t> fileBytes);
std::vector<std::uint8_t> jxlExifBlock(std::span<const std::uint8_t> fileBytes);

// An EXIF chunk without JPEG's "Exif\0\0" in front, when a writer left it there.
std::span<const std::uint8_t> tiffBlockOf(std::span<const std::uint8_t> exifChunk);

} // namespace imaging
