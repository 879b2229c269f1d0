#include "imaging/adjust_frames.h"

#include "core/messages.h"
#include "imaging/adjust.h"
#include "page/frame_commands.h"
#include "page/on_load.h"

#include <cmath>
#include <new>

namespace imaging {

EditTarget editTarget(const page::Page& page)
{
    const int count = page::selected_and_loaded(page);
    if (count == 0)
        return {0, app::Message(kNoImagesSelected)};
    if (count > 1)
        return {0, {"%1\n%2", app::Message(QT_TRANSLATE_NOOP("Paginor", "%1 images selected "), count), app::Message(kOneImageAtATime)}};
    return {page::find_selected(page), app::Message("")};
}

std::string captionSuffix(const page::Page& page, int frame)
{
    return " - Frame # " + std::to_string(frame) + "- " + page.frame(frame).FileName;
}

void setCutAspectRatio(page::Page& page, int frame, float aspectRatio)
{
    const int owner = page.frame(frame).PictureOwner;
    page.frame(frame).AspectRatio = aspectRatio;
    for (int n = 1; n <= page::kMaxFrames; ++n)
        if (page.frame(n).CloneOf != 0 && page.frame(n).CloneOf == owner)
            page.frame(n).AspectRatio = aspectRatio;
}

void storeEdit(page::Page& page, int frame, const std::string& details, Bitmap working)
{
    page::TFrameRec& f = page.frame(frame);
    f.Details = details;
    page::setOwnPixels(f, std::move(working));
}

bool Apply_LUT_to_Selected(page::Page& page, const ToneLUT& lut)
{
    std::vector<int> frames;
    for (int n = 1; n <= page.state().FrameCount; ++n) {
        const page::TFrameRec& f = page.frame(n);
        if (f.Selected && f.Loaded && f.CloneOf == 0 && f.PictureHolder && !f.PictureHolder->empty())
            frames.push_back(n);
    }
    return page::applyCurveToFrames(page, frames, lut);
}

} // namespace imaging
