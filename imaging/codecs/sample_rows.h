// What the HEIF, WebP and JPEG XL decoders share: their refusal and the copy of decoded
// RGB(A) samples into a bitmap's BGR rows. Not part of the module's public header.
#pragma once

#include "imaging/codecs/codecs.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace imaging::detail {

// Throws ImagingError (kNotAccepted) for data the decoder cannot read; detail says why.
[[noreturn]] void refuseData(const std::string& name, const std::string& detail);

// One sample of `bits` (9..16) rounded to 8 bits.
inline std::uint8_t narrowSample(unsigned value, unsigned maxValue)
{
    return static_cast<std::uint8_t>((std::min(value, maxValue) * 255u + maxValue / 2) / maxValue);
}

// RGB(A) rows, 8 or 16 bits a sample (native order), into the bitmap's BGR rows; alpha is
// laid over white, as the picture will be printed.
void copyRgbRows(const std::uint8_t* src, std::ptrdiff_t srcStride, int channels, int bits, Bitmap& out);

} // namespace imaging::detail
