// JPEG decoded smaller than full size with libjpeg's DCT scaling: the inverse transform
// of each 8 x 8 block produces 1..8 pixels a side instead of 8, so a screen-sized copy of
// a camera picture costs a fraction of the full decode and never needs its memory.
#pragma once

#include "imaging/codecs/codecs.h"

#include <cstdint>
#include <span>
#include <string>

namespace imaging {

// The size libjpeg gives a width x height picture decoded at eighths/8 (it rounds up).
int jpegScaledLength(int length, int eighths);

// The smallest scale in eighths (1..8) whose result is at least minWidth x minHeight;
// 8 when only the full size is that large.
int jpegScaleFor(int width, int height, int minWidth, int minHeight);

// Decodes JPEG data at eighths/8 of its size into a 24-bit bitmap. Every byte of the data
// is still read, so a truncated or corrupt file fails here just as with decodeJpeg (with
// the same ImagingError text). name is put into the message when given.
Bitmap decodeJpegScaled(std::span<const std::uint8_t> data, int eighths, const std::string& name = {},
                        const DecodeOptions& options = {});

} // namespace imaging
