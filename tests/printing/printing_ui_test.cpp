// Printing end to end: the page bitmap (print to file, preview) pixel for pixel against the
// printed geometry and the preview window's commands. Real CUPS jobs are in
// printing_cups_ui_test.cpp, in the same program.
#include "tests/printing/printing_ui_test.h"

using namespace printrig;

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
    rig.commands->runPrintToFile(1, file);
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
        rig.commands->runPrintToFile(1, file);
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
    return support::paintedBitmap(w, h, [seed](int x, int y) {
        return std::array{x * 7 + y * 3 + seed * 40, (x ^ y) + seed * 13, x * y / 5 + seed};
    });
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
    page::FrameRecord& f = rig.model->frame(1);
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
    rig.commands->runPrintToFile(2);
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
    rig.commands->runPrintToFile(1, dir.filePath("c.bmp"));
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
    rig.commands->runPrintToFile(1, dir.filePath("x.bmp"));
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
    rig.commands->runPrintToFile(1, file);
    QVERIFY(!QFile::exists(file));
    messages.queueAnswer(core::Answer::Yes);
    rig.commands->runPrintToFile(1, file);
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
            rig.commands->runPrintToFile(1, prefix + name);
        QCOMPARE(start(prefix + "page.jpg").left(3), QByteArray("\xFF\xD8\xFF"));
        QCOMPARE(start(prefix + "page.JPEG").left(3), QByteArray("\xFF\xD8\xFF"));
        QCOMPARE(start(prefix + "page.bmp").left(2), QByteArray("BM"));
        QCOMPARE(start(prefix + "page.pdf"), QByteArray("%PDF"));
    }
    QVERIFY(messages.entries().empty());
    // The JPEG is written at the Quality setting.
    rig.s.Quality = 5;
    rig.commands->runPrintToFile(1, dir.filePath("low.jpg"));
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
        printing::PreviewWindow form(upright, 2, 4960, 7016, 600);
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
        printing::PreviewWindow form(upright, 2, 4960, 7016, 600);
        QVERIFY(!form.action("AutoRotatePortrait1")->isChecked());
        QVERIFY(form.action("FittoWindow1")->isChecked());
        QCOMPARE(form.shownPicture().size(), QSize(595, 842));
        QCOMPARE(form.shownPicture().pixelColor(1, 1), QColor(Qt::red));
        form.accept();
    }
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Korvan", "Paginor-window").remove("PreviewPlacement");
}

QTEST_MAIN(PrintingUiTest)
