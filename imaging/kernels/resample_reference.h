// A plain, single-threaded reading of the resampling rules, one pixel at a time. The
// tests hold the fast ResampleBitmap to it byte for byte, and the benchmarks measure
// the fast one against it. Not for use by the program.
#pragma once

#include "imaging/kernels/imaging.h"

namespace imaging::reference {

void ResampleBitmap(ConstBitmapView src, BitmapView dst, Filter filter, float support = 0.0f);

} // namespace imaging::reference
