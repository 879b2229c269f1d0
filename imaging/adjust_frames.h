// The adjustment window's rules on the frame table: which frame it edits, what it says
// when that is not exactly one, putting its result back, and applying a tone table to
// every selected frame. Plain C++ over the page model.
#pragma once

#include "core/translatable.h"

#include "imaging/imaging.h"
#include "page/page.h"

#include <string>
#include <string_view>

namespace imaging {

inline constexpr std::string_view kNoImagesSelected = QT_TRANSLATE_NOOP("Paginor", "No images selected");
inline constexpr std::string_view kImagesSelected = " images selected "; // after the count
inline constexpr std::string_view kOneImageAtATime = QT_TRANSLATE_NOOP("Paginor", "You can only adjust 1 image at a time");

// The frame "Edit Image" works on (the first selected, loaded frame that is not a copy),
// or 0; message is set when there is no such frame or there are several.
struct EditTarget {
    int frame = 0;
    app::Message message{""};
};
EditTarget editTarget(const page::Page& page);

// " - Frame # " n "- " FileName: the window's caption after "Edit Image ".
std::string captionSuffix(const page::Page& page, int frame);

// After a cut-out: the edited frame and the frames that show its picture take the
// frame's shape.
void setCutAspectRatio(page::Page& page, int frame, float aspectRatio);

// The window's OK: the details text and the working image go into the frame.
void storeEdit(page::Page& page, int frame, const std::string& details, Bitmap working);

// Every selected, loaded frame that is not a copy, in frame order: its picture becomes a
// 32-bit bitmap with each blue, green and red byte put through lut, and the progress
// bar goes to round(frame / FrameCount * 100). When a picture cannot be made the user
// is told, that frame and the later ones are left as they were, and false returned.
bool Apply_LUT_to_Selected(page::Page& page, const ToneLUT& lut);

} // namespace imaging
