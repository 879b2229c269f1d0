// The main window: menus, toolbar, the on-screen page, the status panel and the printer line.
#pragma once

#include "page/core/page.h"
#include "printing/ui/print_commands.h"

#include <QMainWindow>
#include <QPrinter>

#include <memory>

class QAction;
class QActionGroup;
class QComboBox;
class QPrintDialog;
class QLabel;
class QMenu;
class QProgressBar;
class QTimer;
class QToolButton;
namespace page { class FrameCommandsUi; }
namespace printing { class LayoutCommands; }

namespace page {
class PageView;
class ImageLoader;
struct ListButtons;
}

namespace app {

struct Session;

// The window's buttons and menu entries as its code reaches them, so a misspelt name is a
// compile error rather than a null pointer. Each keeps its object name (in the comment)
// for tests and style sheets.
struct MainControls {
    // The toolbar.
    QToolButton* load = nullptr;           // tb_load
    QToolButton* loadNext = nullptr;       // tb_load_next
    QToolButton* bin = nullptr;            // tb_bin
    QToolButton* rotate = nullptr;         // tb_rotate
    QToolButton* flipVertical = nullptr;   // tb_flip_Vert
    QToolButton* flipHorizontal = nullptr; // tb_flip_horiz
    QToolButton* aspectRatio = nullptr;    // tb_ar
    QToolButton* centre = nullptr;         // Centre_btn
    QComboBox* frameCount = nullptr;       // Sel_Frames
    QToolButton* cutMarks = nullptr;       // Page_Button
    QToolButton* properties = nullptr;     // Text_Button
    QToolButton* stop = nullptr;           // tb_stop
    QToolButton* print = nullptr;          // tb_print
    QToolButton* printNext = nullptr;      // tb_print_next
    QToolButton* help = nullptr;           // tb_help
    QToolButton* listSelected = nullptr;   // ToolButton1, never shown
    // The menus.
    QAction* loadSelected = nullptr;   // Load1
    QAction* loadFromTwain = nullptr;  // LoadfromTWAIN1
    QAction* addToList = nullptr;      // Addtofilelist1
    QAction* clearList = nullptr;      // ClearFilelist1
    QAction* removeSelected = nullptr; // Delete1
    QAction* loadPage = nullptr;       // LoadPages1
    QAction* savePage = nullptr;       // SavePages1
    QAction* selectAll = nullptr;      // All1
    QAction* deselectAll = nullptr;    // DeSelectAll1
    QAction* preview = nullptr;        // PrintPreview1
    QAction* printToPrinter = nullptr; // Print2
    QAction* printToFile = nullptr;    // Printtofile1
    QAction* settings = nullptr;       // Settings1
    QAction* printerSetup = nullptr;   // Printer_Setup
    QAction* about = nullptr;          // About2
    QAction* helpEntry = nullptr;      // Help1
    QAction* quit = nullptr;           // Quit_Btn
    QAction* homePage = nullptr;       // HomePage1
    QAction* email = nullptr;          // Email1
    QAction* quitOnBar = nullptr;      // Quit1, on the menu bar itself
};

class MainWindow : public QMainWindow, private page::StatusDisplay, private printing::PrintWindow {
    Q_OBJECT
public:
    struct Options {
        bool splash = true;
        int splashMs = 3000;
        // Printer metrics to use instead of the printer's own (headless geometry, tests).
        std::optional<page::PrinterMetrics> fixedMetrics;
    };

    MainWindow(Session& session, Options options, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The creation handler: defaults and stored settings are already read (the session);
    // shows the splash, then the window, and builds the page. False when the page could
    // not be built.
    bool FormCreate();
    // Once the window shows: which printer was taken when none is the default, and the
    // stored settings that were refused.
    void reportStartUp();

    // Files and folders named on the command line (or by the file manager): loaded as a drop
    // of them on the window, outside any frame.
    void openFiles(const QStringList& paths);

    page::Page& pageModel() { return *m_page; }
    page::PageView* pageView() const { return m_view; }
    // Selection, the frame popup and the commands on the selected frames.
    page::FrameCommandsUi* frameCommands() const { return m_frameCommands; }
    // The file list and the load commands (batch printing loads through it too).
    page::ImageLoader* imageLoader() const { return m_loader; }
    // Page layout files and saving a frame's picture.
    printing::LayoutCommands* layoutCommands() const { return m_layout.get(); }
    // Printing, print to file, preview, batch printing and Stop.
    printing::PrintCommands* printCommands() const { return m_printing; }
    // The printer the print commands use (the one "&Printer Setup" sets up).
    QPrinter& currentPrinter() { return m_printer; }
    settings::Settings& settings();
    QString statusText() const;
    QString printerLine() const;
    bool progressVisible() const;
    int progressValue() const;
    QTimer* resizeTimer() const { return Resize_Timer; }
    const MainControls& controls() const { return m_controls; }
    // By object name, for tests and scripts that name what a user sees; the window's own
    // code goes through controls().
    QAction* menuAction(const QString& objectName) const;
    QToolButton* toolButton(const QString& objectName) const;
    QComboBox* frameSelector() const { return m_controls.frameCount; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private slots:
    void onFilesMenuShown();
    void onPrinterSetupClicked();
    void setUpSettings();
    void About2Click();
    void Help();
    void HomePageClick();
    void EmailClick();
    void onFrameSelectorChanged(int index);
    void ToolButton1Click();
    void onResizeTimer();
    void LoadfromTWAIN1Click();
    // tb_print and "&Print to printer".
    void printIfPrinter();

private:
    // page::StatusDisplay
    void setPrinterLine(const std::string& line) override;
    void showPrinterLine(const core::Message& line) override;
    void setStatus(const std::string& text) override;
    void showStatus(const core::Message& text) override;
    void setProgress(int percent) override;
    void setProgressVisible(bool visible) override;

    // Off while a command's work goes on beside the window: the toolbar, the page and
    // every menu command that reads or changes the page, the list or the settings.
    void setCommandsEnabled(bool on);
    void buildMenus();
    void buildToolBar();
    void buildBottomPanel();
    // Every button and entry to its command, once the parts that run them exist.
    void connectCommands();
    QAction* addEntry(QMenu* menu, const QString& objectName, const QString& caption);
    QAction* addLaterEntry(QMenu* menu, const QString& objectName, const QString& caption);
    QToolButton* addButton(const QString& objectName, const QString& hint, const QString& glyph, bool enabled);
    page::PrinterMetrics readPrinter();
    bool hasPrinter() const;
    // Without a printer the print commands and "&Printer Setup" stay off.
    void disablePrintingWithoutPrinter();
    bool FormCloseQuery();
    void FormDestroy();
    void restorePlacement();
    void savePlacement() const;
    void buildFrameCommands();
    void applyListButtons(const page::ListButtons& buttons);
    void buildLayoutCommands();
    void onSaveFileClicked();
    void ViewImageDetailsClick();
    // The pixels per inch of the frame under the pointer in the status line, and the
    // warning mark of frames below Min_Print_Resolution.
    void buildResolutionWatch();
    void showFrameResolution(int frame);

    // printing::PrintWindow
    page::Page& printPage() override { return *m_page; }
    QPrinter& printer() override { return m_printer; }
    QWidget* dialogParent() override { return this; }
    QTimer& queueTimer() override { return *Qtimer; }
    void setStopEnabled(bool enabled) override;
    bool stopRequested() const override { return StopRequested; }
    void setStopRequested(bool stop) override { StopRequested = stop; }
    void saveAndDisableButtons() override;
    void restoreButtons() override;
    bool batchInProgress() const override;
    void loadNextPage() override;
    void batchEnded() override;
    bool confirmLowResolution(const core::Message& message, bool accepted) override;

    Session& m_session;
    Options m_options;
    QPrinter m_printer{QPrinter::HighResolution};
    std::unique_ptr<page::Page> m_page;
    page::PageView* m_view = nullptr;
    page::FrameCommandsUi* m_frameCommands = nullptr;
    page::ImageLoader* m_loader = nullptr;
    printing::PrintCommands* m_printing = nullptr;
    std::unique_ptr<printing::LayoutCommands> m_layout;
    // Set by Stop, cleared when a print command starts; the queue wait and batches test it.
    bool StopRequested = false;
    int m_resolutionShownFor = 0; // the frame whose resolution the status line shows
    // The toolbar's enabled states while a page prints (saveButtonState).

    QActionGroup* m_pageCommands = nullptr; // the menu entries setCommandsEnabled turns off
    MainControls m_controls;
    QToolBar* ToolBar1 = nullptr;
    QWidget* Panel3 = nullptr; // the status line and the progress bar
    QLabel* Status = nullptr;
    QProgressBar* Progress = nullptr;
    QLabel* StatusBarPanel = nullptr;
    QTimer* Resize_Timer = nullptr;
    QTimer* Qtimer = nullptr;
    bool m_splashShowing = false;
    bool m_scanning = false; // a scanner's load runs; its source's dialog keeps the window usable
    bool m_destroyed = false;
};

// "&Printer Setup": the print dialog made a setup dialog (OK, no page range).
void preparePrinterSetupDialog(QPrintDialog& dialog);

// The folder of the shipped HTML help, and the topic the Help entries open.
QString helpFolder();
inline constexpr const char* kHelpTopic = "Chooseatopic.html";

} // namespace app
