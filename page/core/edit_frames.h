// "Edit Image" on the frame table: which frame it edits, what it says when that is not
// exactly one, the frame as the window's subject (its picture, shape, details and where
// the result goes), and applying a tone table to every selected frame. Plain C++.
#pragma once

#include "core/message.h"
#include "core/translatable.h"

#include "imaging/kernels/adjust_subject.h"
#include "imaging/kernels/imaging.h"
#include "page/core/page.h"

#include <string>
#include <string_view>

namespace page {

inline constexpr std::string_view kNoImagesSelected = QT_TRANSLATE_NOOP("Paginor", "No images selected");
inline constexpr std::string_view kImagesSelected = " images selected "; // after the count
inline constexpr std::string_view kOneImageAtATime = QT_TRANSLATE_NOOP("Paginor", "You can only adjust 1 image at a time");

// The frame "Edit Image" works on (the first selected, loaded frame that is not a copy),
// or 0; message is set when there is no such frame or there are several.
struct EditTarget {
    int frame = 0;
    core::Message message{""};
};
EditTarget editTarget(const Page& page);

// One frame of the page as the adjustment window sees it. The frame's shape is the
// page's aspect ratio, and its picture the one it held, when the subject was made.
class FrameEdit final : public imaging::AdjustSubject {
public:
    FrameEdit(Page& page, int frame);

    const imaging::Bitmap& picture() override;
    float aspectRatio() const override { return m_aspectRatio; }
    std::string details() const override;
    // " - Frame # " n "- " FileName
    std::string caption() const override;
    // The frame takes the page's shape; after a cut-out so do the copies that show it.
    void store(const std::string& details, imaging::Bitmap working, bool cutOut) override;

private:
    Page& m_page;
    int m_frame;
    float m_aspectRatio;
    // A copy sharing the frame's data: it decodes on demand for itself alone, so it may
    // do so on another thread, and its pixels stay while the window reads them.
    imaging::Picture m_picture;
};

// Every selected, loaded frame that is not a copy, in frame order: its picture becomes a
// 32-bit bitmap with each blue, green and red byte put through lut, and the progress
// bar goes to round(frame / FrameCount * 100). When a picture cannot be made the user
// is told, that frame and the later ones are left as they were, and false returned.
bool applyCurveToSelected(Page& page, const imaging::ToneLUT& lut);

} // namespace page
