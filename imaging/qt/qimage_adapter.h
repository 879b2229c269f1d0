// Bitmaps to and from QImage. QImage's Format_BGR888 and Format_RGB32 hold exactly our
// 24- and 32-bit byte orders in memory, so the views below copy nothing.
#pragma once

#include "imaging/kernels/bitmap.h"

#include <QImage>

namespace imaging {

// A deep copy (Format_BGR888 for 24-bit, Format_RGB32 for 32-bit pixels).
QImage toQImage(ConstBitmapView bmp);
// A QImage over the bitmap's own memory: valid while the bitmap lives and is not
// resized. Row starts must be 4-byte aligned, as Bitmap's are.
QImage wrapAsQImage(ConstBitmapView bmp);
// Any QImage as a 24-bit bitmap; transparent pixels are laid over white.
Bitmap fromQImage(const QImage& image);
// A view of a Format_BGR888 or Format_RGB32 image's memory; throws ImagingError for
// any other format. Valid while the image lives and is not detached or changed.
BitmapView viewOf(QImage& image);

} // namespace imaging
