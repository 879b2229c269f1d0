// The codecs: every format a Debian tool can write is read back and compared with the
// pattern the tool was given; formats no tool writes are built byte by byte here from
// their published layouts; hostile files must give errors, never crashes. Writing is
// in imaging_writing_test.cpp.
#include "imaging/codecs/codec_messages.h"
#include "imaging/codecs/codecs.h"
#include "tests/imaging/source_pattern.h"
#include "tests/support/files.h"
#include "tests/support/process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <random>

#include <sys/stat.h>

namespace fs = std::filesystem;
using imaging::Bitmap;
using imaging::ImagingError;
using namespace pattern;
using support::haveTool;
using support::readBytes;
using support::TempFolder;
using support::writeBytes;

namespace {

// ---- every format a Debian tool writes ----

struct WrittenFormat {
    const char* label;     // names the test case
    const char* extension; // of the file the tool writes
    Source source;
    const char* tool;    // must be installed, or the case is skipped
    const char* command; // {in} the netpbm source, {out} the file to write
    int tolerance;       // largest channel error allowed (lossy formats)
    // The decoder shows a file cut short after its header as a picture with a blank
    // end, as most viewers do, instead of refusing it.
    bool showsPartOfCutFile = false;
};

std::ostream& operator<<(std::ostream& os, const WrittenFormat& f) { return os << f.label; }

const WrittenFormat kWrittenFormats[] = {
    {"JpegFromGm", ".jpg", Source::Blocks, "gm", "gm convert {in} -quality 92 JPEG:{out}", 12},
    {"JpegFromNetpbm", ".jpeg", Source::Colour, "pnmtojpeg", "pnmtojpeg -quality=100 -sample=1x1 {in} > {out}", 6},
    {"JpegGreyFromNetpbm", ".jpg", Source::Grey, "pnmtojpeg", "pnmtojpeg -quality=100 {in} > {out}", 3},
    {"JpegProgressive", ".jpg", Source::Blocks, "gm", "gm convert {in} -interlace Line -quality 92 JPEG:{out}", 12},
    {"JpegCmykFromImageMagick", ".jpg", Source::Blocks, "convert-im6.q16",
     "convert-im6.q16 {in} -colorspace CMYK -quality 95 JPEG:{out}", 16},
    {"BmpFromGm", ".bmp", Source::Colour, "gm", "gm convert {in} BMP:{out}", 0},
    {"BmpPaletteFromNetpbm", ".bmp", Source::Colour, "ppmtobmp", "ppmtobmp {in} > {out}", 0},
    {"BmpRunLengthAsRle", ".rle", Source::Colour, "convert-im6.q16", "convert-im6.q16 {in} -compress RLE BMP3:{out}", 0},
    {"DibWithFileHeader", ".dib", Source::Colour, "ppmtobmp", "ppmtobmp -bpp=24 {in} > {out}", 0},
    {"DibWithoutFileHeader", ".dib", Source::Colour, "convert-im6.q16", "convert-im6.q16 {in} DIB:{out}", 0},
    {"TiffFromGm", ".tif", Source::Colour, "gm", "gm convert {in} TIFF:{out}", 0},
    {"TiffFromNetpbm", ".tiff", Source::Colour, "pnmtotiff", "pnmtotiff -lzw {in} > {out}", 0, true},
    {"GifFromGm", ".gif", Source::Colour, "gm", "gm convert {in} GIF:{out}", 0, true},
    {"IcoFromNetpbm", ".ico", Source::Colour, "pamtowinicon", "pamtowinicon {in} > {out}", 0},
    {"IcoFromImageMagick", ".ico", Source::Colour, "convert-im6.q16", "convert-im6.q16 {in} ICO:{out}", 0},
    {"PsdFromImageMagick", ".psd", Source::Colour, "convert-im6.q16", "convert-im6.q16 {in} PSD:{out}", 0, true},
    {"PddFromImageMagick", ".pdd", Source::Colour, "convert-im6.q16", "convert-im6.q16 {in} PSD:{out}", 0, true},
    {"PngFromGm", ".png", Source::Colour, "gm", "gm convert {in} PNG:{out}", 0},
    {"PngGreyFromNetpbm", ".png", Source::Grey, "pnmtopng", "pnmtopng {in} > {out}", 0},
    {"SgiFromGm", ".sgi", Source::Colour, "gm", "gm convert {in} SGI:{out}", 0},
    {"RgbFromNetpbm", ".rgb", Source::Colour, "pnmtosgi", "pnmtosgi -rle {in} > {out}", 0},
    {"RgbaFromGm", ".rgba", Source::Colour, "gm", "gm convert {in} SGI:{out}", 0},
    {"BwFromNetpbm", ".bw", Source::Grey, "pnmtosgi", "pnmtosgi {in} > {out}", 0},
    {"TgaFromGm", ".tga", Source::Colour, "gm", "gm convert {in} TGA:{out}", 0},
    {"TgaRunLengthFromNetpbm", ".tga", Source::Colour, "ppmtotga", "ppmtotga -rgb {in} > {out}", 0},
    {"VstFromGm", ".vst", Source::Colour, "gm", "gm convert {in} VST:{out}", 0},
    {"IcbFromGm", ".icb", Source::Colour, "gm", "gm convert {in} ICB:{out}", 0},
    {"VdaFromGm", ".vda", Source::Colour, "gm", "gm convert {in} VDA:{out}", 0},
    {"WinFromNetpbm", ".win", Source::Colour, "ppmtotga", "ppmtotga -rgb -norle {in} > {out}", 0},
    {"PcxFromGm", ".pcx", Source::Colour, "gm", "gm convert {in} PCX:{out}", 0, true},
    {"PccFromNetpbm", ".pcc", Source::Colour, "ppmtopcx", "ppmtopcx -24bit {in} > {out}", 0},
    // Photo CD keeps colour as subsampled YCC; GraphicsMagick's and ImageMagick's
    // conversions to and from it differ by this much on saturated colours.
    {"PhotoCdFromGm", ".pcd", Source::Blocks, "gm", "gm convert {in} PCD:{out}", 64},
    {"PpmFromNetpbm", ".ppm", Source::Colour, "pnmtoplainpnm", "pnmtoplainpnm {in} > {out}", 0},
    {"PgmFromGm", ".pgm", Source::Grey, "gm", "gm convert {in} PGM:{out}", 0},
    {"PbmFromGm", ".pbm", Source::Bilevel, "gm", "gm convert {in} PBM:{out}", 0},
    {"FaxFromGm", ".fax", Source::Bilevel, "gm", "gm convert {in} FAX:{out}", 0},
    {"FaxFromNetpbm", ".fax", Source::Bilevel, "pbmtog3", "pbmtog3 -nofixedwidth {in} > {out}", 0},
    {"UtahRleFromNetpbm", ".rle", Source::Colour, "pnmtorle", "pnmtorle {in} > {out}", 0},
};

class WrittenByTool : public ::testing::TestWithParam<WrittenFormat> {
protected:
    // Writes the source with the tool; returns the file, or "" with the test skipped.
    fs::path writeWithTool()
    {
        const WrittenFormat& f = GetParam();
        if (!haveTool(f.tool)) {
            m_skipReason = std::string(f.tool) + " is not installed";
            return {};
        }
        const fs::path in = m_dir / "source.pnm";
        const fs::path out = m_dir / (std::string("picture") + f.extension);
        writeNetpbm(f.source, in);
        std::string cmd = f.command;
        cmd.replace(cmd.find("{in}"), 4, in.string());
        cmd.replace(cmd.find("{out}"), 5, out.string());
        EXPECT_TRUE(support::quietly(cmd)) << cmd;
        return out;
    }
    TempFolder m_dir;
    std::string m_skipReason;
};

TEST_P(WrittenByTool, DecodesToTheSourcePattern)
{
    const fs::path file = writeWithTool();
    if (file.empty())
        GTEST_SKIP() << m_skipReason;
    std::vector<int> progress;
    const Bitmap got = imaging::loadBitmap(file.string(), [&](int p) { progress.push_back(p); });
    EXPECT_EQ(got.bytesPerPixel(), 3);
    EXPECT_LE(maxDifference(got, GetParam().source), GetParam().tolerance)
        << got.width() << " x " << got.height();
    ASSERT_FALSE(progress.empty());
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(progress.back(), 100);
}

TEST_P(WrittenByTool, TruncatedFileGivesAnErrorNotACrash)
{
    const fs::path file = writeWithTool();
    if (file.empty())
        GTEST_SKIP() << m_skipReason;
    std::vector<std::uint8_t> bytes = readBytes(file);
    for (const double keep : {0.0, 0.02, 0.5, 0.9}) {
        writeBytes(file, std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(bytes.size() * keep)));
        if (keep < 0.05 || !GetParam().showsPartOfCutFile) {
            EXPECT_THROW(imaging::loadBitmap(file.string()), ImagingError) << "keeping " << keep;
            continue;
        }
        try {
            const Bitmap part = imaging::loadBitmap(file.string());
            EXPECT_EQ(part.width(), sourceWidth(GetParam().source));
            EXPECT_EQ(part.height(), sourceHeight(GetParam().source));
        } catch (const ImagingError&) {
        }
    }
}

TEST_P(WrittenByTool, CorruptBytesGiveAPictureOrAnErrorNeverACrash)
{
    const fs::path file = writeWithTool();
    if (file.empty())
        GTEST_SKIP() << m_skipReason;
    const std::vector<std::uint8_t> original = readBytes(file);
    std::mt19937 random(1234);
    for (int round = 0; round < 12; ++round) {
        std::vector<std::uint8_t> bytes = original;
        // Headers are where sizes and offsets live: hit the first bytes hardest.
        for (int k = 0; k < 8; ++k) {
            const std::size_t limit = k < 5 ? std::min<std::size_t>(bytes.size(), 64) : bytes.size();
            bytes[random() % limit] = static_cast<std::uint8_t>(random());
        }
        writeBytes(file, bytes);
        try {
            const Bitmap got = imaging::loadBitmap(file.string());
            EXPECT_FALSE(got.empty());
        } catch (const ImagingError&) {
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Codecs, WrittenByTool, ::testing::ValuesIn(kWrittenFormats),
                         [](const auto& info) { return std::string(info.param.label); });

// ---- formats no Debian tool writes, built here from their published layouts ----

void put16be(std::vector<std::uint8_t>& v, std::size_t at, int x)
{
    v[at] = static_cast<std::uint8_t>(x >> 8);
    v[at + 1] = static_cast<std::uint8_t>(x);
}

// Alias/Wavefront RLA: a 740-byte big-endian header, a table of scanline offsets, then
// per scanline (the bottom one first) each channel run-length coded behind its length.
std::vector<std::uint8_t> makeRla(Source s, int announcedWidth = 0, int announcedHeight = 0)
{
    const int w = sourceWidth(s), h = sourceHeight(s);
    std::vector<std::uint8_t> file(740, 0);
    const int aw = announcedWidth ? announcedWidth : w, ah = announcedHeight ? announcedHeight : h;
    for (int base : {0, 8}) { // window, then active window: left, right, bottom, top
        put16be(file, base + 0, -(aw / 2));
        put16be(file, base + 2, aw - aw / 2 - 1);
        put16be(file, base + 4, -(ah / 2));
        put16be(file, base + 6, ah - ah / 2 - 1);
    }
    put16be(file, 16, 1);      // frame
    put16be(file, 20, 3);      // colour channels
    put16be(file, 26, 0xFFFE); // revision
    std::memcpy(file.data() + 580, "rgb", 3);
    put16be(file, 658, 8); // bits per channel
    put16be(file, 662, 8); // matte bits
    std::vector<std::uint8_t> lines;
    std::vector<std::uint32_t> offsets;
    for (int i = 0; i < h; ++i) {
        const int y = h - 1 - i;
        offsets.push_back(static_cast<std::uint32_t>(740 + 4 * h + lines.size()));
        for (int c = 0; c < 3; ++c) {
            std::vector<std::uint8_t> coded;
            for (int x0 = 0; x0 < w; x0 += 128) { // literal runs: a negative count, then the bytes
                const int n = std::min(128, w - x0);
                coded.push_back(static_cast<std::uint8_t>(-n));
                for (int x = x0; x < x0 + n; ++x) {
                    const Rgb p = sourcePixel(s, x, y);
                    coded.push_back(static_cast<std::uint8_t>(c == 0 ? p.r : c == 1 ? p.g : p.b));
                }
            }
            lines.push_back(static_cast<std::uint8_t>(coded.size() >> 8));
            lines.push_back(static_cast<std::uint8_t>(coded.size()));
            lines.insert(lines.end(), coded.begin(), coded.end());
        }
    }
    for (std::uint32_t o : offsets)
        for (int k = 3; k >= 0; --k)
            file.push_back(static_cast<std::uint8_t>(o >> (8 * k)));
    file.insert(file.end(), lines.begin(), lines.end());
    return file;
}

// Dr. Halo CUT: width, height, a reserved word, then each row's byte count and its
// run-length packets (count < 128: that many literal bytes), ended by a 0 packet.
// Without its palette file a pixel's index is its grey level.
std::vector<std::uint8_t> makeCut(Source s)
{
    const int w = sourceWidth(s), h = sourceHeight(s);
    std::vector<std::uint8_t> file = {std::uint8_t(w), std::uint8_t(w >> 8), std::uint8_t(h), std::uint8_t(h >> 8), 0, 0};
    for (int y = 0; y < h; ++y) {
        std::vector<std::uint8_t> row = {static_cast<std::uint8_t>(w)};
        for (int x = 0; x < w; ++x)
            row.push_back(static_cast<std::uint8_t>(sourcePixel(s, x, y).r));
        row.push_back(0);
        file.push_back(static_cast<std::uint8_t>(row.size()));
        file.push_back(static_cast<std::uint8_t>(row.size() >> 8));
        file.insert(file.end(), row.begin(), row.end());
    }
    return file;
}

// A placeable Windows metafile: a red rectangle over the left half of a 200 x 100
// window and a blue one over the right half, drawn with a null pen.
std::vector<std::uint8_t> makeWmf()
{
    std::vector<std::uint16_t> records;
    auto rec = [&](std::uint16_t function, std::initializer_list<std::uint16_t> params) {
        const std::uint32_t words = 3 + static_cast<std::uint32_t>(params.size());
        records.insert(records.end(), {std::uint16_t(words), std::uint16_t(words >> 16), function});
        records.insert(records.end(), params);
    };
    rec(0x020B, {0, 0});             // SetWindowOrg
    rec(0x020C, {100, 200});         // SetWindowExt: height, width
    rec(0x02FA, {5, 0, 0, 0, 0});    // CreatePenIndirect: null pen
    rec(0x012D, {0});                // SelectObject
    rec(0x02FC, {0, 0x00FF, 0, 0});  // CreateBrushIndirect: solid red (0x000000FF)
    rec(0x012D, {1});
    rec(0x041B, {100, 100, 0, 0});   // Rectangle: bottom, right, top, left
    rec(0x02FC, {0, 0, 0x00FF, 0});  // solid blue (0x00FF0000)
    rec(0x012D, {2});
    rec(0x041B, {100, 200, 0, 100});
    rec(0x0000, {});                 // end of file
    const std::uint32_t total = 9 + static_cast<std::uint32_t>(records.size());
    std::vector<std::uint16_t> words = {0xCDD7, 0x9AC6, 0, 0, 0, 200, 100, 96, 0, 0};
    std::uint16_t checksum = 0;
    for (std::uint16_t w : words)
        checksum ^= w;
    words.push_back(checksum);
    words.insert(words.end(), {1, 9, 0x0300, std::uint16_t(total), std::uint16_t(total >> 16), 3, 8, 0, 0});
    words.insert(words.end(), records.begin(), records.end());
    std::vector<std::uint8_t> bytes;
    for (std::uint16_t w : words)
        bytes.insert(bytes.end(), {std::uint8_t(w), std::uint8_t(w >> 8)});
    return bytes;
}

// Autodesk Animator picture or cel: a 32-byte header, 256 palette entries of 6-bit red,
// green, blue, then one index a pixel. Entry i is ((i % 4) * 21, (i / 4 % 4) * 21,
// (i / 16 % 4) * 21): 6-bit 21 is 8-bit 85, 63 is 255.
std::vector<std::uint8_t> makeAnimator(int w, int h, std::size_t dropAtEnd = 0)
{
    std::vector<std::uint8_t> file = {0x19, 0x91, std::uint8_t(w), std::uint8_t(w >> 8), std::uint8_t(h),
                                      std::uint8_t(h >> 8), 0, 0, 0, 0, 8, 0};
    const std::uint32_t size = static_cast<std::uint32_t>(w * h);
    for (int k = 0; k < 4; ++k)
        file.push_back(static_cast<std::uint8_t>(size >> (8 * k)));
    file.resize(32, 0);
    for (int i = 0; i < 256; ++i)
        file.insert(file.end(), {std::uint8_t(i % 4 * 21), std::uint8_t(i / 4 % 4 * 21), std::uint8_t(i / 16 % 4 * 21)});
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            file.push_back(static_cast<std::uint8_t>((x + 3 * y) % 64));
    file.resize(file.size() - dropAtEnd);
    return file;
}

TEST(HandBuiltFormats, AutodeskAnimatorPictureAndCelUseTheirPalette)
{
    TempFolder dir;
    for (const char* name : {"a.pic", "b.cel"}) {
        writeBytes(dir / name, makeAnimator(kWidth, kHeight));
        const Bitmap got = imaging::loadBitmap((dir / name).string());
        ASSERT_EQ(got.width(), kWidth);
        ASSERT_EQ(got.height(), kHeight);
        int wrong = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const int i = (x + 3 * y) % 64;
                const std::uint8_t* p = got.row(y) + 3 * x;
                wrong += p[2] != i % 4 * 85 || p[1] != i / 4 % 4 * 85 || p[0] != i / 16 % 4 * 85;
            }
        EXPECT_EQ(wrong, 0) << name;
    }
    writeBytes(dir / "cut.cel", makeAnimator(kWidth, kHeight, 1));
    expectErrorStartingWith([&] { imaging::loadBitmap((dir / "cut.cel").string()); }, imaging::msg::kCannotRead);
    // Animator Pro's chunked picture: file size, then 0x9500.
    writeBytes(dir / "pro.pic", {64, 0, 0, 0, 0x00, 0x95, 20, 0, 10, 0});
    expectErrorStartingWith([&] { imaging::loadBitmap((dir / "pro.pic").string()); }, imaging::msg::kNoReader);
}

TEST(HandBuiltFormats, AliasWavefrontRlaDecodesThroughTheGmHelper)
{
    if (!haveTool("gm"))
        GTEST_SKIP() << "gm is not installed";
    TempFolder dir;
    for (const char* ext : {"a.rla", "b.rpf"}) {
        writeBytes(dir / ext, makeRla(Source::Colour));
        const Bitmap got = imaging::loadBitmap((dir / ext).string());
        EXPECT_EQ(maxDifference(got, Source::Colour), 0) << ext;
        EXPECT_EQ(got.width(), kWidth);
        EXPECT_EQ(got.height(), kHeight);
    }
}

TEST(HandBuiltFormats, DrHaloCutWithoutPaletteIsGrey)
{
    TempFolder dir;
    writeBytes(dir / "grey.cut", makeCut(Source::Grey));
    EXPECT_EQ(maxDifference(imaging::loadBitmap((dir / "grey.cut").string()), Source::Grey), 0);
}

TEST(HandBuiltFormats, WindowsMetafileShowsItsTwoRectangles)
{
    TempFolder dir;
    writeBytes(dir / "halves.wmf", makeWmf());
    const Bitmap got = imaging::loadBitmap((dir / "halves.wmf").string());
    ASSERT_GT(got.width(), 8);
    ASSERT_GT(got.height(), 4);
    const std::uint8_t* left = got.row(got.height() / 2) + (got.width() / 4) * 3;
    const std::uint8_t* right = got.row(got.height() / 2) + (got.width() * 3 / 4) * 3;
    EXPECT_EQ((std::vector<int>{left[0], left[1], left[2]}), (std::vector<int>{0, 0, 255}));
    EXPECT_EQ((std::vector<int>{right[0], right[1], right[2]}), (std::vector<int>{255, 0, 0}));
}

TEST(HandBuiltFormats, StandardFaxKeepsItsLineWidth)
{
    if (!haveTool("pbmtog3"))
        GTEST_SKIP() << "pbmtog3 is not installed";
    TempFolder dir;
    writeNetpbm(Source::Bilevel, dir / "page.pbm");
    // pbmtog3 pads every line to the standard 1728 pixels with white.
    ASSERT_TRUE(support::quietly("pbmtog3 " + (dir / "page.pbm").string() + " > " + (dir / "page.fax").string()));
    const Bitmap got = imaging::loadBitmap((dir / "page.fax").string());
    EXPECT_EQ(got.width(), 1728);
    EXPECT_EQ(maxDifference(got, Source::Bilevel), 0);
}

TEST(HandBuiltFormats, IconFileGivesItsLargestPicture)
{
    if (!haveTool("convert-im6.q16"))
        GTEST_SKIP() << "convert-im6.q16 is not installed";
    TempFolder dir;
    writeNetpbm(Source::Blocks, dir / "big.ppm");
    ASSERT_TRUE(support::quietly("convert-im6.q16 " + (dir / "big.ppm").string() + " -define icon:auto-resize=16,64,32 ICO:" +
                  (dir / "sizes.ico").string()));
    const Bitmap got = imaging::loadBitmap((dir / "sizes.ico").string());
    EXPECT_EQ(got.width(), 64);
    EXPECT_EQ(got.height(), 64);
}

TEST(FileNames, PercentSignsColonsBracketsAndDashesAreNotTakenForOptions)
{
    TempFolder dir;
    for (const std::string stem : {"50% done", "a:b", "x[1]", "-dash", "copy %03d"}) {
        writeBytes(dir / (stem + ".cut"), makeCut(Source::Grey)); // through ImageMagick
        EXPECT_EQ(maxDifference(imaging::loadBitmap((dir / (stem + ".cut")).string()), Source::Grey), 0) << stem;
        imaging::saveBmp(sourceBitmap(Source::Colour).view(), (dir / (stem + ".bmp")).string()); // Qt
        EXPECT_EQ(maxDifference(imaging::loadBitmap((dir / (stem + ".bmp")).string()), Source::Colour), 0) << stem;
        if (!haveTool("gm"))
            continue;
        writeBytes(dir / (stem + ".rla"), makeRla(Source::Colour)); // through the gm helper
        EXPECT_EQ(maxDifference(imaging::loadBitmap((dir / (stem + ".rla")).string()), Source::Colour), 0) << stem;
    }
}

TEST(HandBuiltFormats, ExtensionsWithoutAReaderSayWhy)
{
    TempFolder dir;
    for (const char* name : {"a.emf", "a.psp"}) {
        writeBytes(dir / name, {1, 2, 3, 4});
        expectErrorStartingWith([&] { imaging::loadBitmap((dir / name).string()); }, imaging::msg::kNoReader);
    }
    writeBytes(dir / "a.pal", {1, 2, 3, 4});
    expectErrorStartingWith([&] { imaging::loadBitmap((dir / "a.pal").string()); }, imaging::msg::kPaletteFile);
}

// ---- headers that announce absurd sizes ----

struct HugeHeader {
    const char* name;
    std::vector<std::uint8_t> bytes;
};

std::vector<HugeHeader> hugeHeaders()
{
    std::vector<HugeHeader> cases;
    // JPEG: SOI, then a baseline frame header of 65000 x 65000 pixels, 3 components.
    cases.push_back({"huge.jpg", {0xFF, 0xD8, 0xFF, 0xC0, 0, 17, 8, 0xFD, 0xE8, 0xFD, 0xE8, 3, 1, 0x22, 0, 2,
                                  0x11, 1, 3, 0x11, 1, 0xFF, 0xDA, 0, 12, 3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0,
                                  0xFF, 0xD9}});
    // BMP: 1 000 000 x 1 000 000 pixels at 24 bits.
    std::vector<std::uint8_t> bmp(54 + 16, 0);
    bmp[0] = 'B', bmp[1] = 'M', bmp[10] = 54, bmp[14] = 40;
    for (int at : {18, 22}) {
        bmp[at] = 0x40, bmp[at + 1] = 0x42, bmp[at + 2] = 0x0F; // 1 000 000
    }
    bmp[26] = 1, bmp[28] = 24;
    cases.push_back({"huge.bmp", bmp});
    // Targa: uncompressed true colour, 65535 x 65535.
    std::vector<std::uint8_t> tga(18 + 16, 0);
    tga[2] = 2, tga[12] = 0xFF, tga[13] = 0xFF, tga[14] = 0xFF, tga[15] = 0xFF, tga[16] = 24;
    cases.push_back({"huge.tga", tga});
    // SGI: magic 474, uncompressed, 1 byte per channel, 3 dimensions, 65535 x 65535 x 3.
    std::vector<std::uint8_t> sgi(512 + 16, 0);
    sgi[0] = 0x01, sgi[1] = 0xDA, sgi[3] = 1, sgi[5] = 3;
    sgi[6] = 0xFF, sgi[7] = 0xFF, sgi[8] = 0xFF, sgi[9] = 0xFF, sgi[11] = 3;
    sgi[19] = 0xFF; // largest pixel value
    cases.push_back({"huge.sgi", sgi});
    // PCX: version 5, RLE, 8 bits, window 0..65534 both ways, 3 planes.
    std::vector<std::uint8_t> pcx(128 + 16, 0);
    pcx[0] = 10, pcx[1] = 5, pcx[2] = 1, pcx[3] = 8;
    pcx[8] = 0xFE, pcx[9] = 0xFF, pcx[10] = 0xFE, pcx[11] = 0xFF, pcx[65] = 3, pcx[66] = 0xFF, pcx[67] = 0xFF;
    cases.push_back({"huge.pcx", pcx});
    // Photoshop: version 1 allows 30 000 x 30 000; 3 channels of 8 bits, RGB.
    std::vector<std::uint8_t> psd = {'8', 'B', 'P', 'S', 0, 1, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0x75, 0x30, 0, 0,
                                     0x75, 0x30, 0, 8, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    cases.push_back({"huge.psd", psd});
    // Portable pixmap.
    const std::string ppm = "P6\n2000000000 2000000000\n255\n";
    cases.push_back({"huge.ppm", {ppm.begin(), ppm.end()}});
    cases.push_back({"huge.rla", makeRla(Source::Colour, 60000, 60000)});
    std::vector<std::uint8_t> cel = makeAnimator(1, 1);
    cel[2] = cel[3] = cel[4] = cel[5] = 0xFF; // 65535 x 65535
    cases.push_back({"huge.cel", cel});
    return cases;
}

TEST(HostileFiles, HeadersAnnouncingHugeSizesAreRefusedBeforeDecoding)
{
    TempFolder dir;
    const long peakBefore = support::peakMemoryKb();
    for (const HugeHeader& c : hugeHeaders()) {
        writeBytes(dir / c.name, c.bytes);
        try {
            imaging::loadBitmap((dir / c.name).string());
            ADD_FAILURE() << c.name << " loaded";
        } catch (const ImagingError& e) {
            const std::string text = e.what();
            // Our size check, or the library's own check that the file is long enough for
            // what its header announces (Photoshop, PCX, netpbm)...
            const std::string_view name = c.name;
            const bool ownCheck = name == "huge.jpg" || name == "huge.bmp" || name == "huge.tga" || name == "huge.rla" ||
                                 name == "huge.sgi" || name == "huge.cel";
            EXPECT_TRUE(text.rfind(imaging::msg::kTooLarge, 0) == 0 ||
                        (!ownCheck && text.rfind(imaging::msg::kCannotRead, 0) == 0))
                << c.name << ": " << text;
        }
    }
    // ... and in no case the gigabytes of pixel memory the headers ask for.
    EXPECT_LT(support::peakMemoryKb() - peakBefore, 256 * 1024);
}

TEST(HostileFiles, MissingEmptyAndFolderPathsGiveClearErrors)
{
    TempFolder dir;
    expectErrorStartingWith([&] { imaging::loadBitmap((dir / "absent.png").string()); }, imaging::msg::kCannotOpen);
    expectErrorStartingWith([&] { imaging::loadBitmap((dir / "absent.psd").string()); }, imaging::msg::kCannotOpen);
    fs::create_directory(dir / "folder.jpg");
    expectErrorStartingWith([&] { imaging::loadBitmap((dir / "folder.jpg").string()); }, imaging::msg::kCannotOpen);
    writeBytes(dir / "empty.jpg", {});
    expectErrorStartingWith([&] { imaging::loadBitmap((dir / "empty.jpg").string()); }, imaging::msg::kCorruptJpeg);
    writeBytes(dir / "notes.txt", {'h', 'i'});
    expectErrorStartingWith([&] { imaging::loadBitmap((dir / "notes.txt").string()); }, imaging::msg::kNotAccepted);
}

TEST(HostileFiles, NamedPipeDoesNotHangTheLoader)
{
    TempFolder dir;
    const fs::path pipe = dir / "pipe.png";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    expectErrorStartingWith([&] { imaging::loadBitmap(pipe.string()); }, imaging::msg::kCannotOpen);
}

// ---- the accepted extensions ----

TEST(AcceptedExtensions, WholeEntriesOnlyInAnyCase)
{
    for (const char* ext : {".JPG", ".jpeg", ".Tif", ".RGBA", ".bw", ".DIB", ".rpf"})
        EXPECT_TRUE(imaging::isAcceptedExtension(ext)) << ext;
    // Parts of entries once passed a substring test and then failed to decode.
    for (const char* ext : {".J", ".JP", ".T", ".G", ".RG", "", ".", ".*", ".DIB .*", ".txt", "PG.P"})
        EXPECT_FALSE(imaging::isAcceptedExtension(ext)) << ext;
}

TEST(AcceptedExtensions, TheExtensionIsTakenAfterTheLastSlash)
{
    EXPECT_TRUE(imaging::hasAcceptedExtension("/photos/holiday.2023/beach.JPG"));
    EXPECT_FALSE(imaging::hasAcceptedExtension("/photos/holiday.jpg/README"));
    EXPECT_EQ(imaging::extensionOf("/a.b/c.tar.gz"), ".gz");
    EXPECT_EQ(imaging::extensionOf("/a.b/c"), "");
}

TEST(AcceptedExtensions, EveryEntryHasADecoderOrSaysItHasNone)
{
    const std::string list = ".JPG.JPEG.BMP.TIF.TIFF.WMF.EMF.FAX.GIF.ICO.PSD.PDD.PSP.PNG.BW.RGB.RGBA.SGI.CEL.PIC.TGA."
                             "VST.ICB.VDA.WIN.PCX.PCC.PCD.PPM.PGM.PBM.CUT.PAL.GIF.RLA.RPF.RLE.DIB"
                             ".HEIC.HEIF.HIF.AVIF.WEBP.JXL.DNG.CR2.CR3.NEF.ARW.ORF.RAF.RW2.PEF";
    std::size_t count = 0;
    for (std::size_t at = 0; at < list.size();) {
        const std::size_t next = list.find('.', at + 1);
        const std::string ext = list.substr(at, next == std::string::npos ? std::string::npos : next - at);
        EXPECT_TRUE(imaging::isAcceptedExtension(ext)) << ext;
        at = next == std::string::npos ? list.size() : next;
        ++count;
    }
    EXPECT_EQ(count, 53u);                           // GIF is listed twice
    EXPECT_EQ(imaging::acceptedFormats().size(), 52u);
}

} // namespace
