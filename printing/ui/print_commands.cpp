#include "printing/ui/print_commands.h"
#include "printing/render/pdf_pages.h"

#include "core/messages.h"
#include "imaging/codecs/codecs.h"
#include "imaging/qt/qimage_adapter.h"
#include "page/core/geometry.h"
#include "page/core/page.h"
#include "printing/ui/preview_form.h"
#include "printing/core/batch_log.h"
#include "printing/cups/print_job.h"
#include "printing/core/resolution.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QPrinter>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace printing {

// Still a pump: the print command draws the page with a QPainter on the window's thread,
// waits for the printer's queue and loads the next batch page inside one call chain, so
// its Stop button and progress are served by turning the loop here. Making printing a
// future means splitting that chain first.
void PrintWindow::keepAlive()
{
    QCoreApplication::processEvents();
}

bool PrintWindow::confirmCutOff(const core::Message& message)
{
    return core::messages().ask(core::MessageKind::Warning, {"%1\n%2", message, core::Message(kPrintAnyway)},
                               core::Buttons::YesNo) == core::Answer::Yes;
}

void PrintWindow::queueWaitGoesOn(const core::Message& /*text*/, bool first)
{
    // The window's status line keeps its one fixed text for the whole wait.
    if (first)
        printPage().status().showStatus(kWaitingForQueue);
}

std::string jobTitleOf(const page::Page& page)
{
    std::string first;
    std::string last;
    for (int k = 1; k <= page.state().FrameCount; ++k) {
        const page::FrameRecord& f = page.frame(k);
        if (!f.Loaded)
            continue;
        if (first.empty())
            first = f.FileName;
        last = f.FileName;
    }
    return jobTitle(first, last);
}

int imageFileDpi(const settings::Settings& s, int printerDpi)
{
    // The printer's resolution at the time of printing: the stored figure may be from
    // another printer, or never have been filled in at all.
    if (s.Print_Image_Use_Printers_Res && printerDpi > 0)
        return std::clamp(printerDpi, 72, 1000);
    return std::clamp(s.Print_Image_Resolution, 72, 1000);
}

std::unique_ptr<QFileDialog> printFileDialog(QWidget* parent, bool jpeg)
{
    auto dialog = std::make_unique<QFileDialog>(parent, QCoreApplication::translate("Paginor", "Print to image file"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    const QString jpegFilter = QCoreApplication::translate("Paginor", "Printed Image file   (*.jpg *.jpeg)");
    const QString bmpFilter = QCoreApplication::translate("Paginor", "Printed Image file  (*.bmp)");
    const QString pdfFilter = QCoreApplication::translate("Paginor", "PDF document (*.pdf)");
    dialog->setNameFilters({jpegFilter, bmpFilter, pdfFilter});
    // Filters are found by their place: the dialog keeps their names with the blanks
    // run together.
    static const char* const kSuffixes[] = {"jpg", "bmp", "pdf"};
    dialog->selectNameFilter(dialog->nameFilters().value(jpeg ? 0 : 1));
    dialog->setDefaultSuffix(jpeg ? "jpg" : "bmp");
    // A name typed without an extension takes the one of the chosen kind.
    QFileDialog* d = dialog.get();
    QObject::connect(d, &QFileDialog::filterSelected, d, [d](const QString& f) {
        const qsizetype i = d->nameFilters().indexOf(f);
        if (i >= 0 && i < 3)
            d->setDefaultSuffix(kSuffixes[i]);
    });
    dialog->selectFile(QString());
    return dialog;
}

PrintFileFormat printFileFormat(const std::string& path, bool jpegSetting)
{
    const std::string ext = imaging::lowerExtensionOf(path);
    if (ext == ".jpg" || ext == ".jpeg")
        return PrintFileFormat::Jpeg;
    if (ext == ".bmp")
        return PrintFileFormat::Bmp;
    if (ext == ".pdf")
        return PrintFileFormat::Pdf;
    return jpegSetting ? PrintFileFormat::Jpeg : PrintFileFormat::Bmp;
}

void savePageBitmap(const imaging::Bitmap& bitmap, const std::string& path, bool jpeg, int quality, int dpi,
                    const std::function<void(int)>& progress)
{
    if (jpeg)
        imaging::saveJpeg(bitmap.view(), path, std::clamp(quality, 1, 100), progress, dpi);
    else
        imaging::saveBmp(bitmap.view(), path, dpi);
}

PrintCommands::PrintCommands(PrintWindow& window, QObject* parent) : QObject(parent), m_window(window)
{
    connect(&m_window.queueTimer(), &QTimer::timeout, this, &PrintCommands::QtimerTimer);
    askImageFileName = [this](bool jpeg) {
        const auto dialog = printFileDialog(m_window.dialogParent(), jpeg);
        if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
            return QString();
        QString file = dialog->selectedFiles().first();
        // A name whose extension is none of the three takes the chosen kind's, so the
        // file's name never belies its content.
        const std::string ext = imaging::lowerExtensionOf(file.toStdString());
        if (ext != ".jpg" && ext != ".jpeg" && ext != ".bmp" && ext != ".pdf")
            file += "." + dialog->defaultSuffix();
        return file;
    };
    showPreview = [this](const QImage& image, int frameCount) {
        const page::PageState& st = m_window.printPage().state();
        PreviewWindow preview(image, frameCount, st.PageWidthPx, st.PageHeightPx, st.PrinterDpiX,
                                 m_window.dialogParent());
        preview.exec();
    };
}

PrintCommands::~PrintCommands() = default;

DrawHooks PrintCommands::hooks(bool cancellable)
{
    page::StatusDisplay& status = m_window.printPage().status();
    DrawHooks h;
    h.status = [&status](const core::Message& text) { status.showStatus(text); };
    h.progress = [this, &status](int percent) {
        status.setProgress(percent);
        m_window.keepAlive();
    };
    h.keepAlive = [this] { m_window.keepAlive(); };
    if (cancellable)
        h.cancelled = [this] { return m_job != nullptr && m_job->aborted(); };
    return h;
}

void PrintCommands::clearStatus()
{
    m_window.printPage().status().setStatus(std::string());
}

void PrintCommands::report(const std::exception& e)
{
    ++m_failures;
    core::messages().error(core::messageOf(e));
}

core::Message queueWaitText(const QString& printerName, int jobs)
{
    const std::string name = printerName.section('/', 0, 0).toStdString();
    if (jobs == 1)
        return {QT_TRANSLATE_NOOP("Paginor", "Waiting for empty Printer Queue..... (%1 job on %2)"), jobs, name};
    return {QT_TRANSLATE_NOOP("Paginor", "Waiting for empty Printer Queue..... (%1 jobs on %2)"), jobs, name};
}

void PrintCommands::warnIfHeld(const QString& printerName)
{
    // The job is CUPS's now whatever the answer; a failed question changes nothing.
    PrinterState state;
    try {
        state = printerState(printerName);
    } catch (const PrintError&) {
        return;
    }
    if (state.stopped && !m_heldWarned) {
        m_heldWarned = true;
        core::messages().warning(printerStoppedMessage(printerName, state, kStoppedJobHeld));
    }
}

bool PrintCommands::acceptCutOff(const PageDrawing& drawing)
{
    const std::vector<int> frames = cutOffFrames(drawing);
    if (frames.empty() || m_cutOffAccepted)
        return true;
    if (!m_window.confirmCutOff(cutOffMessage(frames))) {
        m_window.setStopRequested(true); // a batch ends here too
        return false;
    }
    m_cutOffAccepted = true;
    return true;
}

bool PrintCommands::nothingLoaded() const
{
    const page::Page& page = m_window.printPage();
    for (int k = 1; k <= page.state().FrameCount; ++k)
        if (page.frame(k).Loaded)
            return false;
    return true;
}

// ---- printing on paper ------------------------------------------------------------------

int PrintCommands::runPrint(int mode)
{
    page::Page& page = m_window.printPage();
    page::StatusDisplay& status = page.status();
    if (nothingLoaded()) {
        core::messages().information(kNothingToPrint);
        clearStatus();
        return 0;
    }
    m_window.setStopEnabled(true);
    const page::PageState& st = page.state();
    const PageDrawing drawing =
        composePage(page, Output::Printer, printerTarget(st.FrameCount, st.PageWidthPx, st.PageHeightPx, st.PrinterDpiX));
    if (!acceptCutOff(drawing)) {
        if (mode == 1)
            m_window.setStopEnabled(false);
        clearStatus();
        return 0;
    }
    PageJob job(m_window.printer(), jobTitleOf(page), drawing.layout.landscape);
    m_job = &job;
    status.setProgressVisible(true);
    status.setProgress(0);
    auto endOfPage = [&] {
        m_job = nullptr;
        if (mode == 1)
            m_window.setStopEnabled(false);
        status.setProgressVisible(false);
        clearStatus();
        status.setProgress(0);
    };
    try {
        drawPage(job.painter(), drawing, hooks(true));
    } catch (...) {
        // A page that failed half-way is not sent: it would only waste a sheet.
        job.abort();
        endOfPage();
        throw;
    }
    endOfPage();
    const int id = job.finish();
    clearStatus();
    if (id > 0) {
        m_sentJobs.push_back(id);
        warnIfHeld(m_window.printer().printerName());
    }
    return id;
}

// Throws when the queue's printer is stopped: the queue would then never empty, and a
// wait for it would be a silent hang.
void PrintCommands::checkQueueMoves(const QString& printerName)
{
    const PrinterState state = printerState(printerName);
    if (state.stopped)
        throw PrintError(printerStoppedMessage(printerName, state, kStoppedQueueWait));
}

void PrintCommands::QtimerTimer()
{
    try {
        const QString name = m_window.printer().printerName();
        const int jobs = activeJobCount(name);
        if (jobs == 0) {
            m_queueEmpty = true;
            m_window.queueTimer().stop();
            return;
        }
        checkQueueMoves(name);
        m_window.queueWaitGoesOn(queueWaitText(name, jobs), false);
    } catch (...) {
        // Reported by the wait, which then prints nothing.
        m_queueError = std::current_exception();
        m_window.queueTimer().stop();
    }
}

bool PrintCommands::waitForEmptyQueue()
{
    if (!m_window.printPage().settings().Wait_For_Empty_Q)
        return true;
    const QString name = m_window.printer().printerName();
    const int jobs = activeJobCount(name);
    if (jobs == 0)
        return true;
    checkQueueMoves(name);
    m_window.setStopEnabled(true);
    m_queueEmpty = false;
    m_queueError = nullptr;
    m_window.queueTimer().start();
    m_window.queueWaitGoesOn(queueWaitText(name, jobs), true);
    // Sleeps until an event comes: the timer's tick, Stop, or anything else of the window.
    // A nested loop, like keepAlive above: the print chain waits here, and only this loop
    // lets the queue timer and Stop reach it.
    while (!m_queueEmpty && !m_queueError && !m_window.stopRequested())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    m_window.queueTimer().stop();
    if (m_queueError)
        std::rethrow_exception(std::exchange(m_queueError, nullptr));
    return !m_window.stopRequested();
}

void PrintCommands::printCommand()
{
    exclusive(&PrintCommands::printCommandBody);
}

void PrintCommands::printCommandBody()
{
    m_heldWarned = false;
    m_cutOffAccepted = false;
    m_window.setStopRequested(false);
    m_window.saveAndDisableButtons();
    m_window.printPage().status().showStatus(kPrinting);
    try {
        bool accepted = false;
        if (lowResolutionAccepted(accepted) && waitForEmptyQueue() && !m_window.stopRequested())
            runPrint(1);
    } catch (const std::exception& e) {
        report(e);
    }
    m_window.restoreButtons();
    clearStatus();
}

void PrintCommands::exclusive(void (PrintCommands::*command)())
{
    if (m_busy)
        return;
    m_busy = true;
    try {
        (this->*command)();
    } catch (...) {
        m_busy = false;
        throw;
    }
    m_busy = false;
}

void PrintCommands::stopCommand()
{
    m_window.setStopRequested(true);
    if (m_job)
        m_job->abort();
    m_window.setStopEnabled(false);
    m_window.restoreButtons();
}

// ---- batch printing ---------------------------------------------------------------------

void PrintCommands::loadAndPrint()
{
    exclusive(&PrintCommands::batchBody);
}

void PrintCommands::batchBody()
{
    m_heldWarned = false;
    m_cutOffAccepted = false;
    m_window.setStopRequested(false);
    m_window.saveAndDisableButtons();
    page::StatusDisplay& status = m_window.printPage().status();
    status.showStatus(kPrinting);
    try {
        bool lowAccepted = false;
        m_batchPage = 0;
        if (waitForEmptyQueue()) {
            printBatchPage(lowAccepted);
            // Checked before each round: a list used up by the page already printed
            // loads nothing more.
            while (m_window.batchInProgress() && !m_window.stopRequested()) {
                m_window.setStopEnabled(true);
                if (!waitForEmptyQueue())
                    break;
                m_window.loadNextPage();
                status.showStatus(kPrinting);
                printBatchPage(lowAccepted);
            }
        }
    } catch (const std::exception& e) {
        report(e);
    }
    m_window.restoreButtons();
    m_window.batchEnded();
    m_window.setStopEnabled(false);
}

bool PrintCommands::lowResolutionAccepted(bool& accepted)
{
    const page::Page& page = m_window.printPage();
    const std::vector<int> low = lowResolutionFrames(page);
    if (low.empty())
        return true;
    const bool yes =
        m_window.confirmLowResolution(lowResolutionMessage(low, page.settings().Min_Print_Resolution), accepted);
    accepted = accepted || yes;
    return yes;
}

// runPrint(2) with the resolution check and the page's line in the log. A page the
// user declines ends the batch as Stop would.
void PrintCommands::printBatchPage(bool& lowAccepted)
{
    ++m_batchPage;
    std::vector<std::string> files;
    const page::Page& page = m_window.printPage();
    for (int k = 1; k <= page.state().FrameCount; ++k)
        if (page.frame(k).Loaded)
            files.push_back(page.frame(k).FileName);
    auto log = [&](int id, const std::string& outcome) {
        if (m_log)
            m_log->page(m_batchPage, files, id, outcome);
    };
    if (!lowResolutionAccepted(lowAccepted)) {
        log(0, "declined: low resolution");
        m_window.setStopRequested(true);
        return;
    }
    int id = 0;
    try {
        id = runPrint(2);
    } catch (const std::exception& e) {
        log(0, std::string("failed: ") + e.what());
        throw;
    }
    log(id, id > 0 ? "printed" : files.empty() ? "nothing to print" : "stopped");
}

// ---- the page bitmap: print to file and preview ---------------------------------------------

void PrintCommands::runPrintToFile(int mode, const QString& fileName)
{
    page::Page& page = m_window.printPage();
    page::StatusDisplay& status = page.status();
    const settings::Settings& s = page.settings();
    QString file = fileName;
    if (mode == 1 && file.isEmpty()) {
        file = askImageFileName ? askImageFileName(s.Print_Image_As_Jpeg) : QString();
        if (file.isEmpty()) {
            clearStatus();
            return;
        }
    }
    if (nothingLoaded()) {
        core::messages().information(kNothingToPrint);
        clearStatus();
        return;
    }
    const page::PageState& st = page.state();
    // The preview is 72 dpi in the window's own units: drawn at its device pixels so a
    // high-density screen shows it sharp rather than blown up.
    const qreal ratio = mode == 2 ? previewPixelRatio() : 1.0;
    const int dpi = mode == 1 ? imageFileDpi(s, st.PrinterDpiX) : page::roundToInt(72.0L * ratio);
    const PrintTarget target = bitmapTarget(st.FrameCount, st.PageWidthPx, st.PageHeightPx, st.PrinterDpiX, dpi);
    const PageDrawing drawing = composePage(page, mode == 1 ? Output::ImageFile : Output::Preview, target);
    if (mode == 1 && !acceptCutOff(drawing)) {
        clearStatus();
        return;
    }
    status.setProgressVisible(true);
    status.setProgress(0);
    auto endOfPage = [&] {
        if (mode == 1)
            m_window.setStopEnabled(false);
        status.setProgressVisible(false);
        clearStatus();
        status.setProgress(0);
    };
    const PrintFileFormat format = printFileFormat(file.toStdString(), s.Print_Image_As_Jpeg);
    if (mode == 1 && format == PrintFileFormat::Pdf) {
        try {
            PdfPages pdf(file.toStdString());
            pdf.add(drawing, hooks(false));
            pdf.finish();
        } catch (...) {
            endOfPage();
            throw;
        }
        endOfPage();
        return;
    }
    if (mode == 2) {
        imaging::Bitmap bitmap;
        try {
            bitmap = renderPageBitmap(drawing, hooks(false));
        } catch (...) {
            endOfPage();
            throw;
        }
        endOfPage();
        if (showPreview) {
            QImage shown = imaging::wrapAsQImage(bitmap.view());
            shown.setDevicePixelRatio(ratio);
            showPreview(shown, st.FrameCount);
        }
        return;
    }
    // The file is written band by band as the page is made: no page bitmap is held.
    const bool jpeg = format == PrintFileFormat::Jpeg;
    DrawHooks saving = hooks(false);
    saving.status = [&status, jpeg](const core::Message& text) {
        if (text.english() == kPrintingShort)
            status.showStatus(jpeg ? kSavingJpeg : kSavingBmp);
        else
            status.showStatus(text);
    };
    try {
        savePageFile(drawing, saving, nullptr, file.toStdString(), jpeg, s.Quality, dpi);
    } catch (...) {
        endOfPage();
        throw;
    }
    endOfPage();
}

qreal PrintCommands::previewPixelRatio()
{
    QWidget* parent = m_window.dialogParent();
    return std::max<qreal>(1.0, parent ? parent->devicePixelRatioF() : qGuiApp->devicePixelRatio());
}

void PrintCommands::printToFileCommand()
{
    exclusive(&PrintCommands::printToFileBody);
}

void PrintCommands::printToFileBody()
{
    m_cutOffAccepted = false;
    m_window.saveAndDisableButtons();
    m_window.printPage().status().showStatus(kPrinting);
    try {
        runPrintToFile(1);
    } catch (const std::exception& e) {
        clearStatus();
        report(e);
    }
    m_window.restoreButtons();
}

void PrintCommands::previewCommand()
{
    exclusive(&PrintCommands::previewBody);
}

void PrintCommands::previewBody()
{
    m_window.saveAndDisableButtons();
    try {
        runPrintToFile(2);
    } catch (const std::exception& e) {
        clearStatus();
        report(e);
    }
    m_window.restoreButtons();
}

} // namespace printing
