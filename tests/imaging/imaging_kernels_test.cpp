// The pixel kernels that move pixels: resampling, hand-worked and held to its plain
// reference, and turns and mirrors. The kernels that change levels, and `paginor edit`
// end to end, are in imaging_tone_test.cpp.
#include "imaging/kernels/imaging.h"
#include "imaging/kernels/orientation.h"
#include "imaging/kernels/resample_internal.h"
#include "imaging/kernels/resample_reference.h"
#include "tests/imaging/kernel_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

using namespace kernelpics;

namespace {

using imaging::Bitmap;
using imaging::ConstBitmapView;
using imaging::Filter;
using imaging::ImagingError;

// --- Resampling ------------------------------------------------------------------

class ResampleEveryFilter : public testing::TestWithParam<Filter> {};

TEST_P(ResampleEveryFilter, FlatColourStaysFlatWhenShrinkingAndEnlarging)
{
    const Bitmap flat = filled(37, 23, {12, 200, 99});
    for (auto [w, h] : {std::pair{9, 5}, std::pair{100, 61}, std::pair{1, 2}, std::pair{37, 23}}) {
        const Bitmap out = resampled(flat, w, h, GetParam());
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(pixel(out, x, y), (Bgr{12, 200, 99})) << w << "x" << h << " at " << x << "," << y;
    }
}

// The fast path is held byte for byte to the plain reading, over sizes that exercise
// narrow lines (mirrored positions past the far edge), odd widths, row blocks cut
// short, both directions, and 32-bit sources.
TEST_P(ResampleEveryFilter, FastPathMatchesThePlainReferenceOnRandomPictures)
{
    std::mt19937 rng(1234 + static_cast<int>(GetParam()));
    const std::vector<std::pair<int, int>> sizes = {{1, 2},   {2, 2},   {1, 7},  {2, 3},   {3, 2},  {5, 17},
                                                    {17, 33}, {64, 48}, {13, 2}, {101, 3}, {7, 97}, {250, 170}};
    std::uniform_int_distribution<std::size_t> pick(0, sizes.size() - 1);
    for (int round = 0; round < 40; ++round) {
        const auto [sw, sh] = sizes[pick(rng)];
        const auto [dw, dh] = sizes[pick(rng)];
        const int bpp = round % 3 == 0 ? 4 : 3;
        const Bitmap src = randomBitmap(sw, sh, bpp, rng);
        SCOPED_TRACE(testing::Message() << sw << "x" << sh << "x" << bpp << " -> " << dw << "x" << dh);
        ASSERT_TRUE(samePixels(resampled(src, dw, dh, GetParam()), referenceResampled(src, dw, dh, GetParam())));
    }
}

// Large enough that both passes are split across threads and row blocks.
TEST_P(ResampleEveryFilter, FastPathMatchesTheReferenceOnAPhotoSizedPicture)
{
    std::mt19937 rng(99);
    const Bitmap src = randomBitmap(801, 533, 3, rng);
    EXPECT_TRUE(samePixels(resampled(src, 303, 202, GetParam()), referenceResampled(src, 303, 202, GetParam())));
    EXPECT_TRUE(samePixels(resampled(src, 1203, 1001, GetParam()), referenceResampled(src, 1203, 1001, GetParam())));
}

// A tall, narrow picture in a wide frame, stored as each of the eight orientations: it is
// read upright in place, its work rows pass through windows down to the rows of one output
// row (rows carried from strip to strip, mirrored at both ends), and the columns that only
// the padding reaches are set without filtering. The result must still be the plain
// reference's resampling of the picture turned upright and cut or padded with white.
TEST_P(ResampleEveryFilter, TallPictureReadUprightThroughASmallWindowMatchesTheReferenceOnItsWorkBitmap)
{
    std::mt19937 rng(77 + static_cast<int>(GetParam()));
    for (int orientation = 1; orientation <= 8; ++orientation) {
        const bool swaps = imaging::orientationSwapsSides(orientation);
        const Bitmap stored = randomBitmap(swaps ? 640 : 19, swaps ? 19 : 640, orientation % 3 == 0 ? 4 : 3, rng);
        const Bitmap upright = imaging::orientUpright(Bitmap(stored), orientation);
        for (const int workWidth : {orientation % 2 == 0 ? 11 : 19, 230}) {
            Bitmap work = filled(workWidth, upright.height(), {255, 255, 255});
            for (int y = 0; y < upright.height(); ++y)
                for (int x = 0; x < std::min(workWidth, upright.width()); ++x)
                    setPixel(work, x, y, pixel(upright, x, y));
            for (auto [w, h] : {std::pair{57, 41}, std::pair{23, 1500}, std::pair{300, 2}}) {
                const Bitmap want = referenceResampled(work, w, h, GetParam());
                for (const std::size_t window : {std::size_t(1), std::size_t(1) << 30}) {
                    Bitmap got(w, h, 3);
                    imaging::detail::resampleThroughWindow(stored.view(), orientation, workWidth, got.view(),
                                                           GetParam(), 0.0f, window);
                    ASSERT_TRUE(samePixels(got, want)) << "orientation " << orientation << ", work bitmap "
                                                       << workWidth << " wide, " << w << "x" << h << ", window "
                                                       << window;
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Filters, ResampleEveryFilter, testing::ValuesIn(kAllFilters), filterName);

class ResampleSharpFilter : public testing::TestWithParam<Filter> {};

// Each weight list holds the one entry of weight 256: the kernel's other values at
// whole-pixel distances round to 0.
TEST_P(ResampleSharpFilter, SameSizeGivesBackTheSourcePixels)
{
    std::mt19937 rng(7);
    const Bitmap src = randomBitmap(31, 19, 3, rng);
    EXPECT_TRUE(samePixels(resampled(src, 31, 19, GetParam()), src));
}

INSTANTIATE_TEST_SUITE_P(Filters, ResampleSharpFilter,
                         testing::Values(Filter::Box, Filter::Triangle, Filter::Hermite, Filter::Lanczos3), filterName);

TEST(Resample, BellSoftensASinglePixelWithWeights32_192_32AtTheSameSize)
{
    // 0.5 * (1 - 1.5)^2 * 256 = 32 either side, 0.75 * 256 = 192 in the middle:
    // 192 * 255 / 256 = 191.25 and 32 * 255 / 256 = 31.875, truncated.
    const Bitmap out = resampled(twoRows({0, 0, 255, 0, 0}), 5, 2, Filter::Bell);
    EXPECT_EQ(firstRowBlue(out), (std::vector<int>{0, 31, 191, 31, 0}));
}

TEST(Resample, TriangleEnlargementInterpolatesAndTruncates)
{
    // 2 -> 5: scale 4, centres 0, 0.25, 0.5, 0.75, 1; weights (192, 64), (128, 128),
    // (64, 192): 255 * 64 / 256 = 63.75 and 255 * 192 / 256 = 191.25, truncated.
    EXPECT_EQ(firstRowBlue(resampled(twoRows({0, 255}), 5, 2, Filter::Triangle)),
              (std::vector<int>{0, 63, 127, 191, 255}));
}

TEST(Resample, BoxHalfwayBetweenTwoPixelsTakesTheLeftOne)
{
    // 2 -> 3 pixels: scale 2, the middle centre is 0.5. Pixel 0 is at +0.5 (weight 256),
    // pixel 1 at -0.5 (weight 0, skipped).
    const Bitmap out = resampled(twoRows({10, 200}), 3, 2, Filter::Box);
    EXPECT_EQ(firstRowBlue(out), (std::vector<int>{10, 10, 200}));
}

TEST(Resample, OnePixelWideResultAveragesAroundTheFirstPixelWithMirroredNeighbours)
{
    // 10 -> 1: scale 1/10, reach 5; Box gives weight round(0.1 * 256) = 26 to j = -5..4,
    // and j = -5..-1 read pixels 5..1. (0 + 2*(10+20+30+40) + 50) / 10 = 25.
    const Bitmap out = resampled(twoRows({0, 10, 20, 30, 40, 50, 60, 70, 80, 90}), 1, 2, Filter::Box);
    EXPECT_EQ(firstRowBlue(out), (std::vector<int>{25}));
}

TEST(Resample, ShrinkingReflectsAtBothEdges)
{
    // 10 -> 2: scale 1/9, Box weight round(256 / 9) = 28 for nine positions around each
    // centre. Centre 0 reads j = -4..4, that is pixels 4 3 2 1 0 1 2 3 4: 200 / 9 = 22.
    // Centre 9 reads j = 5..13, and 10..13 read pixels 9 8 7 6: 650 / 9 = 72.
    const Bitmap out = resampled(twoRows({0, 10, 20, 30, 40, 50, 60, 70, 80, 90}), 2, 2, Filter::Box);
    EXPECT_EQ(firstRowBlue(out), (std::vector<int>{22, 72}));
}

TEST(Resample, OnePixelWideSourceIsStretchedAcross)
{
    Bitmap column(1, 3, 3);
    setPixel(column, 0, 0, {1, 2, 3});
    setPixel(column, 0, 1, {40, 50, 60});
    setPixel(column, 0, 2, {250, 251, 252});
    for (Filter f : kAllFilters) {
        const Bitmap out = resampled(column, 6, 3, f);
        for (int y = 0; y < 3; ++y)
            for (int x = 1; x < 6; ++x)
                ASSERT_EQ(pixel(out, x, y), pixel(out, 0, y)) << imaging::filterLabel(f);
    }
}

TEST(Resample, LanczosEnlargementClampsItsLobesInsteadOfWrapping)
{
    std::vector<int> step(8, 0);
    std::fill(step.begin() + 4, step.end(), 255);
    const std::vector<int> row = firstRowBlue(resampled(twoRows(step), 71, 2, Filter::Lanczos3));
    // Wrapped levels would show as bright pixels on the dark side and dark ones on the
    // bright side of the edge.
    for (int x = 0; x < 30; ++x)
        EXPECT_LT(row[x], 20) << x;
    for (int x = 41; x < 71; ++x)
        EXPECT_GT(row[x], 235) << x;
    EXPECT_EQ(*std::min_element(row.begin(), row.end()), 0);
    EXPECT_EQ(*std::max_element(row.begin(), row.end()), 255);
}

TEST(Resample, SizesUnderTwoRowsOrWithoutColumnsAreRefused)
{
    const Bitmap ok = filled(4, 4, {1, 1, 1});
    const Bitmap oneRow = filled(4, 1, {1, 1, 1});
    for (auto [w, h] : {std::pair{4, 1}, std::pair{0, 4}, std::pair{5, 0}}) {
        Bitmap dst(w, h, 3);
        EXPECT_EQ(errorOf([&] { imaging::ResampleBitmap(ok.view(), dst.view(), Filter::Triangle); }),
                  imaging::kResampleTooSmall);
    }
    Bitmap dst(4, 4, 3);
    EXPECT_EQ(errorOf([&] { imaging::ResampleBitmap(oneRow.view(), dst.view(), Filter::Triangle); }),
              imaging::kResampleTooSmall);
}

TEST(Resample, InPlaceFailureLeavesThePictureAsItWas)
{
    std::mt19937 rng(3);
    Bitmap bmp = randomBitmap(9, 7, 4, rng);
    const Bitmap before = bmp;
    EXPECT_EQ(errorOf([&] { imaging::ResampleBitmap(5, 1, 5, bmp); }), imaging::kResampleTooSmall);
    EXPECT_EQ(errorOf([&] { imaging::ResampleBitmap(5, 5, 7, bmp); }), imaging::kBadFilter);
    EXPECT_EQ(errorOf([&] { imaging::ResampleBitmap(100000, 100000, 1, bmp); }), imaging::kResampleTooLarge);
    EXPECT_TRUE(bmp == before);
}

TEST(Resample, InPlaceTurnsA32BitPictureInto24BitOfTheNewSize)
{
    std::mt19937 rng(5);
    Bitmap bmp = randomBitmap(40, 30, 4, rng);
    const Bitmap expected = referenceResampled(bmp, 20, 15, Filter::Mitchell);
    imaging::ResampleBitmap(20, 15, 6, bmp);
    EXPECT_EQ(bmp.bytesPerPixel(), 3);
    EXPECT_TRUE(samePixels(bmp, expected));
}

TEST(Resample, KernelsHaveTheirTextbookValues)
{
    EXPECT_FLOAT_EQ(imaging::filterKernel(Filter::Box, 0.5f), 1.0f);
    EXPECT_FLOAT_EQ(imaging::filterKernel(Filter::Box, -0.5f), 0.0f);
    EXPECT_NEAR(imaging::filterKernel(Filter::Spline, 0.0f), 2.0 / 3.0, 1e-7);
    EXPECT_NEAR(imaging::filterKernel(Filter::Mitchell, 0.0f), 16.0 / 18.0, 1e-7);
    EXPECT_NEAR(imaging::filterKernel(Filter::Mitchell, 1.0f), 1.0 / 18.0, 1e-7);
    EXPECT_NEAR(imaging::filterKernel(Filter::Lanczos3, 0.5f), (2 / M_PI) * (std::sin(M_PI / 6) / (M_PI / 6)), 1e-6);
    EXPECT_NEAR(imaging::filterKernel(Filter::Hermite, 0.5f), 0.5, 1e-7);
    for (Filter f : kAllFilters)
        EXPECT_EQ(imaging::filterKernel(f, imaging::defaultSupport(f) + 0.01f), 0.0f) << imaging::filterLabel(f);
}

// --- Rotation and mirroring --------------------------------------------------------

TEST(Rotate, QuarterTurnClockwiseOfThreeByTwoPutsTheLeftColumnBottomUpOnTop)
{
    Bitmap src(3, 2, 3);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            setPixel(src, x, y, {10 * y + x, 0, 0});
    const Bitmap out = imaging::Rotate90(270, src.view());
    ASSERT_EQ(out.width(), 2);
    ASSERT_EQ(out.height(), 3);
    EXPECT_EQ(pixel(out, 0, 0).b, 10); // left column read bottom-up: (0,1) then (0,0)
    EXPECT_EQ(pixel(out, 1, 0).b, 0);
    EXPECT_EQ(pixel(out, 0, 2).b, 12);
}

TEST(Rotate, QuarterTurnAnticlockwiseMovesTheTopRightCornerToTheTopLeft)
{
    Bitmap src = filled(5, 3, {0, 0, 0});
    setPixel(src, 4, 0, {255, 1, 2});
    const Bitmap out = imaging::Rotate90(90, src.view());
    EXPECT_EQ(pixel(out, 0, 0), (Bgr{255, 1, 2}));
}

class RotateSizes : public testing::TestWithParam<std::pair<int, int>> {};

TEST_P(RotateSizes, FourQuarterTurnsGiveTheOriginal)
{
    std::mt19937 rng(11);
    const auto [w, h] = GetParam();
    const Bitmap src = randomBitmap(w, h, 3, rng);
    Bitmap b = src;
    for (int i = 0; i < 4; ++i)
        b = imaging::Rotate90(270, b.view());
    EXPECT_TRUE(samePixels(b, src));
    EXPECT_TRUE(samePixels(imaging::Rotate90(90, imaging::Rotate90(270, src.view()).view()), src));
}

TEST_P(RotateSizes, HalfTurnIsBothMirrorsAndTwoFlipsUndoEachOther)
{
    std::mt19937 rng(12);
    const auto [w, h] = GetParam();
    const Bitmap src = randomBitmap(w, h, 3, rng);
    const Bitmap half = imaging::Rotate90(180, src.view());
    EXPECT_TRUE(samePixels(half, imaging::FlipReverse(true, true, src.view())));
    EXPECT_TRUE(samePixels(imaging::Rotate90(90, imaging::Rotate90(90, src.view()).view()), half));
    EXPECT_TRUE(samePixels(imaging::FlipReverse(true, false, imaging::FlipReverse(true, false, src.view()).view()), src));
    EXPECT_TRUE(samePixels(imaging::FlipReverse(false, true, imaging::FlipReverse(false, true, src.view()).view()), src));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(pixel(half, x, y), pixel(src, w - 1 - x, h - 1 - y));
}

TEST_P(RotateSizes, AntiClockwiseTurnFollowsTheMappingPixelByPixel)
{
    std::mt19937 rng(13);
    const auto [w, h] = GetParam();
    const Bitmap src = randomBitmap(w, h, 3, rng);
    const Bitmap out = imaging::Rotate90(450, src.view()); // 450 is one quarter
    ASSERT_EQ(out.width(), h);
    ASSERT_EQ(out.height(), w);
    for (int y = 0; y < w; ++y)
        for (int x = 0; x < h; ++x)
            ASSERT_EQ(pixel(out, x, y), pixel(src, w - 1 - y, x));
}

INSTANTIATE_TEST_SUITE_P(Sizes, RotateSizes,
                         testing::Values(std::pair{1, 1}, std::pair{3, 2}, std::pair{1, 9}, std::pair{33, 31},
                                         std::pair{700, 511}));

// New bitmaps from the kernels are not zeroed first; their row padding must be, or two
// equal pictures would compare unequal.
// The turn on load folded into the file's orientation, so the page can read a turned
// JPEG's data as it lies: the same pixels as standing it upright and then turning it.
TEST(Rotate, TurnOnLoadFoldsIntoEachOrientation)
{
    std::mt19937 rng(5);
    const Bitmap stored = randomBitmap(5, 3, 3, rng);
    for (int orientation = 1; orientation <= 8; ++orientation) {
        const Bitmap upright = imaging::orientUpright(Bitmap(stored), orientation);
        EXPECT_TRUE(samePixels(imaging::orientUpright(Bitmap(stored), imaging::turnedClockwise(orientation)),
                               imaging::Rotate90(270, upright.view())))
            << orientation;
    }
}

TEST(Rotate, ResultsOfEqualPicturesCompareEqualPaddingIncluded)
{
    Bitmap src(5, 3, 3); // 15 bytes a row, one of padding
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            setPixel(src, x, y, {x, y, 7});
    EXPECT_TRUE(imaging::FlipReverse(false, false, src.view()) == src);
    EXPECT_TRUE(imaging::Rotate90(360, src.view()) == src);
    EXPECT_TRUE(imaging::Rotate90(90, imaging::Rotate90(270, src.view()).view()) == src);
}

TEST(Rotate, FullTurnsCopyAndOtherAnglesAreRefused)
{
    std::mt19937 rng(14);
    const Bitmap src = randomBitmap(7, 4, 3, rng);
    EXPECT_TRUE(samePixels(imaging::Rotate90(360, src.view()), src));
    EXPECT_TRUE(samePixels(imaging::Rotate90(720, src.view()), src));
    EXPECT_EQ(errorOf([&] { imaging::Rotate90(45, src.view()); }), imaging::kRotateAngle);
    EXPECT_EQ(errorOf([&] { imaging::Rotate90(-90, src.view()); }), imaging::kRotateAngle);
}

TEST(Rotate, ThirtyTwoBitBitmapsAreRefusedBeforeTheAngleIsLookedAt)
{
    const Bitmap wide = filled(3, 3, {0, 0, 0}, 4);
    EXPECT_EQ(errorOf([&] { imaging::Rotate90(45, wide.view()); }), imaging::kCantRotate90);
    EXPECT_EQ(errorOf([&] { imaging::FlipReverse(true, false, wide.view()); }), imaging::kCantFlipReverse);
}

} // namespace
