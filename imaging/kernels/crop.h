// Crop and zoom of the "Edit Image" window: where the zoomed preview sits, and cutting
// the part it shows out of the working image at the working image's full size. Plain C++.
#pragma once

#include "core/message.h"

#include "core/translatable.h"

#include "imaging/kernels/imaging.h"

#include <optional>
#include <string>
#include <string_view>

namespace imaging {

inline constexpr std::string_view kBadZoom = QT_TRANSLATE_NOOP("Paginor", "The zoom factor must be above 0");

// The filter list of the crop panel: item 0 stretches plainly, items 1..7 resample with
// filter item - 1.
inline constexpr int kCropFilterItems = 8;
std::string_view cropFilterLabel(int item); // "None", "Box", ..., "Mitchell"

// The preview image inside its panel, in screen pixels.
struct PreviewPlacement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The zoom rule: z times the base height b, the frame's shape; centred on the unzoomed
// preview when centre is set, else at (left, top). Throws ImagingError(kBadZoom) for z <= 0.
PreviewPlacement zoomPreview(double z, int baseHeight, float aspectRatio, double left, double top, bool centre);

// a * b / c rounded to nearest, as the old MulDiv; c = 0 gives -1 as it did.
int mulDiv(long long a, long long b, long long c);

struct CutOut {
    Bitmap image;                       // 32-bit
    std::optional<core::Message> failure; // the resampling failed: image is the unscaled cut-out
};

// The commit of the crop panel with zoom z != 1 on a 32-bit working image, the preview
// image placed as given (its zoomed size), filter list item 0..7. Parts of the cut-out
// that lie outside the working image (a panned preview) are white.
// Throws ImagingError(kBadZoom) for z <= 0 and for an item outside 0..7.
CutOut cutOut(ConstBitmapView working, double z, const PreviewPlacement& preview, float aspectRatio, int filterItem);

} // namespace imaging
