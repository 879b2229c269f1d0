// Camera data from any JPEG, on files built by exiftool that the reader of the block at
// a file's start misses: a JFIF header first, the GPS pointer last, a maker note.
#include "core/messages.h"
#include "exif/core/exif.h"
#include "tests/support/files.h"
#include "tests/support/process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

namespace fs = std::filesystem;
using exif::ExifItem;

namespace {

std::vector<ExifItem> byTag(std::vector<ExifItem> items)
{
    std::sort(items.begin(), items.end(), [](const ExifItem& a, const ExifItem& b) { return a.tag < b.tag; });
    return items;
}

bool hasTag(const std::vector<ExifItem>& items, std::int32_t tag)
{
    return std::any_of(items.begin(), items.end(), [tag](const ExifItem& i) { return i.tag == tag; });
}

} // namespace

TEST(AnyJpeg, JfifFirstGpsPointerLastAndMakerNotesInBothByteOrders)
{
    if (!support::quietly("command -v exiftool && command -v convert"))
        GTEST_SKIP() << "exiftool or convert missing";
    const support::TempFolder folder;
    const std::string dir = folder.dir();
    core::ScriptedMessages quiet;
    const auto read = [&](const std::string& name, bool anyJpeg) {
        return exif::readCameraData(dir + name, {".", &quiet}, anyJpeg);
    };
    // ImageMagick writes a JFIF header first; exiftool orders a directory by tag, so the
    // GPS pointer follows the EXIF pointer and the reader's walk takes it instead.
    const std::string tags = "'-Make=Maker' '-ModifyDate=2021:03:04 05:06:07' '-DateTimeOriginal=2020:01:02 03:04:05'"
        " -ExposureTime=0.8 -FNumber=2.8 -ShutterSpeedValue=1/60 -ApertureValue=5.6 -FocalLength=5.4 -EXIF:Flash#=1"
        " -MeteringMode#=5 -LightSource#=21 -XResolution=300 -YResolution=300 -ResolutionUnit#=2";
    // A Canon maker note whose directory holds a Flash entry (37385 = 1): the camera's own.
    const std::map<std::string, std::string> notes{
        {"II", "\\001\\000\\011\\222\\003\\000\\001\\000\\000\\000\\001\\000\\000\\000\\000\\000\\000\\000"},
        {"MM", "\\000\\001\\222\\011\\000\\003\\000\\000\\000\\001\\000\\001\\000\\000\\000\\000\\000\\000"}};
    for (const auto& [order, note] : notes) {
        ASSERT_TRUE(support::quietly("printf '" + note + "' > " + dir + "note.bin"));
        const std::string exiftool = " && exiftool -q -q -overwrite_original -ExifByteOrder=" + order + " ";
        ASSERT_TRUE(support::quietly("cd " + dir + " && for f in first jfif gps canon; do convert -size 8x8 xc:gray $f.jpg; done" +
                        exiftool + "-JFIF:all= " + tags + " first.jpg" + exiftool + tags + " jfif.jpg" + exiftool +
                        "-JFIF:all= -GPSLatitude=10 -GPSLatitudeRef=N " + tags + " gps.jpg" + exiftool +
                        "-Make=Canon '-DateTimeOriginal=2020:01:02 03:04:05' '-MakerNoteCanon<=note.bin' canon.jpg"));
        const int code = order == "II" ? exif::kIntelOrder : exif::kMotorolaOrder;
        const exif::ReadResult reference = read("first.jpg", false);
        ASSERT_EQ(reference.result, code);
        ASSERT_GE(reference.items.size(), 13u);

        EXPECT_EQ(read("jfif.jpg", false).result, exif::kNoExif) << "the reader's own rule";
        const exif::ReadResult jfif = read("jfif.jpg", true);
        EXPECT_EQ(jfif.result, code);
        EXPECT_EQ(byTag(jfif.items), byTag(reference.items));

        const exif::ReadResult ownGps = read("gps.jpg", false);
        EXPECT_TRUE(hasTag(ownGps.items, 271) && !hasTag(ownGps.items, 36867)) << "the reader's own rule";
        const exif::ReadResult gps = read("gps.jpg", true);
        EXPECT_TRUE(std::equal(ownGps.items.begin(), ownGps.items.end(), gps.items.begin())) << "kept, and first";
        EXPECT_EQ(byTag(gps.items), byTag(reference.items));

        const exif::ReadResult canon = read("canon.jpg", true);
        EXPECT_TRUE(hasTag(canon.items, 36867) && !hasTag(canon.items, 37385)) << "the maker note's Flash entry";
    }
    // The details text follows the setting and builds from the items by its own rules.
    exif::DetailsOptions o;
    o.getCameraDetails = o.incDMY = o.incTime = o.incExposure = true;
    o.incThisText = false;
    EXPECT_EQ(exif::imageDetails(o, dir + "jfif.jpg", {".", &quiet}).details, "jfif.jpg");
    o.anyJpeg = true;
    EXPECT_EQ(exif::imageDetails(o, dir + "jfif.jpg", {".", &quiet}).details, "jfif.jpg 04/03/21 05:06:07 1/1.25 f2.8 ");
    // A block cut short: whatever libexiv2 makes of it, the read ends quietly.
    const support::Bytes bytes = support::readBytes(dir + "canon.jpg");
    support::writeBytes(dir + "cut.jpg", {bytes.begin(), bytes.begin() + std::ptrdiff_t(bytes.size() / 3)});
    EXPECT_NE(read("cut.jpg", true).result, exif::kNotJpeg);
}
