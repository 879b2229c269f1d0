// The page geometry and the page model, checked against layouts worked out by hand for
// real printer pages (A4 at 600 dpi, Letter at 300 dpi) in an 800 x 600 or 1024 x 768 window.
#include "page/core/page.h"

#include "core/messages.h"
#include "tests/support/recording_status.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

using page::Line;
using page::Rect;
using page::Size;

const page::PrinterMetrics kA4At600{"PDF", 600, 600, 4960, 7015};
const page::PrinterMetrics kLetterAt300{"Office", 300, 300, 2450, 3200};

using support::RecordingStatus;

// A page on default settings (4 frames, aspect 1.333333, 3 mm gap) against fixed metrics.
struct PageFixture {
    explicit PageFixture(page::PrinterMetrics m = kA4At600) : metrics(std::move(m)) {}
    settings::Settings s;
    page::PrinterMetrics metrics;
    RecordingStatus status;
    page::Page model{s, [this] { return metrics; }, &status};
};

// ---------------------------------------------------------------------------------------
// Whole-page layouts. Every number below was worked out by hand from the layout rules:
// e.g. A4, 4 frames, window 800 x 600: the page is turned, r = 4960 / 7015; the fit stops
// at w = 602 (602 r = 425.6 < 600 - 50 - 123 = 427, 604 r = 427.06 is not); g =
// Round(602 / 4960 * 71) = 9; L0 = 0 - 3; H = 425 div 2 - 9 = 203, W = Trunc(203 * 1.333333)
// = 270; v = (425 - 406) div 4 = 4; b = 10; columns at -3 + 10 = 7 and -3 + 20 + 270 = 287.

struct LayoutCase {
    const char* name;
    page::PrinterMetrics printer;
    int frames;
    int windowWidth, windowHeight;
    Rect background;
    int screenGap, leftOffset;
    std::vector<Rect> rects;
    std::vector<Line> marks;
};

std::vector<Rect> grid(std::vector<int> lefts, std::vector<int> tops, int w, int h)
{
    std::vector<Rect> r;
    for (int l : lefts)
        for (int t : tops)
            r.push_back({l, t, w, h});
    return r;
}

Line vline(int x, int bh) { return {x, 0, x, bh}; }

const LayoutCase kLayouts[] = {
    {"A4_1", kA4At600, 1, 800, 600, {99, 60, 602, 425}, 9, -3,
     grid({6}, {9}, 542, 407), {vline(2, 425), vline(552, 425)}},
    // Upright: r = 7015 / 4960, the fit stops at w = 300 (h 424). H = 212 - 8 = 204,
    // W = Trunc(204 * 1.333333) = 271 (the single lies just below 4/3).
    {"A4_2", kA4At600, 2, 800, 600, {250, 60, 300, 424}, 4, 0,
     grid({5}, {4, 212}, 271, 204), {vline(3, 424), vline(278, 424), {0, 210, 300, 210}}},
    {"A4_4", kA4At600, 4, 800, 600, {99, 60, 602, 425}, 9, -3,
     grid({7, 287}, {4, 211}, 270, 203),
     {vline(3, 425), vline(283, 425), vline(561, 425), {-3, 209, 561, 209}}},
    // 8 frames: v = (424 - 408) div 16 = 1, rows v, 2v + H, 5v + 2H, 7v + 3H.
    {"A4_8", kA4At600, 8, 800, 600, {250, 60, 300, 424}, 4, 0,
     grid({5, 145}, {1, 104, 209, 313}, 135, 102), {vline(3, 424), vline(143, 424), vline(282, 424)}},
    // 16 frames: v = (425 - 388) div 16 = 2, rows v, 3v + H, 5v + 2H, 7v + 3H.
    {"A4_16", kA4At600, 16, 800, 600, {99, 60, 602, 425}, 9, -3,
     grid({7, 146, 285, 424}, {2, 103, 204, 305}, 129, 97),
     {vline(3, 425), vline(142, 425), vline(281, 425), vline(420, 425), vline(557, 425)}},
    {"Letter_1", kLetterAt300, 1, 1024, 768, {124, 60, 776, 594}, 11, -3,
     grid({8}, {11}, 753, 565), {vline(3, 594), vline(766, 594)}},
    {"Letter_2", kLetterAt300, 2, 1024, 768, {285, 60, 454, 592}, 6, 0,
     grid({7}, {6, 296}, 378, 284), {vline(4, 592), vline(388, 592), {0, 293, 454, 293}}},
    {"Letter_4", kLetterAt300, 4, 1024, 768, {124, 60, 776, 594}, 11, -3,
     grid({9, 392}, {9, 297}, 371, 279),
     {vline(4, 594), vline(387, 594), vline(768, 594), {-3, 292, 768, 292}}},
    {"Letter_8", kLetterAt300, 8, 1024, 768, {285, 60, 454, 592}, 6, 0,
     grid({7, 203}, {1, 144, 289, 433}, 189, 142), {vline(4, 592), vline(200, 592), vline(395, 592)}},
    {"Letter_16", kLetterAt300, 16, 1024, 768, {124, 60, 776, 594}, 11, -3,
     grid({9, 198, 387, 576}, {3, 142, 281, 420}, 177, 133),
     {vline(4, 594), vline(193, 594), vline(382, 594), vline(571, 594), vline(758, 594)}},
};

class PageLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(PageLayout, FramesAndMarksSitWhereTheHandWorkedLayoutPutsThem)
{
    const LayoutCase& c = GetParam();
    PageFixture f(c.printer);
    f.model.setFrameCount(c.frames);
    const page::ScreenLayout layout = f.model.sizeVisualPage(c.windowWidth, c.windowHeight);
    EXPECT_EQ(layout.background, c.background);
    EXPECT_EQ(f.model.state().ScreenGap, c.screenGap);
    EXPECT_EQ(f.model.state().ScreenLeftOffset, c.leftOffset);
    EXPECT_EQ(layout.frames, c.rects);
    const Size bg{c.background.width, c.background.height};
    EXPECT_EQ(page::cutMarks(c.frames, layout.frames, bg, c.screenGap, c.leftOffset), c.marks);
    EXPECT_EQ(layout.label1, (Rect{c.background.left, c.background.height + 40, c.background.width, 13}));
}

INSTANTIATE_TEST_SUITE_P(RealPrinterPages, PageLayout, testing::ValuesIn(kLayouts),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PageOrientation, TwoAndEightFramesStandUprightTheOthersLieTurned)
{
    for (int n : {1, 2, 4, 8, 16}) {
        PageFixture f;
        f.model.setFrameCount(n);
        const page::ScreenLayout layout = f.model.sizeVisualPage(800, 600);
        const bool upright = n == 2 || n == 8;
        EXPECT_EQ(f.model.state().PortraitPage, upright) << n;
        EXPECT_EQ(layout.background.width < layout.background.height, upright) << n;
        EXPECT_EQ(f.model.state().LaidOutWidthPx, upright ? 4960 : 7015) << n;
        EXPECT_EQ(f.model.state().LaidOutHeightPx, upright ? 7015 : 4960) << n;
    }
}

TEST(PageLayoutWindow, TooNarrowAWindowKeepsThePreviousPageAndTheUnscaledGap)
{
    PageFixture f;
    f.model.sizeVisualPage(800, 600);
    const page::ScreenLayout small = f.model.sizeVisualPage(199, 600);
    // The page keeps 602 x 425 and its -3 offset; g falls back to Trunc(3 / 25.4 * 30) = 3,
    // so H = 212 - 3 = 209, W = 278, v = (425 - 418) div 4 = 1, b = 4.
    EXPECT_EQ(small.background, (Rect{99 - 301, 60, 602, 425})); // 199 div 2 - 602 div 2
    EXPECT_EQ(f.model.state().ScreenGap, 3);
    EXPECT_EQ(f.model.state().ScreenLeftOffset, -3);
    EXPECT_EQ(small.frames, grid({1, 283}, {1, 211}, 278, 209));
}

TEST(PageLayoutWindow, AFirstSizingBelow200LeavesThePageUnsized)
{
    PageFixture f;
    f.model.sizeVisualPage(800, 199);
    EXPECT_FALSE(f.model.state().PageSized);
    f.model.sizeVisualPage(200, 200);
    EXPECT_TRUE(f.model.state().PageSized);
}

TEST(PageLayoutWindow, PageMarginMovesTheFirstColumnByAThirdLessThanItsScale)
{
    PageFixture f;
    f.s.Page_Margin_mm = 10.0f; // Round(10 / 25.4 * 600) = 236 dots
    f.model.sizeVisualPage(800, 600);
    EXPECT_EQ(f.model.state().PageMarginPx, 236);
    EXPECT_EQ(f.model.state().ScreenLeftOffset, 19 - 3); // Trunc(602 / 7440 * 236) = 19
    f.model.setFrameCount(2);
    f.model.sizeVisualPage(800, 600);
    EXPECT_EQ(f.model.state().ScreenLeftOffset, 9); // Trunc(300 / 7440 * 236), upright: no -3
}

// ---------------------------------------------------------------------------------------
// Frame sizes on their own.

TEST(FrameSize, SixteenFramesStartShrinkingAtFiveGapsButStopOnlyBelowSix)
{
    // H = 425 div 4 - 9 = 97, W = Trunc(97 * 1.5) = 145: 4W + 5g = 625 > 602, so it shrinks.
    // At H = 92 (W 138) 4W + 5g = 597 would fit, but the stop test needs 4W + 6g < 602:
    // 552 + 54 = 606 is not; H = 91, W = 136 gives 598.
    EXPECT_EQ(page::frameSize(16, {602, 425}, 9, 1.5f), (Size{136, 91}));
}

TEST(FrameSize, SixteenFramesThatPassTheStartTestAreNotShrunkEvenPastTheStopTest)
{
    // W = 129, H = 97 on a page 565 wide: 4W + 5g = 561 is not > 565, so no shrinking,
    // although 4W + 6g = 570 would not pass the stop test.
    EXPECT_EQ(page::frameSize(16, {565, 425}, 9, settings::kDefaultAspectRatio), (Size{129, 97}));
}

TEST(FrameSize, WideFramesOnTwoColumnsShrinkUntilBothFitWithThreeGaps)
{
    // 4 frames, aspect 2: H = 203, W = 406, 812 + 27 > 602; the first H with 2W + 27 < 602
    // is 143 (W 286: 599).
    EXPECT_EQ(page::frameSize(4, {602, 425}, 9, 2.0f), (Size{286, 143}));
}

TEST(FrameSize, AGapWiderThanThePageEndsAtAnEmptyFrameInsteadOfLoopingOn)
{
    EXPECT_EQ(page::frameSize(16, {100, 400}, 40, 1e-30f).height, 0);
    EXPECT_LE(page::centreOnPage(16, 4960, 7015, 7015, 600, 3000.0f, 1e-30f).frameHeight, 0);
}

// ---------------------------------------------------------------------------------------
// Centring across the printed page.

struct CentreCase {
    const char* name;
    page::PrinterMetrics printer;
    int frames;
    int frameHeight, frameWidth, gridWidth;
    float pageMarginMm;
    int pageMarginPx;
};

// A4 4 frames, worked: c = 71, g = 4960 div 2 - 142 = 2338, h = Trunc(2338 * 1.333333)
// = 3117, G = 2 * (3117 + 142) = 6518 (< 7015, no shrinking); G_mm = Round(275.93) = 276;
// Page_Margin_mm = Round(296.97 - 276) / 2 = 21 / 2 = 10.5; PageMarginPx = Round(248.03).
const CentreCase kCentres[] = {
    {"A4_1", kA4At600, 1, 4818, 6423, 6565, 9.5f, 224},
    {"A4_2", kA4At600, 2, 3366, 4487, 4629, 7.0f, 165},
    {"A4_4", kA4At600, 4, 2338, 3117, 6518, 10.5f, 248},
    {"A4_8", kA4At600, 8, 1612, 2149, 4582, 8.0f, 189},
    {"A4_16", kA4At600, 16, 1098, 1463, 6420, 12.5f, 295},
    {"Letter_16", kLetterAt300, 16, 542, 722, 3168, 1.5f, 18},
    // Letter, one frame: g = 2450 - 70 = 2380 gives h = 3173, too wide; it shrinks to
    // 2347 (h 3129, 3129 + 70 < 3200), so the grid nearly fills the page and no margin is left.
    {"Letter_1", kLetterAt300, 1, 2347, 3129, 3199, 0.0f, 0},
};

class CentreOnPage : public testing::TestWithParam<CentreCase> {};

TEST_P(CentreOnPage, GivesTheHandWorkedMarginAndPrintedGrid)
{
    const CentreCase& c = GetParam();
    const int laidOutWidth = page::isPortraitLayout(c.frames) ? c.printer.pageWidthPx : c.printer.pageHeightPx;
    const page::Centring r = page::centreOnPage(c.frames, c.printer.pageWidthPx, c.printer.pageHeightPx,
                                                  laidOutWidth, c.printer.dpiX, 3.0f,
                                                  settings::kDefaultAspectRatio);
    EXPECT_EQ(r.GapPx, c.printer.dpiX == 600 ? 71 : 35);
    EXPECT_EQ(r.frameHeight, c.frameHeight);
    EXPECT_EQ(r.frameWidth, c.frameWidth);
    EXPECT_EQ(r.gridWidth, c.gridWidth);
    EXPECT_EQ(r.Page_Margin_mm, c.pageMarginMm);
    EXPECT_EQ(r.PageMarginPx, c.pageMarginPx);
}

INSTANTIATE_TEST_SUITE_P(RealPrinterPages, CentreOnPage, testing::ValuesIn(kCentres),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CentreOnPageRounding, AStartHeightEndingInAHalfRoundsToTheEvenNeighbour)
{
    // Two frames on a page 7013 dots high: 7013 / 2 - 142 = 3364.5 starts at 3364, not 3365.
    const page::Centring r =
        page::centreOnPage(2, 4960, 7013, 4960, 600, 3.0f, settings::kDefaultAspectRatio);
    EXPECT_EQ(r.frameHeight, 3364);
}

TEST(CentreOnPageModel, CentredOutputStoresTheMarginInTheSettingsAndOffsetsTheScreenPage)
{
    PageFixture f;
    f.s.centre_output = true;
    f.model.sizeVisualPage(800, 600);
    EXPECT_EQ(f.s.Page_Margin_mm, 10.5f);
    EXPECT_EQ(f.model.state().PageMarginPx, 248);
    EXPECT_EQ(f.model.state().ScreenLeftOffset, 20 - 3); // Trunc(602 / 7440 * 248) = 20
    // The printer line is written after the centring, with the margin rounded half to even.
    EXPECT_EQ(f.status.printerLine,
              "Printer : PDF | Image area : 210 mm x 297 mm  | Page Margin : 10 mm \xC2\xBB\xC2\xAB");
}

TEST(CentreOnPageModel, CentringOffLeavesTheStoredMarginAlone)
{
    PageFixture f;
    f.s.Page_Margin_mm = -10.0f;
    f.model.sizeVisualPage(800, 600);
    EXPECT_EQ(f.s.Page_Margin_mm, -10.0f);
    EXPECT_EQ(f.model.state().PageMarginPx, -236);
}

// ---------------------------------------------------------------------------------------
// Margins, printer line, rounding.

TEST(SetMargin, ThreeMillimetresGiveThreeScreenPixelsAndTheDotsOfEachPrinter)
{
    PageFixture a4;
    a4.model.setPageMargin(3.0f);
    EXPECT_EQ(a4.model.state().ScreenGap, 3);  // Trunc(3.54)
    EXPECT_EQ(a4.model.state().GapPx, 71);     // Round(70.87)
    PageFixture letter(kLetterAt300);
    letter.model.setPageMargin(5.0f);
    EXPECT_EQ(letter.model.state().ScreenGap, 5); // Trunc(5.91)
    EXPECT_EQ(letter.model.state().GapPx, 59);    // Round(59.06)
    EXPECT_EQ(letter.s.margin_mm, 5.0f);
}

struct LineCase {
    const char* name;
    page::PrinterMetrics printer;
    bool metric;
    bool centred;
    float marginMm;
    const char* line;
};

const LineCase kLines[] = {
    {"A4_metric", kA4At600, true, false, 0.0f,
     "Printer : PDF | Image area : 210 mm x 297 mm  | Page Margin : 0 mm |\xC2\xAB"},
    {"A4_inches_centred", kA4At600, false, true, 12.7f,
     "Printer : PDF | Image area : 8\" x 12\" | Page Margin : 0.500000\" \xC2\xBB\xC2\xAB"},
    // 2450 / 300 = 8.17 in = 207.4 mm; 3200 / 300 = 10.67 in = 270.9 mm.
    {"Letter_metric_centred", kLetterAt300, true, true, -2.5f,
     "Printer : Office | Image area : 207 mm x 271 mm  | Page Margin : -2 mm \xC2\xBB\xC2\xAB"},
    {"Letter_inches", kLetterAt300, false, false, -2.54f,
     "Printer : Office | Image area : 8\" x 11\" | Page Margin : -0.100000\" |\xC2\xAB"},
};

class PrinterLine : public testing::TestWithParam<LineCase> {};

TEST_P(PrinterLine, NamesThePrinterAreaMarginAndCentring)
{
    const LineCase& c = GetParam();
    PageFixture f(c.printer);
    f.s.Use_Metric = c.metric;
    f.s.centre_output = c.centred;
    f.s.Page_Margin_mm = c.marginMm;
    f.model.updatePrinterMetrics();
    EXPECT_TRUE(f.model.state().PrinterReady);
    EXPECT_EQ(f.status.printerLine, c.line);
}

INSTANTIATE_TEST_SUITE_P(BothUnits, PrinterLine, testing::ValuesIn(kLines),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PrinterMetricsRead, APrinterWithoutAPageLeavesTheLastMetricsAndIsNotReady)
{
    PageFixture f;
    f.model.sizeVisualPage(800, 600);
    f.metrics = {"Broken", 0, 0, 0, 0};
    const page::ScreenLayout layout = f.model.sizeVisualPage(800, 600);
    EXPECT_FALSE(f.model.state().PrinterReady);
    EXPECT_EQ(f.status.printerLine, "Printer : Broken");
    EXPECT_EQ(f.model.state().PageWidthPx, 4960);
    EXPECT_EQ(layout.background, (Rect{99, 60, 602, 425}));
}

TEST(Rounding, HalvesGoToTheEvenNeighbourAndTruncationGoesTowardZero)
{
    EXPECT_EQ(page::roundToInt(2.5L), 2);
    EXPECT_EQ(page::roundToInt(3.5L), 4);
    EXPECT_EQ(page::roundToInt(-2.5L), -2);
    EXPECT_EQ(page::roundToInt(2.5000001L), 3);
    EXPECT_EQ(page::truncToInt(-1.9L), -1);
    EXPECT_EQ(page::truncToInt(1.9L), 1);
}

TEST(Rounding, AbsurdValuesSaturateInsteadOfOverflowing)
{
    EXPECT_EQ(page::roundToInt(std::numeric_limits<long double>::quiet_NaN()), 0);
    EXPECT_EQ(page::roundToInt(1e300L), std::numeric_limits<int>::max());
    EXPECT_EQ(page::truncToInt(-1e300L), std::numeric_limits<int>::min());
    EXPECT_EQ(page::dotsFromMm(std::numeric_limits<float>::infinity(), 600), std::numeric_limits<int>::max());
}

TEST(FrameCountList, IndexAndCountAreInverseOnTheFiveLayoutsOnly)
{
    const int counts[] = {1, 2, 4, 8, 16};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(page::Index(counts[i]), i);
        EXPECT_EQ(page::frameCountAt(i), counts[i]);
    }
    for (int bad : {0, 3, 5, 6, 12, 32, -1})
        EXPECT_EQ(page::Index(bad), -1) << bad;
    EXPECT_EQ(page::frameCountAt(5), 0);
    EXPECT_EQ(page::frameCountAt(-1), 0);
}

// ---------------------------------------------------------------------------------------
// Marks and picture rectangles.

TEST(TextMarks, AShortStripJustAboveTheLeftHalfOfEachFrame)
{
    const auto marks = page::textMarks(grid({7, 287}, {4, 211}, 270, 203));
    ASSERT_EQ(marks.size(), 4u);
    EXPECT_EQ(marks[0], (page::TextMark{{10, 2, 132, 2}, 7, -6}));  // (10, 2)-(142, 4)
    EXPECT_EQ(marks[3], (page::TextMark{{290, 209, 132, 2}, 287, 201}));
}

TEST(PictureRect, ThePictureKeepsItsProportionsAndIsCutOrPaddedOnTheRight)
{
    // A 203-high frame: a 3:2 picture runs to Trunc(304.5) - 2 = 302, past a 270-wide frame.
    EXPECT_EQ(page::pictureRect(203, 1.5f), (Rect{2, 2, 300, 199}));
    // A square picture stops at 201 and leaves the rest of the frame grey.
    EXPECT_EQ(page::pictureRect(203, 1.0f), (Rect{2, 2, 199, 199}));
}

TEST(EmptyLook, GreyFillsAllButTheTopRowLeftColumnAndTheLastRow)
{
    EXPECT_EQ(page::emptyFillRect({270, 203}), (Rect{1, 1, 269, 201}));
}

// ---------------------------------------------------------------------------------------
// The frame table.

std::shared_ptr<imaging::Picture> picture(int w, int h)
{
    return std::make_shared<imaging::Picture>(imaging::Picture::fromBitmap(imaging::Bitmap(w, h)));
}

void load(page::Page& p, int n, float ratio)
{
    page::FrameRecord& f = p.frame(n);
    f.PictureHolder = picture(8, 6);
    f.Loaded = true;
    f.PictureOwner = n;
    f.AspectRatio = ratio;
    f.FileName = "/photos/" + std::to_string(n) + ".jpg";
}

TEST(FrameTable, ACopyShowsItsOwnersPictureAndAnEmptyFrameShowsNone)
{
    PageFixture f;
    load(f.model, 1, 1.5f);
    page::FrameRecord& copy = f.model.frame(2);
    copy.Loaded = true;
    copy.PictureOwner = 1;
    copy.CloneOf = 1;
    EXPECT_EQ(f.model.pictureShownIn(2), f.model.frame(1).PictureHolder.get());
    EXPECT_EQ(f.model.pictureShownIn(3), nullptr);
    f.model.frame(4).Loaded = true; // a damaged record: loaded but nobody's picture
    EXPECT_EQ(f.model.pictureShownIn(4), nullptr);
    EXPECT_THROW(f.model.frame(0), page::PageError);
    EXPECT_THROW(f.model.frame(17), page::PageError);
}

TEST(FrameTable, DroppingAllPicturesFreesThemAlsoBeyondTheLiveFrames)
{
    PageFixture f;
    f.model.setFrameCount(16);
    load(f.model, 1, 1.5f);
    load(f.model, 12, 1.5f);
    f.model.frame(12).HasExif = true;
    std::weak_ptr<imaging::Picture> watch = f.model.frame(12).PictureHolder;
    f.model.setFrameCount(4);
    f.model.dropAllPictures();
    EXPECT_TRUE(watch.expired());
    for (int n = 1; n <= page::kMaxFrames; ++n) {
        EXPECT_FALSE(f.model.frame(n).Loaded) << n;
        EXPECT_EQ(f.model.frame(n).PictureOwner, 0) << n;
    }
    EXPECT_FALSE(f.model.frame(12).HasExif);
}

TEST(FrameTable, FrameCountAndAspectRatioChangesReachTheSettings)
{
    PageFixture f;
    f.model.setFrameCount(8);
    f.model.setGlobalAspectRatio(1.5f);
    EXPECT_EQ(f.s.NumberOfFrames, 8);
    EXPECT_EQ(f.s.Global_AspectRatio, 1.5f);
    EXPECT_THROW(f.model.setFrameCount(3), page::PageError);
    EXPECT_THROW(f.model.setGlobalAspectRatio(0.0f), page::PageError);
    EXPECT_EQ(f.s.NumberOfFrames, 8);
}

struct AspectCase {
    const char* name;
    std::vector<std::pair<int, float>> selectedLoaded; // frame, its ratio
    std::vector<int> selectedEmpty;
    bool hasRatio;
    float ratio;
    bool rejected;
};

const AspectCase kAspects[] = {
    {"NothingSelected", {}, {}, false, 0.0f, false},
    {"OneFrame", {{2, 0.75f}}, {}, true, 0.75f, false},
    {"LastSelectedWins", {{1, 1.5f}, {3, 0.75f}}, {}, true, 0.75f, false},
    {"NegativeStopsAfterEarlierOnes", {{1, 1.5f}, {2, -1.0f}, {4, 0.5f}}, {}, true, 1.5f, true},
    {"NegativeFirstChangesNothing", {{1, -0.5f}, {2, 1.5f}}, {}, false, 0.0f, true},
    {"ZeroIsRefusedLikeNegative", {{3, 0.0f}}, {}, false, 0.0f, true},
    {"EmptySelectedFramesAreSkipped", {{1, 1.25f}}, {4}, true, 1.25f, false},
};

class AspectFromSelection : public testing::TestWithParam<AspectCase> {};

TEST_P(AspectFromSelection, TakesTheRatioOfTheSelectedPictures)
{
    const AspectCase& c = GetParam();
    PageFixture f;
    for (auto [n, ratio] : c.selectedLoaded) {
        load(f.model, n, ratio);
        f.model.frame(n).Selected = true;
    }
    for (int n : c.selectedEmpty)
        f.model.frame(n).Selected = true;
    const page::AspectChoice choice = f.model.aspectRatioFromSelection();
    EXPECT_EQ(choice.ratio.has_value(), c.hasRatio);
    if (c.hasRatio) {
        EXPECT_EQ(*choice.ratio, c.ratio);
    }
    EXPECT_EQ(choice.rejected, c.rejected);
}

INSTANTIATE_TEST_SUITE_P(Selections, AspectFromSelection, testing::ValuesIn(kAspects),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StoredSettings, AnUnusableFrameCountOrAspectRatioFallsBackToTheDefaultWithAWarning)
{
    core::ScriptedMessages sink;
    core::setMessages(&sink);
    settings::Settings s;
    s.NumberOfFrames = 3;
    s.Global_AspectRatio = std::numeric_limits<float>::quiet_NaN();
    s.margin_mm = std::numeric_limits<float>::infinity();
    page::Page p(s, [] { return kA4At600; });
    core::setMessages(nullptr);
    EXPECT_EQ(p.state().FrameCount, 4);
    EXPECT_EQ(s.NumberOfFrames, 4);
    EXPECT_EQ(s.Global_AspectRatio, settings::kDefaultAspectRatio);
    EXPECT_EQ(s.margin_mm, 3.0f);
    EXPECT_EQ(sink.texts(), (std::vector<std::string>{std::string(page::kUnusableFrameCount),
                                                      std::string(page::kUnusableAspectRatio)}));
}

} // namespace
