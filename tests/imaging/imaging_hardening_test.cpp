// Hostile JPEG data and interrupted saves: corrupt data is an error, a short file that
// announces a huge picture costs no memory, and a save killed at any moment leaves the
// old or the new file and nothing beside it.
#include "imaging/codecs/codec_messages.h"
#include "imaging/codecs/codecs.h"
#include "imaging/codecs/jpeg_scaled.h"
#include "tests/support/files.h"
#include "tests/support/process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <filesystem>
#include <random>
#include <thread>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using imaging::Bitmap;
using imaging::ImagingError;

namespace {

using support::readBytes;
using support::writeBytes;
using Folder = support::TempFolder;

std::string errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const ImagingError& e) {
        return e.what();
    }
    return "(no error)";
}

// A picture with detail everywhere, so every block of its JPEG has data.
Bitmap noisyPicture(int width, int height)
{
    Bitmap bmp(width, height, 3);
    std::mt19937 random(7);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width * 3; ++x)
            bmp.row(y)[x] = static_cast<std::uint8_t>(random());
    return bmp;
}

// Where the entropy-coded data starts: after the start-of-scan header.
std::size_t scanDataStart(const std::vector<std::uint8_t>& jpeg)
{
    for (std::size_t i = 2; i + 3 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA)
            return i + 2 + (std::size_t(jpeg[i + 2]) << 8 | jpeg[i + 3]);
    return 0;
}

} // namespace

TEST(CorruptJpegData, ADataSegmentCutShortIsAnErrorInBothDecoders)
{
    const std::vector<std::uint8_t> whole = imaging::encodeJpeg(noisyPicture(256, 256).view(), 90);
    const std::size_t start = scanDataStart(whole);
    ASSERT_GT(start, 0u);
    // The data is cut to a tenth and the file still ends properly, as a camera's file
    // cut in transfer and repaired by a careless tool would.
    std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(start + (whole.size() - start) / 10));
    cut.insert(cut.end(), {0xFF, 0xD9});
    for (const std::string& text : {errorOf([&] { imaging::decodeJpeg(cut); }),
                                    errorOf([&] { imaging::decodeJpegScaled(cut, 2); })}) {
        EXPECT_EQ(text.rfind(imaging::msg::kCorruptJpeg, 0), 0u) << text;
        EXPECT_NE(text.find("Corrupt JPEG data: premature end of data segment"), std::string::npos) << text;
    }
    EXPECT_NO_THROW(imaging::decodeJpeg(whole));
}

TEST(CorruptJpegData, AShortFileAnnouncingAHugePictureCostsNoMemory)
{
    // A real 16 x 16 grey JPEG whose frame header is made to announce 32767 x 32767.
    Bitmap grey(16, 16, 3);
    std::vector<std::uint8_t> jpeg = imaging::encodeJpeg(grey.view(), 75);
    bool patched = false;
    for (std::size_t i = 2; i + 8 < jpeg.size() && !patched; ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            jpeg[i + 5] = jpeg[i + 7] = 0x7F;
            jpeg[i + 6] = jpeg[i + 8] = 0xFF;
            patched = true;
        }
    ASSERT_TRUE(patched);
    ASSERT_LT(jpeg.size(), 1000u);
    Folder dir;
    writeBytes(dir / "bomb.jpg", jpeg);
    const long before = support::peakMemoryKb();
    for (const std::string& text : {errorOf([&] { imaging::loadBitmap((dir / "bomb.jpg").string()); }),
                                    errorOf([&] { imaging::decodeJpegScaled(jpeg, 1); }),
                                    errorOf([&] { imaging::Picture::fromJpegData(jpeg); })})
        EXPECT_NE(text.find("Corrupt JPEG data: " + std::to_string(jpeg.size()) + " bytes cannot hold a 32767 x 32767"),
                  std::string::npos)
            << text;
    EXPECT_LT(support::peakMemoryKb() - before, 64 * 1024);
}

TEST(InterruptedSaves, StalePartFilesOfKilledSavesGoOnTheNextSave)
{
    Folder dir;
    const std::vector<std::uint8_t> scrap(1000, 'x');
    // Left by a killed save (unlocked), one being written right now (locked), and the
    // user's own files that only look alike.
    writeBytes(dir / "photo.jpg.part-0a1b2c3d", scrap);
    writeBytes(dir / "other.bmp.part-zzzzzzzz", scrap);
    writeBytes(dir / "busy.jpg.part-busy0000", scrap);
    writeBytes(dir / "notes.part-abc", scrap);
    writeBytes(dir / ".part-abcdefgh", scrap);
    const int busy = ::open((dir / "busy.jpg.part-busy0000").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(busy, LOCK_EX), 0);
    const std::vector<std::uint8_t> photo = {1, 2, 3};
    imaging::writeFileAtomically((dir / "photo.jpg").string(), photo);
    ::close(busy);
    EXPECT_EQ(dir.names(), (std::vector<std::string>{".part-abcdefgh", "busy.jpg.part-busy0000", "notes.part-abc",
                                                     "photo.jpg"}));
    EXPECT_EQ(readBytes(dir / "photo.jpg"), photo);
}

TEST(InterruptedSaves, AKilledSaveLeavesTheOldOrTheNewFileAndNothingBesideIt)
{
    Folder dir;
    const fs::path target = dir / "page.bmp";
    // Two large versions that differ in every byte: a mixed or cut file shows at once.
    const std::vector<std::uint8_t> versions[2] = {std::vector<std::uint8_t>(16 << 20, 'a'),
                                                   std::vector<std::uint8_t>(16 << 20, 'b')};
    writeBytes(target, versions[0]);
    std::mt19937 random(11);
    int killedMidway = 0;
    for (int round = 0; round < 20; ++round) {
        if (readBytes(target) != versions[round % 2])
            writeBytes(target, versions[round % 2]);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            try {
                imaging::writeFileAtomically(target.string(), versions[1 - round % 2]);
            } catch (...) {
                ::_exit(2);
            }
            ::_exit(0);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        killedMidway += WIFSIGNALED(status) ? 1 : 0;
        const std::vector<std::uint8_t> now = readBytes(target);
        EXPECT_TRUE(now == versions[0] || now == versions[1]) << "round " << round << ": " << now.size() << " bytes";
        EXPECT_EQ(dir.names(), std::vector<std::string>{"page.bmp"}) << "round " << round;
    }
    EXPECT_GT(killedMidway, 0); // some kills must land while the save runs
}

TEST(MagickFiles, AFaxCutShortIsAnErrorAndMessagesHoldNoSourceLocations)
{
    if (!support::haveTool("pbmtog3"))
        GTEST_SKIP() << "pbmtog3 is not installed";
    Folder dir;
    // 40 x 30 pixels of stripes as a plain PBM.
    std::string pbm = "P1\n40 30\n";
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            pbm += (x / 4 + y / 3) % 2 ? "1 " : "0 ";
    writeBytes(dir / "in.pbm", {pbm.begin(), pbm.end()});
    ASSERT_TRUE(support::quietly("pbmtog3 -nofixedwidth " + (dir / "in.pbm").string() + " > " + (dir / "page.fax").string()));
    const std::vector<std::uint8_t> fax = readBytes(dir / "page.fax");
    EXPECT_EQ(imaging::loadBitmap((dir / "page.fax").string()).height(), 30);
    for (std::size_t cut : {std::size_t(4), std::size_t(9), fax.size() / 2}) {
        writeBytes(dir / "cut.fax", {fax.begin(), fax.end() - static_cast<std::ptrdiff_t>(cut)});
        const std::string text = errorOf([&] { imaging::loadBitmap((dir / "cut.fax").string()); });
        EXPECT_EQ(text.rfind(imaging::msg::kCannotRead, 0), 0u) << cut << " bytes cut: " << text;
    }
    // ImageMagick's own words stay; where in its source it gave up goes.
    writeBytes(dir / "bad.pcx", {'n', 'o', 't', ' ', 'a', ' ', 'p', 'c', 'x', 0, 0, 0, 0, 0, 0, 0});
    const std::string text = errorOf([&] { imaging::loadBitmap((dir / "bad.pcx").string()); });
    EXPECT_EQ(text.rfind(imaging::msg::kCannotRead, 0), 0u) << text;
    EXPECT_EQ(text.find(" @ "), std::string::npos) << text;
    EXPECT_EQ(text.find(".c/"), std::string::npos) << text;
}
