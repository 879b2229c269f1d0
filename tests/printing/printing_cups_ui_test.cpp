// Real jobs through the CUPS queue PDF (cups-pdf), rasterised with pdftoppm and compared
// with where the geometry puts each frame; a held job and a stop while the queue is waited on.
#include "tests/printing/printing_ui_test.h"
#include "tests/support/process.h"

using namespace printrig;

namespace {

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
    const auto m = QRegularExpression(R"(Pages:\s+(\d+))").match(support::run("pdfinfo", {pdf}).out);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QImage rasterise(const QString& pdf, int dpi, const QString& dir)
{
    support::run("pdftoppm", {"-r", QString::number(dpi), "-png", "-singlefile", pdf, dir + "/page"});
    return QImage(dir + "/page.png");
}

bool havePdfQueue()
{
    return QPrinterInfo::availablePrinterNames().contains("PDF") && QFileInfo(cupsPdfFolder()).isDir() &&
           !QStandardPaths::findExecutable("pdftoppm").isEmpty();
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

} // namespace

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
    rig.commands->loadAndPrint();
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
    QVERIFY(!printing::printQueueIsEmpty("PDF"));

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
        printing::printQueueIsEmpty(gone);
        QFAIL("a queue CUPS does not know was taken as empty");
    } catch (const printing::PrintError& e) {
        QVERIFY(std::string(e.what()).starts_with(printing::kQueueQueryFailed));
    }
}
