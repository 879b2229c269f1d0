// Layout files: pages saved by the program and read back, archives built by hand with
// Python's zipfile (hostile member names, duplicates, sizes that lie), a save killed
// half-way, a frame's picture saved with its side file, and the headless commands.
#include "printing/core/layout_page.h"

#include "core/messages.h"
#include "imaging/codecs/codecs.h"
#include "imaging/kernels/orientation.h"
#include "page/core/loading.h"
#include "page/core/on_load.h"
#include "tests/support/files.h"
#include "tests/support/process.h"
#include "tests/support/bitmaps.h"

#include <algorithm>
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using printing::LayoutError;

namespace {

using support::readText;
using support::TempFolder;
using support::writeText;

std::string writeJpeg(const TempFolder& t, const std::string& name, int w, int h, std::uint8_t green)
{
    const imaging::Bitmap bmp = support::paintedBitmap(w, h, [green](int x, int) { return std::array{0, int(green), x}; });
    imaging::saveJpeg(bmp.view(), t.file(name), 90);
    return t.file(name);
}

// Runs python3 with a script that builds an archive; the script gets the folder as argv[1].
void python(const TempFolder& t, const std::string& script)
{
    writeText(t.file("make.py"), "import sys, os, zipfile, zlib, struct\nd = sys.argv[1]\n" + script);
    const std::string cmd = "python3 " + t.file("make.py") + " " + t.path.string();
    ASSERT_EQ(support::shell(cmd), 0) << script;
}

class LayoutPageTest : public ::testing::Test {
protected:
    LayoutPageTest() { core::setMessages(&messages); }
    ~LayoutPageTest() override { core::setMessages(nullptr); }

    std::unique_ptr<page::Page> newPage(int frames = 4)
    {
        s.NumberOfFrames = static_cast<std::uint8_t>(frames);
        return std::make_unique<page::Page>(s, [] { return page::PrinterMetrics{}; });
    }

    // Frames 1 and 2 from files, frame 3 empty, frame 4 a copy of frame 1.
    std::unique_ptr<page::Page> pageWithClone()
    {
        auto p = newPage(4);
        page::FileQueue q;
        q.FileList = {writeJpeg(t, "a.jpg", 60, 40, 10), writeJpeg(t, "b.jpg", 30, 50, 20)};
        page::nextBatch(*p, q);
        p->frame(1).Details = "first = one";
        p->frame(4) = p->frame(1);
        p->frame(4).PictureHolder.reset();
        p->frame(4).CloneOf = p->frame(4).PictureOwner = 1;
        return p;
    }

    TempFolder t;
    settings::Settings s;
    core::ScriptedMessages messages;
};

} // namespace

TEST(LayoutText, NumbersAreWrittenWithFifteenDigitsAndReadWithEitherSeparator)
{
    EXPECT_EQ(printing::layoutNumber(4.0f / 3.0f), "1.33333337306976");
    EXPECT_EQ(printing::layoutNumber(3.0f), "3");
    const auto d = printing::parseLayoutText("#Paginor Layout File\r\nFrames=2\r\nAR=1,5\r\nmargin=2,25\r\n#End of file\r\n");
    EXPECT_EQ(d.frameCount, 2);
    EXPECT_FLOAT_EQ(d.aspectRatio, 1.5f);
    EXPECT_FLOAT_EQ(d.margin, 2.25f);
}

TEST(LayoutText, ReadingFollowsTheWritersLinesAndRefusesWhatIsNotANumber)
{
    const std::string head = "#Paginor Layout File\r\nFrames=3\r\nAR=1.5\r\nmargin=3\r\n";
    const auto d = printing::parseLayoutText(head + "1.jpg=a<Cloned_From>b=c<Cloned_From>0\r\n2.jpg=" +
                                             std::string(300, 'x') + "<Cloned_From>1\r\nx.jpg=bad<Cloned_From>0\r\n" +
                                             "4.jpg=late<Cloned_From>0\r\n5.jpg=past the count\r\n#End of file\r\n");
    EXPECT_EQ(d.frameCount, 4); // 3 is not a frame count
    EXPECT_TRUE(d.frameCountReplaced);
    ASSERT_EQ(d.lines.size(), 4u);
    EXPECT_EQ(d.lines[0].caption, "a"); // cut at its first mark; the source follows the last
    EXPECT_EQ(d.lines[0].cloneOf, 0);
    EXPECT_EQ(d.lines[1].caption, std::string(255, 'x'));
    EXPECT_EQ(d.lines[1].cloneOf, 1);
    EXPECT_FALSE(d.lines[2].error.empty());
    EXPECT_EQ(d.lines[3].frame, 4);

    EXPECT_THROW(printing::parseLayoutText("#Paginor layout file\r\nFrames=4\r\n"), LayoutError);
    for (const char* bad : {"Frames=four\r\nAR=1\r\nmargin=3\r\n", "Frames=4\r\nAR=-1\r\nmargin=3\r\n",
                            "Frames=4\r\nAR=1.2.3\r\nmargin=3\r\n", "Frames=4\r\nAR=nan\r\nmargin=3\r\n",
                            "Frames=4\r\nAR=1\r\n"})
        EXPECT_THROW(printing::parseLayoutText("#Paginor Layout File\r\n" + std::string(bad)), LayoutError) << bad;

    // Values past what the settings accept are refused like words, naming the value: a
    // margin of 1e39 would become infinity and be saved as "inf", which no load takes.
    struct Bad {
        const char* lines;
        const char* what;
        const char* value;
    };
    for (const Bad& b : {Bad{"AR=1e39\r\nmargin=3", "aspect ratio", "1e39"}, Bad{"AR=1000.5\r\nmargin=3", "aspect ratio", "1000.5"},
                         Bad{"AR=1\r\nmargin=1e39", "margin", "1e39"}, Bad{"AR=1\r\nmargin=1000.5", "margin", "1000.5"}}) {
        try {
            printing::parseLayoutText("#Paginor Layout File\r\nFrames=4\r\n" + std::string(b.lines) + "\r\n#End of file\r\n");
            ADD_FAILURE() << b.lines;
        } catch (const LayoutError& e) {
            const std::string text = e.what();
            EXPECT_NE(text.find(b.what), std::string::npos) << text;
            EXPECT_NE(text.find("1000"), std::string::npos) << text;
            EXPECT_EQ(text.substr(text.size() - std::strlen(b.value)), b.value) << text;
        }
    }
    const auto edge = printing::parseLayoutText(head.substr(0, head.find("AR=")) + "AR=1000\r\nmargin=1000\r\n");
    EXPECT_FLOAT_EQ(edge.margin, 1000.0f);

    // A caption is cut at 255 bytes, but never inside a character: "é" takes bytes 255 and 256.
    const auto cut = printing::parseLayoutText(head + "1.jpg=" + std::string(254, 'x') + "\xC3\xA9<Cloned_From>0\r\n");
    EXPECT_EQ(cut.lines.at(0).caption, std::string(254, 'x'));
}

TEST(LayoutText, OnlyBareFileNamesAreMembers)
{
    for (const char* bad : {"../x", "/etc/x", "a/b.jpg", "a\\b.jpg", "C:x.jpg", "..", "", "1..jpg"})
        EXPECT_FALSE(printing::isBareMemberName(bad)) << bad;
    EXPECT_TRUE(printing::isBareMemberName("16.jpg"));
}

TEST_F(LayoutPageTest, SavedPageLoadsAgainWithItsCloneCaptionsAndUnchangedJpegData)
{
    s.store_as_Jpg = true;
    auto p = pageWithClone();
    const std::string zip = t.file("page.zip");
    printing::savePageArchive(*p, zip);

    printing::LayoutArchive archive(zip);
    EXPECT_EQ(archive.readDescription(),
              "#Paginor Layout File\r\nFrames=4\r\nAR=" + printing::layoutNumber(s.Global_AspectRatio) +
                  "\r\nmargin=3\r\n1.jpg=first = one<Cloned_From>0\r\n2.jpg=b.jpg Printed by Paginor<Cloned_From>0\r\n"
                  "4.jpg=first = one<Cloned_From>1\r\n#End of file\r\n");
    TempFolder out;
    EXPECT_TRUE(archive.extract("1.jpg", out.path));
    EXPECT_EQ(readText(out.file("1.jpg")), readText(t.file("a.jpg")));
    EXPECT_FALSE(archive.extract("3.jpg", out.path));
    EXPECT_FALSE(archive.extract("4.jpg", out.path));

    s.Global_AspectRatio = 2.0f;
    auto q = newPage(16);
    const printing::LayoutLoadResult r = printing::loadLayout(*q, zip);
    EXPECT_TRUE(r.opened);
    EXPECT_EQ(r.problems, 0);
    EXPECT_TRUE(messages.entries().empty());
    EXPECT_EQ(q->state().FrameCount, 4);
    EXPECT_FLOAT_EQ(q->state().Global_AspectRatio, p->state().Global_AspectRatio);
    EXPECT_EQ(q->frame(1).FileName, "* Loaded page " + zip);
    EXPECT_EQ(q->frame(1).Details, "first = one");
    EXPECT_EQ(q->pictureShownIn(2)->width(), 30);
    EXPECT_FALSE(q->frame(3).Loaded);
    EXPECT_EQ(q->frame(4).CloneOf, 1);
    EXPECT_EQ(q->frame(4).FileName, "* Clone of 1");
    EXPECT_EQ(q->pictureShownIn(4), q->pictureShownIn(1));
    // The members are decoded as the files were on loading: the same data, the same
    // screen renditions and the same pixels.
    for (const int n : {1, 2}) {
        const imaging::Picture& loaded = *q->pictureShownIn(n);
        const imaging::Picture& original = *p->pictureShownIn(n);
        EXPECT_TRUE(std::ranges::equal(loaded.jpegData(), original.jpegData())) << n;
        ASSERT_TRUE(q->frame(n).ScreenPicture.pixels && p->frame(n).ScreenPicture.pixels) << n;
        EXPECT_EQ(*q->frame(n).ScreenPicture.pixels, *p->frame(n).ScreenPicture.pixels) << n;
        EXPECT_EQ(q->frame(n).ScreenPicture.scaleEighths, p->frame(n).ScreenPicture.scaleEighths) << n;
        EXPECT_EQ(loaded.bitmap(), original.bitmap()) << n;
    }
}

TEST_F(LayoutPageTest, AnOrientedJpegIsKeptByteForByteAndAReencodedPictureIsStoredUprightWithoutATag)
{
    if (!support::haveTool("exiftool"))
        GTEST_SKIP() << "exiftool is not installed";
    s.store_as_Jpg = true;
    // A phone photo: stored lying on its side (64 x 48), tagged to be turned clockwise.
    const std::string a = writeJpeg(t, "a.jpg", 64, 48, 10), b = writeJpeg(t, "b.jpg", 64, 48, 20);
    for (const std::string& f : {a, b})
        ASSERT_EQ(support::shell("exiftool -q -q -overwrite_original -Orientation#=6 '" + f + "'"), 0);
    auto p = newPage(2);
    page::FileQueue q;
    q.FileList = {a, b};
    page::nextBatch(*p, q);
    const imaging::Bitmap upright = imaging::loadBitmap(a);
    ASSERT_EQ(upright.width(), 48);
    // Frame 2 fitted to the frames' shape: a step waits on its JPEG data, so it is encoded.
    p->frame(2).Selected = true;
    page::cropToFrame(*p);
    const imaging::Bitmap fitted = p->pictureShownIn(2)->bitmap();
    ASSERT_NE(fitted.width(), 48);
    const std::string zip = t.file("page.zip");
    printing::savePageArchive(*p, zip);

    TempFolder out;
    printing::LayoutArchive archive(zip);
    ASSERT_TRUE(archive.extract("1.jpg", out.path));
    ASSERT_TRUE(archive.extract("2.jpg", out.path));
    EXPECT_EQ(readText(out.file("1.jpg")), readText(a));
    EXPECT_EQ(imaging::fileOrientation(imaging::readWholeFile(out.file("2.jpg"))), imaging::kUpright);

    auto back = newPage(16);
    ASSERT_TRUE(printing::loadLayout(*back, zip).opened);
    EXPECT_EQ(back->pictureShownIn(1)->bitmap(), upright);
    const imaging::Bitmap& second = back->pictureShownIn(2)->bitmap();
    EXPECT_EQ(second.width(), fitted.width());
    EXPECT_EQ(second.height(), fitted.height());
}

TEST_F(LayoutPageTest, SavingTwiceReplacesMembersAndKeepsTheOthers)
{
    auto p = pageWithClone();
    const std::string zip = t.file("page.zip");
    printing::savePageArchive(*p, zip); // bmp members
    s.store_as_Jpg = true;
    p->frame(2).Details = "second";
    printing::savePageArchive(*p, zip);
    printing::LayoutArchive archive(zip);
    TempFolder out;
    EXPECT_TRUE(archive.extract("2.bmp", out.path)); // kept, and ignored on loading
    EXPECT_TRUE(archive.extract("2.jpg", out.path));
    auto q = newPage();
    printing::loadLayout(*q, zip);
    EXPECT_EQ(q->frame(2).Details, "second");
    EXPECT_EQ(q->frame(2).PictureHolder->isJpeg(), true);
}

TEST_F(LayoutPageTest, SavingIntoAnArchiveMadeByZipKeepsItsMembersAndShowsProgressWhileCompressing)
{
    // zip puts a large member first; the page goes in after it.
    std::vector<std::uint8_t> noise(3 << 20);
    std::uint32_t x = 777;
    for (auto& b : noise)
        b = static_cast<std::uint8_t>((x = x * 1664525u + 1013904223u) >> 24);
    imaging::writeFileAtomically(t.file("first.bin"), noise);
    ASSERT_EQ(support::shell("cd " + t.path.string() + " && zip -q -9 other.zip first.bin"), 0);

    // Frame 2 a large picture, so its member takes a while to compress.
    auto p = pageWithClone();
    imaging::Bitmap big(1200, 900);
    for (int y = 0; y < big.height(); ++y)
        for (int i = 0; i < 3 * big.width(); ++i)
            big.row(y)[i] = static_cast<std::uint8_t>((x = x * 1664525u + 1013904223u) >> 24);
    p->frame(2).PictureHolder = std::make_shared<imaging::Picture>(imaging::Picture::fromBitmap(std::move(big)));
    struct Recorder : page::StatusDisplay {
        std::vector<int> percents;
        void setProgress(int percent) override { percents.push_back(percent); }
    } status;
    p->setStatusDisplay(&status);
    int alive = 0;
    printing::savePageArchive(*p, t.file("other.zip"), [&] { ++alive; });
    p->setStatusDisplay(nullptr);

    // The window is kept alive while the members are compressed, not only between them,
    // and the bar only goes forward.
    EXPECT_GT(alive, 8);
    const std::vector<int> shown(status.percents.begin(), status.percents.end() - 1); // the last hides the bar
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end())) << ::testing::PrintToString(status.percents);
    EXPECT_GT(std::count_if(shown.begin(), shown.end(), [](int v) { return v > 0 && v < 100; }), 8);

    printing::LayoutArchive archive(t.file("other.zip"));
    TempFolder out;
    ASSERT_TRUE(archive.extract("first.bin", out.path));
    EXPECT_TRUE(readText(out.file("first.bin")) == readText(t.file("first.bin")));
    // A member that cannot be made ends the save with an error, and the archive is as it was.
    const std::string saved = readText(t.file("other.zip"));
    const auto cannot = []() -> std::vector<std::uint8_t> { throw imaging::ImagingError("no pixels"); };
    EXPECT_THROW(printing::updateArchive(t.file("other.zip"), {{"3.bmp", {}, cannot}}), LayoutError);
    EXPECT_TRUE(readText(t.file("other.zip")) == saved);

    auto q = newPage();
    EXPECT_TRUE(printing::loadLayout(*q, t.file("other.zip")).opened);
    EXPECT_EQ(q->pictureShownIn(2)->width(), 1200);
    EXPECT_EQ(q->frame(4).CloneOf, 1);
    EXPECT_TRUE(messages.entries().empty()) << ::testing::PrintToString(messages.texts());
}

TEST_F(LayoutPageTest, HostileArchivesGiveMessagesAndWriteNothingOutsideThePrivateFolder)
{
    writeJpeg(t, "pic.jpg", 8, 8, 5);
    writeJpeg(t, "other.jpg", 64, 64, 77);
    // 4.jpg is JPEG data cut short; 5.jpg's stored data has a byte changed, so only the
    // check sum at its end finds it; so has 6.jpg's deflated data.
    python(t, R"(
vdt = "#Paginor Layout File\r\nFrames=8\r\nAR=1\r\nmargin=3\r\n"
z = zipfile.ZipFile(os.path.join(d, "evil.zip"), "w")
z.writestr("layout.vdt", vdt + "1.jpg=ok\r\n2.jpg/../../escaped.jpg=up<Cloned_From>0\r\n3.jpg=twice\r\nzz=not a frame\r\n"
                               "4.jpg=cut\r\n5.jpg=changed\r\n6.jpg=inflates wrongly\r\n#End of file\r\n")
z.write(os.path.join(d, "pic.jpg"), "1.jpg")
z.write(os.path.join(d, "pic.jpg"), "2.jpg/../../escaped.jpg")
z.write(os.path.join(d, "pic.jpg"), "/etc/escaped.jpg")
z.write(os.path.join(d, "pic.jpg"), "3.jpg")
z.write(os.path.join(d, "pic.jpg"), "3.jpg")
z.writestr("4.jpg", open(os.path.join(d, "pic.jpg"), "rb").read()[:200])
other = open(os.path.join(d, "other.jpg"), "rb").read()
z.writestr("5.jpg", other)
z.writestr("6.jpg", other, zipfile.ZIP_DEFLATED)
z.close()
data = bytearray(open(os.path.join(d, "evil.zip"), "rb").read())
at = data.find(other) + len(other) // 2
data[at] ^= 0xFF
six = zipfile.ZipFile(os.path.join(d, "evil.zip")).getinfo("6.jpg")
data[six.header_offset + 30 + len("6.jpg") + six.compress_size // 2] ^= 0x55
open(os.path.join(d, "evil.zip"), "wb").write(data)
)");
    auto p = newPage();
    const auto r = printing::loadLayout(*p, t.file("evil.zip"));
    EXPECT_TRUE(r.opened);
    EXPECT_EQ(r.problems, 6) << ::testing::PrintToString(messages.texts());
    const std::vector<std::string> texts = messages.texts();
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_NE(texts[3].find("Corrupt or truncated JPEG data"), std::string::npos) << texts[3];
    EXPECT_EQ(texts[4], "The layout file's member 5.jpg is damaged: CRC error");
    EXPECT_EQ(texts[5].rfind("The layout file's member 6.jpg ", 0), 0u) << texts[5];
    EXPECT_TRUE(p->frame(1).Loaded);
    for (const int n : {2, 3, 4, 5, 6})
        EXPECT_FALSE(p->frame(n).Loaded) << n;
    EXPECT_FALSE(fs::exists(t.path.parent_path() / "escaped.jpg"));
    EXPECT_FALSE(fs::exists(t.path / "escaped.jpg"));

    // Neither a missing description nor a file that is no archive changes the page.
    for (const char* name : {"pic.jpg", "missing.zip"}) {
        messages.clear();
        EXPECT_FALSE(printing::loadLayout(*p, t.file(name)).opened);
        EXPECT_EQ(messages.texts(), std::vector<std::string>{"Can't open layout file"});
        EXPECT_TRUE(p->frame(1).Loaded);
    }
}

TEST_F(LayoutPageTest, MembersThatInflatePastTheirSizeOrThePictureLimitAreRefusedEarly)
{
    // A gigabyte of zeros whose directory says 1000 bytes, and one that says 3.9 GB.
    // A gigabyte of zeros as raw deflate: one fully flushed megabyte repeated, then an empty
    // final block; the member's sizes are written as each test wants them.
    python(t, R"(
c = zlib.compressobj(1, zlib.DEFLATED, -15)
mb = c.compress(bytes(1 << 20)) + c.flush(zlib.Z_FULL_FLUSH)
data = mb * 1024 + b"\x03\x00"
def bomb(name, said):
    n = b"1.bmp"
    local = struct.pack("<IHHHHHIIIHH", 0x04034b50, 20, 0, 8, 0, 0, 0, len(data), said, len(n), 0) + n
    central = struct.pack("<IHHHHHHIIIHHHHHII", 0x02014b50, 20, 20, 0, 8, 0, 0, 0, len(data), said, len(n),
                          0, 0, 0, 0, 0, 0) + n
    end = struct.pack("<IHHHHIIH", 0x06054b50, 0, 0, 1, 1, len(central), len(local) + len(data), 0)
    open(os.path.join(d, name), "wb").write(local + data + central + end)
bomb("liar.zip", 1000)
bomb("huge.zip", 3900000000)
)");
    for (const char* name : {"liar.zip", "huge.zip"}) {
        printing::LayoutArchive archive(t.file(name));
        TempFolder out;
        EXPECT_THROW(archive.extract("1.bmp", out.path), LayoutError) << name;
        EXPECT_TRUE(fs::is_empty(out.path)) << name;
    }
}

TEST_F(LayoutPageTest, KilledSaveLeavesTheOldArchiveIntactAndNothingBesideIt)
{
    auto p = pageWithClone();
    const std::string zip = t.file("page.zip");
    printing::savePageArchive(*p, zip);
    const std::string before = readText(zip);
    const auto listing = [&] {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(t.path))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    };
    const auto files = listing();

    // A member large enough that the save is still at work when it is killed: while the
    // archive is made in memory, and while it is written.
    std::vector<std::uint8_t> noise(48 << 20);
    std::uint32_t x = 12345;
    for (auto& b : noise)
        b = static_cast<std::uint8_t>((x = x * 1664525u + 1013904223u) >> 24);
    int killed = 0;
    for (int delayMs : {20, 150, 400, 800, 1500}) {
        const pid_t child = ::fork();
        if (child == 0) {
            try {
                printing::updateArchive(zip, {{"big.bin", noise, {}}});
            } catch (...) {
                ::_exit(1);
            }
            ::_exit(0);
        }
        ::usleep(static_cast<useconds_t>(delayMs) * 1000);
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        // Our kill, or a save that finished first; a child that crashed or failed is a fault.
        const bool ourKill = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
        ASSERT_TRUE(ourKill || (WIFEXITED(status) && WEXITSTATUS(status) == 0))
            << delayMs << " ms: the save ended with status " << status;
        EXPECT_EQ(listing(), files) << delayMs;
        if (readText(zip) != before) {
            // The kill came after the rename: the new archive, whole.
            TempFolder out;
            EXPECT_TRUE(printing::LayoutArchive(zip).extract("big.bin", out.path)) << delayMs;
            EXPECT_EQ(fs::file_size(out.file("big.bin")), noise.size()) << delayMs;
            break; // longer delays show nothing new
        }
        if (!ourKill)
            break;
        ++killed;
    }
    EXPECT_GE(killed, 1);
    auto q = newPage();
    EXPECT_TRUE(printing::loadLayout(*q, zip).opened);
    EXPECT_TRUE(q->frame(2).Loaded);
}

TEST_F(LayoutPageTest, FramePictureSavesWithItsSideFileUnlessPastedAndAsBmpWhenAsked)
{
    auto p = pageWithClone();
    const std::string jpg = t.file("IMG_0001.JPG");
    printing::saveFrameImage(*p, 1, jpg, printing::FrameImageFormat::Jpeg);
    EXPECT_EQ(readText(jpg), readText(t.file("a.jpg")));
    EXPECT_EQ(readText(t.file("IMG_0001.vdt")), "first = one\r\n");
    // The side file is read back by the load step as the frame's details.
    page::FileQueue q;
    q.FileList = {jpg};
    auto back = newPage(1);
    page::nextBatch(*back, q);
    EXPECT_EQ(back->frame(1).Details, "first = one");

    // The side file keeps 255 bytes of the details, cut between characters.
    p->frame(1).Details = std::string(254, 'x') + "\xC3\xA9 and more";
    printing::saveFrameImage(*p, 1, t.file("long.jpg"), printing::FrameImageFormat::Jpeg);
    EXPECT_EQ(readText(t.file("long.vdt")), std::string(254, 'x') + "\r\n");

    p->frame(2).Details = "* Clipboard Pasted image *";
    printing::saveFrameImage(*p, 2, t.file("pasted.jpg"), printing::FrameImageFormat::Jpeg);
    EXPECT_FALSE(fs::exists(t.file("pasted.vdt")));

    printing::saveFrameImage(*p, 2, t.file("asbmp.jpg"), printing::FrameImageFormat::Bmp);
    EXPECT_EQ(readText(t.file("asbmp.jpg")).substr(0, 2), "BM");
    EXPECT_FALSE(fs::exists(t.file("asbmp.vdt")));

    // A side file that cannot be written (a folder has its name) is told; the picture stays.
    fs::create_directory(t.file("c.vdt"));
    printing::saveFrameImage(*p, 1, t.file("c.jpg"), printing::FrameImageFormat::Jpeg);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Drive Error - Unable to save Props file"});
    EXPECT_TRUE(fs::exists(t.file("c.jpg")));
}

TEST(LayoutCommand, ShowPrintsThePageAndSaveTakesClones)
{
    TempFolder t;
    const QString a = QString::fromStdString(writeJpeg(t, "a.jpg", 40, 30, 10));
    const QString b = QString::fromStdString(writeJpeg(t, "b.jpg", 20, 30, 20));
    const QString zip = QString::fromStdString(t.file("p.zip"));
    support::RunOptions options;
    options.env.insert("QT_QPA_PLATFORM", "offscreen");
    options.env.insert("HOME", QString::fromStdString(t.path.string()));
    const auto paginor = [&](const QStringList& args) { return support::run(PAGINOR_EXE, args, options); };
    ASSERT_EQ(paginor({"layout", "save", "-o", zip, "--set", "store_as_Jpg=1", "--set", "Inc_Text=T", "--clone", "4:1", a, b})
                  .exitCode,
              0);
    const support::RunResult shown = paginor({"layout", "show", zip});
    ASSERT_EQ(shown.exitCode, 0);
    EXPECT_EQ(shown.out.toStdString(), "{\"frames\":4,\"aspect\":1.33333301544189,\"margin\":3,\"items\":["
                             "{\"frame\":1,\"member\":\"1.jpg\",\"details\":\"a.jpg T\",\"clone_of\":0,\"width\":40,\"height\":30},"
                             "{\"frame\":2,\"member\":\"2.jpg\",\"details\":\"b.jpg T\",\"clone_of\":0,\"width\":20,\"height\":30},"
                             "{\"frame\":4,\"member\":\"4.jpg\",\"details\":\"a.jpg T\",\"clone_of\":1,\"width\":40,\"height\":30}]}\n");
    EXPECT_NE(paginor({"layout", "show", a}).exitCode, 0);
    EXPECT_NE(paginor({"layout", "save", "-o", zip, a, a, a, a, a}).exitCode, 0);
}
