// The tone-table look-up's two ways, for the tests that hold them to each other.
#pragma once

#include "imaging/kernels/imaging.h"

namespace imaging::detail {

enum class LookUp {
    Fastest,  // the processor's byte shuffles where it has them, else the tables below
    Portable, // byte-pair tables (24-bit) or word tables (32-bit) on any processor
};

void applyToneLUTWith(ConstBitmapView src, BitmapView dst, const ToneLUT& lut, LookUp how);

} // namespace imaging::detail
