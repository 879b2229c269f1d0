// Scanned images into the selected frames.
#include "twain/core/twain.h"

#include "core/messages.h"
#include "page/core/loading.h"
#include "page/core/page.h"

#include <memory>

namespace twain {
namespace {

int firstSelectedFrame(const page::Page& page)
{
    for (int n = 1; n <= page.state().FrameCount; ++n)
        if (page.frame(n).Selected)
            return n;
    return 0;
}

// The first selected frame that is empty or can be emptied, 0 when none is left. Frames
// whose picture other frames show keep it and are passed over.
int frameForImage(page::Page& page, const PlaceHooks& hooks)
{
    for (int n = firstSelectedFrame(page); n != 0; n = firstSelectedFrame(page)) {
        page::FrameRecord& f = page.frame(n);
        if (!f.Loaded)
            return n;
        if (page::emptyFrameForLoad(page, n)) {
            if (hooks.emptied)
                hooks.emptied(n);
            return n;
        }
        f.Selected = false;
    }
    return 0;
}

} // namespace

bool AddTwainImage(page::Page& page, ImageHandle image, core::Messages& messages, const PlaceHooks& hooks)
{
    if (firstSelectedFrame(page) == 0) {
        messages.information(kExtraImages);
        return false;
    }
    imaging::Bitmap bmp;
    try {
        // Decoded before any frame is touched: a broken image leaves the frame as it was.
        bmp = DibToImage(image);
    } catch (const std::exception& e) {
        messages.error(e.what());
        page.frame(firstSelectedFrame(page)).Selected = false;
        return true;
    }
    const int n = frameForImage(page, hooks);
    if (n == 0) {
        messages.information(kExtraImages);
        return false;
    }
    page::FrameRecord& f = page.frame(n);
    try {
        const float ratio = static_cast<float>(bmp.width()) / static_cast<float>(bmp.height());
        f.PictureHolder = std::make_shared<imaging::Picture>(imaging::Picture::fromBitmap(std::move(bmp)));
        f.ScreenPicture = {};
        f.Loaded = true;
        f.NotFromFile = true;
        f.CloneOf = 0;
        f.PictureOwner = n;
        f.FileName = std::string(kTwainImageName);
        f.Details = std::string(kTwainImageName);
        f.ExifTags.clear();
        f.HasExif = false;
        f.AspectRatio = ratio;
        if (page.settings().En_CurveOnLoad && hooks.curveOnLoad)
            hooks.curveOnLoad(page, n);
    } catch (const std::exception& e) {
        messages.error(core::messageOf(e));
    }
    f.Selected = false;
    return true;
}

void loadFromTwain(MultiTWAIN& session, page::Page& page, core::Messages& messages, const PlaceHooks& hooks)
{
    if (!session.selectImageSource(nullptr) && session.selectionCancelled())
        return;
    session.acquireImages(nullptr, 0);
    for (int i = 0; i < session.acquiredImageCount(); ++i) {
        ImageHandle image = session.acquiredImage(i);
        const bool goOn = AddTwainImage(page, image, messages, hooks);
        session.releaseAcquiredImage(image);
        if (!goOn)
            break;
    }
}

} // namespace twain
