// The tone-table look-up's two ways, for the tests that hold them to each other.
#pragma once

#include "imaging/imaging.h"

namespace imaging::detail {

enum class LookUp {
    Fastest,  // the processor's byte shuffles where it has them, else byte-pair tables
    Portable, // byte-pair tables on any processor
};

void applyToneLUTWith(ConstBitmapView src, BitmapView dst, const ToneLUT& lut, LookUp how);

} // namespace imaging::detail
