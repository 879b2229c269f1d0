// The load step on the page model with real files written in each test: which file goes
// into which frame, what the queue holds afterwards, damaged files, side files, EXIF,
// folder scans and the screen rendition of JPEG pictures. What loading does to the
// picture itself is in loading_steps_test.cpp.
#include "page/core/folder_search.h"
#include "page/core/loading.h"

#include "core/messages.h"
#include "imaging/codecs/codecs.h"
#include "imaging/codecs/jpeg_scaled.h"
#include "tests/page/load_fixture.h"
#include "tests/support/files.h"
#include "tests/support/process.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace loadtest;
using support::writeText;

namespace {

// ---- which file goes where ------------------------------------------------------------

TEST(LoadStep, FiveFilesOnFourSelectedFramesLeaveTheFifthForTheNextStep)
{
    TempFolder t;
    LoadFixture f;
    for (int i = 1; i <= 5; ++i)
        f.queue.FileList.push_back(writeJpeg(t, "f" + std::to_string(i) + ".jpg", i));
    f.select({1, 2, 3, 4});
    const page::LoadStepResult r = page::loadFiles(f.model, f.queue, f.hooks);
    EXPECT_EQ(r.selectedFrames, 4);
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(f.idShownIn(n), n);
        EXPECT_EQ(f.model.frame(n).FileName, f.queue.FileList[static_cast<std::size_t>(n - 1)]);
        EXPECT_FALSE(f.model.frame(n).Selected);
    }
    EXPECT_TRUE(f.queue.BatchInProgress);
    EXPECT_EQ(f.queue.NextFileIndex, 4u);

    page::nextBatch(f.model, f.queue, f.hooks);
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
    page::loadFiles(f.model, f.queue, f.hooks);
    ASSERT_EQ(f.idShownIn(3), 7);

    f.queue.FileList = {writeJpeg(t, "a.jpg", 1), writeJpeg(t, "b.jpg", 2)};
    f.select({1, 2, 3, 4});
    page::loadFiles(f.model, f.queue, f.hooks);
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
    const page::LoadStepResult r = page::loadFiles(f.model, f.queue, f.hooks);
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
        page::nextBatch(f.model, f.queue, f.hooks);
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
    page::nextBatch(f.model, f.queue, f.hooks);
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
    const page::LoadStepResult r = page::loadFiles(f.model, f.queue, f.hooks);
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
        page::nextBatch(f.model, f.queue, f.hooks);
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
    page::loadFiles(f.model, f.queue, f.hooks);
    page::FrameRecord& copy = f.model.frame(2);
    copy.Loaded = true;
    copy.PictureOwner = 1;
    copy.CloneOf = 1;

    f.queue.FileList = {writeJpeg(t, "new.jpg", 4)};
    f.select({1});
    page::loadFiles(f.model, f.queue, f.hooks);
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
    page::loadFiles(f.model, f.queue, f.hooks);
    f.model.state().CopiedFrame = 1;
    f.queue.FileList = {writeJpeg(t, "second.jpg", 2)};
    f.select({1});
    page::loadFiles(f.model, f.queue, f.hooks);
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
    const page::LoadStepResult r = page::loadFiles(f.model, f.queue, f.hooks);
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
    page::loadFiles(f.model, f.queue, f.hooks);
    EXPECT_EQ(f.model.frame(1).Details, "Grandma's birthday");
}

TEST(Details, WithoutASideFileTheNameAndOwnTextAreUsed)
{
    TempFolder t;
    LoadFixture f;
    f.queue.FileList = {writeJpeg(t, "beach.jpg", 1)};
    f.select({1});
    page::loadFiles(f.model, f.queue, f.hooks);
    EXPECT_EQ(f.model.frame(1).Details, "beach.jpg Printed by Paginor");
    EXPECT_FALSE(f.model.frame(1).HasExif);
}

TEST(Details, ASideFileWinsOverCameraDetails)
{
    if (!support::haveTool("exiftool"))
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
        ASSERT_EQ(support::shell(cmd), 0);
    }
    writeText(t.file("side.vdt"), "From the side file");
    f.queue.FileList = {withSide, without};
    f.select({1, 2});
    page::loadFiles(f.model, f.queue, f.hooks);
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
    ASSERT_EQ(support::shell("mkfifo '" + t.file("odd.vdt") + "'"), 0);
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
    const imaging::Bitmap bmp =
        support::paintedBitmap(800, 600, [](int x, int y) { return std::array{x < 400 ? 30 : 220, y < 300 ? 40 : 200, 120}; });
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
    page::loadFiles(f.model, f.queue, f.hooks);
    ASSERT_EQ(f.idShownIn(1), 5);
    f.model.frame(1).PictureHolder->setBitmap(support::solidBitmap(240, 320, 0, 90, 0));
    const imaging::Bitmap* shown = f.model.screenBitmap(1, 10, 10);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->width(), 240);
    EXPECT_EQ(f.idShownIn(1), 9);
}

} // namespace
