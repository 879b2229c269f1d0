// What loading does to the picture: the steps on load (turn, fit, resample, curve), done
// on the screen copy or deferred to the full decode, and the orientation the camera
// recorded, on every path and format.
#include "page/core/loading.h"

#include "core/messages.h"
#include "imaging/codecs/codecs.h"
#include "imaging/codecs/jpeg_scaled.h"
#include "imaging/kernels/adjust.h"
#include "imaging/kernels/orientation.h"
#include "tests/page/load_fixture.h"
#include "tests/support/process.h"
#include "tests/support/recording_status.h"
#include "tests/support/bitmaps.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <thread>
#include <string>
#include <vector>

using namespace loadtest;

// ---- the steps on load ----------------------------------------------------------------

namespace {

// Top half red, bottom half blue: after a clockwise quarter turn red is on the right.
imaging::Bitmap redOverBlue(int w, int h)
{
    return support::paintedBitmap(w, h,
                                  [h](int, int y) { return y < h / 2 ? std::array{0, 0, 200} : std::array{200, 0, 0}; });
}

bool reddish(const imaging::Bitmap& b, int x, int y)
{
    const std::uint8_t* p = b.row(y) + 3 * x;
    return p[2] > 150 && p[0] < 60;
}

bool white(const imaging::Bitmap& b, int x, int y)
{
    const std::uint8_t* p = b.row(y) + 3 * x;
    return p[0] == 255 && p[1] == 255 && p[2] == 255;
}

using support::RecordingStatus;

// Loads one file into frame 1 of a one-frame page.
const imaging::Picture& loadOne(LoadFixture& f, const std::string& path)
{
    f.model.setFrameCount(1);
    f.queue.FileList = {path};
    page::nextBatch(f.model, f.queue, f.hooks);
    const imaging::Picture* p = f.model.pictureShownIn(1);
    if (!p)
        throw std::runtime_error("nothing loaded");
    return *p;
}

} // namespace

TEST(OnLoad, APortraitPictureIsTurnedClockwiseWithoutAFullDecodeUntilAsked)
{
    TempFolder t;
    LoadFixture f;
    f.s.autorotate = true;
    const std::string path = t.file("portrait.jpg");
    imaging::saveJpeg(redOverBlue(1200, 1600).view(), path, 90);
    const imaging::Picture& p = loadOne(f, path);
    EXPECT_EQ(p.width(), 1600);
    EXPECT_EQ(p.height(), 1200);
    EXPECT_NEAR(f.model.frame(1).AspectRatio, 1.333333f, 1e-5);
    EXPECT_TRUE(p.canDefer()); // shown from the screen rendition only
    const imaging::Bitmap* shown = f.model.screenBitmap(1, 1, 1);
    EXPECT_TRUE(reddish(*shown, shown->width() - 2, 2));
    EXPECT_FALSE(reddish(*shown, 1, 2));
    const imaging::Bitmap& full = p.bitmap();
    EXPECT_TRUE(reddish(full, 1590, 10));
    EXPECT_FALSE(reddish(full, 10, 10));
}

TEST(OnLoad, ALandscapePictureFittedAtOneAndAHalfGetsHundredPixelWhiteStrips)
{
    TempFolder t;
    LoadFixture f;
    f.s.autocentre = true;
    f.model.setGlobalAspectRatio(1.5f);
    const std::string path = t.file("wide.bmp");
    imaging::saveBmp(support::solidBitmap(1600, 1200, 0, 0, 200).view(), path);
    const imaging::Bitmap& b = loadOne(f, path).bitmap();
    ASSERT_EQ(b.width(), 1800);
    ASSERT_EQ(b.height(), 1200);
    EXPECT_TRUE(white(b, 99, 600) && white(b, 1700, 600));
    EXPECT_TRUE(reddish(b, 100, 600) && reddish(b, 1699, 600));
    EXPECT_FLOAT_EQ(f.model.frame(1).AspectRatio, 1.5f);
}

TEST(OnLoad, HalfSizeResamplingGivesEightHundredBySixHundred)
{
    TempFolder t;
    LoadFixture f;
    f.s.resample_on_load_Size = 50;
    const imaging::Picture& p = loadOne(f, writeJpeg(t, "half.jpg", 1, 1600, 1200));
    EXPECT_EQ(p.bitmap().width(), 800);
    EXPECT_EQ(p.bitmap().height(), 600);
}

TEST(OnLoad, APortraitWithBothStepsIsTurnedFirstThenFitted)
{
    TempFolder t;
    LoadFixture f;
    RecordingStatus status;
    f.model.setStatusDisplay(&status);
    f.s.autorotate = f.s.autocentre = true;
    f.model.setGlobalAspectRatio(1.5f);
    const imaging::Picture& p = loadOne(f, writeJpeg(t, "both.jpg", 1, 1200, 1600));
    EXPECT_EQ(p.width(), 1800);
    EXPECT_EQ(p.height(), 1200);
    const auto at = [&](const std::string& s) { return std::find(status.statuses.begin(), status.statuses.end(), s); };
    EXPECT_LT(at(page::rotatingStatus(1)), at(page::adjustingStatus(1)));
    EXPECT_NE(at(page::adjustingStatus(1)), status.statuses.end());
}

TEST(OnLoad, DeferredStepsGiveTheSamePixelsAsStepsDoneOnTheFullDecode)
{
    TempFolder t;
    LoadFixture f;
    f.s.autorotate = f.s.autocentre = f.s.En_CurveOnLoad = true;
    f.s.resample_on_load_Size = 37;
    f.s.resample_on_load = 5; // Lanczos3
    f.model.setGlobalAspectRatio(1.25f);
    imaging::ToneLUT lut{};
    for (int v = 0; v < 256; ++v)
        lut[static_cast<std::size_t>(v)] = 255 - v;
    f.s.ApplyCurve = t.file("invert.tcv");
    imaging::writeCurveFile(lut, f.s.ApplyCurve);
    const std::string path = t.file("photo.jpg");
    imaging::saveJpeg(redOverBlue(300, 400).view(), path, 85);

    const imaging::Picture& deferred = loadOne(f, path);
    EXPECT_TRUE(deferred.canDefer());
    imaging::Bitmap now = imaging::Rotate90(270, imaging::loadBitmap(path).view());
    now = imaging::fitToAspectRatio(now.view(), 1.25f); // 400 x 300 to 375 x 300
    imaging::ResampleBitmap(139, 111, 5, now); // 375 x 300 at 37%
    now = imaging::to32Bit(now.view()); // a curve leaves a 32-bit picture
    imaging::applyToneLUT(now.view(), now.view(), lut);
    EXPECT_EQ(deferred.bitmap(), now);
}

TEST(OnLoad, AMissingCurveFileIsReportedAndChangesNothing)
{
    TempFolder t;
    const std::string path = writeJpeg(t, "plain.jpg", 5);
    LoadFixture plain;
    const imaging::Bitmap before = loadOne(plain, path).bitmap();
    LoadFixture f;
    f.s.En_CurveOnLoad = true;
    f.s.ApplyCurve = "\"" + t.file("gone.tcv") + "\"";
    EXPECT_EQ(loadOne(f, path).bitmap(), before);
    EXPECT_EQ(f.messages.texts(), std::vector<std::string>{std::string(page::kCantLoadCurve) + t.file("gone.tcv")});
}

// ---- turned upright by the orientation the camera recorded ------------------------------

namespace {

// Where a stored pixel (x, y) of a w x h picture is shown once the picture stands upright,
// as the EXIF standard describes each orientation by where the stored first row and first
// column belong.
std::pair<int, int> shownAt(int orientation, int x, int y, int w, int h)
{
    switch (orientation) {
    case 2: return {w - 1 - x, y};         // first row at the top, first column on the right
    case 3: return {w - 1 - x, h - 1 - y}; // bottom, right
    case 4: return {x, h - 1 - y};         // bottom, left
    case 5: return {y, x};                 // first row on the left, first column at the top
    case 6: return {h - 1 - y, x};         // right, top
    case 7: return {h - 1 - y, w - 1 - x}; // right, bottom
    case 8: return {y, w - 1 - x};         // left, bottom
    default: return {x, y};
    }
}

// stored as it stands upright by orientation: every pixel where the standard puts it.
imaging::Bitmap shownUpright(const imaging::Bitmap& stored, int orientation)
{
    const bool swapped = orientation >= 5;
    imaging::Bitmap out(swapped ? stored.height() : stored.width(), swapped ? stored.width() : stored.height());
    for (int y = 0; y < stored.height(); ++y)
        for (int x = 0; x < stored.width(); ++x) {
            const auto [sx, sy] = shownAt(orientation, x, y, stored.width(), stored.height());
            std::memcpy(out.row(sy) + 3 * sx, stored.row(y) + 3 * x, 3);
        }
    return out;
}

// The pixels a camera held that way stores for an upright picture.
imaging::Bitmap storedFor(const imaging::Bitmap& upright, int orientation)
{
    const bool swapped = orientation >= 5;
    const int w = swapped ? upright.height() : upright.width(), h = swapped ? upright.width() : upright.height();
    imaging::Bitmap out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const auto [sx, sy] = shownAt(orientation, x, y, w, h);
            std::memcpy(out.row(y) + 3 * x, upright.row(sy) + 3 * sx, 3);
        }
    return out;
}

// An upright portrait, a different colour in each quarter, so that every turn and mirror
// of it looks different.
imaging::Bitmap uprightQuarters(int w, int h)
{
    return support::paintedBitmap(w, h, [w, h](int x, int y) {
        return std::array{x < w / 2 ? 30 : 220, y < h / 2 ? 40 : 200, x < w / 2 ? (y < h / 2 ? 250 : 10) : 120};
    });
}

// Tags each file with its orientation, all in one run of exiftool (it takes a while to start).
void tagOrientations(const std::vector<std::pair<std::string, int>>& files)
{
    std::string cmd = "exiftool";
    for (std::size_t i = 0; i < files.size(); ++i)
        cmd += (i ? " -execute" : "") + std::string(" -Orientation#=") + std::to_string(files[i].second) + " '" +
               files[i].first + "'";
    cmd += " -common_args -q -q -overwrite_original";
    ASSERT_EQ(support::shell(cmd), 0) << cmd;
}

// The stored picture of an upright one in a file named o<orientation><ext>, tagged with
// the orientation: JPEG, or through ImageMagick any lossless format.
std::string storedFile(const TempFolder& t, const imaging::Bitmap& upright, int orientation, const std::string& ext)
{
    const std::string path = t.file("o" + std::to_string(orientation) + ext);
    if (ext == ".jpg") {
        imaging::saveJpeg(storedFor(upright, orientation).view(), path, 95);
    } else {
        imaging::saveBmp(storedFor(upright, orientation).view(), t.file("stored.bmp"));
        if (support::shell("convert '" + t.file("stored.bmp") + "' '" + path + "'") != 0)
            throw std::runtime_error("convert failed for " + path);
    }
    return path;
}

std::string orientedJpeg(const TempFolder& t, const imaging::Bitmap& upright, int orientation)
{
    const std::string path = storedFile(t, upright, orientation, ".jpg");
    tagOrientations({{path, orientation}});
    return path;
}

// Load options with orientations honoured or not.
page::OnLoadOptions honouring(bool on)
{
    page::OnLoadOptions options;
    options.decode.honourOrientation = on;
    return options;
}

} // namespace

TEST(Orientation, EveryOrientationStandsUprightOnTheFullAndTheLeanPathAndInTiffAndPng)
{
    if (!support::haveTool("exiftool"))
        GTEST_SKIP() << "exiftool is not installed";
    TempFolder t;
    const imaging::Bitmap upright = uprightQuarters(96, 128);
    std::vector<std::pair<std::string, int>> files;
    for (int orientation = 1; orientation <= 8; ++orientation)
        for (const char* ext : {".jpg", ".tif", ".png"})
            files.emplace_back(storedFile(t, upright, orientation, ext), orientation);
    tagOrientations(files);

    for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE("orientation " + std::to_string(orientation));
        const std::string jpg = t.file("o" + std::to_string(orientation) + ".jpg");
        const std::vector<std::uint8_t> data = imaging::readWholeFile(jpg);
        EXPECT_EQ(imaging::fileOrientation(data), orientation);

        // The full decode: every stored pixel where the standard shows it.
        const imaging::Bitmap full = imaging::loadPicture(jpg).bitmap();
        EXPECT_EQ(full, shownUpright(imaging::decodeJpeg(data), orientation));
        EXPECT_EQ(imaging::loadBitmap(jpg), full);
        for (auto [x, y] : {std::pair{20, 30}, {76, 30}, {20, 100}, {76, 100}})
            for (int c = 0; c < 3; ++c)
                EXPECT_NEAR(full.row(y)[3 * x + c], upright.row(y)[3 * x + c], 6) << x << "," << y;

        // The lean path: the DCT-scaled rendition turned, and the picture the size it stands at.
        const page::LoadedPicture lean = page::loadImageFile(jpg, 24, 32);
        ASSERT_TRUE(lean.screen.pixels);
        EXPECT_TRUE(lean.picture->canDefer());
        EXPECT_EQ(lean.picture->width(), 96);
        EXPECT_EQ(lean.picture->height(), 128);
        EXPECT_NEAR(lean.aspectRatio, 0.75f, 1e-6);
        EXPECT_EQ(*lean.screen.pixels,
                  shownUpright(imaging::decodeJpegScaled(data, lean.screen.scaleEighths), orientation));
        EXPECT_EQ(lean.picture->bitmap(), full); // decoded whole only when asked for
        // At full scale the rendition is the turned full decode, bit for bit.
        EXPECT_EQ(*page::loadImageFile(jpg, 96, 128).screen.pixels, full);

        // Lossless files give the upright picture exactly.
        for (const char* ext : {".tif", ".png"})
            EXPECT_EQ(imaging::loadBitmap(t.file("o" + std::to_string(orientation) + ext)), upright) << ext;

        // JPEG data turned as the file around it says (a RAW file's preview) is turned by
        // that alone, and is no file of its own to be saved as it is.
        const std::vector<std::uint8_t> plain = imaging::readWholeFile(t.file("o1.jpg"));
        const imaging::Picture inside = imaging::Picture::fromJpegData(plain, orientation);
        EXPECT_EQ(inside.bitmap(), shownUpright(imaging::decodeJpeg(plain), orientation));
        EXPECT_EQ(inside.keepsJpegFile(), orientation == 1);
    }
}

TEST(Orientation, TheTurnOnLoadAndTheFitActOnTheUprightPicture)
{
    if (!support::haveTool("exiftool"))
        GTEST_SKIP() << "exiftool is not installed";
    TempFolder t;
    LoadFixture f;
    f.s.autorotate = f.s.autocentre = true;
    f.model.setGlobalAspectRatio(1.5f);
    // A phone held upright stores its portrait lying on its side, tagged 6.
    const std::string path = orientedJpeg(t, uprightQuarters(96, 128), 6);
    const imaging::Picture& p = loadOne(f, path);
    EXPECT_EQ(p.width(), 144); // turned to 128 x 96, then fitted at 1.5
    EXPECT_EQ(p.height(), 96);
    imaging::Bitmap expected = imaging::Rotate90(270, imaging::loadBitmap(path).view());
    expected = imaging::fitToAspectRatio(expected.view(), 1.5f);
    EXPECT_EQ(p.bitmap(), expected);
}

TEST(Orientation, NotHonouredTheStoredPixelsLoadAsTheyAre)
{
    if (!support::haveTool("exiftool"))
        GTEST_SKIP() << "exiftool is not installed";
    TempFolder t;
    const page::OnLoadOptions off = honouring(false);
    const std::string path = orientedJpeg(t, uprightQuarters(96, 128), 6);
    const std::vector<std::uint8_t> data = imaging::readWholeFile(path);
    const page::LoadedPicture lean = page::loadImageFile(path, 32, 24, {}, off);
    EXPECT_EQ(lean.picture->width(), 128);
    EXPECT_EQ(*lean.screen.pixels, imaging::decodeJpegScaled(data, lean.screen.scaleEighths));
    EXPECT_EQ(lean.picture->bitmap(), imaging::decodeJpeg(data));
    EXPECT_TRUE(lean.picture->isJpeg());
    EXPECT_EQ(imaging::loadBitmap(path, {}, off.decode), imaging::decodeJpeg(data));
}

TEST(Orientation, TwoPagesWithOtherSettingsLoadTheSameFileEachByItsOwnAtOnce)
{
    if (!support::haveTool("exiftool"))
        GTEST_SKIP() << "exiftool is not installed";
    TempFolder t;
    const std::string path = orientedJpeg(t, uprightQuarters(96, 128), 6);
    settings::Settings honouring;
    settings::Settings ignoring;
    ignoring.Honour_Orientation = false;
    const page::Page turned{honouring, [] { return loadtest::kA4At600; }};
    const page::Page asStored{ignoring, [] { return loadtest::kA4At600; }};
    page::LoadedPicture fromTurned;
    page::LoadedPicture fromAsStored;
    {
        std::jthread first([&] { fromTurned = page::loadImageFile(path, 32, 24, {}, page::onLoadOptions(turned)); });
        std::jthread second([&] { fromAsStored = page::loadImageFile(path, 32, 24, {}, page::onLoadOptions(asStored)); });
    }
    // Each picture decodes again (as for print) by the choices it was loaded with.
    EXPECT_EQ(fromTurned.picture->bitmap().width(), 96);
    EXPECT_EQ(fromAsStored.picture->bitmap().width(), 128);
    EXPECT_EQ(fromTurned.picture->bitmap(), imaging::orientUpright(fromAsStored.picture->bitmap(), 6));
}
