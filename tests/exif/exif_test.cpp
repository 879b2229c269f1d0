// The EXIF reader against hand-built blocks and against files written by exiftool, the
// details text, the number formats and `paginor exif`.
#include "core/command.h"
#include "core/messages.h"
#include "exif/core/exif.h"
#include "exif/cli/exif_command.h"
#include "exif/core/number_format.h"
#include "settings/core/settings.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>

namespace fs = std::filesystem;
using exif::ExifItem;

namespace {

using Bytes = std::vector<std::uint8_t>;

// One directory entry of a hand-built block. Either the value field is given as its four
// bytes in the file (inline), or payload holds the value and the builder places it in the
// data area, or the field points at another directory of the block.
struct Field {
    std::uint16_t tag;
    std::uint16_t type;
    std::uint32_t count;
    std::optional<std::uint32_t> value;  // the value field as a number in the block's order
    Bytes payload;                       // placed after the directories
    int directory = -1;                  // the field holds that directory's offset
};

// Writes TIFF structures in either byte order: directories one after the other from
// offset 8, then every payload.
class BlockBuilder {
public:
    explicit BlockBuilder(bool motorola) : m_motorola(motorola) {}

    Bytes u16(std::uint32_t v) const
    {
        return m_motorola ? Bytes{Bytes::value_type(v >> 8), Bytes::value_type(v)}
                          : Bytes{Bytes::value_type(v), Bytes::value_type(v >> 8)};
    }
    Bytes u32(std::uint32_t v) const
    {
        Bytes b{Bytes::value_type(v), Bytes::value_type(v >> 8), Bytes::value_type(v >> 16), Bytes::value_type(v >> 24)};
        if (m_motorola)
            std::reverse(b.begin(), b.end());
        return b;
    }

    Field ascii(std::uint16_t tag, const std::string& text) const
    {
        Bytes b(text.begin(), text.end());
        b.push_back(0);
        return {tag, 2, std::uint32_t(b.size()), {}, b};
    }
    Field rational(std::uint16_t tag, std::uint32_t num, std::uint32_t den, std::uint16_t type = 5) const
    {
        Bytes b = u32(num);
        const Bytes d = u32(den);
        b.insert(b.end(), d.begin(), d.end());
        return {tag, type, 1, {}, b};
    }
    // A SHORT sits in the first two bytes of the value field whatever the byte order.
    Field shortValue(std::uint16_t tag, std::uint16_t v) const
    {
        Bytes field = u16(v);
        field.resize(4, 0);
        return {tag, 3, 1, readU32(field), {}};
    }
    Field pointer(std::uint16_t tag, int directory) const { return {tag, 4, 1, {}, {}, directory}; }

    Bytes build(const std::vector<std::vector<Field>>& dirs, std::uint32_t firstOffset = 8) const
    {
        std::vector<std::uint32_t> dirOffsets;
        std::uint32_t at = firstOffset;
        for (const auto& d : dirs) {
            dirOffsets.push_back(at);
            at += 2 + 12 * std::uint32_t(d.size()) + 4;
        }
        Bytes out = m_motorola ? Bytes{'M', 'M'} : Bytes{'I', 'I'};
        append(out, u16(42));
        append(out, u32(firstOffset));
        out.resize(firstOffset, 0);
        Bytes data;
        for (const auto& d : dirs) {
            append(out, u16(std::uint32_t(d.size())));
            for (const Field& f : d) {
                append(out, u16(f.tag));
                append(out, u16(f.type));
                append(out, u32(f.count));
                if (f.directory >= 0)
                    append(out, u32(dirOffsets.at(std::size_t(f.directory))));
                else if (f.value)
                    append(out, u32(*f.value));
                else {
                    append(out, u32(at + std::uint32_t(data.size())));
                    append(data, f.payload);
                }
            }
            append(out, u32(0));
        }
        append(out, data);
        return out;
    }

private:
    static void append(Bytes& to, const Bytes& from) { to.insert(to.end(), from.begin(), from.end()); }
    std::uint32_t readU32(const Bytes& b) const
    {
        return m_motorola ? std::uint32_t(b[0]) << 24 | b[1] << 16 | b[2] << 8 | b[3]
                          : std::uint32_t(b[3]) << 24 | b[2] << 16 | b[1] << 8 | b[0];
    }
    bool m_motorola;
};

// A JPEG file whose APP1 segment holds tiff, directly after the start marker.
Bytes jpegWithExif(const Bytes& tiff)
{
    const std::size_t length = 2 + 6 + tiff.size();
    Bytes out{0xFF, 0xD8, 0xFF, 0xE1, std::uint8_t(length >> 8), std::uint8_t(length), 'E', 'x', 'i', 'f', 0, 0};
    out.insert(out.end(), tiff.begin(), tiff.end());
    out.insert(out.end(), {0xFF, 0xD9});
    return out;
}

exif::ReadResult readBytes(const Bytes& file, app::Messages* sink = nullptr, std::string separator = ".")
{
    exif::MemorySource source(file);
    exif::ReadOptions options;
    options.decimalSeparator = separator;
    app::ScriptedMessages quiet;
    options.messages = sink ? sink : &quiet;
    return exif::Read_Exif(source, options);
}

std::optional<std::string> valueOf(const std::vector<ExifItem>& items, std::int32_t tag)
{
    for (const ExifItem& item : items)
        if (item.tag == tag)
            return item.value;
    return std::nullopt;
}

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
    EXPECT_EQ(exif::Read_Exif(fs::path(PAGINOR_BUILD_DIR) / "no-such-file.jpg").result, exif::kNotJpeg);
    // A folder opens on Linux; it must still not count as a file.
    EXPECT_EQ(exif::Read_Exif(fs::path(PAGINOR_BUILD_DIR)).result, exif::kNotJpeg);
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
    app::ScriptedMessages sink;
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
    app::ScriptedMessages sink;
    app::setMessages(&sink);
    exif::MemorySource source(file);
    const exif::ReadResult r = exif::Read_Exif(source);
    app::setMessages(nullptr);
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
    app::ScriptedMessages quiet;
    const exif::ReadResult r = exif::Read_Exif(source, {".", &quiet});
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
    app::ScriptedMessages quiet;
    EXPECT_EQ(exif::Read_Exif(source, {".", &quiet}).items.size(), 1u);
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
    app::ScriptedMessages quiet;
    EXPECT_EQ(exif::Read_Exif(source, {".", &quiet}).items.size(), 1u);
    EXPECT_LE(source.bytesRead(), 3u * (2 + 65535 * 12) + 64);
}

TEST(ExifFile, ReadsTheSameFromDiskAsFromMemory)
{
    const Bytes bytes = cameraFile(BlockBuilder(true), 1, 250);
    const fs::path path = fs::path(PAGINOR_BUILD_DIR) / "exif_test_disk.jpg";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    app::ScriptedMessages quiet;
    const exif::ReadResult fromDisk = exif::Read_Exif(path, {".", &quiet});
    EXPECT_EQ(fromDisk.result, exif::kMotorolaOrder);
    EXPECT_EQ(fromDisk.items, readBytes(bytes).items);
    fs::remove(path);
}

// ---- number texts ---------------------------------------------------------------------------

TEST(ExifNumbers, GeneralFormatIsTheShortestWithFifteenDigits)
{
    const std::pair<double, const char*> cases[] = {
        {2.8, "2.8"}, {60, "60"}, {0.5, "0.5"}, {0, "0"}, {-1.25, "-1.25"}, {0.00001, "0.00001"},
        {0.000001, "1E-6"}, {0.0000125, "0.0000125"}, {0.0000099, "9.9E-6"}, {123456789012345.0, "123456789012345"},
        {1e15, "1E15"}, {1152921504606846976.0, "1.15292150460685E18"}, {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"}, {HUGE_VAL, "INF"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(exif::formatGeneral(value, "."), text) << value;
}

TEST(ExifNumbers, RoundingSendsHalvesToTheEvenNeighbour)
{
    EXPECT_EQ(exif::roundHalfEven(2.5), 2);
    EXPECT_EQ(exif::roundHalfEven(3.5), 4);
    EXPECT_EQ(exif::roundHalfEven(-2.5), -2);
    EXPECT_EQ(exif::roundHalfEven(2.5000001), 3);
}

TEST(ExifNumbers, InjectedDecimalSeparatorIsUsed)
{
    EXPECT_EQ(exif::formatGeneral(2.8, ","), "2,8");
    EXPECT_EQ(exif::formatGeneral(0.0000099, ","), "9,9E-6");
    EXPECT_EQ(exif::formatOneDigit(5.61, ","), "6,0");
    const BlockBuilder b(false);
    const Bytes file = jpegWithExif(b.build({{b.rational(33437, 28, 10)}}));
    EXPECT_EQ(valueOf(readBytes(file, nullptr, ",").items, 33437), "f2,8");
}

namespace {

// A German locale compiled into the build folder, so the test does not depend on which
// locales the machine has installed. Empty when localedef is missing or fails.
std::string commaLocale()
{
    const fs::path dir = fs::path(PAGINOR_BUILD_DIR) / "test-locales";
    const fs::path locale = dir / "de_DE.UTF-8";
    if (!fs::exists(locale)) {
        fs::create_directories(dir);
        const std::string command = "localedef -i de_DE -f UTF-8 '" + locale.string() + "' >/dev/null 2>&1";
        if (std::system(command.c_str()) != 0)
            return {};
    }
    ::setenv("LOCPATH", dir.c_str(), 1);
    return "de_DE.UTF-8";
}

} // namespace

TEST(ExifNumbers, SeparatorFollowsTheLocaleTheProgramSet)
{
    const BlockBuilder b(false);
    const Bytes file = jpegWithExif(b.build({{b.rational(33437, 28, 10)}}));
    exif::MemorySource source(file);
    app::ScriptedMessages quiet;
    const auto fNumber = [&] { return valueOf(exif::Read_Exif(source, {std::nullopt, &quiet}).items, 33437); };

    ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);
    EXPECT_EQ(exif::localeDecimalSeparator(), ".");
    EXPECT_EQ(fNumber(), "f2.8");
    const std::string name = commaLocale();
    if (name.empty() || std::setlocale(LC_ALL, name.c_str()) == nullptr)
        GTEST_SKIP() << "no comma locale could be made; the injected separator is tested above";
    EXPECT_EQ(exif::localeDecimalSeparator(), ",");
    EXPECT_EQ(fNumber(), "f2,8");
    std::setlocale(LC_ALL, "C");
}

// ---- the details text -----------------------------------------------------------------------

namespace {

exif::DetailsOptions onlyOptions()
{
    exif::DetailsOptions o;
    o.incFilename = false;
    o.incThisText = false;
    o.incText = "Printed by Paginor";
    return o;
}

const std::vector<ExifItem> kCameraItems{
    {306, "Date/Time (modified)", "2021:03:04 05:06:07"},
    {33434, "1 / Exposure", "1/250"},
    {33437, "Aperture (f number)", "f2.8"},
    {36867, "Date/Time (Orig)", "2020:01:02 13:14:15"},
    {37377, "Shutter Speed", "1/64"},
    {37385, "Flash Used", "Yes"},
};

} // namespace

TEST(ExifDetails, FileNameAndExposureForAPictureInAnyFolder)
{
    exif::DetailsOptions o = onlyOptions();
    o.incFilename = true;
    o.incExposure = true;
    const std::vector<ExifItem> items{{37377, "Shutter Speed", "1/64"}, {33437, "Aperture (f number)", "f2.8"}};
    EXPECT_EQ(exif::exifDetails(o, "/home/ann/photos/a.jpg", items), "a.jpg 1/64 f2.8 ");
    EXPECT_EQ(exif::exifDetails(o, "a.jpg", items), "a.jpg 1/64 f2.8 ");
}

TEST(ExifDetails, EveryPartInItsOrder)
{
    exif::DetailsOptions o = onlyOptions();
    o.incFilename = o.incDMY = o.incTime = o.incExposure = o.incFlash = o.incThisText = true;
    // The date comes from the first date item in list order, here DateTime (306); the
    // exposure from the first of ExposureTime and ShutterSpeedValue.
    EXPECT_EQ(exif::exifDetails(o, "dir/b.jpg", kCameraItems),
              "b.jpg 04/03/21 05:06:07 1/250 f2.8 'Flash' Printed by Paginor");
}

TEST(ExifDetails, DateOrdersAndTheirConflict)
{
    exif::DetailsOptions o = onlyOptions();
    const std::vector<ExifItem> items{{36867, "Date/Time (Orig)", "2020:01:02 13:14:15"}};
    o.incDMY = true;
    EXPECT_EQ(exif::exifDetails(o, "x.jpg", items), "02/01/20 ");
    o.incMDY = true; // both on: the month comes first
    EXPECT_EQ(exif::exifDetails(o, "x.jpg", items), "01/02/20 ");
    o.incDMY = false;
    EXPECT_EQ(exif::exifDetails(o, "x.jpg", items), "01/02/20 ");
}

TEST(ExifDetails, MissingItemsLeaveTheirSeparators)
{
    exif::DetailsOptions o = onlyOptions();
    o.incDMY = o.incTime = o.incExposure = o.incFlash = true;
    EXPECT_EQ(exif::exifDetails(o, "x.jpg", {}), "//    ");
    const std::vector<ExifItem> shortDate{{306, "Date/Time (modified)", "2021:0"}};
    EXPECT_EQ(exif::exifDetails(o, "x.jpg", shortDate), "/0/21    ");
}

TEST(ExifDetails, PlainTextWithoutCameraData)
{
    exif::DetailsOptions o = onlyOptions();
    o.incFilename = true;
    EXPECT_EQ(exif::plainDetails(o, "/p/q/c.jpg"), "c.jpg");
    o.incThisText = true;
    EXPECT_EQ(exif::plainDetails(o, "/p/q/c.jpg"), "c.jpg Printed by Paginor");
    o.incFilename = false;
    EXPECT_EQ(exif::plainDetails(o, "/p/q/c.jpg"), " Printed by Paginor");
}

TEST(ExifDetails, CameraDataIsUsedOnlyWhenAskedForAndPresent)
{
    exif::DetailsOptions o = onlyOptions();
    o.incFilename = o.incFlash = true;
    const exif::ReadResult withExif{exif::kIntelOrder, kCameraItems};
    const exif::ReadResult withoutExif{exif::kNoExif, {}};

    exif::ImageDetails d = exif::buildDetails(o, "d.jpg", withExif);
    EXPECT_EQ(d.details, "d.jpg");
    EXPECT_FALSE(d.hasExif);
    o.getCameraDetails = true;
    d = exif::buildDetails(o, "d.jpg", withExif);
    EXPECT_EQ(d.details, "d.jpg 'Flash' ");
    EXPECT_TRUE(d.hasExif);
    EXPECT_EQ(d.exifTags, kCameraItems);
    d = exif::buildDetails(o, "d.jpg", withoutExif);
    EXPECT_EQ(d.details, "d.jpg");
    EXPECT_FALSE(d.hasExif);
}

// ---- exiftool as the witness ------------------------------------------------------------------

namespace {

std::string runCommand(const std::string& command)
{
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string out;
    if (!pipe)
        return out;
    char buf[4096];
    while (std::size_t n = std::fread(buf, 1, sizeof buf, pipe.get()))
        out.append(buf, n);
    return out;
}

bool haveTool(const std::string& name)
{
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

// exiftool -S: "Name: value" lines.
std::map<std::string, std::string> peerValues(const fs::path& file)
{
    const std::string out = runCommand("exiftool -n -S -Make -Model -ModifyDate -DateTimeOriginal -ExposureTime "
                                       "-FNumber -ShutterSpeedValue -ApertureValue -FocalLength -EXIF:Flash "
                                       "-MeteringMode -LightSource -ResolutionUnit -XResolution '" + file.string() + "'");
    std::map<std::string, std::string> values;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);)
        if (const std::size_t colon = line.find(": "); colon != std::string::npos)
            values[line.substr(0, colon)] = line.substr(colon + 2);
    return values;
}

double numberAfter(const std::string& text, std::size_t prefix)
{
    return std::stod(text.substr(prefix));
}

struct PeerCase {
    const char* order;
    std::vector<std::string> tags;
};

void PrintTo(const PeerCase& c, std::ostream* os)
{
    *os << c.order << " with " << c.tags.size() << " tags";
}

class PeerWritten : public ::testing::TestWithParam<PeerCase> {};

const std::vector<std::string> kSetA{"-Make=Maker", "-Model=Model 1", "-ModifyDate=2021:03:04 05:06:07",
    "-DateTimeOriginal=2020:01:02 03:04:05", "-ExposureTime=0.8", "-FNumber=2.8", "-ShutterSpeedValue=1/60",
    "-ApertureValue=5.6", "-FocalLength=5.4", "-EXIF:Flash#=1", "-MeteringMode#=5", "-LightSource#=21",
    "-ResolutionUnit#=2", "-XResolution=300"};
const std::vector<std::string> kSetB{"-Make=Other Maker Ltd.", "-Model=Z100", "-ModifyDate=1999:12:31 23:59:58",
    "-DateTimeOriginal=1999:12:30 22:58:57", "-ExposureTime=1/250", "-FNumber=11", "-ShutterSpeedValue=1/1000",
    "-ApertureValue=11", "-FocalLength=35", "-EXIF:Flash#=7", "-MeteringMode#=2", "-LightSource#=10",
    "-ResolutionUnit#=3", "-XResolution=118"};

INSTANTIATE_TEST_SUITE_P(Exiftool, PeerWritten,
    ::testing::Values(PeerCase{"II", kSetA}, PeerCase{"MM", kSetA}, PeerCase{"II", kSetB}, PeerCase{"MM", kSetB}),
    [](const auto& info) { return std::string(info.param.order) + (info.index < 2 ? "_SetA" : "_SetB"); });

} // namespace

TEST_P(PeerWritten, ReaderAgreesWithExiftool)
{
    if (!haveTool("exiftool") || !haveTool("convert"))
        GTEST_SKIP() << "exiftool or convert missing";
    const PeerCase& c = GetParam();
    const fs::path file = fs::path(PAGINOR_BUILD_DIR) /
        ("exif_peer_" + std::string(c.order) + std::to_string(c.tags == kSetA) + ".jpg");
    // The JFIF segment goes, so the EXIF block directly follows the start marker.
    std::string command = "convert -size 8x8 xc:gray '" + file.string() + "' && exiftool -q -q -overwrite_original "
                          "-JFIF:all= -ExifByteOrder=" + c.order;
    for (const std::string& t : c.tags)
        command += " '" + t + "'";
    ASSERT_EQ(std::system((command + " '" + file.string() + "'").c_str()), 0);
    std::map<std::string, std::string> peer = peerValues(file);
    ASSERT_EQ(peer.size(), 14u);

    app::ScriptedMessages quiet;
    const exif::ReadResult r = exif::Read_Exif(file, {".", &quiet});
    fs::remove(file);
    const bool intel = std::string(c.order) == "II";
    ASSERT_EQ(r.result, intel ? exif::kIntelOrder : exif::kMotorolaOrder);
    const auto item = [&](std::int32_t tag) { return valueOf(r.items, tag).value_or("<missing>"); };

    EXPECT_EQ(item(271), peer["Make"]);
    EXPECT_EQ(item(272), peer["Model"]);
    EXPECT_EQ(item(306), peer["ModifyDate"]);
    EXPECT_EQ(item(36867), peer["DateTimeOriginal"]);
    EXPECT_EQ(item(282), peer["XResolution"]);

    const double perSecond = 1 / std::stod(peer["ExposureTime"]);
    ASSERT_EQ(item(33434).substr(0, 2), "1/");
    if (intel)
        EXPECT_EQ(numberAfter(item(33434), 2), std::nearbyint(perSecond));
    else
        EXPECT_NEAR(numberAfter(item(33434), 2), perSecond, 1e-9 * perSecond);
    EXPECT_NEAR(numberAfter(item(33437), 1), std::stod(peer["FNumber"]), 1e-12);
    EXPECT_NEAR(std::stod(item(37386)), std::stod(peer["FocalLength"]), 1e-12);

    // exiftool gives both APEX values converted: seconds and an f-number.
    const double shutterApex = -std::log2(std::stod(peer["ShutterSpeedValue"]));
    EXPECT_EQ(numberAfter(item(37377), 2), std::exp2(std::nearbyint(shutterApex)));
    const double apertureApex = 2 * std::log2(std::stod(peer["ApertureValue"]));
    const double fNumber = std::pow(1.412, std::nearbyint(apertureApex));
    const double shown = numberAfter(item(37378), 1);
    const double digit = std::pow(10, std::floor(std::log10(fNumber)));
    EXPECT_LE(std::abs(shown - fNumber), digit / 2 + 1e-9) << item(37378);
    EXPECT_EQ(shown, std::round(shown / digit) * digit) << item(37378);

    EXPECT_EQ(item(37385), peer["Flash"] == "1" ? "Yes" : "No");
    const std::map<std::string, std::string> metering{{"2", "Center Weighted"}, {"5", "Multi Segment"}};
    EXPECT_EQ(item(37383), metering.at(peer["MeteringMode"]));
    const std::map<std::string, std::string> light{{"10", "Flash"}, {"21", "21"}};
    EXPECT_EQ(item(37384), light.at(peer["LightSource"]));
    const std::map<std::string, std::string> units{{"2", "Inch"}, {"3", "CM"}};
    EXPECT_EQ(item(296), units.at(peer["ResolutionUnit"]));
}

// ---- paginor exif ----------------------------------------------------------------------------

namespace {

struct CommandRun {
    int exitCode;
    std::string out;
    std::vector<std::string> messages;
};

CommandRun runExif(const app::CommandArgs& args, settings::Settings s = {})
{
    app::CommonOptions common;
    std::ostringstream out;
    app::ScriptedMessages sink;
    app::CommandContext ctx{s, common, out, sink};
    const int code = exif::exifCommand(args, ctx);
    return {code, out.str(), sink.texts()};
}

fs::path writeFile(const std::string& name, const Bytes& bytes)
{
    const fs::path path = fs::path(PAGINOR_BUILD_DIR) / name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

} // namespace

TEST(ExifCommand, PrintsResultAndItemsPerFileAndUnreadableFilesDoNotFail)
{
    const BlockBuilder b(true);
    const fs::path good = writeFile("exif_cmd_good.jpg", jpegWithExif(b.build({{b.ascii(271, "Mak\xe9r"), b.shortValue(37385, 1)}})));
    const fs::path text = writeFile("exif_cmd_text.jpg", {'h', 'i'});
    const CommandRun run = runExif({good.string(), (fs::path(PAGINOR_BUILD_DIR) / "missing.jpg").string(), text.string()});
    EXPECT_EQ(run.exitCode, 0);
    // The Latin-1 byte comes out as it is in the file.
    EXPECT_EQ(run.out, "result: 2\n271\tCamera Manufacturer\tMak\xe9r\n37385\tFlash Used\tYes\n"
                       "result: -1\nresult: -1\n");
    EXPECT_TRUE(run.messages.empty());
    fs::remove(good);
    fs::remove(text);
}

TEST(ExifCommand, DetailsFollowTheRunsSettings)
{
    const BlockBuilder b(false);
    const fs::path file = writeFile("exif_cmd_details.jpg",
        jpegWithExif(b.build({{b.rational(33437, 28, 10), b.rational(37377, 6, 1, 10)}})));
    settings::Settings s;
    EXPECT_EQ(runExif({"--details", file.string()}, s).out,
              "result: 1\n33437\tAperture (f number)\tf2.8\n37377\tShutter Speed\t1/64\n"
              "details: exif_cmd_details.jpg Printed by Paginor\n");
    s.Get_Camera_Details = true;
    s.Inc_Exposure = true;
    s.Inc_This_Text = false;
    const CommandRun run = runExif({file.string(), "--details"}, s);
    EXPECT_EQ(run.out.substr(run.out.rfind("details: ")), "details: exif_cmd_details.jpg 1/64 f2.8 \n");
    fs::remove(file);
}

TEST(ExifCommand, UsageErrorsGiveExitCodeTwo)
{
    EXPECT_EQ(runExif({}).exitCode, exif::kUsageExit);
    EXPECT_EQ(runExif({"--details"}).exitCode, exif::kUsageExit);
    const CommandRun run = runExif({"--bogus", "a.jpg"});
    EXPECT_EQ(run.exitCode, exif::kUsageExit);
    EXPECT_EQ(run.out, "");
    // After "--" a name may begin with '-'.
    EXPECT_EQ(runExif({"--", "-a.jpg"}).out, "result: -1\n");
}

TEST(ExifCommand, ProgramPrintsWhatTheCommandPrints)
{
    const fs::path program = fs::path(PAGINOR_BUILD_DIR) / "paginor";
    if (!fs::exists(program))
        GTEST_SKIP() << "the program is not built";
    const BlockBuilder b(false);
    const fs::path file = writeFile("exif_cmd_program.jpg",
        jpegWithExif(b.build({{b.ascii(271, "Maker"), b.rational(33437, 28, 10), b.rational(37377, 6, 1, 10)}})));
    const fs::path config = fs::path(PAGINOR_BUILD_DIR) / "exif_test_config"; // not the user's settings
    const std::string sets = " --set Get_Camera_Details=1 --set Inc_Exposure=1 --set Inc_This_Text=0";
    const std::string out = runCommand("XDG_CONFIG_HOME='" + config.string() + "' LC_ALL=C '" + program.string() +
                                       "' exif --details '" + file.string() + "' missing.jpg" + sets +
                                       " 2>/dev/null; echo \"exit: $?\"");
    settings::Settings s;
    s.Get_Camera_Details = true;
    s.Inc_Exposure = true;
    s.Inc_This_Text = false;
    const CommandRun direct = runExif({"--details", file.string(), "missing.jpg"}, s);
    EXPECT_EQ(out, direct.out + "exit: 0\n");
    EXPECT_NE(out.find("details: exif_cmd_program.jpg 1/64 f2.8 \n"), std::string::npos);
    fs::remove(file);
}
