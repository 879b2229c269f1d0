// The pixel kernels that change levels: tone tables, gamma, curve files, the 3 x 3
// filters, fitting to a frame's shape, and `paginor edit` end to end.
#include "core/command.h"
#include "core/messages.h"
#include "imaging/cli/edit_command.h"
#include "imaging/codecs/codecs.h"
#include "imaging/kernels/imaging.h"
#include "imaging/kernels/tone_internal.h"
#include "settings/core/settings.h"
#include "tests/imaging/kernel_pictures.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

using namespace kernelpics;

namespace {

using imaging::Bitmap;
using imaging::ConstBitmapView;
using imaging::ImagingError;

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
    std::string path(const std::string& name) const { return m_folder.file(name); }
    void writeBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) const
    {
        support::writeBytes(path(name), bytes);
    }
    support::TempFolder m_folder;
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
    EXPECT_EQ(errorOf([&] { imaging::readCurveFile(m_folder.path.string()); }),
              std::string(imaging::kCantOpenFile) + m_folder.path.string());
}

TEST_F(CurveFiles, FailedSaveKeepsTheOldCurve)
{
    imaging::writeCurveFile(imaging::gammaLUT(2.0), path("keep.tcv"));
    EXPECT_EQ(errorOf([&] { imaging::writeCurveFile(imaging::identityLUT(), path("no-such-dir/keep.tcv")); }),
              std::string(imaging::kCantWriteFile) + path("no-such-dir/keep.tcv"));
    EXPECT_EQ(imaging::readCurveFile(path("keep.tcv")), imaging::gammaLUT(2.0));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder.path), std::filesystem::directory_iterator()), 1);
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
        core::CommandContext ctx{m_settings, m_common, m_out, m_messages};
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
    core::CommonOptions m_common;
    std::ostringstream m_out;
    core::ScriptedMessages m_messages;
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
