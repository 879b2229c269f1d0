#include "page/core/edit_frames.h"

#include "page/core/frame_commands.h"
#include "page/core/on_load.h"

#include <vector>

namespace page {

EditTarget editTarget(const Page& page)
{
    const int count = selected_and_loaded(page);
    if (count == 0)
        return {0, core::Message(kNoImagesSelected)};
    if (count > 1)
        return {0, {"%1\n%2", core::Message(QT_TRANSLATE_NOOP("Paginor", "%1 images selected "), count), core::Message(kOneImageAtATime)}};
    return {find_selected(page), core::Message("")};
}

FrameEdit::FrameEdit(Page& page, int frame)
    : m_page(page), m_frame(frame), m_aspectRatio(page.state().Global_AspectRatio),
      m_picture(*page.frame(frame).PictureHolder)
{
}

const imaging::Bitmap& FrameEdit::picture()
{
    return m_picture.bitmap();
}

std::string FrameEdit::details() const
{
    return m_page.frame(m_frame).Details;
}

std::string FrameEdit::caption() const
{
    return " - Frame # " + std::to_string(m_frame) + "- " + m_page.frame(m_frame).FileName;
}

void FrameEdit::store(const std::string& details, imaging::Bitmap working, bool cutOut)
{
    FrameRecord& f = m_page.frame(m_frame);
    f.Details = details;
    setOwnPixels(f, std::move(working));
    f.AspectRatio = m_aspectRatio;
    if (!cutOut)
        return;
    const int owner = f.PictureOwner;
    for (int n = 1; n <= kMaxFrames; ++n)
        if (m_page.frame(n).CloneOf != 0 && m_page.frame(n).CloneOf == owner)
            m_page.frame(n).AspectRatio = m_aspectRatio;
}

bool applyCurveToSelected(Page& page, const imaging::ToneLUT& lut)
{
    std::vector<int> frames;
    for (int n = 1; n <= page.state().FrameCount; ++n) {
        const FrameRecord& f = page.frame(n);
        if (f.Selected && f.Loaded && f.CloneOf == 0 && f.PictureHolder && !f.PictureHolder->empty())
            frames.push_back(n);
    }
    return applyCurveToFrames(page, frames, lut);
}

} // namespace page
