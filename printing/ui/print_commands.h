// The print commands of the main window: print (with the wait for an empty queue),
// print to an image file, preview, batch printing from the file list and Stop. The
// window supplies its page, printer and buttons through PrintWindow; the headless
// `paginor print` supplies its own, so both run the very same steps.
#pragma once

#include "core/message.h"

#include "printing/render/page_render.h"
#include "settings/core/settings.h"

#include <QObject>
#include <QString>

#include <exception>
#include <functional>
#include <memory>
#include <string>

class QFileDialog;
class QPrinter;
class QTimer;
class QWidget;

namespace page { class Page; }

namespace printing {

class BatchLog;
class PageJob;

// What printing needs of the window.
class PrintWindow {
public:
    virtual ~PrintWindow() = default;
    virtual page::Page& printPage() = 0;
    virtual QPrinter& printer() = 0;
    // Parent of the save dialog and the preview; null when headless.
    virtual QWidget* dialogParent() = 0;
    // Qtimer: ticks while a print waits for an empty queue.
    virtual QTimer& queueTimer() = 0;
    virtual void setStopEnabled(bool enabled) = 0;
    virtual bool stopRequested() const = 0;
    virtual void setStopRequested(bool stop) = 0;
    // saveButtonState followed by disableButtons; restoreButtonState.
    virtual void saveAndDisableButtons() = 0;
    virtual void restoreButtons() = 0;
    // Batch printing: whether FileList still holds files that were not loaded, and the
    // load of the next page (every frame emptied and selected, then loadFiles).
    virtual bool batchInProgress() const = 0;
    virtual void loadNextPage() = 0;
    // After a batch: tb_load_next, tb_print_next and "Clear File list" follow BatchInProgress.
    virtual void batchEnded() {}
    // A page with frames below Min_Print_Resolution is about to print (message names
    // them): true prints it. accepted: the user already agreed once in this batch. By
    // default the page prints without a word.
    virtual bool confirmLowResolution(const core::Message& message, bool accepted)
    {
        (void)message;
        (void)accepted;
        return true;
    }
    // Lets pending window events run (Stop, repainting) during long work.
    virtual void keepAlive();
    // Frames of the page lie partly off the paper (message names them): whether to print
    // all the same. The window asks; headless runs say so and go on.
    virtual bool confirmCutOff(const core::Message& message);
    // The wait for an empty queue goes on (text says for what); called when it starts and
    // at every poll. The window shows it in the status line; headless runs on stderr.
    virtual void queueWaitGoesOn(const core::Message& text, bool first);
};

class PrintCommands : public QObject {
    Q_OBJECT
public:
    explicit PrintCommands(PrintWindow& window, QObject* parent = nullptr);
    ~PrintCommands() override;

    // tb_printClick / Print_BtnClick: optional queue wait, then one page.
    void printCommand();
    // Printtofile1Click and PrintPreview1Click.
    void printToFileCommand();
    void previewCommand();
    // tb_print_nextClick / loadAndPrint: page after page from the file list.
    void loadAndPrint();
    // tb_stopClick / Abort_btnClick.
    void stopCommand();
    // QtimerTimer: one poll of the queue.
    void QtimerTimer();

    // runPrint: mode 1 a page the user started, mode 2 a page of a batch. Returns the
    // CUPS job id, 0 when nothing was sent. Throws what drawing or CUPS threw, after the
    // page has been ended and the printer turned back.
    int runPrint(int mode);
    // runPrintToFile: mode 1 to an image file (fileName empty: ask the user), mode 2
    // the preview. Throws on failure, with the page bitmap released.
    void runPrintToFile(int mode, const QString& fileName = {});
    // The wait for an empty queue when Wait_For_Empty_Q is on. False when Stop ended it.
    bool waitForEmptyQueue();

    // The file dialog of print to file; replaced in tests. Returns "" when cancelled.
    std::function<QString(bool jpeg)> askImageFileName;
    // Shows the page bitmap; the preview window by default, replaced in tests.
    std::function<void(const QImage& page, int frameCount)> showPreview;
    // The ids of the jobs sent by this object, oldest first.
    const std::vector<int>& sentJobs() const { return m_sentJobs; }
    // How many commands failed with an error shown to the user (headless exit codes).
    int failures() const { return m_failures; }
    // A print, file, preview or batch command is under way.
    bool busy() const { return m_busy; }
    // Batch printing writes a line per page here (null: no log); the log outlives the batch.
    void setBatchLog(BatchLog* log) { m_log = log; }

private:
    DrawHooks hooks(bool cancellable);
    void clearStatus();
    void report(const std::exception& e);
    bool nothingLoaded() const;
    // False when the user chose not to print a page with frames off the paper (asked
    // once per command).
    bool acceptCutOff(const PageDrawing& drawing);
    void checkQueueMoves(const QString& printerName);
    // After a job was sent: a warning (once per command) when the printer is stopped.
    void warnIfHeld(const QString& printerName);
    qreal previewPixelRatio();

    // Runs a command unless another is under way: the window stays alive while a page
    // prints, and a second print, file or preview command then does nothing.
    void exclusive(void (PrintCommands::*command)());
    void printCommandBody();
    void printToFileBody();
    void previewBody();
    void batchBody();
    void printBatchPage(bool& lowAccepted);
    bool lowResolutionAccepted(bool& accepted);

    PrintWindow& m_window;
    PageJob* m_job = nullptr;
    bool m_busy = false;
    bool m_cutOffAccepted = false;
    bool m_heldWarned = false;
    bool m_queueEmpty = false;
    std::exception_ptr m_queueError;
    int m_failures = 0;
    std::vector<int> m_sentJobs;
    BatchLog* m_log = nullptr;
    int m_batchPage = 0;
};

// "Waiting for empty Printer Queue..... (2 jobs on PDF)": what a wait waits for.
core::Message queueWaitText(const QString& printerName, int jobs);

// The page's file name list as the print job names it: the first and last loaded frame.
std::string jobTitleOf(const page::Page& page);

// The resolution of print to image file: the current printer's (printerDpi) when
// Print_Image_Use_Printers_Res is on, else Print_Image_Resolution; kept to 72..1000.
int imageFileDpi(const settings::Settings& s, int printerDpi);

// The save dialog of "Print to image file": JPEG, BMP and PDF, the kind the settings
// print images as chosen first, with its extension for a name typed without one.
std::unique_ptr<QFileDialog> printFileDialog(QWidget* parent, bool jpeg);

// What print to file writes, by the file's extension: .jpg and .jpeg JPEG, .bmp BMP, .pdf
// PDF; any other name gets the kind the settings choose (jpegSetting).
enum class PrintFileFormat { Jpeg, Bmp, Pdf };
PrintFileFormat printFileFormat(const std::string& path, bool jpegSetting);

// Writes a page bitmap as JPEG at quality or as a 24-bit BMP carrying dpi as its
// resolution, replacing any old file only when the new one is complete.
void savePageBitmap(const imaging::Bitmap& bitmap, const std::string& path, bool jpeg, int quality, int dpi,
                    const std::function<void(int)>& progress = {});

} // namespace printing
