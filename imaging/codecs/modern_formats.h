// The phone, web and camera formats: HEIF/AVIF, WebP, JPEG XL and camera RAW. Their
// decoders, what their content says they are, and the EXIF block each carries. Not part
// of the module's public header.
#pragma once

#include "imaging/codecs/codecs.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace imaging::detail {

// What a file's first bytes say it is, for the formats recognised by content whatever
// the file's name.
enum class Sniffed { Other, Jpeg, Heif, WebP, Jxl };
Sniffed sniffFormat(std::span<const std::uint8_t> head);
// The same for a file on disk (its first bytes only); Other when it cannot be read.
Sniffed sniffFile(const std::string& path);

// The decoders; name only goes into error messages. Each gives the picture upright (see
// orientationHonoured) and in sRGB, and refuses damaged data with kNotAccepted.
Bitmap decodeHeif(std::span<const std::uint8_t> data, const ProgressFn& progress, const std::string& name);
Bitmap decodeWebp(std::span<const std::uint8_t> data, const ProgressFn& progress, const std::string& name);
Bitmap decodeJxl(std::span<const std::uint8_t> data, const ProgressFn& progress, const std::string& name);
// The decoder of a sniffed kind (not Other or Jpeg).
using EncodedDecoder = Bitmap (*)(std::span<const std::uint8_t>, const ProgressFn&, const std::string&);
EncodedDecoder decoderFor(Sniffed kind);
// What decode gives, handed to sink (see RowSink): a HEIF's decoded planes become rows a
// band at a time, so its whole picture in RGB is never held; other kinds are decoded
// whole and handed over as one band. Returns the picture's size.
ImageSize decodeInto(EncodedDecoder decode, std::span<const std::uint8_t> data, const std::string& name,
                     RowSink& sink);

// An ICC profile of an RGB space with these primaries and white point (x, y of red,
// green, blue and white) and the sRGB tone curve.
std::vector<std::uint8_t> rgbProfile(const std::array<float, 8>& xy);

// Camera RAW through LibRaw.
struct RawPreview {
    std::vector<std::uint8_t> jpeg; // the embedded JPEG preview, as stored
    int orientation = 1;            // the RAW file's EXIF orientation (1..8)
    ImageSize stored;               // the preview's size as stored (before the turn)
    ImageSize sensor;               // the developed picture's size, before the turn
};
// The largest embedded JPEG preview, whatever its size; nothing when there is none.
std::optional<RawPreview> rawJpegPreview(const std::string& path);
// True when the preview stands for the whole picture wherever it is printed: its longer
// side is at least two thirds of the developed picture's. The rule for loads that do not
// know the frame the picture will fill.
bool isFullSizePreview(const RawPreview& preview);
// The RAW picture developed by LibRaw with the camera's white balance, sRGB, 8 bits, upright.
Bitmap developRaw(const std::string& path, const ProgressFn& progress);
// The whole load: a full-size preview through the JPEG decoder, turned upright, or the develop.
Bitmap decodeRaw(const std::string& path, const ProgressFn& progress);

} // namespace imaging::detail
