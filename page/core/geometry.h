// The on-screen page as plain numbers: how the printer page is scaled into the window,
// where the frames sit, where the marks go, and the centring margin printing shares.
// Nothing here knows about widgets, so every layout is testable without a window.
#pragma once

#include "core/message.h"

#include <string>
#include <vector>

namespace page {

inline constexpr int kMaxFrames = 16;
// The screen resolution the gap between frames is first estimated at, before the
// page has been fitted to a window.
inline constexpr int kNominalScreenDpi = 30;
// Millimetres per inch, kept in extended precision like every intermediate below.
inline constexpr long double kMmPerInch = 25.4L;

// Real numbers become integers in two ways only. Both saturate at the int range and
// give 0 for NaN, so an absurd setting yields an absurd layout, never undefined behaviour.
// Round: to nearest, halves to even (std::nearbyint under the default rounding mode).
int roundToInt(long double x);
// Trunc: drops the fraction (toward zero).
int truncToInt(long double x);

// 1, 2, 4, 8 or 16.
bool isFrameCount(int count);
// The list position of a frame count: 1 -> 0, 2 -> 1, 4 -> 2, 8 -> 3, 16 -> 4;
// -1 (no list entry) for any other number.
int Index(int count);
// The frame count at a list position; 0 for a position outside 0..4.
int frameCountAt(int index);
// 2 and 8 frames lie on an upright page; 1, 4 and 16 on a turned one.
bool isPortraitLayout(int frameCount);

// Round(mm / 25.4 x dpi): the gap and the page margin in printer dots.
int dotsFromMm(float mm, int dpi);
// Trunc(mm / 25.4 x 30): the gap on screen before the window fit has scaled it.
int screenGapFromMm(float mm);

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; }   // one past the last column
    int bottom() const { return top + height; }  // one past the last row
    bool operator==(const Rect&) const = default;
};

// A line drawn as a pen moved from (x1, y1) to (x2, y2): the end point itself is not inked.
struct Line {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    bool operator==(const Line&) const = default;
};

// A text drawn with its top-left corner at the origin and only the part inside clip shown.
struct TextMark {
    Rect clip;
    int originX = 0;
    int originY = 0;
    bool operator==(const TextMark&) const = default;
};

// The window fit applies only to a window at least 200 x 200.
bool windowFitApplies(int windowWidth, int windowHeight);
// The largest even-stepped page width below the window width whose height leaves room
// for the bottom panels. portraitPage chooses which printer side is the on-screen height.
Size fitPageToWindow(int windowWidth, int windowHeight, int pageWidthPx, int pageHeightPx, bool portraitPage);
// Round(BW / PageWidthPx x GapPx): the printed gap scaled to the page on screen.
int screenGapFor(int backgroundWidth, int pageWidthPx, int gapPx);
// Trunc(BW / (1.5 x PageWidthPx) x PageMarginPx), less 3 on a turned page.
int screenLeftOffsetFor(int backgroundWidth, int pageWidthPx, int pageMarginPx, int frameCount);

// The size every frame control gets on a page of the given size.
Size frameSize(int frameCount, Size background, int screenGap, float aspectRatio);
// Each frame's rectangle on the page, frame 1 first, column by column, top to bottom.
std::vector<Rect> framePositions(int frameCount, Size background, Size frame, int screenGap, int leftOffset);
// The dash-dot cut marks around the frames; frames[0] is frame 1.
std::vector<Line> cutMarks(int frameCount, const std::vector<Rect>& frames, Size background, int screenGap,
                           int leftOffset);
// The short text marks above the left half of each frame.
std::vector<TextMark> textMarks(const std::vector<Rect>& frames);
// Where a frame control draws its picture: the picture keeps its own proportions, so a
// picture wider than the frame is cut at the right and a narrower one leaves a strip.
Rect pictureRect(int frameHeight, float pictureAspectRatio);
// The grey area of an empty frame; frame1 is frame 1's size (every frame has it).
Rect emptyFillRect(Size frame1);
// Round(k / count x 100).
int progressPercent(int k, int count);

// The centred page margin for a frame grid across the printed page.
struct Centring {
    int GapPx = 0;
    float Page_Margin_mm = 0.0f;
    int PageMarginPx = 0;
    // The printed frame (height, width) and the printed grid's width, in dots.
    int frameHeight = 0;
    int frameWidth = 0;
    int gridWidth = 0;
};
Centring centreOnPage(int frameCount, int pageWidthPx, int pageHeightPx, int laidOutWidthPx, int dpiX,
                        float margin_mm, float aspectRatio);

// The status-bar line that names the printer, its image area and the page margin, ending
// in an indicator of whether the output is centred.
core::Message printerLine(const std::string& printerName, float pageWidthIn, float pageHeightIn,
                        float pageMarginMm, bool useMetric, bool centreOutput);

} // namespace page
