// The load step on the page model with real files written in each test: which file goes
// into which frame, what the queue holds afterwards, damaged files, side files, EXIF,
// folder scans and the screen rendition of JPEG pictures.
#include "page/core/folder_search.h"
#include "page/core/loading.h"

#include "core/messages.h"
#include "imaging/kernels/adjust.h"
#include "imaging/codecs/codecs.h"
#include "imaging/codecs/jpeg_scaled.h"
#include "imaging/kernels/orientation.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <cstdlib>
#include <stdlib.h>
#include <stdexcept>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const page::PrinterMetrics kA4At600{"PDF", 600, 600, 4960, 7015};

// A fresh folder of the system's temporary folder, removed afterwards. Its name has no
// dot, since side files are named from the first dot of the whole path.
struct TempFolder {
    TempFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "loading-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("no temporary folder");
        path = pattern;
    }
    ~TempFolder() { fs::remove_all(path); }
    std::string file(const std::string& name) const { return (path / name).string(); }
    fs::path path;
};

imaging::Bitmap solid(int w, int h, std::uint8_t b, std::uint8_t g, std::uint8_t r)
{
    imaging::Bitmap bmp(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = bmp.row(y) + 3 * x;
            p[0] = b;
            p[1] = g;
            p[2] = r;
        }
    return bmp;
}

// A JPEG whose green channel tells which file it is (10, 20, 30, ...).
std::string writeJpeg(const TempFolder& t, const std::string& name, int id, int w = 64, int h = 48)
{
    const std::string path = t.file(name);
    imaging::saveJpeg(solid(w, h, 0, static_cast<std::uint8_t>(10 * id), 200).view(), path, 95);
    return path;
}

void writeText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

struct LoadFixture {
    LoadFixture() { app::setMessages(&messages); }
    ~LoadFixture() { app::setMessages(nullptr); }

    void select(std::initializer_list<int> frames)
    {
        for (int n : frames)
            model.frame(n).Selected = true;
    }
    // The id written into the file shown in frame n, read back from its pixels.
    int idShownIn(int n)
    {
        const imaging::Bitmap* b = model.screenBitmap(n, 1, 1);
        if (!b)
            return 0;
        return (b->row(b->height() / 2)[3 * (b->width() / 2) + 1] + 5) / 10;
    }

    app::ScriptedMessages messages;
    settings::Settings s;
    page::Page model{s, [] { return kA4At600; }};
    page::FileQueue queue;
    page::LoadHooks hooks;
};

// ---- which file goes where ------------------------------------------------------------

TEST(LoadStep, FiveFilesOnFourSelectedFramesLeaveTheFifthForTheNextStep)
{
    TempFolder t;
    LoadFixture f;
    for (int i = 1; i <= 5; ++i)
        f.queue.FileList.push_back(writeJpeg(t, "f" + std::to_string(i) + ".jpg", i));
    f.select({1, 2, 3, 4});
    const page::LoadStepResult r = page::Load_The_Files(f.model, f.queue, f.hooks);
    EXPECT_EQ(r.selectedFrames, 4);
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(f.idShownIn(n), n);
        EXPECT_EQ(f.model.frame(n).FileName, f.queue.FileList[static_cast<std::size_t>(n - 1)]);
        EXPECT_FALSE(f.model.frame(n).Selected);
    }
    EXPECT_TRUE(f.queue.BatchInProgress);
    EXPECT_EQ(f.queue.NextFileIndex, 4u);

    page::Next_Batch(f.model, f.queue, f.hooks);
    EXPECT_EQ(f.idShownIn(1), 5);
    for (int n = 2; n <= 4; ++n)
        EXPECT_FALSE(f.model.frame(n).Loaded) << n;
    EXPECT_FALSE(f.queue.BatchInProgress);
    EXPECT_TRUE(f.queue.FileList.empty());
    EXPECT_EQ(f.queue.NextFileIndex, 0u);
    EXPECT_FALSE(f.model.anySelected());
    EXPECT_TRUE(f.messages.entries().empty());
}

TEST(LoadStep, TwoFilesOnFourFramesLeaveTheLastTwoFramesAsTheyWere)
{
    TempFolder t;
    LoadFixture f;
    f.queue.FileList = {writeJpeg(t, "old3.jpg", 7), writeJpeg(t, "old4.jpg", 8)};
    f.select({3, 4});
    page::Load_The_Files(f.model, f.queue, f.hooks);
    ASSERT_EQ(f.idShownIn(3), 7);

    f.queue.FileList = {writeJpeg(t, "a.jpg", 1), writeJpeg(t, "b.jpg", 2)};
    f.select({1, 2, 3, 4});
    page::Load_The_Files(f.model, f.queue, f.hooks);
    EXPECT_EQ(f.idShownIn(1), 1);
    EXPECT_EQ(f.idShownIn(2), 2);
    EXPECT_EQ(f.idShownIn(3), 7);
    EXPECT_EQ(f.idShownIn(4), 8);
    EXPECT_FALSE(f.queue.BatchInProgress);
    EXPECT_TRUE(f.queue.FileList.empty());
}

TEST(LoadStep, AnEmptyListDeselectsAndEndsTheBatch)
{
    LoadFixture f;
    f.select({1, 3});
    const page::LoadStepResult r = page::Load_The_Files(f.model, f.queue, f.hooks);
    EXPECT_EQ(r.filesLoaded, 0);
    EXPECT_FALSE(f.model.anySelected());
    EXPECT_FALSE(f.queue.BatchInProgress);
}

TEST(LoadStep, HeadlessPagesTakeTheFilesInTheOrderGiven)
{
    TempFolder t;
    LoadFixture f;
    f.model.setFrameCount(2);
    // Names against their order: nothing may sort them.
    f.queue.FileList = {writeJpeg(t, "z.jpg", 1), writeJpeg(t, "a.jpg", 2), writeJpeg(t, "m.jpg", 3)};
    std::vector<std::vector<int>> pages;
    do {
        page::Next_Batch(f.model, f.queue, f.hooks);
        pages.push_back({f.idShownIn(1), f.idShownIn(2)});
    } while (f.queue.BatchInProgress);
    EXPECT_EQ(pages, (std::vector<std::vector<int>>{{1, 2}, {3, 0}}));
}

TEST(LoadStep, SixteenFramesFilledInOrderWhileSeveralThreadsDecode)
{
    TempFolder t;
    LoadFixture f;
    f.model.setFrameCount(16);
    for (int i = 1; i <= 16; ++i)
        f.queue.FileList.push_back(writeJpeg(t, "p" + std::to_string(i) + ".jpg", i, 400 + 16 * i, 300));
    f.hooks.threads = 3;
    std::vector<int> emptied;
    f.hooks.frameEmptied = [&](int n) { emptied.push_back(n); };
    page::Next_Batch(f.model, f.queue, f.hooks);
    for (int n = 1; n <= 16; ++n) {
        EXPECT_EQ(f.idShownIn(n), n);
        EXPECT_FLOAT_EQ(f.model.frame(n).AspectRatio, (400.0f + 16 * n) / 300.0f);
    }
}

// ---- damaged files ----------------------------------------------------------------------

TEST(LoadStep, ADamagedFileIsReportedAndTheNextFileTakesItsFrame)
{
    TempFolder t;
    LoadFixture f;
    const std::string good1 = writeJpeg(t, "good1.jpg", 1, 640, 480);
    const std::string good2 = writeJpeg(t, "good2.jpg", 2);
    // Cut in the middle of the entropy-coded data.
    std::vector<std::uint8_t> data = imaging::readWholeFile(good1);
    data.resize(data.size() / 2);
    const std::string cut = t.file("cut.jpg");
    imaging::writeFileAtomically(cut, data);
    const std::string garbage = t.file("noise.png");
    writeText(garbage, "this is no picture at all");
    const std::string missing = t.file("missing.jpg");

    f.queue.FileList = {cut, garbage, missing, good2, good1};
    f.select({1, 2});
    const page::LoadStepResult r = page::Load_The_Files(f.model, f.queue, f.hooks);
    EXPECT_EQ(r.filesFailed, 3);
    EXPECT_EQ(f.idShownIn(1), 2);
    EXPECT_EQ(f.idShownIn(2), 1);
    ASSERT_EQ(f.messages.entries().size(), 3u);
    EXPECT_NE(f.messages.entries()[0].text.find("cut.jpg"), std::string::npos);
    EXPECT_NE(f.messages.entries()[1].text.find("noise.png"), std::string::npos);
    EXPECT_NE(f.messages.entries()[2].text.find("missing.jpg"), std::string::npos);
    EXPECT_FALSE(f.queue.BatchInProgress);
}

// Headless rendering decodes each JPEG photo at full size as it loads, in place of the
// screen rendition; which files are refused, with which words, and which frame shows
// which file must stay as they are without it, even when that decode fails for a file
// the load step itself accepts.
TEST(LoadStep, AFullSizeDecodeOnLoadChangesNoFrameAndNoMessage)
{
    TempFolder t;
    const std::string good1 = writeJpeg(t, "good1.jpg", 1, 640, 480);
    std::vector<std::uint8_t> data = imaging::readWholeFile(good1);
    data.resize(data.size() / 2);
    const std::string cut = t.file("cut.jpg");
    imaging::writeFileAtomically(cut, data);
    const std::vector<std::string> files{cut, writeJpeg(t, "good2.jpg", 2), good1, writeJpeg(t, "good3.jpg", 3)};

    struct Outcome {
        std::vector<int> ids;
        std::vector<std::string> messages;
        bool operator==(const Outcome&) const = default;
    };
    std::atomic<int> decoded = 0;
    auto load = [&](const page::FullDecode& hook) {
        LoadFixture f;
        f.model.setFrameCount(4);
        f.queue.FileList = files;
        f.hooks.fullDecode = hook;
        page::Next_Batch(f.model, f.queue, f.hooks);
        Outcome o;
        for (int n = 1; n <= 4; ++n)
            o.ids.push_back(f.idShownIn(n));
        for (const auto& e : f.messages.entries())
            o.messages.push_back(e.text);
        return o;
    };
    const Outcome plain = load({});
    EXPECT_EQ(plain.ids, (std::vector<int>{2, 1, 3, 0}));
    ASSERT_EQ(plain.messages.size(), 1u);
    const Outcome decoding = load([&](const imaging::Picture& p) {
        imaging::Bitmap full;
        imaging::decodeJpegInto(p.jpegData(), full);
        ++decoded;
    });
    EXPECT_EQ(decoding, plain);
    EXPECT_EQ(decoded, 3); // the three whole photos; the cut one threw
    const Outcome failing = load([](const imaging::Picture&) { throw std::runtime_error("no memory left"); });
    EXPECT_EQ(failing, plain);
}

TEST(LoadStep, AFrameWhoseCopiesStillShowItIsNotReplaced)
{
    TempFolder t;
    LoadFixture f;
    f.queue.FileList = {writeJpeg(t, "owner.jpg", 3)};
    f.select({1});
    page::Load_The_Files(f.model, f.queue, f.hooks);
    page::TFrameRec& copy = f.model.frame(2);
    copy.Loaded = true;
    copy.PictureOwner = 1;
    copy.CloneOf = 1;

    f.queue.FileList = {writeJpeg(t, "new.jpg", 4)};
    f.select({1});
    page::Load_The_Files(f.model, f.queue, f.hooks);
    EXPECT_EQ(f.idShownIn(1), 3);
    EXPECT_EQ(f.idShownIn(2), 3);
    EXPECT_EQ(f.messages.texts(), std::vector<std::string>{page::clonedFrameMessage(1)});
}

TEST(LoadStep, ANewPictureInTheFrameCopySourceEndsTheCopy)
{
    TempFolder t;
    LoadFixture f;
    f.queue.FileList = {writeJpeg(t, "first.jpg", 1)};
    f.select({1});
    page::Load_The_Files(f.model, f.queue, f.hooks);
    f.model.state().CopiedFrame = 1;
    f.queue.FileList = {writeJpeg(t, "second.jpg", 2)};
    f.select({1});
    page::Load_The_Files(f.model, f.queue, f.hooks);
    EXPECT_EQ(f.model.state().CopiedFrame, 0); // Frame Paste would name first.jpg over second's picture
}

TEST(LoadStep, APageRebuiltWhileFilesDecodeStillGetsEveryFile)
{
    TempFolder t;
    LoadFixture f;
    for (int i = 1; i <= 4; ++i)
        f.queue.FileList.push_back(writeJpeg(t, "r" + std::to_string(i) + ".jpg", i));
    f.select({1, 2, 3, 4});
    f.hooks.frameEmptied = [&f](int) { f.model.clearSelection(); }; // as a resize's rebuild does
    const page::LoadStepResult r = page::Load_The_Files(f.model, f.queue, f.hooks);
    EXPECT_EQ(r.filesLoaded, 4);
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(f.idShownIn(n), n);
    EXPECT_FALSE(f.queue.BatchInProgress);
}

// ---- details text ---------------------------------------------------------------------

struct SideNameCase {
    const char* image;
    const char* side;
};

class SideFileName : public ::testing::TestWithParam<SideNameCase> {};

TEST_P(SideFileName, ReplacesTheExtensionOfTheFileNameOnly)
{
    EXPECT_EQ(page::sideFileName(GetParam().image), GetParam().side);
}

INSTANTIATE_TEST_SUITE_P(
    Names, SideFileName,
    ::testing::Values(SideNameCase{"/photos/IMG_0001.JPG", "/photos/IMG_0001.vdt"},
                      SideNameCase{"/photos/photo.jpeg", "/photos/photo.vdt"},
                      SideNameCase{"/home/ann/my.photos/a.b.jpg", "/home/ann/my.photos/a.b.vdt"},
                      SideNameCase{"/home/ann/my.photos/scan", "/home/ann/my.photos/scan.vdt"},
                      SideNameCase{"/tmp/.hidden", "/tmp/.hidden.vdt"},
                      SideNameCase{"relative.tif", "relative.vdt"}));

TEST(Details, TheSideFileBesideADottedFolderGivesTheDetails)
{
    TempFolder t;
    LoadFixture f;
    fs::create_directories(t.path / "my.photos");
    const std::string image = writeJpeg(t, "my.photos/a.b.jpg", 1);
    writeText(t.file("my.photos/a.b.vdt"), "Grandma's birthday\r\nsecond line\n");
    f.queue.FileList = {image};
    f.select({1});
    page::Load_The_Files(f.model, f.queue, f.hooks);
    EXPECT_EQ(f.model.frame(1).Details, "Grandma's birthday");
}

TEST(Details, WithoutASideFileTheNameAndOwnTextAreUsed)
{
    TempFolder t;
    LoadFixture f;
    f.queue.FileList = {writeJpeg(t, "beach.jpg", 1)};
    f.select({1});
    page::Load_The_Files(f.model, f.queue, f.hooks);
    EXPECT_EQ(f.model.frame(1).Details, "beach.jpg Printed by Paginor");
    EXPECT_FALSE(f.model.frame(1).HasExif);
}

TEST(Details, ASideFileWinsOverCameraDetails)
{
    if (std::system("exiftool -ver > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "exiftool is not installed";
    TempFolder t;
    LoadFixture f;
    f.s.Get_Camera_Details = true;
    const std::string withSide = writeJpeg(t, "side.jpg", 1);
    const std::string without = writeJpeg(t, "camera.jpg", 2);
    // Without the JFIF segment, so the EXIF block comes right after the start of the
    // file, where cameras put it and where the reader looks for it.
    for (const std::string& p : {withSide, without}) {
        const std::string cmd = "exiftool -q -overwrite_original -JFIF:all= -Make=Korvan -Model=K100 "
                                "'-DateTimeOriginal=2001:10:02 12:34:56' '" + p + "'";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
    }
    writeText(t.file("side.vdt"), "From the side file");
    f.queue.FileList = {withSide, without};
    f.select({1, 2});
    page::Load_The_Files(f.model, f.queue, f.hooks);
    EXPECT_EQ(f.model.frame(1).Details, "From the side file");
    EXPECT_FALSE(f.model.frame(1).HasExif);
    EXPECT_TRUE(f.model.frame(1).ExifTags.empty());
    EXPECT_TRUE(f.model.frame(2).HasExif);
    bool make = false;
    for (const exif::ExifItem& item : f.model.frame(2).ExifTags)
        make = make || item.value == "Korvan";
    EXPECT_TRUE(make);
}

TEST(Details, ASideFileThatIsAFolderOrFifoIsNoSideFile)
{
    TempFolder t;
    const std::string image = writeJpeg(t, "odd.jpg", 1);
    fs::create_directories(t.file("odd.vdt"));
    EXPECT_EQ(page::readSideFile(image), std::nullopt);
    fs::remove(t.file("odd.vdt"));
    ASSERT_EQ(std::system(("mkfifo '" + t.file("odd.vdt") + "'").c_str()), 0);
    EXPECT_EQ(page::readSideFile(image), std::nullopt); // would block on open if tried
}

// ---- folder scans ---------------------------------------------------------------------

TEST(FolderScan, FilesOfTheFolderComeFirstThenEachSubFolderDepthFirstHiddenOnesLeftOut)
{
    TempFolder t;
    for (const char* d : {"top/b", "top/a/deep", "top/.cache"})
        fs::create_directories(t.path / d);
    for (const char* name : {"top/Z.JPG", "top/m.png", "top/notes.txt", "top/a/1.jpg", "top/a/deep/2.bmp",
                             "top/b/3.tif", "top/.cache/4.jpg", "top/._Z.JPG", "top/a/.hidden.png"})
        writeText(t.file(name), "x");
    fs::create_directory_symlink(t.path / "top", t.path / "top/b/loop"); // back to the top
    const std::string top = t.file("top");
    std::vector<std::string> found;
    page::FolderScan scan;
    page::FindAllFiles(top, scan, found);
    page::DoSearch(top, scan, found);
    const std::vector<std::string> expected = {top + "/m.png", top + "/Z.JPG", top + "/a/1.jpg",
                                               top + "/a/deep/2.bmp", top + "/b/3.tif"};
    EXPECT_EQ(found, expected);
}

struct MaskCase {
    const char* name;
    const char* mask;
    bool matches;
};

class DropMask : public ::testing::TestWithParam<MaskCase> {};

TEST_P(DropMask, MatchesAsTheSearchMaskDoes)
{
    EXPECT_EQ(page::matchesDropMask(GetParam().name, GetParam().mask), GetParam().matches)
        << GetParam().name << " ~ " << GetParam().mask;
}

INSTANTIATE_TEST_SUITE_P(Masks, DropMask,
                         ::testing::Values(MaskCase{"a.JPG", "*.jpg", true}, MaskCase{"a.jpeg", "*.jpg", false},
                                           MaskCase{"noext", "*.*", true}, MaskCase{"IMG_01.jpg", "IMG_??.*", true},
                                           MaskCase{"IMG_1.jpg", "IMG_??.*", false},
                                           MaskCase{"a.b.jpg", "*.b.*", true}, MaskCase{"a.png", "*.jpg", false}));

// ---- the screen rendition ---------------------------------------------------------------

TEST(ScreenRendition, IsTheSmallestScaleThatCoversTheFrame)
{
    EXPECT_EQ(imaging::jpegScaleFor(6000, 4000, 200, 150), 1);  // 750 x 500
    EXPECT_EQ(imaging::jpegScaleFor(6000, 4000, 1200, 800), 2); // 1500 x 1000
    EXPECT_EQ(imaging::jpegScaleFor(6000, 4000, 9000, 10), 8);  // never larger than the picture
    EXPECT_EQ(imaging::jpegScaledLength(1001, 1), 126);         // libjpeg rounds up
}

TEST(ScreenRendition, ShowsTheSameColoursAsTheFullPicture)
{
    TempFolder t;
    // Four quadrants of different colours.
    imaging::Bitmap bmp(800, 600);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            std::uint8_t* p = bmp.row(y) + 3 * x;
            p[0] = x < 400 ? 30 : 220;
            p[1] = y < 300 ? 40 : 200;
            p[2] = 120;
        }
    const std::string path = t.file("quads.jpg");
    imaging::saveJpeg(bmp.view(), path, 95);
    const page::LoadedPicture loaded = page::loadImageFile(path, 100, 75);
    ASSERT_TRUE(loaded.screen.pixels);
    EXPECT_EQ(loaded.screen.pixels->width(), 100);
    EXPECT_EQ(loaded.screen.pixels->height(), 75);
    const imaging::Bitmap& full = loaded.picture->bitmap();
    ASSERT_EQ(full.width(), 800);
    for (auto [sx, sy] : {std::pair{20, 15}, {80, 15}, {20, 60}, {80, 60}}) {
        const std::uint8_t* small = loaded.screen.pixels->row(sy) + 3 * sx;
        const std::uint8_t* big = full.row(sy * 8) + 3 * (sx * 8);
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(small[c], big[c], 4) << sx << "," << sy << " channel " << c;
    }
}

TEST(ScreenRendition, AnEditedPictureIsShownAsEditedNotFromTheOldRendition)
{
    TempFolder t;
    LoadFixture f;
    f.queue.FileList = {writeJpeg(t, "edit.jpg", 5, 320, 240)};
    f.select({1});
    page::Load_The_Files(f.model, f.queue, f.hooks);
    ASSERT_EQ(f.idShownIn(1), 5);
    f.model.frame(1).PictureHolder->setBitmap(solid(240, 320, 0, 90, 0));
    const imaging::Bitmap* shown = f.model.screenBitmap(1, 10, 10);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->width(), 240);
    EXPECT_EQ(f.idShownIn(1), 9);
}

} // namespace

// ---- the steps on load ----------------------------------------------------------------

namespace {

// Top half red, bottom half blue: after a clockwise quarter turn red is on the right.
imaging::Bitmap redOverBlue(int w, int h)
{
    imaging::Bitmap bmp = solid(w, h, 200, 0, 0);
    for (int y = 0; y < h / 2; ++y)
        for (int x = 0; x < w; ++x) {
            bmp.row(y)[3 * x] = 0;
            bmp.row(y)[3 * x + 2] = 200;
        }
    return bmp;
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

class RecordingStatus : public page::StatusDisplay {
public:
    void setStatus(const std::string& text) override { statuses.push_back(text); }
    std::vector<std::string> statuses;
};

// Loads one file into frame 1 of a one-frame page.
const imaging::Picture& loadOne(LoadFixture& f, const std::string& path)
{
    f.model.setFrameCount(1);
    f.queue.FileList = {path};
    page::Next_Batch(f.model, f.queue, f.hooks);
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
    imaging::saveBmp(solid(1600, 1200, 0, 0, 200).view(), path);
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
    imaging::Bitmap bmp(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = bmp.row(y) + 3 * x;
            p[0] = x < w / 2 ? 30 : 220;
            p[1] = y < h / 2 ? 40 : 200;
            p[2] = static_cast<std::uint8_t>(x < w / 2 ? (y < h / 2 ? 250 : 10) : 120);
        }
    return bmp;
}

bool haveExiftool()
{
    return std::system("exiftool -ver > /dev/null 2>&1") == 0;
}

// Tags each file with its orientation, all in one run of exiftool (it takes a while to start).
void tagOrientations(const std::vector<std::pair<std::string, int>>& files)
{
    std::string cmd = "exiftool";
    for (std::size_t i = 0; i < files.size(); ++i)
        cmd += (i ? " -execute" : "") + std::string(" -Orientation#=") + std::to_string(files[i].second) + " '" +
               files[i].first + "'";
    cmd += " -common_args -q -q -overwrite_original";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
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
        if (std::system(("convert '" + t.file("stored.bmp") + "' '" + path + "'").c_str()) != 0)
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

// Sets whether orientations are honoured for one test, and back to on afterwards.
struct Honour {
    explicit Honour(bool on) { imaging::setOrientationHonoured(on); }
    ~Honour() { imaging::setOrientationHonoured(true); }
};

} // namespace

TEST(Orientation, EveryOrientationStandsUprightOnTheFullAndTheLeanPathAndInTiffAndPng)
{
    if (!haveExiftool())
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
    if (!haveExiftool())
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
    if (!haveExiftool())
        GTEST_SKIP() << "exiftool is not installed";
    TempFolder t;
    const Honour off(false);
    const std::string path = orientedJpeg(t, uprightQuarters(96, 128), 6);
    const std::vector<std::uint8_t> data = imaging::readWholeFile(path);
    const page::LoadedPicture lean = page::loadImageFile(path, 32, 24);
    EXPECT_EQ(lean.picture->width(), 128);
    EXPECT_EQ(*lean.screen.pixels, imaging::decodeJpegScaled(data, lean.screen.scaleEighths));
    EXPECT_EQ(lean.picture->bitmap(), imaging::decodeJpeg(data));
    EXPECT_TRUE(lean.picture->isJpeg());
    EXPECT_EQ(imaging::loadBitmap(path), imaging::decodeJpeg(data));
}
