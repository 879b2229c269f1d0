// The pixel operations of the imaging module: turning and mirroring, resampling, tone
// tables, 3 x 3 filters, greyscale and fitting to a frame's shape. Plain C++ on bitmap
// views; the Qt layer builds the views and shows the results.
#pragma once

#include "core/translatable.h"

#include "imaging/kernels/bitmap.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace imaging {

// Fixed texts of the kernels' errors, shared by the code and its tests.
inline constexpr std::string_view kCantFlipReverse = QT_TRANSLATE_NOOP("Paginor", "Can Flip/Reverse only 24-bit bitmap");
inline constexpr std::string_view kCantRotate90 = QT_TRANSLATE_NOOP("Paginor", "Can Rotate90 only 24-bit bitmap");
inline constexpr std::string_view kRotateAngle = QT_TRANSLATE_NOOP("Paginor", "Rotate90:  Angle not positive multiple of 90 degrees");
inline constexpr std::string_view kResampleTooSmall =
    QT_TRANSLATE_NOOP("Paginor", "Can't resample: the picture and the new size must be at least 1 pixel wide and 2 pixels high");
inline constexpr std::string_view kResampleTooLarge = QT_TRANSLATE_NOOP("Paginor", "Can't resample: the new size is too large");
inline constexpr std::string_view kBadFilter = QT_TRANSLATE_NOOP("Paginor", "Unknown resampling filter");
inline constexpr std::string_view kBadSupport = QT_TRANSLATE_NOOP("Paginor", "Resampling support out of range");
inline constexpr std::string_view kBadConvolveStyle = QT_TRANSLATE_NOOP("Paginor", "Unknown filter style");
inline constexpr std::string_view kBadGamma = QT_TRANSLATE_NOOP("Paginor", "Gamma must be a number above 0");
inline constexpr std::string_view kBadAspectRatio = QT_TRANSLATE_NOOP("Paginor", "Can't fit the picture: the aspect ratio gives no usable width");
inline constexpr std::string_view kSizeMismatch = QT_TRANSLATE_NOOP("Paginor", "The source and destination bitmaps differ in size or format");
inline constexpr std::string_view kNeeds24Or32Bit = QT_TRANSLATE_NOOP("Paginor", "Only 24-bit and 32-bit bitmaps can be processed");
inline constexpr std::string_view kCantOpenFile = "Can't open file ";   // + the file name
inline constexpr std::string_view kCantWriteFile = "Can't write file "; // + the file name

// No kernel makes a result larger than this many pixels (a typing slip on a command
// line must not try to take all memory).
inline constexpr std::int64_t kMaxResultPixels = std::int64_t(1) << 30;

// The reconstruction filters, numbered as every filter list of the program numbers them.
enum class Filter {
    Box = 0,       // nearest pixel; the only kernel not symmetric at its edge
    Triangle = 1,  // linear interpolation on enlarging
    Hermite = 2, // smooth step between neighbours, no overshoot
    Bell = 3,      // quadratic; softens slightly even at the same size
    Spline = 4,    // cubic B-spline; smooth, softest
    Lanczos3 = 5,  // windowed sinc over 3 lobes; sharpest, may ring
    Mitchell = 6,  // cubic with B = C = 1/3; a balance of sharpness and ringing
};
inline constexpr int kFilterCount = 7;

// Filter index 0..6 to its filter; throws ImagingError(kBadFilter) otherwise.
Filter filterFromIndex(int index);
// The list label of a filter ("Box" .. "Mitchell").
std::string_view filterLabel(Filter filter);
// The reach of a filter's kernel when the caller asks for support 0.
float defaultSupport(Filter filter);
// The kernel k(x) of a filter, with the 32-bit narrowing the weights are built with.
float filterKernel(Filter filter, float x);

// Resamples src into dst (its size is the new size) in two separable passes with
// integer weights. src may be 24- or 32-bit (the fourth byte is not read); dst must be
// 24-bit and must not overlap src. support 0 takes the filter's default.
// Throws ImagingError(kResampleTooSmall) when either is under 2 rows or 0 columns.
void ResampleBitmap(ConstBitmapView src, BitmapView dst, Filter filter, float support = 0.0f);
// The same for src as if it were paddedWidth (at least src.width) pixels wide, the
// columns beyond its own width white: the bytes a padded copy would give, without the
// copy (a tall scan padded to a wide frame would take gigabytes).
void ResamplePadded(ConstBitmapView src, int paddedWidth, BitmapView dst, Filter filter, float support = 0.0f);
// The same for the picture src stores turned or mirrored as orientation (1..8, see
// orientation.h) says, read as it stands upright and cut at the right or padded with
// white to workWidth columns: the bytes of the upright copy's work bitmap, without
// either copy.
void ResampleUpright(ConstBitmapView src, int orientation, int workWidth, BitmapView dst, Filter filter,
                     float support = 0.0f);
// ResamplePadded with the source handed over a strip of rows at a time, top to bottom,
// so the whole source never has to exist (a photo is resampled as it is decoded): the
// same bytes. The rows of a strip are read while add runs and not after.
class StripResampler {
public:
    // A source of srcWidth x srcHeight, read as paddedWidth (at least srcWidth) wide.
    // oneThread: all on the caller's thread (other work keeps the other cores busy).
    StripResampler(int srcWidth, int srcHeight, int paddedWidth, BitmapView dst, Filter filter, float support = 0.0f,
                   bool oneThread = false);
    ~StripResampler();
    StripResampler(const StripResampler&) = delete;
    StripResampler& operator=(const StripResampler&) = delete;
    // The next strip.height rows of the source; columns beyond srcWidth are not read.
    void add(ConstBitmapView strip);
    // Once every row is added: the result into dst.
    void finish();

private:
    void addRun(ConstBitmapView strip);
    void makeRows(int end);
    struct State;
    std::unique_ptr<State> m;
};
// The same in place: bitmap becomes a 24-bit newWidth x newHeight bitmap. On failure
// bitmap is left as it was.
void ResampleBitmap(int newWidth, int newHeight, int filterIndex, Bitmap& bitmap, float support = 0.0f);

// A new 24-bit bitmap turned by angle degrees (a non-negative multiple of 90): 90 is a
// quarter turn anticlockwise, 270 a quarter turn clockwise.
Bitmap Rotate90(std::int32_t angle, ConstBitmapView bmp);
// A new 24-bit bitmap, mirrored top to bottom (flip) and/or left to right (reverse).
Bitmap FlipReverse(bool flip, bool reverse, ConstBitmapView bmp);

// A tone table: entry v is the output level for input level v, applied alike to the
// blue, green and red byte of a pixel (the low byte of the entry is used).
using ToneLUT = std::array<std::int32_t, 256>;

ToneLUT identityLUT();
// round(255 * (i / 255)^(1 / gamma)); gamma > 1 brightens the mid-tones.
// Throws ImagingError(kBadGamma) unless gamma is finite and above 0.
ToneLUT gammaLUT(double gamma);
// A curve file: up to 1024 bytes, the table as 256 little-endian 32-bit entries. A
// shorter file replaces only the leading bytes of base. Throws ImagingError
// (kCantOpenFile + path) when the file can't be opened or is not a regular file.
ToneLUT readCurveFile(const std::string& path, const ToneLUT& base = identityLUT());
// Writes the table as a 1024-byte curve file, replacing any old file only when every
// byte is written. Throws ImagingError(kCantWriteFile + path).
void writeCurveFile(const ToneLUT& lut, const std::string& path);

// The colour operations read src and write dst, which must have the same size and
// format (24- or 32-bit; the fourth byte is copied); dst may be src itself. Results
// are clamped to 0..255.
void applyToneLUT(ConstBitmapView src, BitmapView dst, const ToneLUT& lut);
// Adds amount to blue, green and red.
void applyBrightness(ConstBitmapView src, BitmapView dst, int amount);
// Adds the offsets to the red, green and blue bytes.
void applyColourBalance(ConstBitmapView src, BitmapView dst, int red, int green, int blue);
// Sets blue, green and red to (blue + green + red) div 3.
void greyscale(ConstBitmapView src, BitmapView dst);

// The 3 x 3 filter styles, in the order of the filter-style list.
enum class ConvolveStyle {
    Sharpen = 0,       // -1 around, 16 in the middle, divisor 8
    EnhanceEdges = 1,  // 0 -1 0 / -1 5 -1 / 0 -1 0
    Soften = 2,        // 2 around, 0 in the middle, divisor 16
    Blur = 3,          // 3 around, 8 in the middle, divisor 32
};
inline constexpr int kConvolveStyleCount = 4;
// Filters a 24- or 32-bit bitmap in place; edge pixels see repeated edge pixels.
// Throws ImagingError(kBadConvolveStyle) for a style outside 0..3.
void Convolve3x3(int style, BitmapView bmp);

// The fit on load: a new 24-bit bitmap of the picture's height and width
// round(height * aspectRatio), the picture centred on it (cut at both sides when
// wider, white strips when narrower). Throws ImagingError(kBadAspectRatio) when the
// width would be 0 or the ratio is not a positive number.
Bitmap fitToAspectRatio(ConstBitmapView src, float aspectRatio);

// A 24-bit copy of a 24- or 32-bit bitmap.
Bitmap to24Bit(ConstBitmapView src);

} // namespace imaging
