#include "printing/core/print_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace printing {
namespace {

using page::roundToInt;
using page::truncToInt;

// The grid of each frame count: columns x rows, filled column by column.
struct Grid {
    int columns;
    int rows;
};

Grid gridOf(int frameCount)
{
    switch (frameCount) {
    case 1: return {1, 1};
    case 2: return {1, 2};
    case 4: return {2, 2};
    case 8: return {2, 4};
    default: return {4, 4};
    }
}

// The first frame height: R cells down the page height, each with its two borders.
int firstHeight(int frameCount, int pwp, int php, int m)
{
    const long double w = pwp;
    const long double h = php;
    switch (frameCount) {
    case 1: return pwp - 2 * m;
    case 2: return roundToInt(h / 2 - 2 * m);
    case 4: return pwp / 2 - 2 * m;
    case 8: return roundToInt(h / 4 - 2 * m);
    default: return roundToInt(w / 4 - 2 * m);
    }
}

int widthFor(int height, float aspectRatio)
{
    return truncToInt(static_cast<long double>(height) * static_cast<long double>(aspectRatio));
}

// C x (W + 2m) in 64 bits: an absurd aspect ratio saturates W, and the sum must not wrap.
std::int64_t gridWidth(int columns, int w, int m)
{
    return std::int64_t(columns) * (std::int64_t(w) + 2 * std::int64_t(m));
}

// A height from which the shrink loop has only a few steps to go: the widest frame that
// fits is (PW - 1) / C - 2m, and two rows above the height giving that width plus one the
// grid is too wide for certain. A page thousands of metres wide would otherwise step a
// billion times.
int shrinkStart(int columns, int m, int pageWidth, float aspectRatio)
{
    if (!(aspectRatio > 0.0f) || !std::isfinite(aspectRatio))
        return std::numeric_limits<int>::max();
    const long double widest = static_cast<long double>(pageWidth - 1) / columns - 2.0L * m;
    const long double start = std::max<long double>(0, (std::floor(widest) + 1) / aspectRatio + 2);
    return start >= std::numeric_limits<int>::max() ? std::numeric_limits<int>::max() : static_cast<int>(start) + 1;
}

// The table of cut marks: how many lines each way, their steps and the horizontal length.
struct MarkTable {
    int vertical;
    int horizontal;
    int stepX;
    int stepY;
    int length;
};

MarkTable markTable(int frameCount, int w, int h, int m, bool bitmap)
{
    const int cellW = w + 2 * m - 1;
    const int cellH = h + 2 * m - 1;
    switch (frameCount) {
    case 1: return {2, 2, w + 2 * m - 5, h + 2 * m - 5, cellW};
    // The page bitmap's two-frame marks reach twice as far as the paper's.
    case 2: return {3, 3, cellW, cellH, bitmap ? 2 * cellW : cellW};
    case 4: return {3, 3, cellW, cellH, 2 * cellW};
    case 8: return {3, 5, cellW, cellH, 2 * cellW};
    default: return {9, 9, cellW, cellH, 4 * cellW};
    }
}

std::vector<page::Line> cutMarkLines(const MarkTable& t, int x0, int pageHeight)
{
    std::vector<page::Line> lines;
    for (int i = 0; i < t.vertical; ++i) {
        const int x = x0 + i * t.stepX;
        lines.push_back({x, 0, x, pageHeight});
    }
    for (int j = 0; j < t.horizontal; ++j) {
        const int y = j * t.stepY;
        lines.push_back({x0, y, x0 + t.length, y});
    }
    return lines;
}

} // namespace

core::Message framesNotSupportedMessage(int frameCount)
{
    return {"%1\n%2", core::Message(QT_TRANSLATE_NOOP("Paginor", "Sorry.... %1 frames not yet supported by print option"), frameCount),
            core::Message(kTryFour)};
}

bool printableFrameCount(int frameCount)
{
    return page::isFrameCount(frameCount);
}

bool landscapeLayout(int frameCount)
{
    return frameCount == 1 || frameCount == 4 || frameCount == 16;
}

PrintTarget bitmapTarget(int frameCount, int printerPageWidthPx, int printerPageHeightPx, int printerDpi, int dpi)
{
    const long double scale = static_cast<long double>(dpi) / printerDpi;
    const int pws = roundToInt(printerPageWidthPx * scale);
    const int phs = roundToInt(printerPageHeightPx * scale);
    if (landscapeLayout(frameCount))
        return {phs, pws, dpi, true};
    return {pws, phs, dpi, true};
}

PrintTarget printerTarget(int frameCount, int printerPageWidthPx, int printerPageHeightPx, int printerDpi)
{
    if (landscapeLayout(frameCount))
        return {printerPageHeightPx, printerPageWidthPx, printerDpi, false};
    return {printerPageWidthPx, printerPageHeightPx, printerDpi, false};
}

PrintedPage layoutPage(const LayoutInput& in, const PrintTarget& target)
{
    if (!printableFrameCount(in.frameCount))
        throw PrintError(framesNotSupportedMessage(in.frameCount));
    PrintedPage p;
    p.target = target;
    p.landscape = landscapeLayout(in.frameCount);
    const Grid grid = gridOf(in.frameCount);
    p.columns = grid.columns;
    p.rows = grid.rows;
    const int m = page::dotsFromMm(in.margin_mm, target.dpi);
    p.gap = m;
    p.offsetX = page::dotsFromMm(in.Page_Margin_mm, target.dpi);
    // The portrait page: a landscape target is the portrait page turned.
    const int pwp = p.landscape ? target.pageHeight : target.pageWidth;
    const int php = p.landscape ? target.pageWidth : target.pageHeight;

    int h = firstHeight(in.frameCount, pwp, php, m);
    int w = widthFor(h, in.aspectRatio);
    if (gridWidth(grid.columns, w, m) > target.pageWidth) {
        // Only ever shrinks, one row of pixels at a time, so the grid stays as tall as it
        // can. Every height above shrinkStart is still too wide, so the steps start there.
        h = std::min(h, shrinkStart(grid.columns, m, target.pageWidth, in.aspectRatio));
        do {
            --h;
            w = widthFor(h, in.aspectRatio);
        } while (h > 0 && gridWidth(grid.columns, w, m) >= target.pageWidth);
    }
    if (h < 1 || w < 1)
        throw PrintError(kPageTooSmall);
    p.frameWidth = w;
    p.frameHeight = h;
    p.captionHeight = truncToInt(static_cast<long double>(target.dpi) / 72 * in.tsz);
    const int captionGap = target.bitmap ? roundToInt(static_cast<long double>(target.dpi) / 72) + 1 : 10;

    for (int k = 1; k <= in.frameCount; ++k) {
        const int c = (k - 1) / grid.rows;
        const int r = (k - 1) % grid.rows;
        const int left = (2 * c + 1) * m + c * w;
        const int top = (2 * r + 1) * m + r * h;
        PrintedFrame f;
        f.frame = k;
        f.image = {left + p.offsetX, top, w, h};
        f.captionX = left + p.offsetX;
        f.captionY = top - p.captionHeight - captionGap;
        if (in.frameCount == 1) {
            f.captionX = m + p.offsetX;
            f.captionY = 1;
        }
        p.frames.push_back(f);
    }
    p.cutMarks = cutMarkLines(markTable(in.frameCount, w, h, m, target.bitmap), p.offsetX, target.pageHeight);
    return p;
}

int workBitmapWidth(int pictureHeight, float aspectRatio)
{
    const int w = roundToInt(static_cast<long double>(pictureHeight) * static_cast<long double>(aspectRatio));
    return w < 1 ? 1 : w;
}

std::string framesText(const std::vector<int>& frames)
{
    std::string text = frames.size() == 1 ? "Frame " : "Frames ";
    for (std::size_t i = 0; i < frames.size(); ++i) {
        if (i > 0)
            text += i + 1 == frames.size() ? " and " : ", ";
        text += std::to_string(frames[i]);
    }
    return text;
}

core::Message cutOffMessage(const std::vector<int>& frames)
{
    if (frames.size() == 1)
        return {QT_TRANSLATE_NOOP("Paginor", "Frame %1 would be cut off by the page margin"), frames[0]};
    if (frames.empty())
        return {"Frames %1 would be cut off by the page margin", ""};
    return {QT_TRANSLATE_NOOP("Paginor", "Frames %1 and %2 would be cut off by the page margin"), core::listBeforeLast(frames),
            frames.back()};
}

int printProgress(int k, int frameCount)
{
    return frameCount > 0 ? truncToInt(static_cast<long double>(k) / frameCount * 100) : 0;
}

std::string baseName(const std::string& fileName)
{
    const auto slash = fileName.find_last_of("/\\");
    return slash == std::string::npos ? fileName : fileName.substr(slash + 1);
}

std::string jobTitle(const std::string& firstFileName, const std::string& lastFileName)
{
    return "NVL-" + baseName(firstFileName) + " to " + baseName(lastFileName);
}

} // namespace printing
