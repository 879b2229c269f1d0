#include "core/command_line.h"
#include "tests/support/process.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QImage>
#include <QTemporaryDir>

#include <cups/cups.h>

using core::CommandLineError;
using core::parseCommandLine;

TEST(CommandLine, OptionsMayStandAnywhereAfterTheCommand)
{
    auto cl = parseCommandLine({"exif", "--set", "Get_Camera_Details=1", "a.jpg", "--printer-dpi", "600",
                                "--details", "--printer-page", "4960x7016", "b.jpg"});
    EXPECT_EQ(cl.command, "exif");
    EXPECT_EQ(cl.args, (core::CommandArgs{"a.jpg", "--details", "b.jpg"}));
    ASSERT_EQ(cl.common.sets.size(), 1u);
    EXPECT_EQ(cl.common.sets[0].first, "Get_Camera_Details");
    EXPECT_EQ(cl.common.printerDpi, 600);
    EXPECT_EQ(cl.common.printerPage, std::make_pair(4960, 7016));
}

TEST(CommandLine, AnOptionValueIsTheNextArgumentEvenWithADash)
{
    auto cl = parseCommandLine({"edit", "in.ppm", "--brightness", "-128", "-o", "--set", "--set", "Quality=5"});
    EXPECT_EQ(cl.args, (core::CommandArgs{"in.ppm", "--brightness", "-128", "-o", "--set"}));
    ASSERT_EQ(cl.common.sets.size(), 1u);
    EXPECT_EQ(cl.common.sets[0].second, "5");
    auto set = parseCommandLine({"settings", "--set", "Inc_Text=-x=y"});
    EXPECT_EQ(set.common.sets[0].second, "-x=y");
}

TEST(CommandLine, MistakesAreRefusedWithAReason)
{
    EXPECT_THROW(parseCommandLine({"frobnicate"}), CommandLineError);
    EXPECT_THROW(parseCommandLine({"--bogus"}), CommandLineError);
    EXPECT_THROW(parseCommandLine({"settings", "--set"}), CommandLineError);
    EXPECT_THROW(parseCommandLine({"settings", "--set", "novalue"}), CommandLineError);
    EXPECT_THROW(parseCommandLine({"render", "--printer-page", "100by200"}), CommandLineError);
    EXPECT_THROW(parseCommandLine({"render", "--printer-dpi", "0"}), CommandLineError);
    EXPECT_THROW(parseCommandLine({"edit", "x", "--gamma"}), CommandLineError);
    EXPECT_TRUE(parseCommandLine({"--no-splash"}).command.empty());
}

TEST(CommandLine, NamesThatAreNoCommandAreTheWindowsFiles)
{
    auto cl = parseCommandLine({"--no-splash", "a.jpg", "photos/", "print"});
    EXPECT_TRUE(cl.command.empty());
    EXPECT_EQ(cl.files, (std::vector<std::string>{"a.jpg", "photos/", "print"}));
    EXPECT_TRUE(cl.common.noSplash);
    EXPECT_TRUE(parseCommandLine({"print", "a.jpg"}).files.empty());
    EXPECT_THROW(parseCommandLine({"a.jpg", "--bogus"}), CommandLineError);
}

namespace {

using support::RunResult;

// Runs the program with a private configuration and data folder.
class Program : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_home.isValid()); }

    RunResult run(const QStringList& args, const QProcessEnvironment& extra = {})
    {
        support::RunOptions options;
        options.env = support::privateHome(m_home.path());
        for (const QString& k : extra.keys())
            options.env.insert(k, extra.value(k));
        return support::run(PAGINOR_EXE, args, options);
    }

    QTemporaryDir m_home;
};

// The table of settings with its defaults, written out by hand.
QString expectedDefaults(const QString& curveDir)
{
    return "Inc_Filename=true\nInc_Time=false\nInc_DMY=false\nInc_MDY=false\nInc_Exposure=false\n"
           "Inc_This_Text=true\nInc_Text=Printed by Paginor\nInc_Flash=false\nPrinter=%PRINTER%\ntsz=6\ntcol=0\n"
           "NumberOfFrames=4\nGlobal_AspectRatio=1.333333\nForm_Mag_Factor=1\nPrintProps=false\nPrintMarks=false\n"
           "margin_mm=3\nstart_dir=\nImage_Editor_App=\nCurve_Dir=" + curveDir + "\nApplyCurve=\n"
           "En_CurveOnLoad=false\nautocentre=false\napp_assos=true\nautorotate=false\nbp=true\nSave_Props_File=true\n"
           "Quality=95\nRuleWeight=1\nUse_Metric=true\nFilter=4\nCZ=true\nresample_for_printer=0\nresample_on_load=0\n"
           "resample_on_load_Size=100\nManual_Resamp_Size=100\nOLW=true\nstore_as_Jpg=false\nPrint_Image_As_Jpeg=false\n"
           "Print_Image_Use_Printers_Res=true\nPrint_Image_Resolution=100\nPrint_Image_Resample_USing=1\n"
           "Manual_Resamp_Filter=5\nGet_Camera_Details=false\nWait_For_Empty_Q=false\nDroppedSearchString=*.*\n"
           "searchSubFolders=true\nPage_Margin_mm=0\ncentre_output=false\nPrinter_Name=%PRINTER%\nPrinter_Paper=\n"
           "Printer_Duplex=0\nPrinter_Page=\nMin_Print_Resolution=150\nConfirm_Low_Resolution=false\nBatch_Skip_Unreadable=false\n"
           "Use_Colour_Profiles=true\nAny_Jpeg_Camera_Data=false\nHonour_Orientation=true\n";
}

QString withoutPrinterLine(QString text)
{
    QStringList lines = text.split('\n');
    for (QString& l : lines)
        for (const char* name : {"Printer=", "Printer_Name="})
            if (l.startsWith(name))
                l = name + QString("%PRINTER%");
    return lines.join('\n');
}

} // namespace

TEST_F(Program, EmptyConfigFolderPrintsTheTableDefaults)
{
    const RunResult r = run({"settings"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString curves = m_home.path() + "/data/Paginor/Curves";
    EXPECT_EQ(withoutPrinterLine(r.out).toStdString(), expectedDefaults(curves).toStdString());
    EXPECT_TRUE(QDir(curves).exists());
    EXPECT_FALSE(QFile::exists(m_home.path() + "/config/Korvan/Paginor.conf"));
}

TEST_F(Program, SetAndSaveRoundTripEveryKind)
{
    const QStringList sets = {"--set", "inc_text=Club night, 2026", "--set", "QUALITY=50", "--set",
                              "margin_mm=2.5", "--set", "global_aspectratio=1.4999999", "--set",
                              "PrintMarks=true", "--set", "NumberOfFrames=16", "--set", "tcol=-1"};
    RunResult saved = run(QStringList{"settings", "--save"} << sets);
    ASSERT_EQ(saved.exitCode, 0) << saved.err.toStdString();
    const RunResult back = run({"settings"});
    ASSERT_EQ(back.exitCode, 0);
    EXPECT_EQ(saved.out, back.out);
    for (const char* line : {"Inc_Text=Club night, 2026\n", "Quality=50\n", "margin_mm=2.5\n",
                             "Global_AspectRatio=1.4999999\n", "PrintMarks=true\n", "NumberOfFrames=16\n", "tcol=-1\n"})
        EXPECT_TRUE(back.out.contains(line)) << line;

    QFile conf(m_home.path() + "/config/Korvan/Paginor.conf");
    ASSERT_TRUE(conf.open(QIODevice::ReadOnly));
    const QByteArray text = conf.readAll();
    EXPECT_TRUE(text.contains("Inc_FileName=")) << "the writer's spelling of the name";
    EXPECT_TRUE(text.contains("Inc_This_TExt="));
    // 2.5 as an 8-byte little-endian double.
    EXPECT_TRUE(text.contains("margin_mm=\"hex:00,00,00,00,00,00,04,40\""));
}

TEST_F(Program, SetOnlyLastsForItsRun)
{
    ASSERT_EQ(run({"settings", "--set", "Quality=7"}).exitCode, 0);
    EXPECT_TRUE(run({"settings"}).out.contains("Quality=95\n"));
}

TEST_F(Program, BadSettingsOnTheCommandLineStopTheRun)
{
    RunResult r = run({"settings", "--set", "NoSuchThing=1"});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(r.err.contains("NoSuchThing"));
    r = run({"settings", "--set", "Quality=high"});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(r.err.contains("Quality"));
    EXPECT_TRUE(r.out.isEmpty());
}

TEST_F(Program, HostileSettingsFileStillStarts)
{
    QDir().mkpath(m_home.path() + "/config/Korvan");
    support::writeFile(m_home.path() + "/config/Korvan/Paginor.conf",
                       "[General]\nQuality=sz:ninety\nNumberOfFrames=dword:00000003\nmargin_mm=\"hex:00,00\"\n"
                       "tsz=dword:0000000c\nInc_Text=dword:00000001\nPrintProps=garbage\n\x01\x02\xff\xfe\n");
    const RunResult r = run({"settings"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("tsz=12\n"));
    EXPECT_TRUE(r.out.contains("Quality=95\n"));
    EXPECT_TRUE(r.out.contains("NumberOfFrames=4\n"));
    EXPECT_TRUE(r.out.contains("margin_mm=3\n"));
    EXPECT_TRUE(r.out.contains("PrintProps=false\n"));
    EXPECT_EQ(r.err.count("Invalid data type for 'Quality'"), 1);
    EXPECT_TRUE(r.err.contains("NumberOfFrames"));
}

TEST_F(Program, RunsWithoutAnyPrinterWhenItPrintsNothing)
{
    QProcessEnvironment noCups;
    noCups.insert("CUPS_SERVER", "127.0.0.1:9"); // nothing listens there: no printers at all
    const RunResult r = run({"settings"}, noCups);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("Printer=0\n"));

    // render lays the page out as the window does then: A4 at 300 dpi (four frames: turned), and says so.
    const QString photo = support::solidPhoto(m_home.path() + "/a.png", 40, 30, Qt::red);
    const RunResult page = run({"render", "-o", m_home.path() + "/page.jpg", "--geometry", photo}, noCups);
    EXPECT_EQ(page.exitCode, 0) << page.err.toStdString();
    EXPECT_TRUE(page.out.contains("{\"page\":{\"width\":3508,\"height\":2480}")) << page.out.toStdString();
    EXPECT_TRUE(page.err.contains("No printer")) << page.err.toStdString();
    EXPECT_NE(run({"print", photo}, noCups).exitCode, 0);
}

TEST_F(Program, HeadlessCommandsPrintOnlyTheirOwnMessages)
{
    // As on a server without a login session.
    QProcessEnvironment server;
    server.insert("XDG_RUNTIME_DIR", "");
    for (const QStringList& args : {QStringList{"settings"}, QStringList{"exif", m_home.path() + "/none.jpg"}}) {
        const RunResult r = run(args, server);
        EXPECT_FALSE(r.err.contains("QStandardPaths")) << r.err.toStdString();
        EXPECT_FALSE(r.err.contains("XDG_RUNTIME_DIR")) << r.err.toStdString();
    }
    EXPECT_TRUE(run({"settings"}, server).err.isEmpty());
}

TEST_F(Program, HelpAndVersion)
{
    RunResult r = run({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.contains("--printer-page WxH"));
    r = run({"--version"});
    EXPECT_EQ(r.out, "paginor 1.81\n");
}

namespace {

struct JobAttributes {
    int copies = 0;
    std::string sides;
    std::string media;
};

// What CUPS itself recorded for a job (Get-Job-Attributes), not what we meant to send.
JobAttributes jobAttributes(int id)
{
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    char uri[256];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/jobs/%d", id);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    JobAttributes a;
    if (ipp_attribute_t* c = ippFindAttribute(response, "copies", IPP_TAG_INTEGER))
        a.copies = ippGetInteger(c, 0);
    if (ipp_attribute_t* sd = ippFindAttribute(response, "sides", IPP_TAG_KEYWORD))
        a.sides = ippGetString(sd, 0, nullptr);
    if (ipp_attribute_t* m = ippFindAttribute(response, "media", IPP_TAG_ZERO))
        a.media = ippGetString(m, 0, nullptr) ? ippGetString(m, 0, nullptr) : "";
    ippDelete(response);
    return a;
}

} // namespace

TEST_F(Program, PrintSendsCopiesSidesAndPaperAsCupsRecordsThem)
{
    cups_dest_t* queue = cupsGetNamedDest(CUPS_HTTP_DEFAULT, "PDF", nullptr);
    cupsFreeDests(queue ? 1 : 0, queue);
    if (!queue)
        GTEST_SKIP() << "no CUPS queue named PDF (scripts/test.sh creates one)";
    const QString photo = support::solidPhoto(m_home.path() + "/red.jpg", 64, 48, Qt::red);
    const RunResult r = run({"print", "--printer", "PDF", "--copies", "2", "--option", "sides=two-sided-long-edge",
                             "--option", "media=A5", photo});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    ASSERT_TRUE(r.out.startsWith("PDF-")) << r.out.toStdString();
    const JobAttributes a = jobAttributes(r.out.mid(4).trimmed().toInt());
    EXPECT_EQ(a.copies, 2);
    EXPECT_EQ(a.sides, "two-sided-long-edge");
    EXPECT_NE(QString::fromStdString(a.media).indexOf("a5", 0, Qt::CaseInsensitive), -1) << a.media;
}

TEST_F(Program, RenderedPagesArePaddedInOrderAndCarryTheirResolution)
{
    QStringList files;
    for (int i = 0; i < 10; ++i) {
        files << support::solidPhoto(m_home.path() + QString("/p%1.jpg").arg(i), 40, 30, QColor(20 * i, 100, 200));
    }
    const QString out = m_home.path() + "/out/page.jpg";
    QDir().mkpath(m_home.path() + "/out");
    const QStringList common = {"--set", "NumberOfFrames=1", "--printer-page", "1240x1754", "--printer-dpi", "150"};
    ASSERT_EQ(run(QStringList{"render", "-o", out} << common << files).exitCode, 0);
    QStringList want;
    for (int k = 1; k <= 10; ++k)
        want << QString("page-%1.jpg").arg(k, 2, 10, QChar('0'));
    EXPECT_EQ(QDir(m_home.path() + "/out").entryList(QDir::Files, QDir::Name), want);
    // The printer's resolution (Print_Image_Use_Printers_Res is on), or --dpi.
    EXPECT_EQ(qRound(QImage(m_home.path() + "/out/page-01.jpg").dotsPerMeterX() * 0.0254), 150);
    const QString bmp = m_home.path() + "/one.bmp";
    ASSERT_EQ(run(QStringList{"render", "-o", bmp, "--dpi", "254"} << common << files.first()).exitCode, 0);
    EXPECT_EQ(QImage(bmp).dotsPerMeterY(), 10000);
}
