// Pieces the resampler and its plain reference share: the numbers every weight is
// built from. Not part of the module's public header.
#pragma once

#include "imaging/kernels/imaging.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace imaging::detail {

// Kernels and weights are computed in x87 extended precision and narrowed to 32-bit
// floats where the formulas store a value, so weights match those of the program's
// earlier versions to the last bit.
using Extended = long double;

// Round to nearest, halves to even (the program never changes the rounding mode).
inline std::int32_t roundHalfEven(Extended v)
{
    return static_cast<std::int32_t>(std::llrint(v));
}

// The scale of one pass, mapping the first and last pixel centres of the source onto
// those of the result. A source or result of one pixel has no two centres to map, so
// the plain size ratio is used there; (dst - 1) / (src - 1) would be 0 for a result of
// one pixel and the centres would then be divided by it.
inline float passScale(int srcLength, int dstLength)
{
    if (srcLength == 1 || dstLength == 1)
        return static_cast<float>(static_cast<Extended>(dstLength) / srcLength);
    return static_cast<float>(static_cast<Extended>(dstLength - 1) / (srcLength - 1));
}

// A source position outside the line, reflected back into it: -1 reads 1, and the
// position just past the end reads the last pixel. A line narrower than the filter's
// reach can reflect past the other edge; such positions are held at that edge.
inline std::int32_t mirrorPosition(std::int64_t j, int length)
{
    if (j < 0)
        j = -j;
    else if (j >= length)
        j = 2 * static_cast<std::int64_t>(length) - j - 1;
    if (j < 0)
        return 0;
    if (j >= length)
        return length - 1;
    return static_cast<std::int32_t>(j);
}

// Checks the sizes a resampling can work with.
void checkResampleSizes(ConstBitmapView src, BitmapView dst);

// ResampleUpright with the work rows held in a window of about windowBytes (at least the
// rows one output row reads): the same bytes whatever the window.
void resampleThroughWindow(ConstBitmapView stored, int orientation, int workWidth, BitmapView dst, Filter filter,
                           float support, std::size_t windowBytes);

} // namespace imaging::detail
