// The printed page's geometry against pages worked out by hand (A4 and a 4760 x 6814 page
// at 600 dpi), its properties over every frame count, and the frame pipeline's pixels.
#include "printing/core/frame_pipeline.h"
#include "printing/core/given_metrics.h"
#include "printing/core/print_geometry.h"

#include "page/core/on_load.h"
#include "tests/support/bitmaps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <set>
#include <stdexcept>

namespace {

using printing::LayoutInput;
using printing::PrintedPage;
using printing::PrintTarget;

LayoutInput input(int frames, float ar, float marginMm = 3.0f, float pageMarginMm = 0.0f, int tsz = 6)
{
    return {frames, ar, marginMm, pageMarginMm, tsz};
}

page::Rect corners(int l, int t, int r, int b)
{
    return {l, t, r - l, b - t};
}

// ---- hand-worked pages ---------------------------------------------------------------

TEST(PrintedGrid, FourFramesOnA600DpiPageMatchTheWorkedExample)
{
    // m = round(3 / 25.4 x 600) = 71; H = 4760 div 2 - 142 = 2238; W = trunc(2238 x 4/3) = 2984;
    // 2 x (2984 + 142) = 6252 fits across 6814, so nothing shrinks.
    const PrintedPage p = printing::layoutPage(input(4, 4.0f / 3.0f), printing::printerTarget(4, 4760, 6814, 600));
    EXPECT_TRUE(p.landscape);
    EXPECT_EQ(p.target.pageWidth, 6814);
    EXPECT_EQ(p.target.pageHeight, 4760);
    EXPECT_EQ(p.gap, 71);
    EXPECT_EQ(p.frameHeight, 2238);
    EXPECT_EQ(p.frameWidth, 2984);
    ASSERT_EQ(p.frames.size(), 4u);
    EXPECT_EQ(p.frames[0].image, corners(71, 71, 3055, 2309));
    EXPECT_EQ(p.frames[1].image, corners(71, 2451, 3055, 4689));
    EXPECT_EQ(p.frames[2].image, corners(3197, 71, 6181, 2309));
    EXPECT_EQ(p.frames[3].image, corners(3197, 2451, 6181, 4689));
}

TEST(PrintedGrid, EightWidePicturesShrinkUntilTheGridIsNarrowerThanThePage)
{
    // First H = round(6814 / 4 - 142) = round(1561.5) = 1562 (half to even); W = 2343 makes
    // 2 x 2485 = 4970 > 4760. H = 1492 gives exactly 4760, which is not yet less; 1491 is.
    const PrintedPage p = printing::layoutPage(input(8, 1.5f), printing::printerTarget(8, 4760, 6814, 600));
    EXPECT_FALSE(p.landscape);
    EXPECT_EQ(p.frameHeight, 1491);
    EXPECT_EQ(p.frameWidth, 2236);
    EXPECT_LT(2 * (p.frameWidth + 2 * p.gap), p.target.pageWidth);
}

TEST(PrintedGrid, PageBitmapAt100DpiOfA600DpiPrinterIsTheTurnedPageScaled)
{
    const PrintTarget t = printing::bitmapTarget(4, 4960, 7016, 600, 100);
    EXPECT_EQ(t.pageWidth, 1169);
    EXPECT_EQ(t.pageHeight, 827);
    const PrintTarget upright = printing::bitmapTarget(2, 4960, 7016, 600, 100);
    EXPECT_EQ(upright.pageWidth, 827);
    EXPECT_EQ(upright.pageHeight, 1169);
}

TEST(PrintedCaption, SixPointsAt600DpiStandElevenDotsFromTheTopOverATopRowFrame)
{
    // th = trunc(600 / 72 x 6) = 50; 71 - 50 - 10 = 11.
    const PrintedPage p = printing::layoutPage(input(4, 4.0f / 3.0f), printing::printerTarget(4, 4760, 6814, 600));
    EXPECT_EQ(p.captionHeight, 50);
    EXPECT_EQ(p.frames[0].captionY, 11);
    EXPECT_EQ(p.frames[2].captionX, 3197);
    EXPECT_EQ(p.frames[1].captionY, 2451 - 60);
}

TEST(PrintedCaption, OnAPageBitmapTheGapFollowsTheResolution)
{
    // 100 dpi: m = round(11.81) = 12, th = trunc(8.33) = 8, gap round(1.39) + 1 = 2.
    const PrintedPage p = printing::layoutPage(input(4, 4.0f / 3.0f), printing::bitmapTarget(4, 4960, 7016, 600, 100));
    EXPECT_EQ(p.gap, 12);
    EXPECT_EQ(p.captionHeight, 8);
    EXPECT_EQ(p.frames[0].captionY, 12 - 8 - 2);
}

TEST(PrintedCaption, ASingleFrameHasItsCaptionAtTheTopOfThePage)
{
    const PrintedPage p = printing::layoutPage(input(1, 1.5f, 3.0f, 5.0f), printing::printerTarget(1, 4760, 6814, 600));
    EXPECT_EQ(p.frames[0].captionY, 1);
    EXPECT_EQ(p.frames[0].captionX, 71 + 118); // m + X0, X0 = round(5 / 25.4 x 600) = 118
}

TEST(PrintedMarks, SixteenFramesHaveNineLinesEachWayAtTheCellPitch)
{
    // H = round(4760 / 4 - 142) = 1048, W = trunc(1048 x 4/3) = 1397; pitch W + 2m - 1 = 1538,
    // H + 2m - 1 = 1189; horizontals run 4 x 1538 = 6152 long.
    const PrintedPage p = printing::layoutPage(input(16, 4.0f / 3.0f), printing::printerTarget(16, 4760, 6814, 600));
    ASSERT_EQ(p.cutMarks.size(), 18u);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(p.cutMarks[i], (page::Line{i * 1538, 0, i * 1538, 4760})) << i;
        EXPECT_EQ(p.cutMarks[9 + i], (page::Line{0, i * 1189, 6152, i * 1189})) << i;
    }
}

TEST(PrintedMarks, TwoFrameMarksReachTwiceAsFarOnThePageBitmap)
{
    const PrintedPage paper = printing::layoutPage(input(2, 1.5f), printing::printerTarget(2, 4760, 6814, 600));
    const PrintedPage bitmap = printing::layoutPage(input(2, 1.5f), printing::bitmapTarget(2, 4760, 6814, 600, 600));
    const int cell = paper.frameWidth + 2 * paper.gap - 1;
    EXPECT_EQ(paper.cutMarks.back().x2, cell);
    EXPECT_EQ(bitmap.cutMarks.back().x2, 2 * cell);
}

TEST(PrintedMarks, OneFrameStepsFiveShortOfTheCell)
{
    const PrintedPage p = printing::layoutPage(input(1, 4.0f / 3.0f), printing::printerTarget(1, 4760, 6814, 600));
    ASSERT_EQ(p.cutMarks.size(), 4u);
    EXPECT_EQ(p.cutMarks[1].x1, p.frameWidth + 2 * p.gap - 5);
    EXPECT_EQ(p.cutMarks[3].y1, p.frameHeight + 2 * p.gap - 5);
}

// ---- properties over every layout -----------------------------------------------------

struct LayoutCase {
    int frames;
    float aspect;
};

class EveryLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(EveryLayout, CellsFillColumnsTopToBottomWithTwoGapsBetweenNeighbours)
{
    const auto [n, ar] = GetParam();
    const PrintedPage p = printing::layoutPage(input(n, ar), printing::printerTarget(n, 4960, 7015, 600));
    ASSERT_EQ(static_cast<int>(p.frames.size()), n);
    EXPECT_LT(static_cast<long long>(p.columns) * (p.frameWidth + 2 * p.gap), p.target.pageWidth + 1);
    for (int k = 1; k < n; ++k) {
        const page::Rect& a = p.frames[k - 1].image;
        const page::Rect& b = p.frames[k].image;
        if (k % p.rows != 0) { // the next frame is below in the same column
            EXPECT_EQ(b.left, a.left);
            EXPECT_EQ(b.top - a.bottom(), 2 * p.gap);
        } else { // the top of the next column
            EXPECT_EQ(b.left - p.frames[k - p.rows].image.right(), 2 * p.gap);
            EXPECT_EQ(b.top, p.frames[0].image.top);
        }
    }
    // The grid is as tall as the page allows: one more row of pixels in each frame would
    // either not fit down the page or (after shrinking) not across it.
    EXPECT_LE(p.rows * (p.frameHeight + 2 * p.gap), p.target.pageHeight + 1);
}

TEST_P(EveryLayout, ANegativePageMarginShiftsEverythingLeftAndNothingUp)
{
    const auto [n, ar] = GetParam();
    const PrintTarget t = printing::printerTarget(n, 4960, 7015, 600);
    const PrintedPage plain = printing::layoutPage(input(n, ar), t);
    const PrintedPage shifted = printing::layoutPage(input(n, ar, 3.0f, -10.0f), t);
    const int dx = -236; // round(-10 / 25.4 x 600)
    EXPECT_EQ(shifted.offsetX, dx);
    for (std::size_t k = 0; k < plain.frames.size(); ++k) {
        page::Rect moved = plain.frames[k].image;
        moved.left += dx;
        EXPECT_EQ(shifted.frames[k].image, moved);
        EXPECT_EQ(shifted.frames[k].captionX, plain.frames[k].captionX + dx);
        EXPECT_EQ(shifted.frames[k].captionY, plain.frames[k].captionY);
    }
    for (std::size_t i = 0; i < plain.cutMarks.size(); ++i) {
        const page::Line& a = plain.cutMarks[i];
        EXPECT_EQ(shifted.cutMarks[i], (page::Line{a.x1 + dx, a.y1, a.x2 + dx, a.y2}));
    }
}

INSTANTIATE_TEST_SUITE_P(FrameCountsAndShapes, EveryLayout,
                         ::testing::Values(LayoutCase{1, 1.333333f}, LayoutCase{2, 1.333333f},
                                           LayoutCase{4, 1.333333f}, LayoutCase{8, 1.333333f},
                                           LayoutCase{16, 1.333333f}, LayoutCase{1, 3.0f}, LayoutCase{2, 0.75f},
                                           LayoutCase{4, 2.5f}, LayoutCase{8, 1.5f}, LayoutCase{16, 0.5f}),
                         [](const auto& info) {
                             return std::to_string(info.param.frames) + "Frames" +
                                    std::to_string(static_cast<int>(info.param.aspect * 100)) + "Hundredths";
                         });

// ---- refusals -------------------------------------------------------------------------

TEST(PrintedRefusal, ThreeFramesAreRefusedWithTheTryFourMessage)
{
    try {
        printing::layoutPage(input(3, 1.5f), printing::printerTarget(3, 4760, 6814, 600));
        FAIL() << "three frames were laid out";
    } catch (const printing::PrintError& e) {
        EXPECT_STREQ(e.what(), "Sorry.... 3 frames not yet supported by print option\nTry 4!!");
    }
}

TEST(PrintedRefusal, UnusableShapesAndMarginsGiveAnErrorNotAHang)
{
    const PrintTarget t = printing::printerTarget(4, 4760, 6814, 600);
    for (float ar : {std::numeric_limits<float>::quiet_NaN(), -1.0f, 0.0f, 1e30f})
        EXPECT_THROW(printing::layoutPage(input(4, ar), t), printing::PrintError) << ar;
    EXPECT_THROW(printing::layoutPage(input(4, 1.5f, 500.0f), t), printing::PrintError);
}

// The grid as the shrink loop finds it stepping one row at a time from the first height.
std::pair<int, int> steppedGrid(int columns, int h, int m, int pageWidth, float ar)
{
    auto width = [ar](int height) { return static_cast<int>(std::trunc(static_cast<long double>(height) * ar)); };
    auto across = [&](int w) { return static_cast<long long>(columns) * (w + 2LL * m); };
    int w = width(h);
    if (across(w) > pageWidth)
        do {
            --h;
            w = width(h);
        } while (h > 0 && across(w) >= pageWidth);
    return {w, h};
}

TEST(PrintedGrid, TheShrinkStartsNearItsAnswerAndFindsTheSameGrid)
{
    // Pages of every width against the one-step loop, for wide and narrow frames.
    for (float ar : {0.37f, 1.0f, 4.0f / 3.0f, 1.5f, 7.9f})
        for (int pw = 600; pw < 9000; pw += 97) {
            const PrintedPage p = printing::layoutPage(input(4, ar), printing::printerTarget(4, 6000, pw, 600));
            const auto [w, h] = steppedGrid(2, 3000 - 2 * 71, 71, pw, ar);
            ASSERT_EQ(p.frameWidth, w) << ar << ' ' << pw;
            ASSERT_EQ(p.frameHeight, h) << ar << ' ' << pw;
        }
    // A page a billion dots high and narrow: stepping would take a billion rounds.
    const PrintedPage tall = printing::layoutPage(input(2, 1.5f), {2000, 2000000000, 600, false});
    // One column: the widest frame whose cell is narrower than the page, give or take
    // the one dot a height step changes the width by at 1.5.
    EXPECT_LT(tall.frameWidth + 2 * tall.gap, 2000);
    EXPECT_GE(tall.frameWidth + 2 * tall.gap, 1998);
}

TEST(PrintedCutOff, FramesOffThePaperAreNamedInOneSentence)
{
    EXPECT_EQ(printing::cutOffMessage({3}), "Frame 3 would be cut off by the page margin");
    EXPECT_EQ(printing::cutOffMessage({1, 2}), "Frames 1 and 2 would be cut off by the page margin");
    EXPECT_EQ(printing::cutOffMessage({1, 2, 5}), "Frames 1, 2 and 5 would be cut off by the page margin");
}

TEST(PrintJobTitle, NamesTheFirstAndLastFileWithoutTheirFolders)
{
    EXPECT_EQ(printing::jobTitle("/photos/2001/a.jpg", "/photos/b c.jpg"), "NVL-a.jpg to b c.jpg");
    EXPECT_EQ(printing::jobTitle("x.jpg", "x.jpg"), "NVL-x.jpg to x.jpg");
    EXPECT_EQ(printing::jobTitle("C:\\old\\d.bmp", "* Pasted image *"), "NVL-d.bmp to * Pasted image *");
}

TEST(PrintProgress, OnlyFrameThreeOfFourLoadedJumpsToSeventyFive)
{
    EXPECT_EQ(printing::printProgress(3, 4), 75);
    EXPECT_EQ(printing::printProgress(1, 16), 6);
    EXPECT_EQ(printing::printProgress(16, 16), 100);
}

// ---- the frame pipeline ---------------------------------------------------------------

// A picture whose pixel (x, y) holds x, y and a frame tag, so every copy can be traced.
imaging::Bitmap traced(int w, int h, std::uint8_t tag)
{
    return support::paintedBitmap(w, h, [tag](int x, int y) { return std::array{x, y, int(tag)}; });
}

TEST(WorkBitmap, AWidePictureIsCutAtTheRightWithoutMoving)
{
    const auto pic = imaging::Picture::fromBitmap(traced(200, 50, 7));
    const printing::PreparedFrame f = printing::workBitmap(pic, 2.0f);
    ASSERT_EQ(f.view.width, 100);
    ASSERT_EQ(f.view.height, 50);
    EXPECT_EQ(f.view.row(10)[3 * 99], 99);
    EXPECT_EQ(f.view.row(10)[3 * 99 + 1], 10);
}

TEST(WorkBitmap, ANarrowPictureIsPaddedWithWhiteOnTheRight)
{
    const auto pic = imaging::Picture::fromBitmap(traced(40, 50, 7));
    const printing::PreparedFrame f = printing::workBitmap(pic, 1.0f);
    ASSERT_EQ(f.view.width, 50);
    EXPECT_EQ(f.view.row(5)[3 * 39], 39);
    EXPECT_EQ(f.view.row(5)[3 * 39 + 2], 7);
    for (int x = 40; x < 50; ++x)
        EXPECT_EQ(f.view.row(49)[3 * x], 255) << x;
}

TEST(WorkBitmap, ANarrowPictureResampledGivesTheBytesOfItsPaddedCopyWithoutMakingIt)
{
    // Noise, so any misplaced column or weight shows.
    imaging::Bitmap narrow(37, 90);
    std::uint32_t seed = 12345;
    for (int y = 0; y < narrow.height(); ++y)
        for (int x = 0; x < 3 * narrow.width(); ++x)
            narrow.row(y)[x] = static_cast<std::uint8_t>((seed = seed * 1103515245u + 12345u) >> 24);
    const auto pic = imaging::Picture::fromBitmap(imaging::Bitmap(narrow));
    const printing::PreparedFrame padded = printing::workBitmap(pic, 1.7f);
    ASSERT_GT(padded.view.width, narrow.width());
    for (int f = 0; f < imaging::kFilterCount; ++f) {
        const imaging::Filter filter = imaging::filterFromIndex(f);
        for (auto [w, h] : {std::pair{41, 23}, std::pair{300, 170}}) {
            imaging::Bitmap want(w, h);
            imaging::ResampleBitmap(padded.view, want.view(), filter);
            const printing::PreparedFrame got = printing::prepareFrame({pic, 1.7f, filter, w, h});
            ASSERT_EQ(got.view.width, w);
            for (int y = 0; y < h; ++y)
                ASSERT_EQ(0, std::memcmp(got.view.row(y), want.row(y), static_cast<std::size_t>(w) * 3))
                    << "filter " << f << " size " << w << " row " << y;
        }
    }
    // Unresampled, the device is given the picture itself and the width it stands for.
    const printing::PreparedFrame whole = printing::prepareFrame({pic, 1.7f, std::nullopt, 0, 0});
    EXPECT_EQ(whole.view.width, narrow.width());
    EXPECT_EQ(whole.paddedWidth, padded.view.width);
}

TEST(WorkBitmap, AJpegPhotoResampledAsItDecodesGivesTheBytesOfItsWholeDecode)
{
    // Noise, and heights that leave a short last strip of decoded rows: a wide photo cut
    // to its frame's shape and a narrow one padded, each shrunk and enlarged.
    for (auto [pw, ph] : {std::pair{260, 150}, std::pair{61, 203}}) {
        imaging::Bitmap noise(pw, ph);
        std::uint32_t seed = 777u + static_cast<std::uint32_t>(pw);
        for (int y = 0; y < ph; ++y)
            for (int x = 0; x < 3 * pw; ++x)
                noise.row(y)[x] = static_cast<std::uint8_t>((seed = seed * 1103515245u + 12345u) >> 24);
        const auto jpeg = imaging::Picture::fromJpegData(imaging::encodeJpeg(noise.view(), 90));
        ASSERT_TRUE(jpeg.keepsJpegFile());
        const auto decoded = imaging::Picture::fromBitmap(imaging::decodeJpeg(jpeg.jpegData()));
        const printing::PreparedFrame shaped = printing::workBitmap(decoded, 1.3f);
        for (int f = 0; f < imaging::kFilterCount; ++f) {
            const imaging::Filter filter = imaging::filterFromIndex(f);
            for (auto [w, h] : {std::pair{47, 29}, std::pair{410, 333}}) {
                imaging::Bitmap want(w, h);
                imaging::ResampleBitmap(shaped.view, want.view(), filter);
                const printing::PreparedFrame got = printing::prepareFrame({jpeg, 1.3f, filter, w, h});
                ASSERT_EQ(got.view.width, w);
                ASSERT_EQ(got.view.height, h);
                for (int y = 0; y < h; ++y)
                    ASSERT_EQ(0, std::memcmp(got.view.row(y), want.row(y), static_cast<std::size_t>(w) * 3))
                        << pw << "x" << ph << " filter " << f << " size " << w << " row " << y;
            }
        }
    }
}

TEST(WorkBitmap, AJpegPictureIsDecodedAtFullSize)
{
    imaging::Bitmap flat(64, 48);
    std::fill(flat.data(), flat.data() + flat.stride() * flat.height(), std::uint8_t(90));
    const auto pic = imaging::Picture::fromJpegData(imaging::encodeJpeg(flat.view(), 95));
    const printing::PreparedFrame f = printing::workBitmap(pic, 64.0f / 48.0f);
    EXPECT_EQ(f.view.width, 64);
    EXPECT_EQ(f.view.height, 48);
    EXPECT_NEAR(f.view.row(20)[30], 90, 2);
}

TEST(WorkBitmap, AJpegTurnedOnLoadIsResampledFromItsDataAsItsTurnedPixels)
{
    imaging::Bitmap noise(30, 200);
    std::uint32_t seed = 777;
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < 3 * noise.width(); ++x)
            noise.row(y)[x] = static_cast<std::uint8_t>((seed = seed * 1103515245u + 12345u) >> 24);
    const std::vector<std::uint8_t> data = imaging::encodeJpeg(noise.view(), 90);
    page::OnLoadOptions turn;
    turn.rotate = true;
    const page::LoadPlan plan = page::planOnLoad(turn, noise.width(), noise.height());
    auto turned = [&] {
        auto pic = imaging::Picture::fromJpegData(data);
        page::putSteps(pic, nullptr, plan.steps, plan.width, plan.height);
        return pic;
    };
    // The turned picture's work bitmap (cut to 45 x 30) resampled the plain way.
    const imaging::Picture decoded = turned();
    ASSERT_EQ(decoded.bitmap().width(), 200);
    imaging::ConstBitmapView work = decoded.bitmap().view();
    work.width = printing::workBitmapWidth(work.height, 1.5f);
    imaging::Bitmap want(60, 40);
    imaging::ResampleBitmap(work, want.view(), imaging::Filter::Mitchell);

    const imaging::Picture pic = turned();
    const printing::PreparedFrame got = printing::prepareFrame({pic, 1.5f, imaging::Filter::Mitchell, 60, 40});
    for (int y = 0; y < 40; ++y)
        ASSERT_EQ(0, std::memcmp(got.view.row(y), want.row(y), 60 * 3)) << "row " << y;
}

TEST(FramePipeline, FramesComeBackInOrderAtTheirExactSizes)
{
    std::vector<printing::FrameWork> work;
    for (int k = 0; k < 9; ++k)
        work.push_back({imaging::Picture::fromBitmap(traced(120 + k, 90, static_cast<std::uint8_t>(k * 20))),
                        1.333333f, imaging::Filter::Triangle, 40 + k, 30});
    printing::FramePipeline pipeline(std::move(work));
    for (std::size_t k = 0; k < 9; ++k) {
        const printing::PreparedFrame f = pipeline.take(k);
        EXPECT_EQ(f.view.width, 40 + static_cast<int>(k));
        EXPECT_EQ(f.view.height, 30);
        // The tag is flat across the picture, so resampling keeps it exactly.
        EXPECT_EQ(f.view.row(15)[3 * 20 + 2], k * 20) << k;
    }
}

TEST(FramePipeline, ACorruptPictureFailsOnlyItsOwnFrame)
{
    std::vector<std::uint8_t> jpeg = imaging::encodeJpeg(traced(64, 48, 1).view(), 90);
    jpeg.resize(jpeg.size() - 60); // a file that ends early, its headers whole
    std::vector<printing::FrameWork> work;
    work.push_back({imaging::Picture::fromBitmap(traced(64, 48, 1)), 1.0f, imaging::Filter::Box, 16, 16});
    work.push_back({imaging::Picture::fromJpegData(jpeg), 1.0f, imaging::Filter::Box, 16, 16});
    work.push_back({imaging::Picture::fromBitmap(traced(64, 48, 3)), 1.0f, imaging::Filter::Box, 16, 16});
    printing::FramePipeline pipeline(std::move(work));
    EXPECT_NO_THROW(pipeline.take(0));
    EXPECT_THROW(pipeline.take(1), std::exception);
    EXPECT_EQ(pipeline.take(2).view.row(0)[2], 3);
}

TEST(FramePipeline, StoppingEarlyLeavesNoThreadBehind)
{
    std::vector<printing::FrameWork> work;
    for (int k = 0; k < 16; ++k)
        work.push_back({imaging::Picture::fromBitmap(traced(300, 200, 1)), 1.5f, imaging::Filter::Lanczos3, 150, 100});
    {
        printing::FramePipeline pipeline(std::move(work));
        pipeline.take(0);
        pipeline.cancel();
        EXPECT_THROW(pipeline.take(10), printing::PrintError);
    } // the destructor joins; a worker left running would crash or hang here
}

// ---- frames made while the page loads -----------------------------------------------

std::vector<std::uint8_t> bytesOf(imaging::ConstBitmapView v)
{
    std::vector<std::uint8_t> out;
    for (int y = 0; y < v.height; ++y)
        out.insert(out.end(), v.row(y), v.row(y) + static_cast<std::ptrdiff_t>(v.width) * v.bytesPerPixel);
    return out;
}

imaging::Picture jpegPicture(int w, int h, std::uint8_t tag)
{
    return imaging::Picture::fromJpegData(imaging::encodeJpeg(traced(w, h, tag).view(), 92));
}

// The load step decodes photos on its threads in any order; each must come out exactly
// as the pipeline would have made it, in the frame that shows its picture.
TEST(ReadyFrames, PhotosMadeWhileLoadingDrawExactlyAsPhotosMadeWhenPrinting)
{
    const printing::FrameWork shape{{}, 1.25f, imaging::Filter::Lanczos3, 57, 41};
    std::vector<printing::FrameWork> work;
    for (int k = 0; k < 4; ++k) {
        printing::FrameWork w = shape;
        w.picture = jpegPicture(160 + 30 * k, 120, static_cast<std::uint8_t>(40 * k));
        work.push_back(w);
    }
    printing::ReadyFrames ready(shape);
    ready.prepare(work[3].picture);
    ready.prepare(work[0].picture);
    ready.prepare(work[2].picture);
    std::vector<printing::FrameWork> attached = work;
    ready.attachTo(attached);
    EXPECT_TRUE(attached[0].ready && attached[2].ready && attached[3].ready);
    EXPECT_FALSE(attached[1].ready); // never loaded this way: the pipeline makes it
    printing::FramePipeline made(std::move(attached));
    for (std::size_t k = 0; k < work.size(); ++k) {
        const printing::PreparedFrame expected = printing::prepareFrame(work[k]);
        const printing::PreparedFrame got = made.take(k);
        ASSERT_EQ(got.view.width, 57);
        ASSERT_EQ(got.view.height, 41);
        EXPECT_EQ(bytesOf(got.view), bytesOf(expected.view)) << "frame " << k;
    }
}

// A page laid out otherwise once loaded (another size, another filter) must not get
// photos made for the shape expected before.
TEST(ReadyFrames, APhotoMadeForAnotherShapeIsMadeAgain)
{
    const printing::FrameWork shape{{}, 1.0f, imaging::Filter::Box, 32, 32};
    printing::ReadyFrames ready(shape);
    const imaging::Picture picture = jpegPicture(64, 64, 9);
    ready.prepare(picture);
    std::vector<printing::FrameWork> work{{picture, 1.0f, imaging::Filter::Box, 33, 32},
                                          {picture, 1.0f, imaging::Filter::Triangle, 32, 32}};
    ready.attachTo(work);
    EXPECT_FALSE(work[0].ready);
    EXPECT_FALSE(work[1].ready);
}

TEST(ReadyFrames, ADamagedPhotoFailsAsTheLoadStepsCheckWould)
{
    std::vector<std::uint8_t> jpeg = imaging::encodeJpeg(traced(64, 48, 1).view(), 90);
    jpeg.resize(jpeg.size() - 60);
    printing::ReadyFrames ready({{}, 1.0f, imaging::Filter::Box, 16, 16});
    EXPECT_THROW(ready.prepare(imaging::Picture::fromJpegData(jpeg)), imaging::ImagingError);
}

} // namespace

// ---- print resolution of each frame -----------------------------------------------------

#include "page/core/page.h"
#include "printing/core/resolution.h"
#include "settings/core/settings.h"

namespace {

// A4 at 300 dpi, four frames: m = round(3 / 25.4 x 300) = 35, H = 2480 div 2 - 70 = 1170,
// W = trunc(1170 x 4/3) = 1559. Frame k shows a blank picture of sizes[k - 1].
struct ResolutionPage {
    settings::Settings s;
    std::unique_ptr<page::Page> page;

    explicit ResolutionPage(const std::vector<std::pair<int, int>>& sizes)
    {
        page = std::make_unique<page::Page>(s, [] { return page::PrinterMetrics{"Known", 300, 300, 2480, 3508}; });
        page->sizeVisualPage(800, 600);
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            page::FrameRecord& f = page->frame(static_cast<int>(i) + 1);
            f.PictureHolder = std::make_shared<imaging::Picture>(
                imaging::Picture::fromBitmap(imaging::Bitmap(sizes[i].first, sizes[i].second)));
            f.PictureOwner = static_cast<int>(i) + 1;
            f.Loaded = true;
        }
    }
};

} // namespace

TEST(PrintResolution, PicturesOfKnownSizeOnAKnownPage)
{
    ResolutionPage p({{1200, 900}, {400, 300}, {1200, 300}});
    // The work bitmap is as high as the picture and fills the 1170-dot height.
    EXPECT_EQ(printing::effectiveResolution(*p.page, 1), 900 * 300 / 1170); // 230
    EXPECT_EQ(printing::effectiveResolution(*p.page, 2), 300 * 300 / 1170); // 76
    EXPECT_EQ(printing::effectiveResolution(*p.page, 3), 76);
    EXPECT_EQ(printing::effectiveResolution(*p.page, 4), std::nullopt); // empty
    EXPECT_EQ(printing::lowResolutionFrames(*p.page), (std::vector<int>{2, 3}));
    EXPECT_EQ(printing::resolutionStatus(*p.page, 2, "PDF"), "Frame 2: 76 pixels per inch on PDF (below 150)");
    EXPECT_EQ(printing::resolutionStatus(*p.page, 1, "PDF"), "Frame 1: 230 pixels per inch on PDF");
    EXPECT_EQ(printing::lowResolutionMessage({2, 3}, 150), "Frames 2 and 3 print below 150 pixels per inch");

    // bp off: the wide picture is fitted whole, its 1200 pixels across the 1559 dots.
    p.s.bp = false;
    EXPECT_EQ(printing::effectiveResolution(*p.page, 3), 1200 * 300 / 1559); // 230
    EXPECT_EQ(printing::lowResolutionFrames(*p.page), (std::vector<int>{2}));
    p.s.Min_Print_Resolution = 0;
    EXPECT_TRUE(printing::lowResolutionFrames(*p.page).empty());
}

// ---- the printer metrics of a headless run ---------------------------------------------

TEST(GivenPrinterMetrics, EachOptionGivenStandsInForWhatThePrinterSays)
{
    const page::PrinterMetrics printer{.name = "PDF", .dpiX = 600, .dpiY = 600, .pageWidthPx = 4760, .pageHeightPx = 6814};
    int asked = 0;
    const auto ask = [&]() -> std::optional<page::PrinterMetrics> {
        ++asked;
        return printer;
    };
    core::CommonOptions o;
    o.printerDpi = 300;
    const auto dpiOnly = printing::givenPrinterMetrics(o, ask);
    ASSERT_TRUE(dpiOnly);
    EXPECT_EQ(dpiOnly->name, "PDF");
    EXPECT_EQ(std::pair(dpiOnly->pageWidthPx, dpiOnly->pageHeightPx), std::pair(4760, 6814));
    EXPECT_EQ(std::pair(dpiOnly->dpiX, dpiOnly->dpiY), std::pair(300, 300));
    EXPECT_EQ(asked, 1);

    // Both given: no printer is asked, and the page is named after the option.
    o.printerPage = {2480, 3508};
    const auto both = printing::givenPrinterMetrics(o, ask);
    ASSERT_TRUE(both);
    EXPECT_EQ(both->name, "--printer-page");
    EXPECT_EQ(std::pair(both->pageWidthPx, both->pageHeightPx), std::pair(2480, 3508));
    EXPECT_TRUE(both->usable());
    EXPECT_EQ(asked, 1);

    // A page alone with no printer to ask gives no metrics at all.
    o.printerDpi.reset();
    EXPECT_FALSE(printing::givenPrinterMetrics(o, [] { return std::optional<page::PrinterMetrics>(); }));
}
