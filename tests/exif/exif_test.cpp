// The EXIF reader against hand-built blocks: the header, the tag table, the directory
// walk and hostile files. The texts made of what it reads are in exif_details_test.cpp.
#include "core/messages.h"
#include "exif/core/exif.h"
#include "tests/exif/block_builder.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <span>

namespace fs = std::filesystem;

using exif::ExifItem;
using namespace blocks;

namespace {

// A source that counts what is asked of it, to see that the reader stays near the header.
class CountingSource final : public exif::ByteSource {
public:
    explicit CountingSource(const Bytes& bytes) : m_inner(bytes) {}
    std::uint64_t size() const override { return m_inner.size(); }
    bool readAt(std::uint64_t offset, std::span<std::uint8_t> out) override
    {
        m_bytesRead += out.size();
        return m_inner.readAt(offset, out);
    }
    std::uint64_t bytesRead() const { return m_bytesRead; }

private:
    exif::MemorySource m_inner;
    std::uint64_t m_bytesRead = 0;
};

// The usual camera layout: IFD0 ending with the EXIF pointer, then the EXIF directory,
// which ends with an inline value so that the walk stops there.
Bytes cameraFile(const BlockBuilder& b, std::uint32_t expNum, std::uint32_t expDen)
{
    return jpegWithExif(b.build({
        {b.ascii(271, "Maker"), b.ascii(272, "Model 1"), b.rational(282, 300, 1), b.shortValue(296, 2),
         b.ascii(306, "2021:03:04 05:06:07"), b.pointer(34665, 1)},
        {b.rational(33434, expNum, expDen), b.rational(33437, 28, 10), b.ascii(36867, "2020:01:02 03:04:05"),
         b.rational(37377, 6, 1, 10), b.rational(37378, 5, 1), b.rational(37386, 54, 10), b.shortValue(37383, 5),
         b.shortValue(37384, 21), b.shortValue(37385, 7)},
    }));
}

class ByteOrders : public ::testing::TestWithParam<bool> {
protected:
    BlockBuilder b{GetParam()};
    int expectedResult() const { return GetParam() ? exif::kMotorolaOrder : exif::kIntelOrder; }
};

INSTANTIATE_TEST_SUITE_P(Exif, ByteOrders, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Motorola" : "Intel"; });

} // namespace

// ---- header checks --------------------------------------------------------------------

TEST(ExifHeader, FilesThatAreNotJpegGiveMinusOne)
{
    EXPECT_EQ(readBytes({}).result, exif::kNotJpeg);
    EXPECT_EQ(readBytes({0xFF}).result, exif::kNotJpeg);
    EXPECT_EQ(readBytes({'G', 'I', 'F', '8', '9', 'a'}).result, exif::kNotJpeg);
    EXPECT_EQ(exif::readExif(fs::path(PAGINOR_BUILD_DIR) / "no-such-file.jpg").result, exif::kNotJpeg);
    // A folder opens on Linux; it must still not count as a file.
    EXPECT_EQ(exif::readExif(fs::path(PAGINOR_BUILD_DIR)).result, exif::kNotJpeg);
}

TEST(ExifHeader, JfifSegmentBeforeTheExifBlockGivesNoExif)
{
    const Bytes exifFile = cameraFile(BlockBuilder(false), 1, 250);
    Bytes file{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0};
    file.insert(file.end(), exifFile.begin() + 2, exifFile.end());
    const exif::ReadResult r = readBytes(file);
    EXPECT_EQ(r.result, exif::kNoExif);
    EXPECT_TRUE(r.items.empty());
}

TEST(ExifHeader, DamagedSignatureOrByteOrderGivesNoExif)
{
    const Bytes good = cameraFile(BlockBuilder(false), 1, 250);
    for (std::size_t pos : {6u, 9u, 10u, 11u, 12u, 13u}) {
        Bytes bad = good;
        bad[pos] = pos == 13 ? 'M' : 'x'; // "IM" is no byte order either
        EXPECT_EQ(readBytes(bad).result, exif::kNoExif) << "byte " << pos;
    }
    EXPECT_EQ(readBytes(Bytes(good.begin(), good.begin() + 14)).result, exif::kNoExif);
}

TEST_P(ByteOrders, WrongMagicIsShownOnceAndReadingGoesOn)
{
    Bytes file = cameraFile(b, 1, 250);
    file[GetParam() ? 15 : 14] = 0x2B;
    core::ScriptedMessages sink;
    const exif::ReadResult r = readBytes(file, &sink);
    EXPECT_EQ(r.result, expectedResult());
    EXPECT_EQ(sink.texts(), std::vector<std::string>{std::string(exif::kWrongTiffMagic)});
    EXPECT_EQ(valueOf(r.items, 271), "Maker");
}

TEST(ExifHeader, WrongMagicGoesThroughTheProgramsMessageSink)
{
    Bytes file = cameraFile(BlockBuilder(true), 1, 250);
    file[14] = 0x2A; // 2A 00 in Motorola order is 10752
    file[15] = 0x00;
    core::ScriptedMessages sink;
    core::setMessages(&sink);
    exif::MemorySource source(file);
    const exif::ReadResult r = exif::readExif(source);
    core::setMessages(nullptr);
    EXPECT_EQ(r.result, exif::kMotorolaOrder);
    EXPECT_EQ(sink.texts(), std::vector<std::string>{std::string(exif::kWrongTiffMagic)});
}

// ---- the tag table ----------------------------------------------------------------------

TEST_P(ByteOrders, UsualCameraFileGivesTheDocumentedTexts)
{
    const exif::ReadResult r = readBytes(cameraFile(b, 10, 8));
    EXPECT_EQ(r.result, expectedResult());
    const std::vector<ExifItem> expected{
        {271, "Camera Manufacturer", "Maker"},
        {272, "Camera Model", "Model 1"},
        {282, "Xres", "300"},
        {296, "Resolution Units", "Inch"},
        {306, "Date/Time (modified)", "2021:03:04 05:06:07"},
        {33434, "1 / Exposure", GetParam() ? "1/0.8" : "1/1"}, // rounded in Intel order only
        {33437, "Aperture (f number)", "f2.8"},
        {36867, "Date/Time (Orig)", "2020:01:02 03:04:05"},
        {37377, "Shutter Speed", "1/64"},
        {37378, "Aperture (Calculated)", "f6.0"},
        {37386, "Focal Length (mm)", "5.4"},
        {37383, "Metering Mode", "Multi Segment"},
        {37384, "Light Source", "21"},
        {37385, "Flash Used", "No"}, // 7: fired, return detected; only exactly 1 says Yes
    };
    EXPECT_EQ(r.items, expected);
}

TEST_P(ByteOrders, InlineCodesMapToTheirNames)
{
    struct Case { std::uint16_t tag, value; const char* text; };
    const Case cases[] = {
        {296, 1, " Unknown"}, {296, 3, "CM"}, {296, 9, "Unknown"},
        {37383, 1, "Average"}, {37383, 2, "Center Weighted"}, {37383, 3, "Spot"}, {37383, 4, "Multi Spot"},
        {37383, 6, "Partial"}, {37383, 0, "Unknown"}, {37383, 255, "Unknown"},
        {37384, 0, "Unknown"}, {37384, 1, "Daylight"}, {37384, 2, "Fluorescent"}, {37384, 3, "Tungsten"},
        {37384, 10, "Flash"}, {37384, 255, "255"}, {37385, 1, "Yes"}, {37385, 0, "No"}, {37385, 16, "No"},
    };
    for (const Case& c : cases) {
        const exif::ReadResult r = readBytes(jpegWithExif(b.build({{b.shortValue(c.tag, c.value)}})));
        EXPECT_EQ(valueOf(r.items, c.tag), c.text) << c.tag << " = " << c.value;
    }
}

TEST_P(ByteOrders, RationalsFollowTheirRules)
{
    struct Case { std::uint16_t tag; std::uint32_t num, den; std::uint16_t type; const char* text; };
    const Case cases[] = {
        {33437, 28, 0, 5, "f1"},               // a zero denominator reads as 1/1
        {37386, 0, 0, 5, "1"},
        {37122, 4, 1, 5, "4 / 1"},
        {37122, 9, 0, 5, "1 / 1"},
        {37382, 25, 10, 5, "2.5"},
        {283, 72, 7, 5, "72"},                 // the denominator is not used
        {37377, 5, 2, 10, "1/4"},              // 2.5 rounds to 2
        {37377, 7, 2, 10, "1/16"},             // 3.5 rounds to 4
        {37377, std::uint32_t(-5), 1, 10, "1/0.03125"}, // signed rational: 2^-5
        {37378, 0, 1, 5, "f1.0"},
        {37378, 1, 1, 5, "f1.0"},              // 1.412 to one significant digit
        {37378, 3, 1, 5, "f3.0"},
        {37378, 7, 1, 5, "f10.0"},             // 11.2 has two digits before the point
        {37381, 2, 1, 5, "f2.0"},
        {33437, 56, 10, 7, "f5.6"},            // read whatever the declared type
        {37386, 1, 3, 5, "0.333333333333333"},
    };
    for (const Case& c : cases) {
        Field f = b.rational(c.tag, c.num, c.den, c.type);
        if (c.type == 7)
            f.count = 8; // eight bytes of UNDEFINED
        const exif::ReadResult r = readBytes(jpegWithExif(b.build({{f}})));
        EXPECT_EQ(valueOf(r.items, c.tag), c.text) << c.tag << " = " << c.num << "/" << c.den;
    }
}

TEST(ExifRationals, ExposureTimeRoundsHalfToEvenInIntelOrderOnly)
{
    for (bool motorola : {false, true}) {
        const BlockBuilder b(motorola);
        const exif::ReadResult r = readBytes(jpegWithExif(b.build({{b.rational(33434, 2, 5)}})));
        EXPECT_EQ(valueOf(r.items, 33434), motorola ? "1/2.5" : "1/2");
    }
}

TEST_P(ByteOrders, ZeroExposureTimeGivesNoItemRatherThanADivisionByZero)
{
    const exif::ReadResult r = readBytes(jpegWithExif(b.build({{b.rational(33434, 0, 250)}})));
    EXPECT_EQ(r.result, expectedResult());
    EXPECT_EQ(valueOf(r.items, 33434), std::nullopt);
}

TEST_P(ByteOrders, TextsStopAtTheFirstZeroAndAreCutAt255Bytes)
{
    Field embeddedZero = b.ascii(270, std::string("Can\0on", 6));
    Field fixed = b.ascii(4096, std::string("JP\0G", 4)); // fixed text keeps its zero bytes
    const std::string longText(300, 'x');
    const exif::ReadResult r = readBytes(jpegWithExif(b.build({{embeddedZero, fixed, b.ascii(33432, longText)}})));
    EXPECT_EQ(valueOf(r.items, 270), "Can");
    EXPECT_EQ(valueOf(r.items, 4096), std::string("JP\0G\0", 5));
    EXPECT_EQ(valueOf(r.items, 33432), std::string(255, 'x'));
}

TEST_P(ByteOrders, TextsNotStoredAsAsciiOrHeldInlineAreSkipped)
{
    Field undefinedMake = b.ascii(271, "Maker");
    undefinedMake.type = 7;
    const Field inlineModel{272, 2, 3, 0x00504800u, {}}; // "HP" fits in the value field
    const exif::ReadResult r = readBytes(jpegWithExif(b.build({{undefinedMake, inlineModel, b.ascii(305, "v1.0")}})));
    EXPECT_EQ(r.items, (std::vector<ExifItem>{{305, "Camera Software version", "v1.0"}}));
}

TEST_P(ByteOrders, LaterOccurrenceOfATagAfterAFailedConditionStillCounts)
{
    Field inlineMake{271, 2, 2, 0u, {}};
    const exif::ReadResult r = readBytes(jpegWithExif(b.build({{inlineMake, b.ascii(271, "Second")}})));
    EXPECT_EQ(valueOf(r.items, 271), "Second");
}

// ---- the directory walk -----------------------------------------------------------------

TEST_P(ByteOrders, FirstOccurrenceOfATagInTwoDirectoriesWins)
{
    const exif::ReadResult r = readBytes(jpegWithExif(b.build({
        {b.ascii(271, "First"), b.pointer(34665, 1)},
        {b.ascii(271, "Second"), b.rational(33437, 4, 1)},
    })));
    EXPECT_EQ(r.items, (std::vector<ExifItem>{{271, "Camera Manufacturer", "First"}, {33437, "Aperture (f number)", "f4"}}));
}

TEST_P(ByteOrders, DirectoryEndingWithoutThePointerYieldsOnlyItsOwnItems)
{
    // Orientation 1 last: its value field is no offset between 15 and 1792.
    const exif::ReadResult r = readBytes(jpegWithExif(b.build({
        {b.ascii(271, "Maker"), b.pointer(34665, 1), b.shortValue(274, 1)},
        {b.rational(33437, 28, 10)},
    })));
    EXPECT_EQ(r.items, (std::vector<ExifItem>{{271, "Camera Manufacturer", "Maker"}}));
}

TEST_P(ByteOrders, AtMostThreeDirectoriesAreRead)
{
    const exif::ReadResult r = readBytes(jpegWithExif(b.build({
        {b.ascii(271, "Maker"), b.pointer(34665, 1)},
        {b.ascii(272, "Model"), b.pointer(40965, 2)},
        {b.ascii(305, "v1.0"), b.pointer(1, 3)},
        {b.ascii(270, "Fourth")},
    })));
    EXPECT_EQ(valueOf(r.items, 305), "v1.0");
    EXPECT_EQ(valueOf(r.items, 270), std::nullopt);
}

TEST_P(ByteOrders, DirectoryPointingAtItselfEndsAfterThreeReadings)
{
    const exif::ReadResult r = readBytes(jpegWithExif(b.build({{b.ascii(271, "Loop"), b.pointer(34665, 0)}}, 16)));
    EXPECT_EQ(r.items, (std::vector<ExifItem>{{271, "Camera Manufacturer", "Loop"}}));
}

// ---- hostile files ------------------------------------------------------------------------

TEST_P(ByteOrders, EntryCountBeyondTheFileReadsOnlyTheEntriesInIt)
{
    Bytes file = jpegWithExif(b.build({{b.ascii(271, "Maker"), b.rational(33437, 28, 10)}}));
    const Bytes huge = b.u16(65535);
    file[12 + 8] = huge[0];
    file[12 + 9] = huge[1];
    CountingSource source(file);
    core::ScriptedMessages quiet;
    const exif::ReadResult r = exif::readExif(source, {".", &quiet});
    EXPECT_EQ(r.result, expectedResult());
    EXPECT_EQ(valueOf(r.items, 271), "Maker");
    EXPECT_LE(source.bytesRead(), file.size() + 32);
}

TEST_P(ByteOrders, OffsetsBeyondTheFileLoseOnlyTheirItems)
{
    Field farMake = b.ascii(271, "Maker");
    Field farRational = b.rational(33437, 28, 10);
    const Bytes tiff = b.build({{farMake, farRational, b.ascii(272, "Model")}});
    Bytes file = jpegWithExif(tiff);
    // Aim the two value offsets past the end (0xFFFFFFF8 would wrap in 32 bits).
    const Bytes far = b.u32(0xFFFFFFF8u);
    for (int entry : {0, 1})
        std::copy(far.begin(), far.end(), file.begin() + 12 + 8 + 2 + 12 * entry + 8);
    const exif::ReadResult r = readBytes(file);
    EXPECT_EQ(r.items, (std::vector<ExifItem>{{272, "Camera Model", "Model"}}));
}

TEST_P(ByteOrders, HugeCountsAreNotTakenForInlineValues)
{
    // 2^29 rationals or 2^31 shorts are 2^32 bytes: a 32-bit size would wrap to 0 and
    // pass for an inline value.
    Field manyRationals = b.rational(33437, 28, 10);
    manyRationals.count = 1u << 29;
    Field manyFlashes = b.shortValue(37385, 1);
    manyFlashes.count = 1u << 31;
    const exif::ReadResult r = readBytes(jpegWithExif(b.build({{manyRationals, manyFlashes}})));
    EXPECT_EQ(r.items, (std::vector<ExifItem>{{33437, "Aperture (f number)", "f2.8"}}));
}

TEST_P(ByteOrders, TruncationAtEveryLengthNeverFailsAndOnlyLosesItems)
{
    const Bytes whole = cameraFile(b, 1, 250);
    const std::size_t fullCount = readBytes(whole).items.size();
    for (std::size_t n = 0; n <= whole.size(); ++n) {
        const exif::ReadResult r = readBytes(Bytes(whole.begin(), whole.begin() + std::ptrdiff_t(n)));
        ASSERT_LE(r.items.size(), fullCount) << "length " << n;
        if (n >= 16) {
            ASSERT_EQ(r.result, expectedResult()) << "length " << n;
        }
    }
}

TEST(ExifFile, OnlyTheHeaderAreaOfALargeFileIsRead)
{
    const BlockBuilder b(false);
    Bytes file = jpegWithExif(b.build({{b.ascii(271, "Maker"), b.shortValue(274, 1)}}));
    file.resize(4 << 20, 0x55);
    CountingSource source(file);
    core::ScriptedMessages quiet;
    EXPECT_EQ(exif::readExif(source, {".", &quiet}).items.size(), 1u);
    EXPECT_LT(source.bytesRead(), 1024u);
}

TEST(ExifFile, GarbageDirectoriesInALargeFileAreReadAtMostThreeTimes)
{
    // The text's offset passes for a directory offset, and so does each garbage entry's
    // value: the walk must still end after three directories of at most 65535 entries.
    const BlockBuilder b(false);
    Bytes file = jpegWithExif(b.build({{b.ascii(271, "\xff\xff\xff\xff")}}));
    file.resize(4 << 20, 0x01);
    CountingSource source(file);
    core::ScriptedMessages quiet;
    EXPECT_EQ(exif::readExif(source, {".", &quiet}).items.size(), 1u);
    EXPECT_LE(source.bytesRead(), 3u * (2 + 65535 * 12) + 64);
}

TEST(ExifFile, ReadsTheSameFromDiskAsFromMemory)
{
    const Bytes bytes = cameraFile(BlockBuilder(true), 1, 250);
    const support::TempFolder folder;
    const auto path = folder / "disk.jpg";
    support::writeBytes(path, bytes);
    core::ScriptedMessages quiet;
    const exif::ReadResult fromDisk = exif::readExif(path, {".", &quiet});
    EXPECT_EQ(fromDisk.result, exif::kMotorolaOrder);
    EXPECT_EQ(fromDisk.items, readBytes(bytes).items);
}
