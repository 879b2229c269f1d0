// The codecs writing: JPEG and BMP files other programs read back, pictures that keep
// their JPEG data, progress that may abandon the work, saves that fail and keep the old
// file, and the QImage adapter.
#include "imaging/codecs/codec_messages.h"
#include "imaging/codecs/codecs.h"
#include "imaging/qt/qimage_adapter.h"
#include "tests/imaging/source_pattern.h"
#include "tests/support/files.h"
#include "tests/support/process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include <sys/resource.h>

namespace fs = std::filesystem;
using imaging::Bitmap;
using imaging::ImagingError;
using namespace pattern;
using support::haveTool;
using support::readBytes;
using support::TempFolder;
using support::writeBytes;

namespace {

// ---- JPEG writing and the picture that keeps its file data ----

TEST(JpegWriting, RoundTripErrorShrinksAsQualityGrows)
{
    const Bitmap source = sourceBitmap(Source::Blocks);
    int previousError = 1000;
    std::size_t previousSize = 0;
    for (int quality : {5, 40, 75, 95}) {
        const std::vector<std::uint8_t> data = imaging::encodeJpeg(source.view(), quality);
        const int error = maxDifference(imaging::decodeJpeg(data), Source::Blocks);
        EXPECT_LE(error, previousError) << quality;
        EXPECT_GT(data.size(), previousSize) << quality;
        previousError = error;
        previousSize = data.size();
    }
    EXPECT_LE(previousError, 12);
}

TEST(JpegWriting, AnotherProgramReadsOurFileAndItsQuality)
{
    if (!haveTool("gm"))
        GTEST_SKIP() << "gm is not installed";
    TempFolder dir;
    const Bitmap source = sourceBitmap(Source::Blocks, 4); // 32-bit input: the fourth byte is dropped
    std::vector<int> progress;
    imaging::saveJpeg(source.view(), (dir / "out.jpg").string(), 37, [&](int p) { progress.push_back(p); });
    // gm estimates the quality from the quantisation tables libjpeg scaled for it.
    EXPECT_EQ(support::shellOutput("gm identify -format '%Q %w %h' " + (dir / "out.jpg").string()), "37 768 512\n");
    ASSERT_TRUE(support::quietly("gm convert " + (dir / "out.jpg").string() + " PPM:" + (dir / "back.ppm").string()));
    EXPECT_LE(maxDifference(imaging::loadBitmap((dir / "back.ppm").string()), Source::Blocks), 40);
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.front(), 0);
    EXPECT_EQ(progress.back(), 100);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
}

TEST(JpegWriting, QualityOutsideOneToHundredIsRefused)
{
    const Bitmap source = sourceBitmap(Source::Colour);
    for (int quality : {0, -5, 101})
        expectErrorStartingWith([&] { imaging::encodeJpeg(source.view(), quality); }, imaging::msg::kBadQuality);
    expectErrorStartingWith([&] { imaging::encodeJpeg(Bitmap().view(), 80); }, imaging::msg::kNothingToSave);
}

TEST(Pictures, JpegFileDataIsKeptAndWrittenBackUnchanged)
{
    TempFolder dir;
    const std::vector<std::uint8_t> original = imaging::encodeJpeg(sourceBitmap(Source::Blocks).view(), 63);
    writeBytes(dir / "in.jpg", original);
    const imaging::Picture picture = imaging::loadPicture((dir / "in.jpg").string());
    ASSERT_TRUE(picture.isJpeg());
    EXPECT_EQ(picture.width(), 768);
    EXPECT_EQ(picture.height(), 512);
    EXPECT_LE(maxDifference(picture.bitmap(), Source::Blocks), 24);
    imaging::savePictureAsJpeg(picture, (dir / "out.jpg").string(), 100);
    EXPECT_EQ(readBytes(dir / "out.jpg"), original); // quality 100 not applied
}

TEST(Pictures, AnEditedPictureIsEncodedAfresh)
{
    TempFolder dir;
    writeBytes(dir / "in.jpg", imaging::encodeJpeg(sourceBitmap(Source::Blocks).view(), 30));
    imaging::Picture picture = imaging::loadPicture((dir / "in.jpg").string());
    Bitmap edited = sourceBitmap(Source::Blocks);
    picture.setBitmap(std::move(edited));
    EXPECT_FALSE(picture.isJpeg());
    EXPECT_TRUE(picture.jpegData().empty());
    imaging::savePictureAsJpeg(picture, (dir / "out.jpg").string(), 95);
    EXPECT_LE(maxDifference(imaging::loadBitmap((dir / "out.jpg").string()), Source::Blocks), 12);
}

TEST(Pictures, JpegDataIsDecodedOnlyWhenPixelsAreWanted)
{
    const std::vector<std::uint8_t> data = imaging::encodeJpeg(sourceBitmap(Source::Blocks).view(), 90);
    const imaging::Picture picture = imaging::Picture::fromJpegData(data);
    EXPECT_EQ(picture.width(), 768);
    int calls = 0;
    picture.bitmap([&](int) { ++calls; });
    EXPECT_GT(calls, 0);
    const int afterFirst = calls;
    picture.bitmap([&](int) { ++calls; });
    EXPECT_EQ(calls, afterFirst);
    EXPECT_THROW(imaging::Picture::fromJpegData({0x89, 'P', 'N', 'G'}), ImagingError);
}

TEST(Pictures, PngNamedJpgIsReadByWhatItIs)
{
    if (!haveTool("gm"))
        GTEST_SKIP() << "gm is not installed";
    TempFolder dir;
    writeNetpbm(Source::Colour, dir / "src.ppm");
    ASSERT_TRUE(support::quietly("gm convert " + (dir / "src.ppm").string() + " PNG:" + (dir / "wrong.jpg").string()));
    const imaging::Picture picture = imaging::loadPicture((dir / "wrong.jpg").string());
    EXPECT_FALSE(picture.isJpeg());
    EXPECT_EQ(maxDifference(picture.bitmap(), Source::Colour), 0);
}

TEST(JpegDecoding, ProgressCallbackMayAbandonTheWork)
{
    const std::vector<std::uint8_t> data = imaging::encodeJpeg(sourceBitmap(Source::Blocks).view(), 90);
    struct Cancelled {};
    EXPECT_THROW(imaging::decodeJpeg(data, [](int p) { if (p > 30) throw Cancelled{}; }), Cancelled);
    EXPECT_THROW(imaging::encodeJpeg(sourceBitmap(Source::Blocks).view(), 90, [](int p) { if (p > 30) throw Cancelled{}; }),
                 Cancelled);
}

TEST(MagickDecoding, ProgressIsReportedAndMayAbandonTheWork)
{
    if (!haveTool("convert-im6.q16"))
        GTEST_SKIP() << "convert-im6.q16 is not installed";
    TempFolder dir;
    writeNetpbm(Source::Blocks, dir / "src.ppm");
    ASSERT_TRUE(support::quietly("convert-im6.q16 " + (dir / "src.ppm").string() + " PSD:" + (dir / "big.psd").string()));
    std::vector<int> seen;
    imaging::loadBitmap((dir / "big.psd").string(), [&](int p) { seen.push_back(p); });
    // Steps of the read itself, beside the fixed ones before (0, 10) and after (70, 100).
    EXPECT_GT(std::count_if(seen.begin(), seen.end(), [](int p) { return p > 10 && p < 70; }), 0);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    struct Cancelled {};
    EXPECT_THROW(imaging::loadBitmap((dir / "big.psd").string(), [](int p) { if (p > 20) throw Cancelled{}; }),
                 Cancelled);
}

TEST(JpegDecoding, ProgressiveFileWithEndlessScansIsRefused)
{
    // A progressive JPEG may repeat scans; each one costs a pass over the picture.
    std::vector<std::uint8_t> data = {0xFF, 0xD8, 0xFF, 0xC2, 0, 11, 8, 0, 16, 0, 16, 1, 1, 0x11, 0};
    // DQT (all ones) and a DHT with one code for symbol 0 (a DC difference of 0).
    data.insert(data.end(), {0xFF, 0xDB, 0, 67, 0});
    data.insert(data.end(), 64, 1);
    data.insert(data.end(), {0xFF, 0xC4, 0, 20, 0x00, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    for (int scan = 0; scan < 2000; ++scan) // DC-first scans, again and again
        data.insert(data.end(), {0xFF, 0xDA, 0, 8, 1, 1, 0x00, 0, 0, 0, 0x00});
    data.insert(data.end(), {0xFF, 0xD9});
    expectErrorStartingWith([&] { imaging::decodeJpeg(data); }, imaging::msg::kCorruptJpeg);
}

// ---- BMP writing ----

TEST(BmpWriting, NetpbmReadsOurRowsBottomUpAndPadded)
{
    if (!haveTool("bmptopnm"))
        GTEST_SKIP() << "bmptopnm is not installed";
    TempFolder dir;
    for (int bytesPerPixel : {3, 4}) {
        const Bitmap source = sourceBitmap(Source::Colour, bytesPerPixel);
        imaging::saveBmp(source.view(), (dir / "out.bmp").string());
        const std::vector<std::uint8_t> file = readBytes(dir / "out.bmp");
        EXPECT_EQ(file.size(), 54u + 23u * 112u); // 37 * 3 = 111 bytes a row, padded to 112
        ASSERT_TRUE(support::quietly("bmptopnm " + (dir / "out.bmp").string() + " > " + (dir / "back.ppm").string()));
        writeNetpbm(Source::Colour, dir / "expected.ppm");
        EXPECT_EQ(readBytes(dir / "back.ppm"), readBytes(dir / "expected.ppm")) << bytesPerPixel;
    }
}

TEST(BmpWriting, OurFileReadsBackExactly)
{
    TempFolder dir;
    const Bitmap source = sourceBitmap(Source::Colour);
    imaging::saveBmp(source.view(), (dir / "out.bmp").string());
    EXPECT_EQ(imaging::loadBitmap((dir / "out.bmp").string()), source);
}

// ---- failed saves ----

// The process may write at most this many bytes into one file (as a full disk would
// allow); restored on leaving the scope.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_old;
        small.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

TEST(FailedSaves, AFullDiskKeepsTheOldFileAndLeavesNoScraps)
{
    TempFolder dir;
    const std::vector<std::uint8_t> old = {'o', 'l', 'd'};
    for (const char* name : {"page.bmp", "page.jpg"}) {
        writeBytes(dir / name, old);
        const Bitmap big = sourceBitmap(Source::Blocks);
        {
            FileSizeLimit limit(4096);
            expectErrorStartingWith(
                [&] {
                    if (std::string_view(name).ends_with(".bmp"))
                        imaging::saveBmp(big.view(), (dir / name).string());
                    else
                        imaging::saveJpeg(big.view(), (dir / name).string(), 100);
                },
                imaging::msg::kCannotWrite);
        }
        EXPECT_EQ(readBytes(dir / name), old) << name;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 2);
}

TEST(FailedSaves, AnAbandonedEncodeKeepsTheOldFile)
{
    TempFolder dir;
    writeBytes(dir / "keep.jpg", {'o', 'l', 'd'});
    struct Cancelled {};
    EXPECT_THROW(imaging::saveJpeg(sourceBitmap(Source::Blocks).view(), (dir / "keep.jpg").string(), 80,
                                   [](int p) { if (p >= 50) throw Cancelled{}; }),
                 Cancelled);
    EXPECT_EQ(readBytes(dir / "keep.jpg"), (std::vector<std::uint8_t>{'o', 'l', 'd'}));
}

TEST(FailedSaves, AMissingFolderIsAClearError)
{
    TempFolder dir;
    expectErrorStartingWith([&] { imaging::saveBmp(sourceBitmap(Source::Colour).view(), (dir / "no/such.bmp").string()); },
                            imaging::msg::kCannotWrite);
}

// ---- the QImage adapter ----

TEST(QImageAdapter, SharesOurByteOrderBothWays)
{
    for (int bytesPerPixel : {3, 4}) {
        const Bitmap source = sourceBitmap(Source::Colour, bytesPerPixel);
        const QImage image = imaging::toQImage(source.view());
        const Rgb p = sourcePixel(Source::Colour, 5, 7);
        EXPECT_EQ(image.pixel(5, 7), qRgb(p.r, p.g, p.b));
        const Bitmap back = imaging::fromQImage(image);
        EXPECT_EQ(maxDifference(back, Source::Colour), 0);
        EXPECT_EQ(bitmapChecksum(back), bitmapChecksum(sourceBitmap(Source::Colour)));
    }
}

TEST(QImageAdapter, TransparencyIsLaidOverWhite)
{
    QImage image(3, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));     // fully transparent black: white
    image.setPixel(1, 0, qRgba(0, 0, 0, 255));   // opaque black stays black
    image.setPixel(2, 0, qRgba(0, 255, 0, 102)); // 40 % green over white: (153, 255, 153)
    const Bitmap bmp = imaging::fromQImage(image);
    const std::uint8_t* r = bmp.row(0);
    EXPECT_EQ((std::vector<int>(r, r + 9)), (std::vector<int>{255, 255, 255, 0, 0, 0, 153, 255, 153}));
}

} // namespace
