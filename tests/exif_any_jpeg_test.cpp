// Camera data from any JPEG: files built by exiftool whose EXIF block the reader of the
// block at the start misses (a JFIF header first, the GPS pointer last) give, with the
// setting on, the items the same data gives when placed where that reader looks.
#include "core/messages.h"
#include "exif/exif.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace fs = std::filesystem;
using exif::ExifItem;

namespace {

} // namespace

namespace exif {
void PrintTo(const ExifItem& item, std::ostream* os)
{
    *os << item.tag << " " << item.label << "=" << item.value;
}
} // namespace exif

namespace {

bool run(const std::string& command)
{
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

std::vector<ExifItem> byTag(std::vector<ExifItem> items)
{
    std::sort(items.begin(), items.end(), [](const ExifItem& a, const ExifItem& b) { return a.tag < b.tag; });
    return items;
}

bool hasTag(const std::vector<ExifItem>& items, std::int32_t tag)
{
    return std::any_of(items.begin(), items.end(), [tag](const ExifItem& i) { return i.tag == tag; });
}

const char* const kCameraTags =
    " '-Make=Maker' '-Model=Model 1' '-ModifyDate=2021:03:04 05:06:07' '-DateTimeOriginal=2020:01:02 03:04:05'"
    " -ExposureTime=0.8 -FNumber=2.8 -ShutterSpeedValue=1/60 -ApertureValue=5.6 -FocalLength=5.4"
    " -EXIF:Flash#=1 -MeteringMode#=5 -LightSource#=21 -XResolution=300 -YResolution=300 -ResolutionUnit#=2";

class AnyJpeg : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        if (!run("command -v exiftool") || !run("command -v convert"))
            GTEST_SKIP() << "exiftool or convert missing";
        std::string pattern = (fs::temp_directory_path() / "any-jpeg-test-XXXXXX").string();
        m_dir = ::mkdtemp(pattern.data());
    }
    void TearDown() override
    {
        if (!m_dir.empty())
            fs::remove_all(m_dir);
    }

    // An 8 x 8 JPEG (ImageMagick writes a JFIF header first) with exiftool's arguments.
    fs::path build(const std::string& name, const std::string& arguments)
    {
        const fs::path file = m_dir / name;
        EXPECT_TRUE(run("convert -size 8x8 xc:gray '" + file.string() + "' && exiftool -q -q -overwrite_original " +
                        "-ExifByteOrder=" + GetParam() + arguments + " '" + file.string() + "'"));
        return file;
    }

    exif::ReadResult read(const fs::path& file, bool anyJpeg)
    {
        return exif::readCameraData(file, {".", &m_quiet}, anyJpeg);
    }

    fs::path m_dir;
    app::ScriptedMessages m_quiet;
};

INSTANTIATE_TEST_SUITE_P(Orders, AnyJpeg, ::testing::Values("II", "MM"));

} // namespace

TEST_P(AnyJpeg, JfifFirstAndGpsPointerLastGiveTheItemsOfABlockAtTheStart)
{
    const int order = std::string(GetParam()) == "II" ? exif::kIntelOrder : exif::kMotorolaOrder;
    const exif::ReadResult reference = read(build("first.jpg", std::string(" -JFIF:all=") + kCameraTags), false);
    ASSERT_EQ(reference.result, order);
    ASSERT_GE(reference.items.size(), 13u);

    const fs::path jfif = build("jfif.jpg", kCameraTags);
    EXPECT_EQ(read(jfif, false).result, exif::kNoExif) << "the reader's own rule";
    const exif::ReadResult fromJfif = read(jfif, true);
    EXPECT_EQ(fromJfif.result, order);
    EXPECT_EQ(byTag(fromJfif.items), byTag(reference.items));

    // exiftool orders a directory's entries by tag, so the GPS pointer comes after the
    // EXIF pointer and the reader's walk takes it instead.
    const fs::path gps = build("gps.jpg", std::string(" -JFIF:all= -GPSLatitude=10 -GPSLatitudeRef=N") + kCameraTags);
    const exif::ReadResult ownGps = read(gps, false);
    EXPECT_TRUE(hasTag(ownGps.items, 271) && !hasTag(ownGps.items, 36867)) << "the reader's own rule";
    const exif::ReadResult fromGps = read(gps, true);
    EXPECT_EQ(std::vector<ExifItem>(fromGps.items.begin(), fromGps.items.begin() + ownGps.items.size()), ownGps.items)
        << "what the reader finds stays first and unchanged";
    EXPECT_EQ(byTag(fromGps.items), byTag(reference.items));

    exif::DetailsOptions o;
    o.getCameraDetails = o.incDMY = o.incTime = o.incExposure = o.incFlash = true;
    o.incThisText = false;
    EXPECT_EQ(exif::imageDetails(o, jfif, {".", &m_quiet}).details, "jfif.jpg");
    o.anyJpeg = true;
    EXPECT_EQ(exif::imageDetails(o, jfif, {".", &m_quiet}).details,
              exif::exifDetails(o, "jfif.jpg", reference.items));
    EXPECT_NE(exif::imageDetails(o, jfif, {".", &m_quiet}).details.find("04/03/21 05:06:07 1/1"), std::string::npos);
}

TEST_P(AnyJpeg, MakerNotesAndDamageGiveNoItemsOfTheirOwn)
{
    // A maker note whose directory holds a Flash entry (tag 37385, value 1): a tag of
    // the camera's own, not the picture's flash.
    const bool intel = std::string(GetParam()) == "II";
    const std::vector<std::uint8_t> note = intel
        ? std::vector<std::uint8_t>{1, 0, 0x09, 0x92, 3, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}
        : std::vector<std::uint8_t>{0, 1, 0x92, 0x09, 0, 3, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0};
    const fs::path noteFile = m_dir / "note.bin";
    std::ofstream(noteFile, std::ios::binary).write(reinterpret_cast<const char*>(note.data()), std::streamsize(note.size()));
    const fs::path file = build("canon.jpg", " -Make=Canon '-DateTimeOriginal=2020:01:02 03:04:05' "
                                             "'-MakerNoteCanon<=" + noteFile.string() + "'");
    const exif::ReadResult r = read(file, true);
    EXPECT_EQ(r.result, intel ? exif::kIntelOrder : exif::kMotorolaOrder);
    EXPECT_TRUE(hasTag(r.items, 36867));
    EXPECT_FALSE(hasTag(r.items, 37385)) << "the maker note's entry";

    // Cut inside the EXIF block: whatever libexiv2 makes of it, the read ends quietly.
    std::ifstream in(file, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const fs::path cut = m_dir / "cut.jpg";
    std::ofstream(cut, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size() / 3));
    const exif::ReadResult damaged = read(cut, true);
    EXPECT_TRUE(damaged.result == exif::kNoExif || damaged.result == r.result);
}
