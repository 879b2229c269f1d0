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

class TMain_Form : public QMainWindow, private page::StatusDisplay, private printing::PrintWindow {
    Q_OBJECT
public:
    struct Options {
        bool splash = true;
        int splashMs = 3000;
        // Printer metrics to use instead of the printer's own (headless geometry, tests).
        std::optional<page::PrinterMetrics> fixedMetrics;
    };

    TMain_Form(Session& session, Options options, QWidget* parent = nullptr);
    ~TMain_Form() override;

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
    QAction* menuAction(const QString& objectName) const;
    QToolButton* toolButton(const QString& objectName) const;
    QComboBox* frameSelector() const { return Sel_Frames; }

    // The progress handler of long work: position, then keep the window alive.
    void update_Progress(int percent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private slots:
    void Images1Click();
    void Printer_SetupClick();
    void Set_Up_Settings();
    void About2Click();
    void Help();
    void Quit_BtnClick();
    void Quit1Click();
    void HomePageClick();
    void EmailClick();
    void tb_arClick();
    void tb_helpClick();
    void Sel_FramesChange(int index);
    void Page_ButtonClick();
    void Text_ButtonClick();
    void ToolButton1Click();
    void Resize_TimerTimer();
    void Load1Click();
    void LoadfromTWAIN1Click();
    void Addtofilelist1Click();
    void ClearFilelist1Click();
    void tb_loadClick();
    void tb_load_nextClick();
    void tb_printClick();
    void Print2Click();
    void Printtofile1Click();
    void PrintPreview1Click();
    void tb_print_nextClick();
    void tb_stopClick();
    void LoadPages1Click();
    void SavePages1Click();
    void Save_FileClick();
    void ViewImageDetailsClick();

private:
    // page::StatusDisplay
    void setPrinterLine(const std::string& line) override;
    void showPrinterLine(const Message& line) override;
    void setStatus(const std::string& text) override;
    void showStatus(const Message& text) override;
    void setProgress(int percent) override;
    void setProgressVisible(bool visible) override;

    // Off while a command's work goes on beside the window: the toolbar, the page and
    // every menu command that reads or changes the page, the list or the settings.
    void setCommandsEnabled(bool on);
    void buildMenus();
    void buildToolBar();
    void buildBottomPanel();
    QAction* addEntry(QMenu* menu, const QString& objectName, const QString& caption, void (TMain_Form::*slot)());
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
    bool confirmLowResolution(const app::Message& message, bool accepted) override;

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
    // The toolbar's enabled states while a page prints (Save_Button_State).

    QActionGroup* m_pageCommands = nullptr; // the menu entries setCommandsEnabled turns off
    QToolBar* ToolBar1 = nullptr;
    QComboBox* Sel_Frames = nullptr;
    QToolButton* Page_Button = nullptr;
    QToolButton* Text_Button = nullptr;
    QToolButton* ToolButton1 = nullptr;
    QLabel* Status = nullptr;
    QProgressBar* Progress = nullptr;
    QLabel* StatusBarPanel = nullptr;
    QTimer* Resize_Timer = nullptr;
    QTimer* Qtimer = nullptr;
    bool m_splashShowing = false;
    bool m_destroyed = false;
};

// "&Printer Setup": the print dialog made a setup dialog (OK, no page range).
void preparePrinterSetupDialog(QPrintDialog& dialog);

// The folder of the shipped HTML help, and the topic the Help entries open.
QString helpFolder();
inline constexpr const char* kHelpTopic = "Chooseatopic.html";

} // namespace app
