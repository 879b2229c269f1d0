// The printing tests' rig: the window's part in printing with a page of its own, frames
// filled with solid colours, and the check that a page bitmap has each frame where the
// geometry puts it. The tests are in printing_ui_test.cpp (the page bitmap, the preview)
// and printing_cups_ui_test.cpp (real jobs through the CUPS queue PDF).
#pragma once

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
#include "tests/support/bitmaps.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>

#include <cups/cups.h>
#include <cstring>
#include <optional>
#include <pwd.h>
#include <unistd.h>

namespace printrig {

inline const page::PrinterMetrics kA4At600{"test", 600, 600, 4960, 7016};

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
    void relayout() { model->sizeVisualPage(800, 600); }

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
        page::loadFiles(*model, queue);
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

inline imaging::Bitmap solid(int w, int h, QColor c)
{
    return support::solidBitmap(w, h, c.blue(), c.green(), c.red());
}

inline const QColor kColours[4] = {QColor(200, 30, 30), QColor(30, 160, 40), QColor(40, 60, 210), QColor(230, 200, 20)};

inline void fillFrame(page::Page& p, int k, QColor c, const std::string& name, int w = 400, int h = 300)
{
    page::FrameRecord& f = p.frame(k);
    f.PictureHolder = std::make_shared<imaging::Picture>(imaging::Picture::fromBitmap(solid(w, h, c)));
    f.PictureOwner = k;
    f.Loaded = true;
    f.AspectRatio = static_cast<float>(w) / static_cast<float>(h);
    f.FileName = "/photos/" + name;
    f.Details = name;
}

inline bool near(QRgb a, QColor b, int tolerance)
{
    return std::abs(qRed(a) - b.red()) <= tolerance && std::abs(qGreen(a) - b.green()) <= tolerance &&
           std::abs(qBlue(a) - b.blue()) <= tolerance;
}

inline printing::PrintedPage layoutOf(const Rig& rig, int dpi)
{
    const page::PageState& st = rig.model->state();
    return printing::layoutPage({st.FrameCount, st.Global_AspectRatio, rig.s.margin_mm, rig.s.Page_Margin_mm, rig.s.tsz},
                                printing::bitmapTarget(st.FrameCount, st.PageWidthPx, st.PageHeightPx, st.PrinterDpiX, dpi));
}

// Every pixel inside each loaded frame's rectangle has its photo's colour, the ring of
// pixels just outside it is paper, and the frames left empty are paper.
inline void checkFrames(const QImage& img, const printing::PrintedPage& layout, const std::vector<int>& loaded)
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

} // namespace printrig

class PrintingUiTest : public QObject {
    Q_OBJECT
private slots:
    void init() { core::setMessages(&messages); messages.clear(); }
    void cleanup() { core::setMessages(nullptr); }

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
    core::ScriptedMessages messages;
};
