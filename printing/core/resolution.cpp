#include "printing/core/resolution.h"

#include "page/core/page.h"
#include "printing/core/print_geometry.h"

#include <algorithm>

namespace printing {

std::optional<int> effectiveResolution(const page::Page& page, int frame)
{
    const page::PageState& st = page.state();
    if (frame < 1 || frame > st.FrameCount || !page.frame(frame).Loaded)
        return std::nullopt;
    const imaging::Picture* picture = page.pictureShownIn(frame);
    if (!picture || picture->width() < 1 || picture->height() < 1 || st.PrinterDpiX < 1)
        return std::nullopt;
    const settings::Settings& s = page.settings();
    PrintedPage layout;
    try {
        layout = layoutPage({st.FrameCount, st.Global_AspectRatio, s.margin_mm, s.Page_Margin_mm, s.tsz},
                            printerTarget(st.FrameCount, st.PageWidthPx, st.PageHeightPx, st.PrinterDpiX));
    } catch (const PrintError&) {
        return std::nullopt;
    }
    const page::Rect& r = layout.frames.at(static_cast<std::size_t>(frame - 1)).image;
    if (r.width < 1 || r.height < 1)
        return std::nullopt;
    const long long dpi = st.PrinterDpiX;
    // The work bitmap is as high as the picture and is stretched to the rectangle's
    // height, its width following at the same scale: the height alone sets the density.
    const long long byHeight = picture->height() * dpi / r.height;
    if (s.bp)
        return static_cast<int>(byHeight);
    // The direct path fits the whole picture inside the rectangle: the side that meets
    // the rectangle's edge is stretched least, so it holds the most pixels per inch.
    const long long byWidth = picture->width() * dpi / r.width;
    return static_cast<int>(std::max(byWidth, byHeight));
}

page::Size printFrameSize(const page::Page& page)
{
    const page::PageState& st = page.state();
    if (st.PrinterDpiX < 1)
        return {};
    const settings::Settings& s = page.settings();
    try {
        const PrintedPage layout =
            layoutPage({st.FrameCount, st.Global_AspectRatio, s.margin_mm, s.Page_Margin_mm, s.tsz},
                       printerTarget(st.FrameCount, st.PageWidthPx, st.PageHeightPx, st.PrinterDpiX));
        return {layout.frameWidth, layout.frameHeight};
    } catch (const PrintError&) {
        return {};
    }
}

std::vector<int> lowResolutionFrames(const page::Page& page)
{
    std::vector<int> frames;
    const int threshold = page.settings().Min_Print_Resolution;
    if (threshold <= 0)
        return frames;
    for (int k = 1; k <= page.state().FrameCount; ++k) {
        const std::optional<int> ppi = effectiveResolution(page, k);
        if (ppi && *ppi < threshold)
            frames.push_back(k);
    }
    return frames;
}

core::Message resolutionStatus(const page::Page& page, int frame, const std::string& printerName)
{
    const std::optional<int> ppi = effectiveResolution(page, frame);
    if (!ppi)
        return core::Message("");
    const int threshold = page.settings().Min_Print_Resolution;
    const bool below = threshold > 0 && *ppi < threshold;
    if (printerName.empty()) {
        if (below)
            return {QT_TRANSLATE_NOOP("Paginor", "Frame %1: %2 pixels per inch (below %3)"), frame, *ppi, threshold};
        return {QT_TRANSLATE_NOOP("Paginor", "Frame %1: %2 pixels per inch"), frame, *ppi};
    }
    if (below)
        return {QT_TRANSLATE_NOOP("Paginor", "Frame %1: %2 pixels per inch on %3 (below %4)"), frame, *ppi, printerName,
                threshold};
    return {QT_TRANSLATE_NOOP("Paginor", "Frame %1: %2 pixels per inch on %3"), frame, *ppi, printerName};
}

core::Message lowResolutionMessage(const std::vector<int>& frames, int threshold)
{
    if (frames.size() == 1)
        return {QT_TRANSLATE_NOOP("Paginor", "Frame %1 prints below %2 pixels per inch"), frames[0], threshold};
    if (frames.empty())
        return {"Frames %1 print below %2 pixels per inch", "", threshold};
    return {QT_TRANSLATE_NOOP("Paginor", "Frames %1 and %2 print below %3 pixels per inch"), core::listBeforeLast(frames),
            frames.back(), threshold};
}

} // namespace printing
