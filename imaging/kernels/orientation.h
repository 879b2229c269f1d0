// Pictures turned upright by the orientation their file records (EXIF tag 0x0112): what
// the camera knew about how it was held. Plain C++; no Qt.
//
// Who turns a picture, so that nothing is turned twice:
// - loadBitmap, loadPicture and the lean JPEG path (Picture::fromJpegData) turn what
//   libjpeg and Qt's readers decode: JPEG, TIFF and PNG (eXIf) files, recognised by their
//   content with fileOrientation. A JPEG picture records its orientation
//   (Picture::orientation) and is turned each time its data is decoded.
// - A decoder added for a format with rules of its own (HEIF's transforms, WebP, JPEG XL,
//   camera RAW) turns its own picture inside its decode with
//   orientUpright(picture, tag) when its DecodeOptions honour orientations, and must not hand the file's bytes
//   to the readers above, which would turn it again. The plain in-memory decoders
//   (decodeJpeg, decodeJpegInto, decodeJpegScaled) never turn anything.
#pragma once

#include "imaging/kernels/bitmap.h"

#include <cstdint>
#include <span>

namespace imaging {

// EXIF orientation 1..8: 1 upright, 2 mirrored left to right, 3 turned half way, 4 mirrored
// top to bottom, 5 mirrored along the main diagonal, 6 to be turned a quarter clockwise to
// stand upright, 7 mirrored along the other diagonal, 8 to be turned a quarter
// anticlockwise. Anything else counts as 1.
inline constexpr int kUpright = 1;

// The picture turned and mirrored so that it stands upright (a new 24-bit bitmap; a
// 32-bit picture comes back as 24-bit only when it had to be turned).
Bitmap orientUpright(Bitmap picture, int orientation);

// True for the orientations (5..8) whose upright picture has width and height exchanged.
bool orientationSwapsSides(int orientation);

// The orientation that stands a picture stored as orientation says upright and then turns
// it a quarter clockwise (the turn on load): orientUpright with it gives
// Rotate90(270, orientUpright(picture, orientation)). Anything but 1..8 counts as 1.
int turnedClockwise(int orientation);

// The orientation in an EXIF block laid out as a TIFF file ("II*\0" or "MM\0*", then the
// first directory): 1 when it has none or it is not 1..8. Reads only inside the block, so
// damaged or hostile data gives 1 and nothing else.
int exifOrientation(std::span<const std::uint8_t> tiffBlock);

// The orientation a whole file records, by its content: a JPEG's APP1 "Exif" block, a
// TIFF file's first directory or a PNG file's eXIf chunk; 1 for anything else.
int fileOrientation(std::span<const std::uint8_t> fileBytes);

} // namespace imaging
