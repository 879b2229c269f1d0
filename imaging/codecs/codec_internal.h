// Pieces the decoders share; not part of the module's public header.
#pragma once

#include "imaging/codecs/codecs.h"

#include "core/files.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct jpeg_decompress_struct;

namespace imaging::detail {

// Throws ImagingError (kTooLarge) for a size no sane picture has, or that this machine
// cannot hold; called with the header's size before any pixel memory is taken.
void checkImageSize(std::int64_t width, std::int64_t height, const std::string& path);
// The most bytes one decoded picture may take here (a share of physical memory).
std::int64_t maxImageBytes();
// Lowers the most pixels checkImageSize lets through (0: back to kMaxPixels). The fuzzers
// use it: a header may rightly announce a picture of a gigapixel, and filling that memory
// teaches them nothing about the parsing.
void setMaxDecodedPixels(std::int64_t pixels);
std::int64_t maxDecodedPixels();

// Safe calls into a progress callback: no callback, no call.
inline void report(const ProgressFn& progress, int percent)
{
    if (progress)
        progress(percent);
}

// Qt's readers could not make sense of the data; another decoder may.
class QtReadFailure : public ImagingError {
public:
    using ImagingError::ImagingError;
};

// The decoders behind loadBitmap. `name` only goes into error messages. readWithQt
// turns its picture upright by the file's orientation (a TIFF, a PNG's eXIf chunk);
// decodeJpegNamed turns nothing (options.honourOrientation is the caller's to apply).
Bitmap decodeJpegNamed(std::span<const std::uint8_t> data, const DecodeOptions& options, const ProgressFn& progress,
                       const std::string& name);
Bitmap readWithQt(const std::string& path, const char* format, const ProgressFn& progress,
                  const DecodeOptions& options);
Bitmap readWithMagick(const std::string& path, const FormatInfo& format, const ProgressFn& progress,
                      const DecodeOptions& options);
Bitmap readWithGm(const std::string& path, const FormatInfo& format, const ProgressFn& progress,
                  const DecodeOptions& options);
Bitmap readAnimator(const std::string& path, const ProgressFn& progress);

// A private folder under the system's temporary folder, removed with what it holds.
// Throws ImagingError (kCannotWrite) when none can be made.
core::TemporaryFolder makeTemporaryFolder();

// A .dib file's bytes as a BMP file: a whole BMP file is returned as it is, a bitmap as it
// sits in memory gets a file header. Throws ImagingError for neither.
std::vector<std::uint8_t> asBmpFile(std::vector<std::uint8_t> data, const std::string& path);
// Throws ImagingError when a BMP file ends before its pixels do, or announces a size the
// size guard refuses.
void checkBmpComplete(const std::vector<std::uint8_t>& data, const std::string& path);

// True for a libjpeg warning that means pixels were lost (data cut short, codes that make
// no sense): both JPEG decoders fail the load on one.
bool jpegWarningLosesPixels(int messageCode);
// Throws ImagingError (kCorruptJpeg) when the compressed data is far too short for the
// picture its header announces; called before any pixel memory is taken.
void checkJpegDataCanHoldPicture(const jpeg_decompress_struct& cinfo, std::size_t bytes, const std::string& name);

// Converts a decoded 24- or 32-bit picture from the colours of an ICC profile to sRGB,
// in place. False (pixels untouched) for an empty profile, one that is not an RGB profile
// Little CMS can read, or sRGB already. Callers pass the profile only when colour
// profiles are used (profileIfUsed).
inline std::span<const std::uint8_t> profileIfUsed(std::span<const std::uint8_t> icc, const DecodeOptions& options)
{
    return options.useColourProfiles ? icc : std::span<const std::uint8_t>();
}
bool convertToSrgb(std::span<const std::uint8_t> icc, BitmapView bmp);
// True when convertToSrgb would change 24-bit pictures carrying icc.
bool profileChangesColours(std::span<const std::uint8_t> icc);
// The same conversion made once for a picture that arrives in bands of 24-bit rows.
class SrgbConversion {
public:
    explicit SrgbConversion(std::span<const std::uint8_t> icc);
    ~SrgbConversion();
    SrgbConversion(const SrgbConversion&) = delete;
    SrgbConversion& operator=(const SrgbConversion&) = delete;
    void apply(BitmapView band) const;

private:
    void* m_transform = nullptr; // null: nothing to change
};

// One row of decoded CMYK samples as blue, green, red.
void cmykRowToBgr(const std::uint8_t* cmyk, std::uint8_t* bgr, int width, bool inverted);

} // namespace imaging::detail
