// Printing end to end: the page bitmap (print to file, preview) pixel for pixel against the
// printed geometry, the preview window's commands, and real CUPS jobs through the PDF
// queue, rasterised with pdftoppm and compared with where the geometry puts each frame.
#include "core/messages.h"
#include "imaging/codecs/codecs.h"
#include "imaging/qt/qimage_adapter.h"
#include "page/core/loading.h"
#include "page/core/page.h"
#include "printing/core/frame_pipeline.h"
#include "printing/render/page_render.h"
#include "printing/ui/preview_form.h"
#include "printing/ui/print_commands.h"
#include "printing/cups/print_job.h"
#include "printing/cups/printer.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>

#include <cups/cups.h>
#include <cstring>
#include <pwd.h>
#include <unistd.h>

namespace {

const page::PrinterMetrics kA4At600{"test", 600, 600, 4960, 7016};

// The window's part in printing, with a page of its own.
class Rig final : public printing::PrintWindow {
public:
    explicit Rig(std::optional<page::PrinterMetrics> fixed = kA4At600)
    {
        if (!fixed) {
            printing::preparePrinter(m_printer, QPrinterInfo::defaultPrinterName());
            fixed = printing::readPrinterMetrics(m_printer);
        }
        metrics = *fixed;
        s.NumberOfFrames = 4;
        model = std::make_unique<page::Page>(s, [this] { return metrics; });
        timer.setInterval(10000);
        commands = std::make_unique<printing::PrintCommands>(*this);
        relayout();
    }
    void relayout() { model->Sizeup_Visual_Page(800, 600); }

    page::Page& printPage() override { return *model; }
    QPrinter& printer() override { return m_printer; }
    QWidget* dialogParent() override { return nullptr; }
    QTimer& queueTimer() override { return timer; }
    void setStopEnabled(bool enabled) override { stopEnabled = enabled; }
    bool stopRequested() const override { return stop; }
    void setStopRequested(bool on) override { stop = on; }
    void saveAndDisableButtons() override { ++frozen; }
    void restoreButtons() override { --frozen; }
    bool batchInProgress() const override { return queue.BatchInProgress; }
    void loadNextPage() override
    {
        for (int n = 1; n <= model->state().FrameCount; ++n) {
            page::emptyFrameForLoad(*model, n);
            model->frame(n).Selected = true;
        }
        page::Load_The_Files(*model, queue);
    }

    settings::Settings s;
    page::PrinterMetrics metrics;
    std::unique_ptr<page::Page> model;
    QPrinter m_printer{QPrinter::HighResolution};
    QTimer timer;
    page::FileQueue queue;
    bool stop = false;
    bool stopEnabled = false;
    int frozen = 0;
    std::unique_ptr<printing::PrintCommands> commands;
};

imaging::Bitmap solid(int w, int h, QColor c)
{
    imaging::Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = b.row(y) + 3 * x;
            p[0] = static_cast<std::uint8_t>(c.blue());
            p[1] = static_cast<std::uint8_t>(c.green());
            p[2] = static_cast<std::uint8_t>(c.red());
        }
    return b;
}

const QColor kColours[4] = {QColor(200, 30, 30), QColor(30, 160, 40), QColor(40, 60, 210), QColor(230, 200, 20)};

void fillFrame(page::Page& p, int k, QColor c, const std::string& name, int w = 400, int h = 300)
{
    page::TFrameRec& f = p.frame(k);
    f.PictureHolder = std::make_shared<imaging::Picture>(imaging::Picture::fromBitmap(solid(w, h, c)));
    f.PictureOwner = k;
    f.Loaded = true;
    f.AspectRatio = static_cast<float>(w) / static_cast<float>(h);
    f.FileName = "/photos/" + name;
    f.Details = name;
}

bool near(QRgb a, QColor b, int tolerance)
{
    return std::abs(qRed(a) - b.red()) <= tolerance && std::abs(qGreen(a) - b.green()) <= tolerance &&
           std::abs(qBlue(a) - b.blue()) <= tolerance;
}

printing::PrintedPage layoutOf(const Rig& rig, int dpi)
{
    const page::PageState& st = rig.model->state();
    return printing::layoutPage({st.FrameCount, st.Global_AspectRatio, rig.s.margin_mm, rig.s.Page_Margin_mm, rig.s.tsz},
                                printing::bitmapTarget(st.FrameCount, st.PageWidthPx, st.PageHeightPx, st.PrinterDpiX, dpi));
}

// Every pixel inside each loaded frame's rectangle has its photo's colour, the ring of
// pixels just outside it is paper, and the frames left empty are paper.
void checkFrames(const QImage& img, const printing::PrintedPage& layout, const std::vector<int>& loaded)
{
    QCOMPARE(img.width(), layout.target.pageWidth);
    QCOMPARE(img.height(), layout.target.pageHeight);
    for (const printing::PrintedFrame& f : layout.frames) {
        const page::Rect& r = f.image;
        const bool isLoaded = std::find(loaded.begin(), loaded.end(), f.frame) != loaded.end();
        const QColor want = isLoaded ? kColours[(f.frame - 1) % 4] : QColor(Qt::white);
        for (int y = r.top; y < r.bottom(); ++y)
            for (int x = r.left; x < r.right(); ++x)
                if (img.pixel(x, y) != want.rgb())
                    QFAIL(qPrintable(QString("frame %1 pixel (%2, %3) is %4").arg(f.frame).arg(x).arg(y).arg(img.pixel(x, y), 0, 16)));
        for (int x = r.left; x < r.right(); ++x) {
            QCOMPARE(img.pixel(x, r.top - 1), QColor(Qt::white).rgb());
            QCOMPARE(img.pixel(x, r.bottom()), QColor(Qt::white).rgb());
        }
        for (int y = r.top; y < r.bottom(); ++y) {
            QCOMPARE(img.pixel(r.left - 1, y), QColor(Qt::white).rgb());
            QCOMPARE(img.pixel(r.right(), y), QColor(Qt::white).rgb());
        }
    }
}

// ---- CUPS -----------------------------------------------------------------------------

// The folder cups-pdf writes to for this user (its "Out" line, ${HOME} expanded).
QString cupsPdfFolder()
{
    QFile conf("/etc/cups/cups-pdf.conf");
    if (!conf.open(QIODevice::ReadOnly))
        return {};
    QString out;
    for (const QString& line : QString::fromLocal8Bit(conf.readAll()).split('\n'))
        if (line.startsWith("Out "))
            out = line.mid(4).trimmed();
    const passwd* pw = getpwuid(getuid());
    out.replace("${HOME}", pw ? QString::fromLocal8Bit(pw->pw_dir) : QDir::homePath());
    return out;
}

struct CupsJob {
    QString title;
    int state = 0;
};

std::optional<CupsJob> findJob(int id)
{
    cups_job_t* jobs = nullptr;
    const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, CUPS_WHICHJOBS_ALL);
    std::optional<CupsJob> found;
    for (int i = 0; i < n; ++i)
        if (jobs[i].id == id)
            found = CupsJob{QString::fromUtf8(jobs[i].title), jobs[i].state};
    cupsFreeJobs(n > 0 ? n : 0, jobs);
    return found;
}

// The PDF cups-pdf made of job id, once the job has completed.
QString waitForPdf(int id)
{
    const QDir folder(cupsPdfFolder());
    for (int i = 0; i < 600; ++i) {
        const auto job = findJob(id);
        if (job && job->state == IPP_JSTATE_COMPLETED) {
            const QStringList hits = folder.entryList({QString("job_%1-*").arg(id)}, QDir::Files);
            if (!hits.isEmpty())
                return folder.filePath(hits.first());
        }
        if (job && job->state > IPP_JSTATE_COMPLETED)
            return {};
        QTest::qWait(100);
    }
    return {};
}

int pdfPages(const QString& pdf)
{
    QProcess p;
    p.start("pdfinfo", {pdf});
    p.waitForFinished(30000);
    const auto m = QRegularExpression(R"(Pages:\s+(\d+))").match(QString::fromLocal8Bit(p.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QImage rasterise(const QString& pdf, int dpi, const QString& dir)
{
    QProcess p;
    p.start("pdftoppm", {"-r", QString::number(dpi), "-png", "-singlefile", pdf, dir + "/page"});
    p.waitForFinished(60000);
    return QImage(dir + "/page.png");
}

bool havePdfQueue()
{
    return QPrinterInfo::availablePrinterNames().contains("PDF") && QFileInfo(cupsPdfFolder()).isDir() &&
           !QStandardPaths::findExecutable("pdftoppm").isEmpty();
}

} // namespace

class PrintingUiTest : public QObject {
    Q_OBJECT
private slots:
    void init() { app::setMessages(&messages); messages.clear(); }
    void cleanup() { app::setMessages(nullptr); }

    void printToFileMatchesTheGeometryPixelForPixel();
    void printToFileTakesThePrintersResolutionAfterAPrinterChange();
    void bandsMakeTheWholePageByteForByte();
    void theMemoryCheckAsksForBandsNotThePage();
    void directPathDrawsTheWholePictureAtItsOwnProportions();
    void previewIsAt72DpiWithBoxWhateverTheSettings();
    void captionsStandAboveTheirFramesAtTheGeometrysCorner();
    void nothingLoadedSaysSoAndWritesNoFile();
    void framesOffThePaperAreAskedAboutFirst();
    void cancelledFileDialogLeavesNothing();
    void fileNameDecidesTheFormatAndTheDialogOffersAllThree();
    void failedSaveIsReportedAndKeepsWhatWasThere();
    void previewWindowTurnsAndFits();
    void cupsPageHasItsFramesWhereTheGeometrySays();
    void cupsBatchOfNineOnFourFramesIsThreeJobs();
    void cupsStopDuringQueueWaitPrintsNothing();
    void aQueueCupsCannotAnswerForIsAnErrorNotEmpty();

private:
    app::ScriptedMessages messages;
};

void PrintingUiTest::printToFileMatchesTheGeometryPixelForPixel()
{
    Rig rig;
    rig.s.Print_Image_Use_Printers_Res = false;
    rig.s.Print_Image_Resolution = 100;
    rig.s.Print_Image_Resample_USing = 6; // Lanczos3: a flat colour stays flat, edges and all
    rig.s.Print_Image_As_Jpeg = false;
    for (int k : {1, 2, 4})
        fillFrame(*rig.model, k, kColours[k - 1], "p" + std::to_string(k) + ".jpg");
    QTemporaryDir dir;
    const QString file = dir.filePath("page.bmp");
    rig.commands->Print_bmp_Scheme(1, file);
    QVERIFY(messages.entries().empty());
    const QImage img(file);
    QVERIFY(!img.isNull());
    checkFrames(img, layoutOf(rig, 100), {1, 2, 4});
}

void PrintingUiTest::printToFileTakesThePrintersResolutionAfterAPrinterChange()
{
    Rig rig(page::PrinterMetrics{"first", 600, 600, 1200, 1800});
    rig.s.Print_Image_Resolution = 100; // stale: Print_Image_Use_Printers_Res is on
    rig.s.Print_Image_As_Jpeg = true;
    fillFrame(*rig.model, 1, kColours[0], "p.jpg");
    QTemporaryDir dir;
    for (int dpi : {600, 200}) {
        if (dpi == 200) {
            rig.metrics = {"second", 200, 200, 400, 600};
            rig.relayout();
        }
        const QString file = dir.filePath(QString("page%1.jpg").arg(dpi));
        rig.commands->Print_bmp_Scheme(1, file);
        const QImage img(file);
        const printing::PrintedPage layout = layoutOf(rig, dpi);
        QCOMPARE(img.size(), QSize(layout.target.pageWidth, layout.target.pageHeight));
        QCOMPARE(qRound(img.dotsPerMeterX() * 0.0254), dpi);
    }
    QVERIFY(messages.entries().empty());
}

namespace {

// A photo-like picture: every pixel its own, so a row or column out of place shows.
imaging::Bitmap textured(int w, int h, int seed)
{
    imaging::Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = b.row(y) + 3 * x;
            p[0] = static_cast<std::uint8_t>(x * 7 + y * 3 + seed * 40);
            p[1] = static_cast<std::uint8_t>((x ^ y) + seed * 13);
            p[2] = static_cast<std::uint8_t>(x * y / 5 + seed);
        }
    return b;
}

} // namespace

void PrintingUiTest::bandsMakeTheWholePageByteForByte()
{
    Rig rig(page::PrinterMetrics{"small", 150, 150, 1240, 1754});
    rig.s.NumberOfFrames = 8;
    rig.model = std::make_unique<page::Page>(rig.s, [&rig] { return rig.metrics; });
    rig.relayout();
    rig.s.PrintMarks = true;
    rig.s.PrintProps = true;
    rig.s.tsz = 11;
    for (int k = 1; k <= 8; ++k) {
        // A tall one padded with white, wide ones cut: every way a picture meets its frame.
        const int w = k == 3 ? 120 : 330 + 20 * k;
        fillFrame(*rig.model, k, Qt::black, "photo" + std::to_string(k) + ".jpg", w, 260);
        rig.model->frame(k).PictureHolder =
            std::make_shared<imaging::Picture>(imaging::Picture::fromBitmap(textured(w, 260, k)));
        rig.model->frame(k).Details = "Frame " + std::to_string(k) + " gjpqy_ÅÉ";
    }
    const page::PageState& st = rig.model->state();
    QTemporaryDir dir;
    // Resampled to exact size, stretched by the painter, and the preview's Box; dashed cut
    // marks of one pixel (a band's edge would restart their dashes) and of three.
    for (int filter : {6, 0, -1}) {
        rig.s.Print_Image_Resample_USing = std::max(filter, 0);
        rig.s.RuleWeight = filter == 0 ? 3 : 1;
        const bool preview = filter < 0;
        const auto target = printing::bitmapTarget(st.FrameCount, st.PageWidthPx, st.PageHeightPx, st.PrinterDpiX,
                                                   preview ? 72 : 150);
        const printing::PageDrawing d = printing::composePage(
            *rig.model, preview ? printing::Output::Preview : printing::Output::ImageFile, target);
        // The whole page at once, as drawPage paints it.
        imaging::Bitmap whole = printing::blankPageBitmap(target);
        {
            QImage canvas(whole.data(), whole.width(), whole.height(), whole.stride(), QImage::Format_BGR888);
            QPainter painter(&canvas);
            printing::drawPage(painter, d, {}, &whole);
        }
        const printing::PrintedFrame& last = d.layout.frames.back();
        QVERIFY(last.captionY > 0);
        // One row, an odd height, one that ends half-way down the last caption's line, and
        // the whole page as one band.
        const int splitsCaption = last.captionY + d.layout.captionHeight / 2;
        for (int height : {1, 7, splitsCaption, whole.height()}) {
            printing::PageBands bands(d, {});
            imaging::Bitmap band(whole.width(), height);
            while (bands.rowsDone() < bands.height()) {
                const int top = bands.rowsDone();
                imaging::BitmapView v = band.view();
                v.height = std::min(height, bands.height() - top);
                bands.compose(v);
                for (int y = 0; y < v.height; ++y)
                    if (std::memcmp(v.row(y), whole.row(top + y), static_cast<std::size_t>(whole.width()) * 3) != 0)
                        QFAIL(qPrintable(QString("filter %1, bands of %2: row %3 differs").arg(filter).arg(height).arg(top + y)));
            }
        }
        if (preview) {
            QVERIFY(printing::renderPageBitmap(d, {}) == whole);
            continue;
        }
        // The files, written band by band while the next band is made, are those of the
        // whole page byte for byte.
        for (bool jpeg : {true, false}) {
            const std::string banded = dir.filePath("banded").toStdString();
            const std::string reference = dir.filePath("whole").toStdString();
            printing::savePageFile(d, {}, nullptr, banded, jpeg, 93, 150);
            printing::savePageBitmap(whole, reference, jpeg, 93, 150);
            QVERIFY(imaging::readWholeFile(banded) == imaging::readWholeFile(reference));
        }
        // A writer that fails stops the page and leaves no file; so does a page that fails.
        const std::string nowhere = dir.filePath("missing/page.jpg").toStdString();
        QVERIFY_THROWS_EXCEPTION(std::exception, printing::savePageFile(d, {}, nullptr, nowhere, true, 90, 150));
        QVERIFY(!QFile::exists(QString::fromStdString(nowhere)));
        const std::string stopped = dir.filePath("stopped.bmp").toStdString();
        printing::DrawHooks failing;
        failing.progress = [](int) { throw std::runtime_error("stopped"); };
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 printing::writePageBands(d, failing, nullptr, [&](const imaging::NextBand& next) {
                                     imaging::saveBmpBands(stopped, d.layout.target.pageWidth,
                                                           d.layout.target.pageHeight, next);
                                 }, 5));
        QVERIFY(!QFile::exists(QString::fromStdString(stopped)));
    }
}

void PrintingUiTest::theMemoryCheckAsksForBandsNotThePage()
{
    // 36,000 dots a side: a page bitmap of 1.3 gigapixels, more than any bitmap the
    // program makes, but its bands and a row of frames are far less.
    Rig rig(page::PrinterMetrics{"wide", 300, 300, 12000, 12000});
    rig.s.NumberOfFrames = 16;
    rig.s.Print_Image_Resample_USing = 6;
    rig.model = std::make_unique<page::Page>(rig.s, [&rig] { return rig.metrics; });
    rig.relayout();
    const page::PageState& st = rig.model->state();
    const auto target = printing::bitmapTarget(st.FrameCount, st.PageWidthPx, st.PageHeightPx, st.PrinterDpiX, 900);
    QVERIFY(static_cast<long long>(target.pageWidth) * target.pageHeight > imaging::kMaxResultPixels);
    printing::composePage(*rig.model, printing::Output::ImageFile, target);
    // Kept whole it is still refused, as is a page whose frames alone are too large.
    QVERIFY_THROWS_EXCEPTION(printing::PrintError,
                             printing::composePage(*rig.model, printing::Output::Preview, target));
    rig.s.NumberOfFrames = 1;
    rig.model = std::make_unique<page::Page>(rig.s, [&rig] { return rig.metrics; });
    rig.relayout();
    const page::PageState& one = rig.model->state();
    QVERIFY_THROWS_EXCEPTION(
        printing::PrintError,
        printing::composePage(*rig.model, printing::Output::ImageFile,
                              printing::bitmapTarget(one.FrameCount, one.PageWidthPx, one.PageHeightPx,
                                                     one.PrinterDpiX, 900)));
}

void PrintingUiTest::directPathDrawsTheWholePictureAtItsOwnProportions()
{
    Rig rig(page::PrinterMetrics{"small", 100, 100, 827, 1169});
    // A wide picture, red on its left half and blue on its right.
    imaging::Bitmap wide = solid(600, 200, kColours[0]);
    const imaging::Bitmap blue = solid(300, 200, kColours[2]);
    for (int y = 0; y < 200; ++y)
        std::memcpy(wide.row(y) + 3 * 300, blue.row(y), 3 * 300);
    page::TFrameRec& f = rig.model->frame(1);
    fillFrame(*rig.model, 1, Qt::black, "wide.jpg");
    f.PictureHolder = std::make_shared<imaging::Picture>(imaging::Picture::fromBitmap(std::move(wide)));
    const page::PageState& st = rig.model->state();
    const auto target = printing::printerTarget(st.FrameCount, st.PageWidthPx, st.PageHeightPx, st.PrinterDpiX);
    auto render = [&](bool bp) {
        rig.s.bp = bp;
        const printing::PageDrawing d = printing::composePage(*rig.model, printing::Output::Printer, target);
        const imaging::Bitmap b = printing::renderPageBitmap(d, {});
        return std::make_pair(imaging::wrapAsQImage(b.view()).copy(), d.layout.frames.front().image);
    };
    // Work bitmap: cut to the frame's shape at the right, so only red shows, top to bottom.
    auto [cut, r] = render(true);
    QVERIFY(near(cut.pixel(r.right() - 2, r.top + 1), kColours[0], 2));
    QVERIFY(near(cut.pixel(r.left + 1, r.bottom() - 2), kColours[0], 2));
    // Direct: the whole picture across the frame, a third as high, paper below it.
    auto [whole, same] = render(false);
    QCOMPARE(same, r);
    QVERIFY(near(whole.pixel(r.left + 1, r.top + 1), kColours[0], 2));
    QVERIFY(near(whole.pixel(r.right() - 2, r.top + 1), kColours[2], 2));
    QCOMPARE(whole.pixel(r.left + 1, r.top + r.width / 3 + 2), QColor(Qt::white).rgb());
}

void PrintingUiTest::previewIsAt72DpiWithBoxWhateverTheSettings()
{
    Rig rig;
    rig.s.Print_Image_Resample_USing = 0;
    rig.s.PrintMarks = true;
    for (int k = 1; k <= 4; ++k)
        fillFrame(*rig.model, k, kColours[k - 1], "p.jpg", 640, 480);
    QImage shown;
    rig.commands->showPreview = [&](const QImage& img, int) { shown = img.copy(); };
    rig.commands->Print_bmp_Scheme(2);
    // A4 at 72 dpi, turned: round(7016 / 600 x 72) x round(4960 / 600 x 72) = 842 x 595.
    QCOMPARE(shown.size(), QSize(842, 595));
    const printing::PrintedPage layout = layoutOf(rig, 72);
    for (const auto& f : layout.frames) {
        const page::Rect& r = f.image;
        for (int y = r.top; y < r.bottom(); y += 7)
            for (int x = r.left; x < r.right(); x += 5)
                QCOMPARE(shown.pixel(x, y), kColours[f.frame - 1].rgb());
    }
    // A cut mark: the first vertical line at x = X0 = 0 is dash-dot in tcol (black).
    int dark = 0;
    for (int y = 0; y < shown.height(); ++y)
        dark += qGray(shown.pixel(0, y)) < 64;
    QVERIFY2(dark > shown.height() / 3 && dark < shown.height(), "the first cut mark is not dash-dot black");
}

void PrintingUiTest::captionsStandAboveTheirFramesAtTheGeometrysCorner()
{
    Rig rig;
    rig.s.Print_Image_Use_Printers_Res = false;
    rig.s.Print_Image_Resolution = 300;
    rig.s.PrintProps = true;
    rig.s.tsz = 8;
    rig.s.tcol = 0x0000FF; // red, in 0x00BBGGRR
    fillFrame(*rig.model, 2, kColours[1], "second.jpg");
    rig.model->frame(2).Details = "HHHH caption";
    fillFrame(*rig.model, 3, kColours[2], "third.jpg");
    rig.model->frame(3).Details = "";
    QTemporaryDir dir;
    rig.commands->Print_bmp_Scheme(1, dir.filePath("c.bmp"));
    const QImage img(dir.filePath("c.bmp"));
    const printing::PrintedPage layout = layoutOf(rig, 300);
    // th = trunc(300 / 72 x 8) = 33; the caption starts th + round(300 / 72) + 1 = 38 above.
    QCOMPARE(layout.captionHeight, 33);
    QRect ink;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (near(img.pixel(x, y), QColor(255, 0, 0), 90))
                ink = ink.united(QRect(x, y, 1, 1));
    const printing::PrintedFrame& f = layout.frames[1];
    QVERIFY(!ink.isEmpty());
    // All red ink is frame 2's caption (frame 3's is empty and writes nothing): it begins
    // at the caption corner and ends above the picture.
    QVERIFY2(ink.left() >= f.captionX && ink.left() <= f.captionX + 8, qPrintable(QString::number(ink.left())));
    QVERIFY2(ink.top() >= f.captionY && ink.top() <= f.captionY + 12, qPrintable(QString::number(ink.top())));
    // One line, about th tall from its corner (how far descenders reach is the font's).
    QVERIFY2(ink.bottom() < f.captionY + layout.captionHeight * 7 / 5,
             qPrintable(QString("%1 %2").arg(ink.bottom()).arg(f.captionY)));
    QVERIFY(ink.right() < f.image.right());
}

void PrintingUiTest::nothingLoadedSaysSoAndWritesNoFile()
{
    Rig rig;
    QTemporaryDir dir;
    rig.commands->Print_bmp_Scheme(1, dir.filePath("x.bmp"));
    QCOMPARE(messages.texts(), std::vector<std::string>{std::string(printing::kNothingToPrint)});
    QVERIFY(!QFile::exists(dir.filePath("x.bmp")));
}

void PrintingUiTest::framesOffThePaperAreAskedAboutFirst()
{
    Rig rig;
    rig.s.Page_Margin_mm = -100.0f;
    rig.relayout();
    for (int k : {1, 2, 3})
        fillFrame(*rig.model, k, kColours[0], "a.jpg");
    QTemporaryDir dir;
    const QString file = dir.filePath("cut.bmp");
    // No: nothing is written. Yes: the page is, and the question names frames 1 and 2 only.
    rig.commands->Print_bmp_Scheme(1, file);
    QVERIFY(!QFile::exists(file));
    messages.queueAnswer(app::Answer::Yes);
    rig.commands->Print_bmp_Scheme(1, file);
    QVERIFY(QFile::exists(file));
    const std::string asked = "Frames 1 and 2 would be cut off by the page margin\n" + std::string(printing::kPrintAnyway);
    QCOMPARE(messages.texts(), (std::vector<std::string>{asked, asked}));
    QVERIFY(messages.entries().front().question);
}

void PrintingUiTest::cancelledFileDialogLeavesNothing()
{
    Rig rig;
    fillFrame(*rig.model, 1, kColours[0], "a.jpg");
    bool asked = false;
    rig.commands->askImageFileName = [&](bool) {
        asked = true;
        return QString();
    };
    rig.commands->printToFileCommand();
    QVERIFY(asked);
    QVERIFY(messages.entries().empty()); // not even "Nothing to print!"
    QCOMPARE(rig.frozen, 0);
}

void PrintingUiTest::fileNameDecidesTheFormatAndTheDialogOffersAllThree()
{
    Rig rig;
    rig.s.Print_Image_Use_Printers_Res = false;
    rig.s.Print_Image_Resolution = 72;
    fillFrame(*rig.model, 1, kColours[0], "a.jpg");
    QTemporaryDir dir;
    const auto start = [](const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.read(4) : QByteArray();
    };
    for (bool jpegSetting : {false, true}) {
        rig.s.Print_Image_As_Jpeg = jpegSetting;
        const QString prefix = dir.filePath(jpegSetting ? "j-" : "b-");
        for (const char* name : {"page.jpg", "page.JPEG", "page.bmp", "page.pdf"})
            rig.commands->Print_bmp_Scheme(1, prefix + name);
        QCOMPARE(start(prefix + "page.jpg").left(3), QByteArray("\xFF\xD8\xFF"));
        QCOMPARE(start(prefix + "page.JPEG").left(3), QByteArray("\xFF\xD8\xFF"));
        QCOMPARE(start(prefix + "page.bmp").left(2), QByteArray("BM"));
        QCOMPARE(start(prefix + "page.pdf"), QByteArray("%PDF"));
    }
    QVERIFY(messages.entries().empty());
    // The JPEG is written at the Quality setting.
    rig.s.Quality = 5;
    rig.commands->Print_bmp_Scheme(1, dir.filePath("low.jpg"));
    QVERIFY(QFileInfo(dir.filePath("low.jpg")).size() < QFileInfo(dir.filePath("b-page.jpg")).size());

    for (bool jpegSetting : {false, true}) {
        const auto dialog = printing::printFileDialog(nullptr, jpegSetting);
        dialog->show(); // the filter list is made when the dialog is
        const QStringList filters = dialog->nameFilters();
        QCOMPARE(filters.size(), 3);
        for (const char* pattern : {"*.jpg", "*.bmp", "*.pdf"})
            QCOMPARE(filters.filter(pattern).size(), 1);
        QVERIFY(dialog->selectedNameFilter().contains(jpegSetting ? "*.jpg" : "*.bmp"));
        QCOMPARE(dialog->defaultSuffix(), QString(jpegSetting ? "jpg" : "bmp"));
        dialog->reject();
    }
}

void PrintingUiTest::failedSaveIsReportedAndKeepsWhatWasThere()
{
    Rig rig;
    rig.s.Print_Image_As_Jpeg = true;
    fillFrame(*rig.model, 1, kColours[0], "a.jpg");
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("ro");
    const QString file = dir.filePath("ro/page.jpg");
    QFile old(file);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old page");
    old.close();
    QFile::setPermissions(dir.filePath("ro"), QFile::ReadOwner | QFile::ExeOwner);
    if (QFileInfo(dir.filePath("ro")).isWritable() || getuid() == 0) {
        // root writes anywhere: make the write fail by a name that is a folder instead.
        QFile::setPermissions(dir.filePath("ro"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        rig.commands->askImageFileName = [&](bool) { return dir.path(); };
        rig.commands->printToFileCommand();
        QCOMPARE(messages.entries().size(), std::size_t(1));
        QVERIFY(QFileInfo(dir.path()).isDir());
        return;
    }
    rig.commands->askImageFileName = [&](bool) { return file; };
    rig.commands->printToFileCommand();
    QCOMPARE(messages.entries().size(), std::size_t(1));
    QFile back(file);
    QVERIFY(back.open(QIODevice::ReadOnly));
    QCOMPARE(back.readAll(), QByteArray("old page"));
}

void PrintingUiTest::previewWindowTurnsAndFits()
{
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Korvan", "Paginor-window").remove("PreviewPlacement");
    // A 2-frame page is upright: 595 x 842 at 72 dpi; auto-rotate shows it turned.
    QImage upright(595, 842, QImage::Format_BGR888);
    upright.fill(Qt::white);
    upright.setPixelColor(0, 0, Qt::red); // top-left corner
    {
        printing::Tpreviewing_form form(upright, 2, 4960, 7016, 600);
        QCOMPARE(form.windowTitle(), QString("Printer Preview"));
        QCOMPARE(form.shownPicture().size(), QSize(842, 595));
        // A quarter turn anticlockwise takes the top-left corner to the bottom-left.
        QCOMPARE(form.shownPicture().pixelColor(0, 594), QColor(Qt::red));
        form.action("Rotate90ACW1")->trigger();
        QVERIFY(form.rotated());
        QCOMPARE(form.shownPicture().size(), QSize(595, 842));
        form.action("ActualSize1")->trigger();
        QCOMPARE(form.imageControl()->size(), QSize(595, 842)); // exchanged after one turn
        form.action("Rotate90ACW1")->trigger();
        // Two quarter turns: the landscape size is back, the picture is upside down.
        QVERIFY(!form.rotated());
        QCOMPARE(form.shownPicture().size(), QSize(842, 595));
        QCOMPARE(form.shownPicture().pixelColor(841, 0), QColor(Qt::red));
        form.action("AutoRotatePortrait1")->trigger(); // off for the next preview
        form.resize(500, 400);
        form.action("FittoWindow1")->trigger();
        QVERIFY(form.imageControl()->width() < 500);
        QVERIFY(form.imageControl()->height() < 350);
        form.accept();
    }
    {
        // The check marks came back: auto-rotate off shows the page upright, one pixel in.
        printing::Tpreviewing_form form(upright, 2, 4960, 7016, 600);
        QVERIFY(!form.action("AutoRotatePortrait1")->isChecked());
        QVERIFY(form.action("FittoWindow1")->isChecked());
        QCOMPARE(form.shownPicture().size(), QSize(595, 842));
        QCOMPARE(form.shownPicture().pixelColor(1, 1), QColor(Qt::red));
        form.accept();
    }
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Korvan", "Paginor-window").remove("PreviewPlacement");
}

// Where a point of the printed page lands on the rasterised sheet: a turned page is
// printed a quarter turn anticlockwise on the upright sheet.
struct SheetMap {
    double scale;    // raster pixels per printer dot
    bool landscape;
    int sheetHeight; // raster pixels
    QPoint operator()(double x, double y) const
    {
        if (!landscape)
            return {qRound(x * scale), qRound(y * scale)};
        return {qRound(y * scale), sheetHeight - qRound(x * scale)};
    }
};

// The box of raster pixels near colour c.
QRect colourBox(const QImage& img, QColor c)
{
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (near(img.pixel(x, y), c, 40))
                box = box.united(QRect(x, y, 1, 1));
    return box;
}

// Each loaded frame's colour fills the box the geometry gives it, to within two raster
// pixels; a frame left empty shows nothing of any colour.
void checkSheet(const QImage& raster, const printing::PrintedPage& layout, const SheetMap& map,
                const std::vector<std::pair<int, QColor>>& frames)
{
    for (const auto& [k, colour] : frames) {
        const page::Rect& r = layout.frames.at(static_cast<std::size_t>(k - 1)).image;
        const QRect want = QRect(map(r.left, r.top), map(r.right(), r.bottom())).normalized();
        const QRect got = colourBox(raster, colour);
        const auto close = [](int a, int b) { return std::abs(a - b) <= 2; };
        QVERIFY2(close(got.left(), want.left()) && close(got.top(), want.top()) && close(got.right(), want.right()) &&
                     close(got.bottom(), want.bottom()),
                 qPrintable(QString("frame %1 printed at %2,%3 %4x%5, the geometry says %6,%7 %8x%9")
                                .arg(k).arg(got.x()).arg(got.y()).arg(got.width()).arg(got.height())
                                .arg(want.x()).arg(want.y()).arg(want.width()).arg(want.height())));
    }
}

QString jobTitleOf(int id)
{
    const auto job = findJob(id);
    return job ? job->title : QString();
}

void PrintingUiTest::cupsPageHasItsFramesWhereTheGeometrySays()
{
    if (!havePdfQueue())
        QSKIP("no cups-pdf queue named PDF (scripts/test.sh creates one)");
    Rig rig(std::nullopt);
    rig.s.PrintMarks = true;
    rig.s.RuleWeight = 3;
    rig.relayout();
    for (int k = 1; k <= 4; ++k)
        fillFrame(*rig.model, k, kColours[k - 1], "c" + std::to_string(k) + ".jpg");
    rig.commands->printCommand();
    QVERIFY2(messages.entries().empty(), messages.entries().empty() ? "" : messages.entries().front().text.c_str());
    QCOMPARE(rig.commands->sentJobs().size(), std::size_t(1));
    const int id = rig.commands->sentJobs().front();
    QCOMPARE(jobTitleOf(id), QString("NVL-c1.jpg to c4.jpg"));
    const QString pdf = waitForPdf(id);
    QVERIFY2(!pdf.isEmpty(), "cups-pdf wrote no PDF for the job");
    QCOMPARE(pdfPages(pdf), 1);
    QTemporaryDir dir;
    const QImage raster = rasterise(pdf, 50, dir.path());
    QFile::remove(pdf);
    QVERIFY(!raster.isNull());

    const page::PageState& st = rig.model->state();
    const printing::PrintedPage layout = printing::layoutPage(
        {4, st.Global_AspectRatio, rig.s.margin_mm, rig.s.Page_Margin_mm, rig.s.tsz},
        printing::printerTarget(4, st.PageWidthPx, st.PageHeightPx, st.PrinterDpiX));
    const SheetMap map{50.0 / st.PrinterDpiX, true, raster.height()};
    checkSheet(raster, layout, map, {{1, kColours[0]}, {2, kColours[1]}, {3, kColours[2]}, {4, kColours[3]}});
    // The cut marks: the vertical lines of the page (rows of the sheet) are dark where
    // the table puts them, between the frames too.
    for (const page::Line& l : layout.cutMarks) {
        if (l.x1 != l.x2 || l.x1 >= layout.target.pageWidth)
            continue;
        const QPoint a = map(l.x1, 0);
        const int row = std::clamp(a.y(), 0, raster.height() - 1);
        int dark = 0;
        for (int x = 0; x < raster.width(); ++x)
            for (int dy = -1; dy <= 1; ++dy)
                if (row + dy >= 0 && row + dy < raster.height() && qGray(raster.pixel(x, row + dy)) < 100) {
                    ++dark;
                    break;
                }
        QVERIFY2(dark > raster.width() / 3, qPrintable(QString("no cut mark near sheet row %1").arg(row)));
    }
}

// Nine files of nine colours, each a real JPEG file on disk.
QStringList writePhotos(const QString& dir, int count)
{
    QStringList files;
    for (int i = 0; i < count; ++i) {
        const QColor c = QColor::fromHsv(i * 40, 220, 220);
        const QString f = QDir(dir).filePath(QString("f%1.jpg").arg(i + 1));
        imaging::saveJpeg(solid(320, 240, c).view(), f.toStdString(), 95);
        files << f;
    }
    return files;
}

void PrintingUiTest::cupsBatchOfNineOnFourFramesIsThreeJobs()
{
    if (!havePdfQueue())
        QSKIP("no cups-pdf queue named PDF (scripts/test.sh creates one)");
    QTemporaryDir photos;
    const QStringList files = writePhotos(photos.path(), 9);
    Rig rig(std::nullopt);
    for (const QString& f : files)
        rig.queue.FileList.push_back(f.toStdString());
    rig.loadNextPage(); // the page on the window when the batch starts
    QVERIFY(rig.queue.BatchInProgress);
    rig.commands->Load_and_Print();
    QVERIFY2(messages.entries().empty(), messages.entries().empty() ? "" : messages.entries().front().text.c_str());
    const std::vector<int> jobs = rig.commands->sentJobs();
    QCOMPARE(jobs.size(), std::size_t(3));
    QCOMPARE(jobTitleOf(jobs[0]), QString("NVL-f1.jpg to f4.jpg"));
    QCOMPARE(jobTitleOf(jobs[1]), QString("NVL-f5.jpg to f8.jpg"));
    QCOMPARE(jobTitleOf(jobs[2]), QString("NVL-f9.jpg to f9.jpg"));
    QVERIFY(!rig.queue.BatchInProgress);
    QCOMPARE(rig.frozen, 0);
    QVERIFY(!rig.stopEnabled);

    QTemporaryDir dir;
    QString last;
    for (int id : jobs) {
        last = waitForPdf(id);
        QVERIFY(!last.isEmpty());
        QCOMPARE(pdfPages(last), 1);
        if (id != jobs.back())
            QFile::remove(last);
    }
    const QImage raster = rasterise(last, 50, dir.path());
    QFile::remove(last);
    const page::PageState& st = rig.model->state();
    const printing::PrintedPage layout = printing::layoutPage(
        {4, st.Global_AspectRatio, rig.s.margin_mm, rig.s.Page_Margin_mm, rig.s.tsz},
        printing::printerTarget(4, st.PageWidthPx, st.PageHeightPx, st.PrinterDpiX));
    const SheetMap map{50.0 / st.PrinterDpiX, true, raster.height()};
    checkSheet(raster, layout, map, {{1, QColor::fromHsv(8 * 40, 220, 220)}});
    // The other three cells are blank paper.
    for (int k = 2; k <= 4; ++k) {
        const page::Rect& r = layout.frames[k - 1].image;
        const QPoint centre = map(r.left + r.width / 2.0, r.top + r.height / 2.0);
        QCOMPARE(raster.pixelColor(centre), QColor(Qt::white));
    }
}

// A job held in the PDF queue keeps it from being empty until it is cancelled.
int holdJob()
{
    QTemporaryFile text(QDir::temp().filePath("paginor-held-XXXXXX.txt"));
    text.open();
    text.write("held\n");
    text.close();
    cups_option_t* options = nullptr;
    int count = cupsAddOption("job-hold-until", "indefinite", 0, &options);
    const int id = cupsPrintFile2(CUPS_HTTP_DEFAULT, "PDF", QFile::encodeName(text.fileName()).constData(),
                                  "paginor-test-held", count, options);
    cupsFreeOptions(count, options);
    return id;
}

void PrintingUiTest::cupsStopDuringQueueWaitPrintsNothing()
{
    if (!havePdfQueue())
        QSKIP("no cups-pdf queue named PDF (scripts/test.sh creates one)");
    const int held = holdJob();
    QVERIFY(held > 0);
    struct Cancel {
        int id;
        ~Cancel() { cupsCancelJob2(CUPS_HTTP_DEFAULT, "PDF", id, 0); }
    } cancelHeld{held};

    Rig rig(std::nullopt);
    rig.s.Wait_For_Empty_Q = true;
    rig.timer.setInterval(200); // the window polls every 10 s; the rule is the same
    fillFrame(*rig.model, 1, kColours[0], "w.jpg");
    QTimer::singleShot(600, [&] { rig.commands->stopCommand(); });
    rig.commands->printCommand();
    QVERIFY(rig.stop);
    QVERIFY(rig.commands->sentJobs().empty());
    QVERIFY(!rig.timer.isActive());
    QVERIFY(messages.entries().empty());
    QVERIFY(!printing::Print_Queue_Is_Empty("PDF"));

    // Once the held job goes, the next poll finds the queue empty and the page prints.
    QTimer::singleShot(500, [&] { cupsCancelJob2(CUPS_HTTP_DEFAULT, "PDF", held, 0); });
    rig.commands->printCommand();
    QCOMPARE(rig.commands->sentJobs().size(), std::size_t(1));
    const QString pdf = waitForPdf(rig.commands->sentJobs().front());
    QVERIFY(!pdf.isEmpty());
    QFile::remove(pdf);
}

void PrintingUiTest::aQueueCupsCannotAnswerForIsAnErrorNotEmpty()
{
    if (!havePdfQueue())
        QSKIP("no cups-pdf queue named PDF (scripts/test.sh creates one)");
    const QString gone = "PaginorTestNoSuchQueue";
    QVERIFY(!QPrinterInfo::availablePrinterNames().contains(gone));
    try {
        printing::Print_Queue_Is_Empty(gone);
        QFAIL("a queue CUPS does not know was taken as empty");
    } catch (const printing::PrintError& e) {
        QVERIFY(std::string(e.what()).starts_with(printing::kQueueQueryFailed));
    }
}

QTEST_MAIN(PrintingUiTest)
#include "printing_ui_test.moc"
