// The direct paths for uncompressed pictures: binary netpbm read straight into rows
// must give the same pixels as Qt's reader, the path every other netpbm file takes; a
// streamed BMP must hold exactly the rows, bottom up and padded, that its header says.
#include "imaging/codecs/codec_internal.h"
#include "imaging/codecs/codec_messages.h"
#include "imaging/codecs/codecs.h"
#include "imaging/codecs/fast_io.h"
#include "tests/support/files.h"
#include "tests/support/process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>

namespace fs = std::filesystem;
using imaging::Bitmap;
using imaging::ImagingError;

namespace {

using support::Bytes;
using support::readBytes;
using support::writeBytes;
using Folder = support::TempFolder;

Bytes randomBytes(std::size_t n, std::mt19937& random)
{
    Bytes b(n);
    for (auto& v : b)
        v = static_cast<std::uint8_t>(random());
    return b;
}

Bytes concat(const std::string& header, const Bytes& data)
{
    Bytes file(header.begin(), header.end());
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

// What Qt makes of a netpbm file: the reader everything but binary 8- and 16-bit data
// goes through, and the one the direct reader must match byte for byte.
Bitmap readThroughQt(const std::string& file)
{
    return imaging::detail::readWithQt(file, "ppm", {}, {});
}

Bitmap readDirect(const std::string& file)
{
    std::optional<Bitmap> bmp = imaging::detail::readBinaryPnm(file, {});
    if (!bmp)
        throw std::runtime_error("the direct reader declined " + file);
    return std::move(*bmp);
}

// ---- netpbm in ----

struct NetpbmKind {
    const char* label;
    char type;    // '5' grey, '6' colour
    int maxValue; // 255 or 65535
    int channels() const { return type == '6' ? 3 : 1; }
    int sampleBytes() const { return maxValue > 255 ? 2 : 1; }
};

std::ostream& operator<<(std::ostream& os, const NetpbmKind& k) { return os << k.label; }

// Header spellings a netpbm writer may use: comments anywhere before the largest
// value, runs of mixed whitespace, a carriage return as the one byte before the data.
std::string header(const NetpbmKind& k, int w, int h, int style)
{
    const std::string type = std::string("P") + k.type;
    const std::string W = std::to_string(w), H = std::to_string(h), M = std::to_string(k.maxValue);
    switch (style) {
    case 0:
        return type + "\n" + W + " " + H + "\n" + M + "\n";
    case 1:
        return type + "\n# made by a scanner\n" + W + "  \t" + H + "\n#another\n" + M + " ";
    case 2:
        return type + " " + W + "# width right after the digits\n\v\f" + H + "\r\n" + M + "\r";
    default:
        return type + "\t#\n#\n" + W + "\n" + H + "\n\n" + M + "\t";
    }
}

class NetpbmDirectReader : public ::testing::TestWithParam<NetpbmKind> {};

TEST_P(NetpbmDirectReader, RandomPicturesMatchQtPixelForPixel)
{
    const NetpbmKind& k = GetParam();
    std::mt19937 random(1234 + k.type + k.maxValue);
    Folder dir;
    const int sizes[][2] = {{1, 1}, {1, 7}, {2, 3}, {3, 2}, {5, 5}, {37, 23}, {641, 9}, {1001, 300}};
    int style = 0;
    for (const auto& size : sizes) {
        const int w = size[0], h = size[1];
        const std::string file = dir / "random.ppm";
        const Bytes data = randomBytes(std::size_t(w) * h * k.channels() * k.sampleBytes(), random);
        writeBytes(file, concat(header(k, w, h, style++ % 4), data));
        const Bitmap direct = readDirect(file);
        ASSERT_EQ(direct.width(), w);
        ASSERT_EQ(direct.height(), h);
        EXPECT_TRUE(direct == readThroughQt(file)) << w << " x " << h;
        EXPECT_TRUE(direct == imaging::loadBitmap(file)) << "the loader did not take the direct path";
    }
}

TEST_P(NetpbmDirectReader, FileCutShortIsRefusedWithTheTruncationText)
{
    const NetpbmKind& k = GetParam();
    std::mt19937 random(99);
    Folder dir;
    const int w = 301, h = 200;
    const Bytes whole = concat(header(k, w, h, 1), randomBytes(std::size_t(w) * h * k.channels() * k.sampleBytes(), random));
    const std::string file = dir / "cut.ppm";
    for (const std::size_t missing : {std::size_t(1), std::size_t(w) * k.channels(), whole.size() / 2}) {
        writeBytes(file, Bytes(whole.begin(), whole.end() - static_cast<long>(missing)));
        try {
            imaging::loadBitmap(file);
            ADD_FAILURE() << "a file missing its last " << missing << " bytes loaded";
        } catch (const ImagingError& e) {
            EXPECT_EQ(std::string(e.what()), imaging::msg::compose(imaging::msg::kCannotRead, file, "the file is truncated"));
        }
    }
}

TEST_P(NetpbmDirectReader, ProgressRisesToAHundred)
{
    const NetpbmKind& k = GetParam();
    std::mt19937 random(5);
    Folder dir;
    const int w = 1500, h = 1000; // several reads' worth
    writeBytes(dir / "big.pgm", concat(header(k, w, h, 0), randomBytes(std::size_t(w) * h * k.channels() * k.sampleBytes(), random)));
    std::vector<int> seen;
    imaging::loadBitmap(dir / "big.pgm", [&](int p) { seen.push_back(p); });
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen.front(), 0);
    EXPECT_EQ(seen.back(), 100);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
}

INSTANTIATE_TEST_SUITE_P(Codecs, NetpbmDirectReader,
                         ::testing::Values(NetpbmKind{"Colour8", '6', 255}, NetpbmKind{"Grey8", '5', 255},
                                           NetpbmKind{"Colour16", '6', 65535}, NetpbmKind{"Grey16", '5', 65535}),
                         [](const auto& info) { return std::string(info.param.label); });

// Every 16-bit value once, so the narrowing to 8 bits is checked everywhere, not only
// where random data happens to fall. Qt rounds colour samples to nearest and truncates
// grey ones; the direct reader must give the same bytes either way.
Bytes everySixteenBitValue(int channels)
{
    Bytes data;
    for (int v = 0; v < 65536; ++v)
        for (int c = 0; c < channels; ++c) // colour: red v, green and blue turned away from it
            data.push_back(static_cast<std::uint8_t>((v ^ (c * 0x5555)) >> 8)),
                data.push_back(static_cast<std::uint8_t>(v ^ (c * 0x5555)));
    return data;
}

int sampleAt(const Bitmap& bmp, int v, int channel)
{
    return bmp.row(v / 256)[3 * (v % 256) + channel];
}

TEST(NetpbmSixteenBit, EveryColourSampleNarrowsAsQtNarrowsIt)
{
    Folder dir;
    writeBytes(dir / "all.ppm", concat("P6\n256 256\n65535\n", everySixteenBitValue(3)));
    const Bitmap direct = readDirect(dir / "all.ppm");
    EXPECT_TRUE(direct == readThroughQt(dir / "all.ppm"));
    // Red (channel 2 of ours) is v / 257 rounded to nearest, worked by hand at the steps.
    const std::pair<int, int> worked[] = {{0, 0},       {128, 0},     {129, 1},     {257, 1},     {385, 1},
                                          {386, 2},     {32767, 127}, {32768, 128}, {65406, 254}, {65407, 255},
                                          {65535, 255}};
    for (const auto& [v, expected] : worked)
        EXPECT_EQ(sampleAt(direct, v, 2), expected) << v;
}

TEST(NetpbmSixteenBit, EveryGreySampleNarrowsAsQtNarrowsIt)
{
    Folder dir;
    writeBytes(dir / "all.pgm", concat("P5\n256 256\n65535\n", everySixteenBitValue(1)));
    const Bitmap direct = readDirect(dir / "all.pgm");
    EXPECT_TRUE(direct == readThroughQt(dir / "all.pgm"));
    // v / 257 truncated, by hand at the steps.
    const std::pair<int, int> worked[] = {{0, 0}, {256, 0}, {257, 1}, {513, 1}, {514, 2}, {65534, 254}, {65535, 255}};
    for (const auto& [v, expected] : worked)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(sampleAt(direct, v, c), expected) << v;
}

TEST(NetpbmSixteenBit, ChannelsLandInBlueGreenRedOrder)
{
    Folder dir;
    // One pixel: red 0xFFFF, green 0x8080 (128), blue 0x0000.
    writeBytes(dir / "one.ppm", concat("P6 1 1 65535\n", {0xFF, 0xFF, 0x80, 0x80, 0x00, 0x00}));
    const Bitmap bmp = readDirect(dir / "one.ppm");
    EXPECT_EQ((Bytes(bmp.row(0), bmp.row(0) + 3)), (Bytes{0, 128, 255}));
}

// Everything the direct reader leaves to the general one must still load there.
TEST(NetpbmDirectReader, OtherVariantsAreLeftToTheGeneralReader)
{
    Folder dir;
    const struct {
        const char* name;
        std::string bytes;
    } others[] = {
        {"plain.ppm", "P3\n2 1\n255\n255 0 0  0 0 255\n"},
        {"plain.pgm", "P2\n2 1\n255\n0 200\n"},
        {"bits.pbm", std::string("P4\n8 1\n") + char(0xA5)},
        {"ten.ppm", std::string("P6\n1 1\n1000\n") + std::string("\x03\xE8\x01\xF4\x00\x00", 6)},
        {"small.pgm", "P5\n2 1\n15\n\x0F\x08"},
        {"comment.ppm", "P6\n1 1\n255# a comment where the data should start\n\x10\x20\x30"},
        {"nospace.ppm", "P6#\n1 1\n255\n\x10\x20\x30"},
    };
    for (const auto& o : others) {
        writeBytes(dir / o.name, Bytes(o.bytes.begin(), o.bytes.end()));
        EXPECT_FALSE(imaging::detail::readBinaryPnm(dir / o.name, {})) << o.name;
        try {
            imaging::loadBitmap(dir / o.name); // a picture or a clear error, as before
        } catch (const ImagingError&) {
        }
    }
    const Bitmap plain = imaging::loadBitmap(dir / "plain.ppm");
    EXPECT_EQ((Bytes(plain.row(0), plain.row(0) + 6)), (Bytes{0, 0, 255, 255, 0, 0}));
}

TEST(NetpbmDirectReader, GreyFileNamedPpmAndColourNamedPgmReadByWhatTheyHold)
{
    Folder dir;
    writeBytes(dir / "grey.ppm", concat("P5\n2 1\n255\n", {7, 250}));
    writeBytes(dir / "colour.pgm", concat("P6\n1 1\n255\n", {1, 2, 3}));
    const Bitmap grey = imaging::loadBitmap(dir / "grey.ppm");
    const Bitmap colour = imaging::loadBitmap(dir / "colour.pgm");
    EXPECT_EQ((Bytes(grey.row(0), grey.row(0) + 6)), (Bytes{7, 7, 7, 250, 250, 250}));
    EXPECT_EQ((Bytes(colour.row(0), colour.row(0) + 3)), (Bytes{3, 2, 1}));
}

TEST(NetpbmDirectReader, HugeOrShortFilesAreRefusedBeforeThePixelMemoryIsTaken)
{
    Folder dir;
    const long peakBefore = support::peakMemoryKb();
    for (const char* head : {"P6\n2000000000 2000000000\n255\n", "P5\n300000000 2\n65535\n", "P6\n50000 50000\n255\n"}) {
        writeBytes(dir / "huge.ppm", Bytes(head, head + std::strlen(head)));
        try {
            imaging::detail::readBinaryPnm(dir / "huge.ppm", {});
            ADD_FAILURE() << head;
        } catch (const ImagingError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(imaging::msg::kTooLarge, 0), 0u) << e.what();
        }
    }
    // 20000 x 20000 passes the size guard; its 1.2 GB of pixels are not in the file.
    const std::string head = "P6\n20000 20000\n255\n";
    writeBytes(dir / "short.ppm", concat(head, Bytes(1000, 7)));
    try {
        imaging::detail::readBinaryPnm(dir / "short.ppm", {});
        ADD_FAILURE() << "a short file loaded";
    } catch (const ImagingError& e) {
        EXPECT_NE(std::string(e.what()).find("truncated"), std::string::npos) << e.what();
    }
    EXPECT_LT(support::peakMemoryKb() - peakBefore, 64 * 1024);
}

// ---- BMP out ----

// Checks a written BMP against its source by the published layout: 54 header bytes,
// then rows from the bottom up, 3 bytes a pixel, zero-padded to 4 bytes.
void expectBmpHolds(const Bytes& file, imaging::ConstBitmapView src)
{
    const std::size_t rowBytes = (std::size_t(src.width) * 3 + 3) / 4 * 4;
    ASSERT_EQ(file.size(), 54 + rowBytes * src.height);
    const auto le32 = [&](std::size_t at) {
        return std::uint32_t(file[at]) | file[at + 1] << 8 | file[at + 2] << 16 | std::uint32_t(file[at + 3]) << 24;
    };
    EXPECT_EQ(le32(2), file.size());
    EXPECT_EQ(le32(10), 54u);
    EXPECT_EQ(le32(18), std::uint32_t(src.width));
    EXPECT_EQ(le32(22), std::uint32_t(src.height));
    EXPECT_EQ(le32(34), rowBytes * src.height);
    for (int y = 0; y < src.height; ++y) {
        const std::uint8_t* row = file.data() + 54 + rowBytes * (src.height - 1 - y);
        for (int x = 0; x < src.width; ++x)
            for (int c = 0; c < 3; ++c)
                if (row[3 * x + c] != src.row(y)[src.bytesPerPixel * x + c]) {
                    ADD_FAILURE() << "pixel " << x << ", " << y << " channel " << c;
                    return;
                }
        for (std::size_t p = 3 * std::size_t(src.width); p < rowBytes; ++p)
            ASSERT_EQ(row[p], 0) << "padding of row " << y;
    }
}

class BmpStreaming : public ::testing::TestWithParam<int> {};

// Views whose rows carry junk past the pixels (a larger stride), 24- and 32-bit, wide
// enough that the 32-bit rows fill the staging buffer several times and tall enough
// that a row count passes the kernel's limit of pieces per call.
TEST_P(BmpStreaming, RowsAreWrittenBottomUpPaddedAndExact)
{
    const int bytesPerPixel = GetParam();
    std::mt19937 random(bytesPerPixel);
    Folder dir;
    const int sizes[][2] = {{1, 1}, {1, 3}, {2, 2}, {3, 1}, {37, 23}, {4, 1500}, {1501, 1100}, {2, 2100}};
    for (const auto& size : sizes) {
        const int w = size[0], h = size[1];
        const std::ptrdiff_t stride = std::ptrdiff_t(w) * bytesPerPixel + 13;
        const Bytes pixels = randomBytes(std::size_t(stride) * h, random);
        const imaging::ConstBitmapView view(pixels.data(), w, h, stride, bytesPerPixel);
        imaging::saveBmp(view, dir / "out.bmp");
        expectBmpHolds(readBytes(dir / "out.bmp"), view);
        EXPECT_EQ(readBytes(dir / "out.bmp"), imaging::encodeBmp(view)) << w << " x " << h;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
}

TEST_P(BmpStreaming, FullDiskPartWayKeepsTheOldFileAndItsMode)
{
    Folder dir;
    const std::string target = dir / "page.bmp";
    writeBytes(target, {'o', 'l', 'd'});
    ::chmod(target.c_str(), 0640);
    const Bitmap big(2000, 1000, GetParam()); // 6 MB as a file
    {
        // The disk takes 5 MB, then is full: the save fails part way.
        rlimit old{};
        ::getrlimit(RLIMIT_FSIZE, &old);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = 5 << 20;
        ::setrlimit(RLIMIT_FSIZE, &small);
        EXPECT_THROW(imaging::saveBmp(big.view(), target), ImagingError);
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
    }
    EXPECT_EQ(readBytes(target), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
    // A save that succeeds replaces the old file and keeps its permissions.
    imaging::saveBmp(big.view(), target);
    expectBmpHolds(readBytes(target), big.view());
    struct stat st {};
    ::stat(target.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

INSTANTIATE_TEST_SUITE_P(Codecs, BmpStreaming, ::testing::Values(3, 4),
                         [](const auto& info) { return std::to_string(info.param * 8) + "Bit"; });

} // namespace
