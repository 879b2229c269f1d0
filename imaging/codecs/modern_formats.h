// The phone, web and camera formats' decoders: HEIF/AVIF, WebP, JPEG XL and camera RAW.
// The table (registry.h) is how the rest of the program reaches them. Not part of the
// module's public header.
#pragma once

#include "imaging/codecs/registry.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace imaging::detail {

// The decoders; name only goes into error messages. Each gives the picture upright and in
// sRGB as options say, and refuses damaged data with kNotAccepted.
Bitmap decodeHeif(std::span<const std::uint8_t> data, const DecodeOptions& options, const ProgressFn& progress,
                  const std::string& name);
Bitmap decodeWebp(std::span<const std::uint8_t> data, const DecodeOptions& options, const ProgressFn& progress,
                  const std::string& name);
Bitmap decodeJxl(std::span<const std::uint8_t> data, const DecodeOptions& options, const ProgressFn& progress,
                 const std::string& name);
// decodeHeif handed to sink (see RowSink) a band of rows at a time, made from the
// planes the coder stored, so its whole picture in RGB is never held. Returns its size.
ImageSize decodeHeifInto(std::span<const std::uint8_t> data, const DecodeOptions& options, const std::string& name,
                         RowSink& sink);

// An ICC profile of an RGB space with these primaries and white point (x, y of red,
// green, blue and white) and the sRGB tone curve.
std::vector<std::uint8_t> rgbProfile(const std::array<float, 8>& xy);

// Camera RAW through LibRaw: the largest embedded JPEG preview, whatever its size;
// nothing when there is none.
std::optional<EmbeddedPreview> rawJpegPreview(const std::string& path);
// The RAW picture developed by LibRaw with the camera's white balance, sRGB, 8 bits, upright.
Bitmap developRaw(const std::string& path, const ProgressFn& progress,
                  const DecodeOptions& options);
// The whole load: a full-size preview through the JPEG decoder, turned upright, or the develop.
Bitmap decodeRaw(const std::string& path, const ProgressFn& progress,
                 const DecodeOptions& options);

} // namespace imaging::detail
