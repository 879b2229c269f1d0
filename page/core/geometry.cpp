#include "page/core/geometry.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

namespace page {
namespace {

// Products and quotients are evaluated in long double (a 64-bit mantissa on x86), so a
// quotient such as 4960 / 7015 scaled by a window width truncates the same way on every
// call path; the integer results feed widget positions and must be reproducible.
using Real = long double;

int saturate(Real r)
{
    if (std::isnan(r))
        return 0;
    if (r >= static_cast<Real>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= static_cast<Real>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(r);
}

// The shrink loops below step one dot at a time. Each row of the frame-size table reads:
// columns * W + shrinkGaps * g > BW starts the shrinking, columns * W + stopGaps * g < BW
// ends it (for 16 frames the two differ: 5 gaps to start, 6 to stop).
struct ShrinkRule {
    int columns;
    int shrinkGaps;
    int stopGaps;
};

ShrinkRule screenShrinkRule(int frameCount)
{
    switch (frameCount) {
    case 1:
    case 2: return {1, 2, 2};
    case 4:
    case 8: return {2, 3, 3};
    default: return {4, 5, 6};
    }
}

int startHeight(int frameCount, int bh, int g)
{
    switch (frameCount) {
    case 1: return bh - 2 * g;
    case 2: return bh / 2 - 2 * g;
    case 4: return bh / 2 - g;
    default: return bh / 4 - g;
    }
}

// Lowers the height until `fits` holds for the width it gives, once `tooWide` held at the
// start. The height stops at 0: there is no smaller frame to show, and a loop that had to
// go below it (a gap wider than the page) would otherwise run for as long as the width
// takes to go negative.
template <typename TooWide, typename Fits>
Size shrinkToFit(int height, float aspectRatio, TooWide tooWide, Fits fits)
{
    int width = truncToInt(static_cast<Real>(height) * aspectRatio);
    if (!tooWide(width))
        return {width, height};
    do {
        --height;
        width = truncToInt(static_cast<Real>(height) * aspectRatio);
    } while (!fits(width) && height > 0);
    return {width, height};
}

} // namespace

int roundToInt(long double x)
{
    return saturate(std::nearbyint(x));
}

int truncToInt(long double x)
{
    return saturate(std::trunc(x));
}

bool isFrameCount(int count)
{
    return Index(count) >= 0;
}

int Index(int count)
{
    switch (count) {
    case 1: return 0;
    case 2: return 1;
    case 4: return 2;
    case 8: return 3;
    case 16: return 4;
    default: return -1;
    }
}

int frameCountAt(int index)
{
    static constexpr int kCounts[] = {1, 2, 4, 8, 16};
    return index >= 0 && index < 5 ? kCounts[index] : 0;
}

bool isPortraitLayout(int frameCount)
{
    return frameCount == 2 || frameCount == 8;
}

int dotsFromMm(float mm, int dpi)
{
    return roundToInt(static_cast<Real>(mm) / kMmPerInch * dpi);
}

int screenGapFromMm(float mm)
{
    return truncToInt(static_cast<Real>(mm) / kMmPerInch * kNominalScreenDpi);
}

bool windowFitApplies(int windowWidth, int windowHeight)
{
    return windowWidth >= 200 && windowHeight >= 200;
}

Size fitPageToWindow(int windowWidth, int windowHeight, int pageWidthPx, int pageHeightPx, bool portraitPage)
{
    // 50 for the window's own bars; 3 for the separator above the status area and 120
    // for the status area and the label under the page.
    const int availH = windowHeight - 50;
    const int limit = availH - (3 + 120);
    const Real r = portraitPage ? static_cast<Real>(pageHeightPx) / pageWidthPx
                                : static_cast<Real>(pageWidthPx) / pageHeightPx;
    int w = windowWidth;
    int h = 0;
    do {
        w -= 2;
        h = truncToInt(w * r);
    } while (h >= limit && w > 0);
    return {w, h};
}

int screenGapFor(int backgroundWidth, int pageWidthPx, int gapPx)
{
    return roundToInt(static_cast<Real>(backgroundWidth) / pageWidthPx * gapPx);
}

int screenLeftOffsetFor(int backgroundWidth, int pageWidthPx, int pageMarginPx, int frameCount)
{
    // Both scale factors use the portrait page width whatever the orientation; the offset
    // is a rough on-screen hint of the printed margin, not an exact scale of it.
    int offset = truncToInt(static_cast<Real>(backgroundWidth) / (pageWidthPx + pageWidthPx / 2.0L) * pageMarginPx);
    if (!isPortraitLayout(frameCount))
        offset -= 3;
    return offset;
}

Size frameSize(int frameCount, Size background, int screenGap, float aspectRatio)
{
    const ShrinkRule rule = screenShrinkRule(frameCount);
    const std::int64_t bw = background.width;
    const std::int64_t g = screenGap;
    return shrinkToFit(
        startHeight(frameCount, background.height, screenGap), aspectRatio,
        [&](int w) { return rule.columns * std::int64_t{w} + rule.shrinkGaps * g > bw; },
        [&](int w) { return rule.columns * std::int64_t{w} + rule.stopGaps * g < bw; });
}

std::vector<Rect> framePositions(int frameCount, Size background, Size frame, int screenGap, int leftOffset)
{
    const int g = screenGap;
    const int b = g + 1;
    const int H = frame.height;
    const int W = frame.width;
    const int L0 = leftOffset;
    std::vector<int> lefts;
    std::vector<int> tops;
    switch (frameCount) {
    case 1:
        lefts = {g + L0};
        tops = {g};
        break;
    case 2:
        lefts = {L0 + b};
        tops = {g, 2 * g + H};
        break;
    case 4: {
        const int v = static_cast<int>((std::int64_t{background.height} - 2 * std::int64_t{H}) / 4);
        lefts = {L0 + b, L0 + 2 * b + W};
        tops = {v, 2 * v + H};
        break;
    }
    default: {
        const int v = static_cast<int>((std::int64_t{background.height} - 4 * std::int64_t{H}) / 16);
        if (frameCount == 8) {
            lefts = {L0 + b, L0 + 2 * b + W};
            // The second row sits at 2v + H, one unit higher than on the 16-frame page.
            tops = {v, 2 * v + H, 5 * v + 2 * H, 7 * v + 3 * H};
        } else {
            lefts = {L0 + b, L0 + 2 * b + W, L0 + 3 * b + 2 * W, L0 + 4 * b + 3 * W};
            tops = {v, 3 * v + H, 5 * v + 2 * H, 7 * v + 3 * H};
        }
        break;
    }
    }
    std::vector<Rect> rects;
    for (int left : lefts)
        for (int top : tops)
            rects.push_back({left, top, W, H});
    return rects;
}

std::vector<Line> cutMarks(int frameCount, const std::vector<Rect>& frames, Size background, int screenGap,
                           int leftOffset)
{
    std::vector<Line> lines;
    if (frames.size() < static_cast<std::size_t>(frameCount) || frames.empty())
        return lines;
    const int h2 = screenGap / 2;
    const int bh = background.height;
    const Rect& f1 = frames[0];
    const int v = truncToInt(bh - 2 * static_cast<Real>(f1.height)) / 4;
    auto vertical = [&](int x) { lines.push_back({x, 0, x, bh}); };
    auto horizontal = [&](int height, int toX) {
        lines.push_back({leftOffset, truncToInt(1.5L * v) + height, toX, truncToInt(1.5L * v) + height});
    };
    auto frame = [&](int k) -> const Rect& { return frames[static_cast<std::size_t>(k - 1)]; };
    switch (frameCount) {
    case 1:
        vertical(f1.left - h2);
        vertical(f1.left + f1.width + h2);
        break;
    case 2:
        vertical(f1.left - h2);
        vertical(f1.left + f1.width + h2);
        horizontal(frame(2).height, background.width);
        break;
    case 4:
        vertical(f1.left - h2);
        vertical(frame(4).left - h2);
        vertical(frame(3).left + f1.width + h2);
        horizontal(f1.height, frame(3).left + f1.width + h2);
        break;
    case 8:
        vertical(f1.left - h2);
        vertical(frame(5).left - h2);
        vertical(frame(5).left + f1.width + h2);
        break;
    default:
        for (int k : {1, 5, 9, 13})
            vertical(frame(k).left - h2);
        vertical(frame(13).left + f1.width + h2);
        break;
    }
    return lines;
}

std::vector<TextMark> textMarks(const std::vector<Rect>& frames)
{
    std::vector<TextMark> marks;
    for (const Rect& f : frames) {
        const int clipLeft = f.left + 3;
        const int clipRight = f.left + f.width / 2;
        marks.push_back({{clipLeft, f.top - 2, clipRight - clipLeft, 2}, f.left, f.top - 10});
    }
    return marks;
}

Rect pictureRect(int frameHeight, float pictureAspectRatio)
{
    const int right = truncToInt(static_cast<Real>(frameHeight) * pictureAspectRatio) - 2;
    const int bottom = frameHeight - 2;
    return {2, 2, right - 2, bottom - 2};
}

Rect emptyFillRect(Size frame1)
{
    return {1, 1, frame1.width - 1, frame1.height - 2};
}

int progressPercent(int k, int count)
{
    return count > 0 ? roundToInt(static_cast<Real>(k) / count * 100) : 0;
}

Centring centreOnPage(int frameCount, int pageWidthPx, int pageHeightPx, int laidOutWidthPx, int dpiX,
                        float margin_mm, float aspectRatio)
{
    Centring out;
    const int c = dotsFromMm(margin_mm, dpiX);
    out.GapPx = c;
    // Start heights fill the printed page's height with the frames of one column.
    int columns = 1;
    int start = 0;
    switch (frameCount) {
    case 1: start = pageWidthPx - 2 * c; break;
    case 2: start = roundToInt(pageHeightPx / 2.0L - 2 * c); break;
    case 4: columns = 2; start = pageWidthPx / 2 - 2 * c; break;
    case 8: columns = 2; start = roundToInt(pageHeightPx / 4.0L - 2 * c); break;
    default: columns = 4; start = roundToInt(pageWidthPx / 4.0L - 2 * c); break;
    }
    auto grid = [&](int w) { return columns * (std::int64_t{w} + 2 * std::int64_t{c}); };
    const Size frame = shrinkToFit(
        start, aspectRatio, [&](int w) { return grid(w) > laidOutWidthPx; },
        [&](int w) { return grid(w) < laidOutWidthPx; });
    out.frameHeight = frame.height;
    out.frameWidth = frame.width;
    out.gridWidth = static_cast<int>(grid(frame.width));
    const int gridMm = roundToInt(static_cast<Real>(out.gridWidth) / dpiX * kMmPerInch);
    out.Page_Margin_mm =
        static_cast<float>(roundToInt(static_cast<Real>(laidOutWidthPx) / dpiX * kMmPerInch - gridMm) / 2.0L);
    out.PageMarginPx = dotsFromMm(out.Page_Margin_mm, dpiX);
    return out;
}

core::Message printerLine(const std::string& printerName, float pageWidthIn, float pageHeightIn,
                         float pageMarginMm, bool useMetric, bool centreOutput)
{
    // The centring indicator: a right and a left guillemet when the output is centred, a
    // bar and a left guillemet when it is not (UTF-8 bytes of U+00BB and U+00AB). The
    // indicator's third byte in the old single-byte code page (0x9D) names no character
    // there and would show as an invisible control code, so it is left out.
    const char* indicator = centreOutput ? " \xC2\xBB\xC2\xAB" : " |\xC2\xAB";
    if (useMetric) {
        return {QT_TRANSLATE_NOOP("Paginor", "Printer : %1 | Image area : %2 mm x %3 mm  | Page Margin : %4 mm%5"),
                printerName, roundToInt(kMmPerInch * pageWidthIn), roundToInt(kMmPerInch * pageHeightIn),
                roundToInt(pageMarginMm), indicator};
    } else {
        // "%f" without the locale: the line must read the same whatever LC_NUMERIC says.
        char inches[64];
        const auto res = std::to_chars(inches, inches + sizeof inches,
                                       static_cast<double>(static_cast<Real>(pageMarginMm) / kMmPerInch),
                                       std::chars_format::fixed, 6);
        return {QT_TRANSLATE_NOOP("Paginor", "Printer : %1 | Image area : %2\" x %3\" | Page Margin : %4\"%5"),
                printerName, roundToInt(pageWidthIn), roundToInt(pageHeightIn), std::string(inches, res.ptr),
                indicator};
    }
}

} // namespace page
