// What is made of the camera data: number texts, the details text, agreement with exiftool
// and `paginor exif`.
#include "core/command.h"
#include "core/messages.h"
#include "exif/cli/exif_command.h"
#include "exif/core/exif.h"
#include "exif/core/number_format.h"
#include "settings/core/settings.h"
#include "tests/exif/block_builder.h"
#include "tests/support/files.h"
#include "tests/support/process.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>

namespace fs = std::filesystem;
using exif::ExifItem;
using namespace blocks;
using support::haveTool;

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

TEST(ExifNumbers, SeparatorFollowsTheLocaleTheProgramSet)
{
    const BlockBuilder b(false);
    const Bytes file = jpegWithExif(b.build({{b.rational(33437, 28, 10)}}));
    exif::MemorySource source(file);
    core::ScriptedMessages quiet;
    const auto fNumber = [&] { return valueOf(exif::readExif(source, {std::nullopt, &quiet}).items, 33437); };

    ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);
    EXPECT_EQ(exif::localeDecimalSeparator(), ".");
    EXPECT_EQ(fNumber(), "f2.8");
    const std::string name = support::commaLocale();
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

// exiftool -S: "Name: value" lines.
std::map<std::string, std::string> peerValues(const fs::path& file)
{
    const std::string out = support::shellOutput("exiftool -n -S -Make -Model -ModifyDate -DateTimeOriginal -ExposureTime "
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
    const support::TempFolder folder;
    const fs::path file = folder / "peer.jpg";
    // The JFIF segment goes, so the EXIF block directly follows the start marker.
    std::string command = "convert -size 8x8 xc:gray '" + file.string() + "' && exiftool -q -q -overwrite_original "
                          "-JFIF:all= -ExifByteOrder=" + c.order;
    for (const std::string& t : c.tags)
        command += " '" + t + "'";
    ASSERT_EQ(support::shell(command + " '" + file.string() + "'"), 0);
    std::map<std::string, std::string> peer = peerValues(file);
    ASSERT_EQ(peer.size(), 14u);

    core::ScriptedMessages quiet;
    const exif::ReadResult r = exif::readExif(file, {".", &quiet});
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

CommandRun runExif(const core::CommandArgs& args, settings::Settings s = {})
{
    core::CommonOptions common;
    std::ostringstream out;
    core::ScriptedMessages sink;
    core::CommandContext ctx{s, common, out, sink};
    const int code = exif::exifCommand(args, ctx);
    return {code, out.str(), sink.texts()};
}

// The files a test hands to the command, in a folder of their own.
struct Files {
    fs::path write(const std::string& name, const Bytes& bytes) const
    {
        support::writeBytes(folder / name, bytes);
        return folder / name;
    }
    support::TempFolder folder;
};

} // namespace

TEST(ExifCommand, PrintsResultAndItemsPerFileAndUnreadableFilesDoNotFail)
{
    const BlockBuilder b(true);
    const Files files;
    const fs::path good = files.write("exif_cmd_good.jpg", jpegWithExif(b.build({{b.ascii(271, "Mak\xe9r"), b.shortValue(37385, 1)}})));
    const fs::path text = files.write("exif_cmd_text.jpg", {'h', 'i'});
    const CommandRun run = runExif({good.string(), (files.folder / "missing.jpg").string(), text.string()});
    EXPECT_EQ(run.exitCode, 0);
    // The Latin-1 byte comes out as it is in the file.
    EXPECT_EQ(run.out, "result: 2\n271\tCamera Manufacturer\tMak\xe9r\n37385\tFlash Used\tYes\n"
                       "result: -1\nresult: -1\n");
    EXPECT_TRUE(run.messages.empty());
}

TEST(ExifCommand, DetailsFollowTheRunsSettings)
{
    const BlockBuilder b(false);
    const Files files;
    const fs::path file = files.write("exif_cmd_details.jpg",
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
    const Files files;
    const fs::path file = files.write("exif_cmd_program.jpg",
        jpegWithExif(b.build({{b.ascii(271, "Maker"), b.rational(33437, 28, 10), b.rational(37377, 6, 1, 10)}})));
    support::RunOptions options;
    options.env = support::privateHome(QString::fromStdString(files.folder.path.string())); // not the user's settings
    options.env.insert("LC_ALL", "C");
    const support::RunResult r = support::run(QString::fromStdString(program.string()),
        {"exif", "--details", QString::fromStdString(file.string()), "missing.jpg", "--set", "Get_Camera_Details=1",
         "--set", "Inc_Exposure=1", "--set", "Inc_This_Text=0"}, options);
    settings::Settings s;
    s.Get_Camera_Details = true;
    s.Inc_Exposure = true;
    s.Inc_This_Text = false;
    const CommandRun direct = runExif({"--details", file.string(), "missing.jpg"}, s);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.toStdString(), direct.out);
    EXPECT_NE(direct.out.find("details: exif_cmd_program.jpg 1/64 f2.8 \n"), std::string::npos);
}
