// The pixel kernels: hand-worked cases, properties, the fast resampler held to its
// plain reference, and `paginor edit` end to end.
#include "core/command.h"
#include "core/messages.h"
#include "imaging/codecs/codecs.h"
#include "imaging/cli/edit_command.h"
#include "imaging/kernels/imaging.h"
#include "imaging/kernels/orientation.h"
#include "imaging/kernels/resample_internal.h"
#include "imaging/kernels/resample_reference.h"
#include "imaging/kernels/tone_internal.h"
#include "settings/core/settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace {

using imaging::Bitmap;
using imaging::ConstBitmapView;
using imaging::Filter;
using imaging::ImagingError;

struct Bgr {
    int b, g, r;
    bool operator==(const Bgr&) const = default;
};

void setPixel(Bitmap& bmp, int x, int y, Bgr p)
{
    std::uint8_t* px = bmp.row(y) + x * bmp.bytesPerPixel();
    px[0] = static_cast<std::uint8_t>(p.b);
    px[1] = static_cast<std::uint8_t>(p.g);
    px[2] = static_cast<std::uint8_t>(p.r);
}

Bgr pixel(const Bitmap& bmp, int x, int y)
{
    const std::uint8_t* px = bmp.row(y) + x * bmp.bytesPerPixel();
    return {px[0], px[1], px[2]};
}

Bitmap filled(int w, int h, Bgr p, int bpp = 3)
{
    Bitmap bmp(w, h, bpp);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            setPixel(bmp, x, y, p);
    return bmp;
}

// Every byte random, the padding and fourth bytes included, so a kernel that reads or
// writes what it should not shows up.
Bitmap randomBitmap(int w, int h, int bpp, std::mt19937& rng)
{
    Bitmap bmp(w, h, bpp);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int y = 0; y < h; ++y)
        for (std::ptrdiff_t i = 0; i < bmp.stride(); ++i)
            bmp.row(y)[i] = static_cast<std::uint8_t>(byte(rng));
    return bmp;
}

// Only the pixel bytes (not the row padding) of two bitmaps.
bool samePixels(const Bitmap& a, const Bitmap& b)
{
    if (a.width() != b.width() || a.height() != b.height() || a.bytesPerPixel() != b.bytesPerPixel())
        return false;
    for (int y = 0; y < a.height(); ++y)
        if (!std::equal(a.row(y), a.row(y) + a.width() * a.bytesPerPixel(), b.row(y)))
            return false;
    return true;
}

std::string errorOf(const std::function<void()>& fn)
{
    try {
        fn();
    } catch (const ImagingError& e) {
        return e.what();
    }
    return "(no error)";
}

Bitmap resampled(const Bitmap& src, int w, int h, Filter f)
{
    Bitmap dst(w, h, 3);
    imaging::ResampleBitmap(src.view(), dst.view(), f, 0.0f);
    return dst;
}

Bitmap referenceResampled(const Bitmap& src, int w, int h, Filter f)
{
    Bitmap dst(w, h, 3);
    imaging::reference::ResampleBitmap(src.view(), dst.view(), f, 0.0f);
    return dst;
}

// A picture of two identical rows, so the column pass passes each value through.
Bitmap twoRows(const std::vector<int>& levels)
{
    Bitmap bmp(static_cast<int>(levels.size()), 2, 3);
    for (int y = 0; y < 2; ++y)
        for (std::size_t x = 0; x < levels.size(); ++x)
            setPixel(bmp, static_cast<int>(x), y, {levels[x], levels[x], levels[x]});
    return bmp;
}

std::vector<int> firstRowBlue(const Bitmap& bmp)
{
    std::vector<int> v;
    for (int x = 0; x < bmp.width(); ++x)
        v.push_back(pixel(bmp, x, 0).b);
    return v;
}

const std::vector<Filter> kAllFilters = {Filter::Box,    Filter::Triangle, Filter::Hermitite, Filter::Bell,
                                         Filter::Spline, Filter::Lanczos3, Filter::Mitchell};

std::string filterName(const testing::TestParamInfo<Filter>& info)
{
    return std::string(imaging::filterLabel(info.param));
}

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
                         testing::Values(Filter::Box, Filter::Triangle, Filter::Hermitite, Filter::Lanczos3), filterName);

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
    EXPECT_NEAR(imaging::filterKernel(Filter::Hermitite, 0.5f), 0.5, 1e-7);
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

// --- Tone tables, brightness, colour, greyscale ----------------------------------

class ToneFormats : public testing::TestWithParam<int> {};

TEST_P(ToneFormats, BrightnessAddsToEveryChannelAndClamps)
{
    Bitmap bmp = filled(3, 2, {128, 10, 200}, GetParam());
    Bitmap out(3, 2, GetParam());
    imaging::applyBrightness(bmp.view(), out.view(), 128);
    EXPECT_EQ(pixel(out, 2, 1), (Bgr{255, 138, 255}));
    imaging::applyBrightness(bmp.view(), out.view(), -128);
    EXPECT_EQ(pixel(out, 0, 0), (Bgr{0, 0, 72}));
    imaging::applyBrightness(bmp.view(), bmp.view(), -1000000); // in place, far beyond the range
    EXPECT_EQ(pixel(bmp, 1, 1), (Bgr{0, 0, 0}));
}

TEST_P(ToneFormats, ColourBalanceMovesEachChannelByItsOwnOffset)
{
    const Bitmap bmp = filled(5, 3, {100, 100, 100}, GetParam());
    Bitmap out(5, 3, GetParam());
    imaging::applyColourBalance(bmp.view(), out.view(), 50, -30, 200);
    EXPECT_EQ(pixel(out, 4, 2), (Bgr{255, 70, 150}));
}

TEST_P(ToneFormats, GreyIsTheTruncatedMeanOfTheThreeChannels)
{
    Bitmap bmp(2, 1, GetParam());
    setPixel(bmp, 0, 0, {0, 0, 255});
    setPixel(bmp, 1, 0, {0, 1, 1});
    imaging::greyscale(bmp.view(), bmp.view());
    EXPECT_EQ(pixel(bmp, 0, 0), (Bgr{85, 85, 85}));
    EXPECT_EQ(pixel(bmp, 1, 0), (Bgr{0, 0, 0}));
}

TEST_P(ToneFormats, TableUsesTheLowByteOfEachEntry)
{
    imaging::ToneLUT lut = imaging::identityLUT();
    lut[10] = 0x1FF;
    lut[20] = 3;
    const Bitmap bmp = filled(4, 4, {10, 20, 30}, GetParam());
    Bitmap out(4, 4, GetParam());
    imaging::applyToneLUT(bmp.view(), out.view(), lut);
    EXPECT_EQ(pixel(out, 3, 3), (Bgr{255, 3, 30}));
}

INSTANTIATE_TEST_SUITE_P(BytesPerPixel, ToneFormats, testing::Values(3, 4));

// The fourth byte belongs to no channel: every operation must pass it through.
TEST(Tone, FourthByteOfThirtyTwoBitPixelsPassesThrough)
{
    std::mt19937 rng(21);
    const Bitmap src = randomBitmap(300, 200, 4, rng);
    const imaging::ToneLUT lut = imaging::gammaLUT(2.2);
    std::vector<std::function<void(Bitmap&)>> ops = {
        [&](Bitmap& o) { imaging::applyToneLUT(src.view(), o.view(), lut); },
        [&](Bitmap& o) { imaging::applyBrightness(src.view(), o.view(), 40); },
        [&](Bitmap& o) { imaging::applyColourBalance(src.view(), o.view(), 10, 20, -30); },
        [&](Bitmap& o) { imaging::greyscale(src.view(), o.view()); },
    };
    for (auto& op : ops) {
        Bitmap out(300, 200, 4);
        op(out);
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 300; ++x)
                ASSERT_EQ(out.row(y)[4 * x + 3], src.row(y)[4 * x + 3]);
    }
}

// Pictures big enough to be split across threads, checked pixel by pixel against the
// rules written out directly.
TEST(Tone, LargePicturesMatchThePerPixelRules)
{
    std::mt19937 rng(22);
    const Bitmap src = randomBitmap(1001, 777, 3, rng);
    Bitmap lutOut(1001, 777, 3), brightOut(1001, 777, 3), greyOut(1001, 777, 3);
    const imaging::ToneLUT lut = imaging::gammaLUT(0.45);
    imaging::applyToneLUT(src.view(), lutOut.view(), lut);
    imaging::applyColourBalance(src.view(), brightOut.view(), -7, 3, 90);
    imaging::greyscale(src.view(), greyOut.view());
    for (int y = 0; y < 777; ++y)
        for (int x = 0; x < 1001; ++x) {
            const Bgr s = pixel(src, x, y);
            ASSERT_EQ(pixel(lutOut, x, y), (Bgr{lut[s.b], lut[s.g], lut[s.r]}));
            ASSERT_EQ(pixel(brightOut, x, y),
                      (Bgr{std::min(s.b + 90, 255), std::min(s.g + 3, 255), std::max(s.r - 7, 0)}));
            const int grey = (s.b + s.g + s.r) / 3;
            ASSERT_EQ(pixel(greyOut, x, y), (Bgr{grey, grey, grey}));
        }
}

// Both ways of looking up a table (whole-register shuffles where the processor has
// them, byte-pair tables elsewhere) against the rule, over widths that leave every
// possible remainder of a 64-byte register, in place and not.
class ToneLookUps : public testing::TestWithParam<imaging::detail::LookUp> {};

TEST_P(ToneLookUps, EveryWidthAndFormatFollowsTheTable)
{
    std::mt19937 rng(23);
    imaging::ToneLUT lut{};
    for (int v = 0; v < 256; ++v)
        lut[v] = static_cast<std::int32_t>(rng()); // only the low byte counts
    for (int bpp : {3, 4})
        for (int w : {1, 2, 5, 21, 22, 64, 65, 333}) {
            const Bitmap src = randomBitmap(w, 3, bpp, rng);
            Bitmap out(w, 3, bpp);
            imaging::detail::applyToneLUTWith(src.view(), out.view(), lut, GetParam());
            Bitmap inPlace = src;
            imaging::detail::applyToneLUTWith(inPlace.view(), inPlace.view(), lut, GetParam());
            for (int y = 0; y < 3; ++y)
                for (int b = 0; b < w * bpp; ++b) {
                    const std::uint8_t s = src.row(y)[b];
                    const auto expected = bpp == 4 && b % 4 == 3 ? s : static_cast<std::uint8_t>(lut[s] & 0xFF);
                    ASSERT_EQ(out.row(y)[b], expected) << w << "x" << bpp << " byte " << b;
                    ASSERT_EQ(inPlace.row(y)[b], expected) << w << "x" << bpp << " byte " << b;
                }
        }
}

INSTANTIATE_TEST_SUITE_P(Ways, ToneLookUps,
                         testing::Values(imaging::detail::LookUp::Fastest, imaging::detail::LookUp::Portable));

TEST(Tone, MismatchedBitmapsAreRefused)
{
    const Bitmap a = filled(4, 4, {0, 0, 0});
    Bitmap b(4, 5, 3), c(4, 4, 4);
    EXPECT_EQ(errorOf([&] { imaging::applyBrightness(a.view(), b.view(), 1); }), imaging::kSizeMismatch);
    EXPECT_EQ(errorOf([&] { imaging::greyscale(a.view(), c.view()); }), imaging::kSizeMismatch);
}

TEST(Gamma, TwoMapsQuarterLevelToHalfAndKeepsTheEnds)
{
    const imaging::ToneLUT g = imaging::gammaLUT(2.0);
    EXPECT_EQ(g[64], 128); // round(255 * sqrt(64 / 255)) = round(127.75)
    EXPECT_EQ(g[0], 0);
    EXPECT_EQ(g[255], 255);
    EXPECT_EQ(imaging::gammaLUT(1.0), imaging::identityLUT());
    const imaging::ToneLUT dark = imaging::gammaLUT(0.5);
    EXPECT_EQ(dark[128], 64); // round(255 * (128 / 255)^2) = round(64.25)
}

TEST(Gamma, NonPositiveOrNonFiniteGammaIsRefused)
{
    for (double g : {0.0, -1.0, std::nan(""), double(INFINITY)})
        EXPECT_EQ(errorOf([&] { imaging::gammaLUT(g); }), imaging::kBadGamma) << g;
}

// --- Curve files ---------------------------------------------------------------------

class CurveFiles : public testing::Test {
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() /
                ("paginor-kernels-" + std::to_string(::getpid()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    std::string path(const std::string& name) const { return (m_dir / name).string(); }
    void writeBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) const
    {
        std::ofstream(path(name), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    std::filesystem::path m_dir;
};

TEST_F(CurveFiles, SavedCurveReadsBackAsTheSameTable)
{
    imaging::ToneLUT s{};
    for (int v = 0; v < 256; ++v)
        s[v] = static_cast<int>(std::lround(255.0 / (1.0 + std::exp(-(v - 128) / 24.0))));
    imaging::writeCurveFile(s, path("s.tcv"));
    EXPECT_EQ(std::filesystem::file_size(path("s.tcv")), 1024u);
    EXPECT_EQ(imaging::readCurveFile(path("s.tcv")), s);
}

TEST_F(CurveFiles, FileIsLittleEndianEntriesWithoutHeader)
{
    std::vector<std::uint8_t> bytes(1024, 0);
    bytes[0] = 7;           // entry 0 = 7
    bytes[4 * 255] = 0x34;  // entry 255 = 0x1234
    bytes[4 * 255 + 1] = 0x12;
    writeBytes("raw.tcv", bytes);
    const imaging::ToneLUT lut = imaging::readCurveFile(path("raw.tcv"));
    EXPECT_EQ(lut[0], 7);
    EXPECT_EQ(lut[1], 0);
    EXPECT_EQ(lut[255], 0x1234);
}

TEST_F(CurveFiles, ShortFileReplacesOnlyTheBytesItHolds)
{
    writeBytes("short.tcv", {200, 0, 0, 0, 9});
    const imaging::ToneLUT lut = imaging::readCurveFile(path("short.tcv"));
    EXPECT_EQ(lut[0], 200);
    EXPECT_EQ(lut[1], 9); // identity's 1 had its low byte replaced
    EXPECT_EQ(lut[2], 2);
    EXPECT_EQ(lut[255], 255);
}

TEST_F(CurveFiles, LongFileIsReadForItsFirst1024Bytes)
{
    std::vector<std::uint8_t> bytes(5000, 0xAB);
    writeBytes("long.tcv", bytes);
    EXPECT_EQ(imaging::readCurveFile(path("long.tcv"))[255], static_cast<std::int32_t>(0xABABABABu));
}

TEST_F(CurveFiles, MissingFileOrFolderGivesCantOpen)
{
    EXPECT_EQ(errorOf([&] { imaging::readCurveFile(path("none.tcv")); }),
              std::string(imaging::kCantOpenFile) + path("none.tcv"));
    EXPECT_EQ(errorOf([&] { imaging::readCurveFile(m_dir.string()); }),
              std::string(imaging::kCantOpenFile) + m_dir.string());
}

TEST_F(CurveFiles, FailedSaveKeepsTheOldCurve)
{
    imaging::writeCurveFile(imaging::gammaLUT(2.0), path("keep.tcv"));
    EXPECT_EQ(errorOf([&] { imaging::writeCurveFile(imaging::identityLUT(), path("no-such-dir/keep.tcv")); }),
              std::string(imaging::kCantWriteFile) + path("no-such-dir/keep.tcv"));
    EXPECT_EQ(imaging::readCurveFile(path("keep.tcv")), imaging::gammaLUT(2.0));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir), std::filesystem::directory_iterator()), 1);
}

// --- 3 x 3 filters -----------------------------------------------------------------

// The rule written out with clamped coordinates instead of a padded copy.
Bitmap convolvedByDefinition(const Bitmap& src, int style)
{
    static const int kWeights[4][9] = {{-1, -1, -1, -1, 16, -1, -1, -1, -1},
                                       {0, -1, 0, -1, 5, -1, 0, -1, 0},
                                       {2, 2, 2, 2, 0, 2, 2, 2, 2},
                                       {3, 3, 3, 3, 8, 3, 3, 3, 3}};
    static const int kDivisor[4] = {8, 1, 16, 32};
    Bitmap out = src;
    const int bpp = src.bytesPerPixel();
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x)
            for (int c = 0; c < 3; ++c) {
                int s = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int sx = std::clamp(x + dx, 0, src.width() - 1);
                        const int sy = std::clamp(y + dy, 0, src.height() - 1);
                        s += kWeights[style][(dy + 1) * 3 + dx + 1] * src.row(sy)[sx * bpp + c];
                    }
                out.row(y)[x * bpp + c] = static_cast<std::uint8_t>(std::clamp(s / kDivisor[style], 0, 255));
            }
    return out;
}

class ConvolveStyles : public testing::TestWithParam<int> {};

TEST_P(ConvolveStyles, FlatAreasKeepTheirLevel)
{
    Bitmap bmp = filled(9, 6, {77, 128, 3});
    imaging::Convolve3x3(GetParam(), bmp.view());
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 9; ++x)
            ASSERT_EQ(pixel(bmp, x, y), (Bgr{77, 128, 3}));
}

TEST_P(ConvolveStyles, MatchesTheRuleWithRepeatedEdgesOnRandomPictures)
{
    std::mt19937 rng(40 + GetParam());
    for (auto [w, h, bpp] : {std::tuple{1, 1, 3}, std::tuple{1, 9, 3}, std::tuple{9, 1, 4}, std::tuple{2, 2, 3},
                             std::tuple{31, 17, 4}, std::tuple{1200, 900, 3}}) {
        const Bitmap src = randomBitmap(w, h, bpp, rng);
        Bitmap bmp = src;
        imaging::Convolve3x3(GetParam(), bmp.view());
        ASSERT_TRUE(samePixels(bmp, convolvedByDefinition(src, GetParam()))) << w << "x" << h << "x" << bpp;
        for (int y = 0; bpp == 4 && y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(bmp.row(y)[4 * x + 3], src.row(y)[4 * x + 3]);
    }
}

INSTANTIATE_TEST_SUITE_P(Styles, ConvolveStyles, testing::Values(0, 1, 2, 3));

TEST(Convolve, BlurOfOneWhitePixelOnBlack)
{
    Bitmap bmp = filled(5, 5, {0, 0, 0});
    setPixel(bmp, 2, 2, {255, 255, 255});
    imaging::Convolve3x3(3, bmp.view());
    EXPECT_EQ(pixel(bmp, 2, 2).g, 63); // 8 * 255 / 32
    EXPECT_EQ(pixel(bmp, 1, 1).g, 23); // 3 * 255 / 32
    EXPECT_EQ(pixel(bmp, 3, 2).g, 23);
    EXPECT_EQ(pixel(bmp, 0, 0).g, 0);
}

TEST(Convolve, SharpenOvershootsAtAnEdgeAndClamps)
{
    Bitmap bmp = filled(6, 3, {50, 50, 50});
    for (int y = 0; y < 3; ++y)
        for (int x = 3; x < 6; ++x)
            setPixel(bmp, x, y, {200, 200, 200});
    imaging::Convolve3x3(0, bmp.view());
    // Dark side: (16*50 - 5*50 - 3*200) / 8 = -6.25 -> 0; bright side: (16*200 - 5*200 - 3*50) / 8 = 256.25 -> 255.
    EXPECT_EQ(pixel(bmp, 2, 1).b, 0);
    EXPECT_EQ(pixel(bmp, 3, 1).b, 255);
    EXPECT_EQ(pixel(bmp, 0, 1).b, 50);
}

TEST(Convolve, UnknownStyleIsRefusedAndChangesNothing)
{
    Bitmap bmp = filled(3, 3, {1, 2, 3});
    EXPECT_EQ(errorOf([&] { imaging::Convolve3x3(4, bmp.view()); }), imaging::kBadConvolveStyle);
    EXPECT_EQ(errorOf([&] { imaging::Convolve3x3(-1, bmp.view()); }), imaging::kBadConvolveStyle);
    EXPECT_EQ(pixel(bmp, 1, 1), (Bgr{1, 2, 3}));
}

// --- Fitting to the frame's shape --------------------------------------------------

TEST(Fit, NarrowerPictureGetsWhiteStripsOnBothSides)
{
    const Bitmap src = filled(1600, 1200, {10, 20, 30});
    const Bitmap out = imaging::fitToAspectRatio(src.view(), 1.5f);
    ASSERT_EQ(out.width(), 1800);
    ASSERT_EQ(out.height(), 1200);
    EXPECT_EQ(pixel(out, 99, 600), (Bgr{255, 255, 255}));
    EXPECT_EQ(pixel(out, 100, 600), (Bgr{10, 20, 30}));
    EXPECT_EQ(pixel(out, 1699, 0), (Bgr{10, 20, 30}));
    EXPECT_EQ(pixel(out, 1700, 1199), (Bgr{255, 255, 255}));
}

TEST(Fit, WiderPictureIsCutEquallyWithTheHalfRoundedToEven)
{
    // 400 x 300 at 0.75: 225 wide; (225 - 400) / 2 = -87.5 rounds to -88.
    Bitmap src(400, 300, 4);
    for (int x = 0; x < 400; ++x)
        for (int y = 0; y < 300; ++y)
            setPixel(src, x, y, {x % 256, x / 256, y % 256});
    const Bitmap out = imaging::fitToAspectRatio(src.view(), 0.75f);
    ASSERT_EQ(out.width(), 225);
    ASSERT_EQ(out.bytesPerPixel(), 3);
    EXPECT_EQ(pixel(out, 0, 7), pixel(src, 88, 7));
    EXPECT_EQ(pixel(out, 224, 299), pixel(src, 312, 299));
}

TEST(Fit, RatiosGivingNoWidthAreRefused)
{
    const Bitmap src = filled(10, 10, {0, 0, 0});
    for (float ar : {0.0f, -1.0f, 0.04f, std::nanf(""), INFINITY, 1e30f})
        EXPECT_EQ(errorOf([&] { imaging::fitToAspectRatio(src.view(), ar); }), imaging::kBadAspectRatio) << ar;
}

// --- paginor edit --------------------------------------------------------------------

class EditCommand : public CurveFiles {
protected:
    int run(std::vector<std::string> args)
    {
        app::CommandContext ctx{m_settings, m_common, m_out, m_messages};
        return imaging::editCommand(args, ctx);
    }
    Bitmap picture() const
    {
        Bitmap bmp(7, 5, 3);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                setPixel(bmp, x, y, {30 * x, 40 * y, 100});
        return bmp;
    }
    settings::Settings m_settings;
    app::CommonOptions m_common;
    std::ostringstream m_out;
    app::ScriptedMessages m_messages;
};

TEST_F(EditCommand, OperationsRunInTheOrderGiven)
{
    imaging::saveBmp(picture().view(), path("in.bmp"));
    ASSERT_EQ(run({path("in.bmp"), "-o", path("a.bmp"), "--rotate", "270", "--flip", "h", "--brightness", "-20"}), 0)
        << testing::PrintToString(m_messages.texts());
    ASSERT_EQ(run({path("in.bmp"), "--flip", "h", "--rotate", "270", "-o", path("b.bmp"), "--brightness", "-20"}), 0);
    const Bitmap src = picture();
    Bitmap expected = imaging::FlipReverse(false, true, imaging::Rotate90(270, src.view()).view());
    imaging::applyBrightness(expected.view(), expected.view(), -20);
    EXPECT_TRUE(samePixels(imaging::loadBitmap(path("a.bmp")), expected));
    EXPECT_FALSE(samePixels(imaging::loadBitmap(path("b.bmp")), expected));
}

TEST_F(EditCommand, EveryOperationIsAccepted)
{
    imaging::saveBmp(picture().view(), path("in.bmp"));
    writeBytes("c.tcv", {255, 0, 0, 0});
    ASSERT_EQ(run({path("in.bmp"), "-o", path("out.bmp"), "--rotate", "90", "--flip", "vh", "--resample", "10x8:5",
                   "--lut", path("c.tcv"), "--gamma", "1.8", "--brightness", "5", "--colour", "1,-2,3",
                   "--convolve", "3", "--grey", "--fit", "1.5"}),
              0)
        << testing::PrintToString(m_messages.texts());
    const Bitmap out = imaging::loadBitmap(path("out.bmp"));
    EXPECT_EQ(out.width(), 12); // round(8 * 1.5)
    EXPECT_EQ(out.height(), 8);
}

TEST_F(EditCommand, JpegOutputUsesTheQualitySetting)
{
    imaging::saveBmp(filled(64, 64, {40, 90, 200}).view(), path("in.bmp"));
    m_settings.Quality = 100;
    ASSERT_EQ(run({path("in.bmp"), "-o", path("best.jpg")}), 0);
    m_settings.Quality = 5;
    ASSERT_EQ(run({path("in.bmp"), "-o", path("worst.JPG")}), 0);
    EXPECT_GT(std::filesystem::file_size(path("best.jpg")), std::filesystem::file_size(path("worst.JPG")));
    const Bgr p = pixel(imaging::loadBitmap(path("best.jpg")), 30, 30);
    EXPECT_NEAR(p.r, 200, 3);
    EXPECT_NEAR(p.b, 40, 3);
}

TEST_F(EditCommand, BadArgumentsFailWithAMessageAndWriteNothing)
{
    imaging::saveBmp(picture().view(), path("in.bmp"));
    const std::vector<std::vector<std::string>> cases = {
        {path("in.bmp")},
        {"-o", path("out.bmp")},
        {path("in.bmp"), "-o", path("out.png")},
        {path("in.bmp"), "-o", path("out.bmp"), "--rotate", "45"},
        {path("in.bmp"), "-o", path("out.bmp"), "--rotate"},
        {path("in.bmp"), "-o", path("out.bmp"), "--flip", "x"},
        {path("in.bmp"), "-o", path("out.bmp"), "--resample", "10x1:0"},
        {path("in.bmp"), "-o", path("out.bmp"), "--resample", "10x10:7"},
        {path("in.bmp"), "-o", path("out.bmp"), "--resample", "10x10"},
        {path("in.bmp"), "-o", path("out.bmp"), "--resample", "99999x99999:1"},
        {path("in.bmp"), "-o", path("out.bmp"), "--gamma", "0"},
        {path("in.bmp"), "-o", path("out.bmp"), "--gamma", "fast"},
        {path("in.bmp"), "-o", path("out.bmp"), "--colour", "1,2"},
        {path("in.bmp"), "-o", path("out.bmp"), "--convolve", "4"},
        {path("in.bmp"), "-o", path("out.bmp"), "--fit", "-1"},
        {path("in.bmp"), "-o", path("out.bmp"), "--lut", path("missing.tcv")},
        {path("in.bmp"), "-o", path("out.bmp"), "--sharpen"},
        {path("in.bmp"), path("other.bmp"), "-o", path("out.bmp")},
    };
    for (const auto& args : cases) {
        m_messages.clear();
        EXPECT_EQ(run(args), 2) << testing::PrintToString(args);
        EXPECT_EQ(m_messages.entries().size(), 1u) << testing::PrintToString(args);
        EXPECT_FALSE(std::filesystem::exists(path("out.bmp")));
    }
}

TEST_F(EditCommand, UnreadableInputFailsAndKeepsAnOldOutput)
{
    writeBytes("broken.bmp", {'B', 'M', 1, 2, 3});
    imaging::saveBmp(picture().view(), path("out.bmp"));
    const auto before = imaging::loadBitmap(path("out.bmp"));
    EXPECT_EQ(run({path("broken.bmp"), "-o", path("out.bmp"), "--grey"}), 1);
    EXPECT_EQ(run({path("absent.bmp"), "-o", path("out.bmp")}), 1);
    EXPECT_EQ(m_messages.entries().size(), 2u);
    EXPECT_TRUE(samePixels(imaging::loadBitmap(path("out.bmp")), before));
}

TEST_F(EditCommand, ResampleFromTheCommandLineEqualsTheReference)
{
    std::mt19937 rng(77);
    const Bitmap src = randomBitmap(120, 80, 3, rng);
    imaging::saveBmp(src.view(), path("in.bmp"));
    ASSERT_EQ(run({path("in.bmp"), "-o", path("out.bmp"), "--resample", "45x31:6"}), 0);
    EXPECT_TRUE(samePixels(imaging::loadBitmap(path("out.bmp")), referenceResampled(src, 45, 31, Filter::Mitchell)));
}

} // namespace
