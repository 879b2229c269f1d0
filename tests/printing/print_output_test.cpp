// `paginor render -o page.pdf` read back with poppler (pdfinfo, pdfimages, pdftotext,
// pdftoppm), and `paginor print` with --skip-unreadable, --from and --log on the CUPS
// queue PDF.
#include "tests/support/process.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cups/cups.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

using support::RunResult;

RunResult runTool(const QString& program, const QStringList& args, const QString& home = {})
{
    return support::run(program, args, {.env = home.isEmpty() ? QProcessEnvironment() : support::privateHome(home),
                                        .timeoutMs = 120000});
}

class PrintOutput : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    RunResult paginor(const QStringList& args) { return runTool(PAGINOR_EXE, args, m_dir.path()); }

    QString photo(const QString& name, int w, int h, QColor colour)
    {
        return support::solidPhoto(m_dir.filePath(name), w, h, colour, 95);
    }

    static bool havePoppler() { return !QStandardPaths::findExecutable("pdfimages").isEmpty(); }

    QTemporaryDir m_dir;
};

// A4 at 300 dpi, four frames: m = 35, H = 1170, W = 1559; the page is turned, 3508 x 2480.
const QStringList kA4At300 = {"--printer-page", "2480x3508", "--printer-dpi", "300"};

TEST_F(PrintOutput, RenderedPdfHasThePrintersPageImagesAtItsResolutionAndRealCaptions)
{
    if (!havePoppler())
        GTEST_SKIP() << "poppler-utils is not installed";
    const QStringList files = {photo("red.jpg", 1200, 900, Qt::red), photo("blue.jpg", 1200, 900, Qt::blue),
                               photo("green.jpg", 800, 600, Qt::green), photo("one.jpg", 800, 600, Qt::red),
                               photo("next.jpg", 800, 600, Qt::blue)};
    const QString pdf = m_dir.filePath("page.pdf");
    const RunResult r = paginor(QStringList{"render", "-o", pdf, "--geometry", "--set", "PrintProps=true", "--set",
                                            "PrintMarks=true", "--set", "Inc_Text=Holiday 2026"} << kA4At300 << files);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();

    const QString info = runTool("pdfinfo", {pdf}).out;
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+2\\n"))) << info.toStdString();
    // 3508 x 2480 dots at 300 dpi: 842 x 595 points, A4 turned.
    EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+842(\\.\\d+)? x 595(\\.\\d+)? pts"))) << info.toStdString();

    // One JPEG image per photo, each resampled to its 1559 x 1170 rectangle at 300 dpi.
    const QStringList images = runTool("pdfimages", {"-list", pdf}).out.split('\n').mid(2).filter(QRegularExpression("\\S"));
    ASSERT_EQ(images.size(), 5) << images.join('\n').toStdString();
    for (const QString& line : images) {
        const QStringList f = line.simplified().split(' ');
        EXPECT_EQ(f[3], "1559");
        EXPECT_EQ(f[4], "1170");
        EXPECT_EQ(f[8], "jpeg");
        EXPECT_EQ(f[12], "300");
        EXPECT_EQ(f[13], "300");
    }

    const QString text = runTool("pdftotext", {pdf, "-"}).out;
    EXPECT_EQ(text.count("Holiday 2026"), 5) << text.toStdString();
    EXPECT_TRUE(text.contains("green.jpg Holiday 2026"));
    EXPECT_TRUE(runTool("pdffonts", {pdf}).out.contains(" yes ")); // the caption's font is embedded

    // Rasterised at 30 dpi (a tenth of the geometry), each frame's middle has its colour
    // and the gap between frames is paper.
    ASSERT_EQ(runTool("pdftoppm", {"-r", "30", "-f", "1", "-l", "1", "-png", pdf, m_dir.filePath("p")}).exitCode, 0);
    const QImage page(m_dir.filePath("p-1.png"));
    ASSERT_EQ(page.size(), QSize(351, 248));
    const auto frames = r.out.split('\n').first().split("{\"frame\":").mid(1);
    const QColor want[4] = {Qt::red, Qt::blue, Qt::green, Qt::red};
    for (int k = 0; k < 4; ++k) {
        const auto n = [&](const char* key) {
            return QRegularExpression(QString("\"%1\":(-?\\d+)").arg(key)).match(frames[k]).captured(1).toInt();
        };
        const QColor c = page.pixelColor((n("left") + n("right")) / 20, (n("top") + n("bottom")) / 20);
        EXPECT_LT(std::abs(c.red() - want[k].red()) + std::abs(c.green() - want[k].green()) +
                      std::abs(c.blue() - want[k].blue()), 40) << "frame " << k + 1;
    }
    // Between the four frames, clear of the cut marks at 1628 and 1239 dots.
    const QColor gap = page.pixelColor(160, 121);
    EXPECT_GE(std::min({gap.red(), gap.green(), gap.blue()}), 230);
}

// Photos with at least the pixels of their printed rectangles go in as their files: the
// bytes pdfimages takes out are the file's, placed where the page puts the picture (a
// narrower one on the left of its frame, white beside it), and a profile goes with them.
TEST_F(PrintOutput, PhotosThatCoverTheirFramesGoIntoThePdfAsTheirOwnFiles)
{
    if (!havePoppler() || QStandardPaths::findExecutable("exiftool").isEmpty())
        GTEST_SKIP() << "poppler-utils or exiftool is not installed";
    const QString wide = photo("wide.jpg", 2400, 1800, Qt::red);
    const QString square = photo("square.jpg", 1800, 1800, Qt::blue);
    const QString small = photo("small.jpg", 800, 600, Qt::green);
    const QString adobe = photo("adobe.jpg", 2400, 1800, QColor(0, 200, 0));
    const QString profile = "/usr/share/color/icc/colord/AdobeRGB1998.icc"; // colord-data
    ASSERT_EQ(runTool("exiftool", {"-q", "-overwrite_original", "-icc_profile<=" + profile, adobe}).exitCode, 0);
    const QString pdf = m_dir.filePath("page.pdf");
    const RunResult r = paginor(QStringList{"render", "-o", pdf, "--geometry"} << kA4At300 << wide << square << small
                                                                               << adobe);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();

    // page num type width height color comp bpc enc ...
    const QStringList images = runTool("pdfimages", {"-list", pdf}).out.split('\n').mid(2).filter(QRegularExpression("\\S"));
    ASSERT_EQ(images.size(), 4) << images.join('\n').toStdString();
    const QStringList sizes = {"2400x1800 rgb", "1800x1800 rgb", "1559x1170 rgb", "2400x1800 icc"};
    for (int k = 0; k < 4; ++k) {
        const QStringList f = images[k].simplified().split(' ');
        EXPECT_EQ(f[3] + "x" + f[4] + " " + f[5], sizes[k]) << "image " << k;
        EXPECT_EQ(f[8], "jpeg");
    }
    ASSERT_EQ(runTool("pdfimages", {"-j", pdf, m_dir.filePath("out")}).exitCode, 0);
    const auto bytes = [](const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    EXPECT_EQ(bytes(m_dir.filePath("out-000.jpg")), bytes(wide));
    EXPECT_EQ(bytes(m_dir.filePath("out-001.jpg")), bytes(square));
    EXPECT_NE(bytes(m_dir.filePath("out-002.jpg")), bytes(small)); // resampled for its frame
    EXPECT_EQ(bytes(m_dir.filePath("out-003.jpg")), bytes(adobe));

    ASSERT_EQ(runTool("pdftoppm", {"-r", "30", "-png", pdf, m_dir.filePath("p")}).exitCode, 0);
    const QImage page(m_dir.filePath("p-1.png"));
    const auto frames = r.out.split('\n').first().split("{\"frame\":").mid(1);
    const auto edge = [&](int k, const char* key) {
        return QRegularExpression(QString("\"%1\":(-?\\d+)").arg(key)).match(frames[k]).captured(1).toInt() / 10;
    };
    const int middle = (edge(1, "top") + edge(1, "bottom")) / 2;
    // The square's picture covers 1800/2400 of its frame's width.
    const int covered = edge(1, "left") + (edge(1, "right") - edge(1, "left")) * 3 / 4;
    const QColor blue = page.pixelColor(covered - 8, middle), white = page.pixelColor(covered + 8, middle);
    EXPECT_TRUE(blue.blue() > 200 && blue.red() < 60) << blue.name().toStdString();
    EXPECT_GE(std::min({white.red(), white.green(), white.blue()}), 230) << white.name().toStdString();
    const QColor red = page.pixelColor((edge(0, "left") + edge(0, "right")) / 2, (edge(0, "top") + edge(0, "bottom")) / 2);
    EXPECT_TRUE(red.red() > 200 && red.green() < 60) << red.name().toStdString();
}

TEST_F(PrintOutput, APdfThatCannotBeMadeLeavesTheOldFile)
{
    const QString pdf = m_dir.filePath("keep.pdf");
    support::writeFile(pdf, "old contents");
    const QString bad = support::writeFile(m_dir.filePath("bad.jpg"), "\xFF\xD8\xFF\xE0 not really a picture");
    EXPECT_EQ(paginor(QStringList{"render", "-o", pdf} << kA4At300 << bad).exitCode, 1);
    QFile old(pdf);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old contents");
    EXPECT_EQ(QDir(m_dir.path()).entryList({"*keep*"}, QDir::Files), QStringList{"keep.pdf"});
}

TEST_F(PrintOutput, UnattendedBatchPassesOverUnreadableFilesResumesAndLogsEachPage)
{
    cups_dest_t* queue = cupsGetNamedDest(CUPS_HTTP_DEFAULT, "PDF", nullptr);
    cupsFreeDests(queue ? 1 : 0, queue);
    if (!queue)
        GTEST_SKIP() << "no CUPS queue named PDF (scripts/test.sh creates one)";
    const QString bad = support::writeFile(m_dir.filePath("bad.jpg"), "\xFF\xD8\xFF\xE0 not really a picture");
    QStringList files;
    for (int i = 1; i <= 6; ++i)
        files << photo(QString("p%1.jpg").arg(i), 40, 30, QColor(40 * i, 90, 160));
    files.insert(1, bad); // p1, bad, p2 .. p6: two pages of four frames
    const QString log = m_dir.filePath("batch.log");
    const QStringList common = {"print", "--printer", "PDF", "--set", "Wait_For_Empty_Q=false"};

    RunResult r = paginor(common + QStringList{"--skip-unreadable", "--log", log} + files);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.count('\n'), 2) << r.out.toStdString();
    EXPECT_TRUE(r.err.contains("warning: Skipped: ")) << r.err.toStdString();
    // The tiny photos print far below 150 pixels per inch: said once a page.
    EXPECT_EQ(r.err.count("Frames 1, 2, 3 and 4 print below 150 pixels per inch"), 1) << r.err.toStdString();
    EXPECT_EQ(r.err.count("Frames 1 and 2 print below 150 pixels per inch"), 1) << r.err.toStdString();
    QFile logFile(log);
    ASSERT_TRUE(logFile.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(logFile.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines[0].startsWith("skipped\t" + bad + "\t"));
    const QStringList jobs = r.out.split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines[1], QStringList({"page", "1", "job", jobs[0], "printed", files[0], files[2], files[3], files[4]}).join('\t'));
    EXPECT_EQ(lines[2], QStringList({"page", "2", "job", jobs[1], "printed", files[5], files[6]}).join('\t'));

    // Without the option the file is an error, as before; --from resumes at file 7.
    EXPECT_EQ(paginor(common + files).exitCode, 1);
    r = paginor(common + QStringList{"--from", "7", "--set", "Min_Print_Resolution=0"} + files);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.count('\n'), 1);
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    EXPECT_EQ(paginor(common + QStringList{"--from", "8"} + files).exitCode, 2);
}

} // namespace
