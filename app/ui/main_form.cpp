#include "app/ui/main_form.h"

#include "app/ui/about.h"
#include "app/ui/help_window.h"
#include "core/messages.h"
#include "app/qt/session.h"
#include "app/qt/translation.h"
#include "imaging/codecs/codecs.h"
#include "imaging/kernels/orientation.h"
#include "page/ui/edit_ui.h"
#include "page/ui/frame_commands_ui.h"
#include "page/ui/load_ui.h"
#include "page/core/loading.h"
#include "page/core/on_load.h"
#include "page/ui/page_view.h"
#include "printing/ui/layout_ui.h"
#include "printing/cups/printer.h"
#include "printing/core/resolution.h"
#include "settings/ui/settings_ui.h"
#include "settings/ui/warning_dialog.h"
#include "twain/qt/qt_platform.h"
#include "twain/core/twain.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPrintDialog>
#include <QProgressBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace app {
namespace {

// Asked before a new frame count empties a page that holds pictures.
constexpr const char* kFrameCountEmptiesPage = QT_TRANSLATE_NOOP(
    "Paginor", "A new number of frames empties the page: the pictures in its frames are dropped.\nChange the number of frames?");
constexpr const char* kClipboardQuestion =
    QT_TRANSLATE_NOOP("Paginor", "The clipboard is currently holding image data.\nDo you want to save this data for other applications ?");
constexpr const char* kSaveSettingsQuestion = QT_TRANSLATE_NOOP("Paginor", "Do you want the current settings saved as a default ?");
constexpr const char* kHomePageUrl = "https://paginor.org/";
constexpr const char* kEmailUrl = "mailto:paginor@paginor.org?subject=Paginor";

QString fromStd(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace

QString helpFolder()
{
    // Beside the program in the build folder; under share/ once installed.
    const QString dir = QCoreApplication::applicationDirPath();
    for (const QString& candidate : {dir + "/help", dir + "/../share/paginor/help", dir + "/../help"})
        if (QFileInfo::exists(candidate + "/" + kHelpTopic))
            return QDir(candidate).canonicalPath();
    return dir + "/help";
}

MainWindow::MainWindow(Session& session, Options options, QWidget* parent)
    : QMainWindow(parent), m_session(session), m_options(std::move(options))
{
    setObjectName("Main_Form");
    setWindowTitle(tr("Paginor"));
    setAcceptDrops(true);
    if (m_session.printers) {
        printing::preparePrinter(m_printer, m_session.printers->currentName());
        printing::applyStoredChoices(m_printer, m_session.settings);
    } else if (!m_options.fixedMetrics) {
        // No printer: pages are laid out against the last printer's page, or A4.
        m_options.fixedMetrics = printing::fallbackMetrics(m_session.settings.Printer_Page);
    }

    buildMenus();
    buildToolBar();
    buildBottomPanel();
    m_page = std::make_unique<page::Page>(m_session.settings, [this] { return readPrinter(); }, static_cast<page::StatusDisplay*>(this));
    m_page->setPrintFrameReader(printing::printFrameSize);

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_view = new page::PageView(*m_page, central);
    column->addWidget(m_view, 1);
    setCentralWidget(central);
    column->addWidget(Panel3);

    Resize_Timer = new QTimer(this);
    Resize_Timer->setObjectName("Resize_Timer");
    Resize_Timer->setInterval(10);
    connect(Resize_Timer, &QTimer::timeout, this, &MainWindow::onResizeTimer);
    Qtimer = new QTimer(this);
    Qtimer->setObjectName("Qtimer");
    Qtimer->setInterval(10000);

    connect(m_view, &page::PageView::selectionCleared, this, [this] {
        const MainControls& c = m_controls;
        for (QToolButton* b : {c.rotate, c.flipVertical, c.flipHorizontal, c.aspectRatio, c.centre})
            b->setEnabled(false);
    });
    m_loader = new page::ImageLoader(*m_view, this);
    connect(m_loader, &page::ImageLoader::listButtonsChanged, this, &MainWindow::applyListButtons);
    connect(m_loader, &page::ImageLoader::busyChanged, this, [this](bool busy) { setCommandsEnabled(!busy); });
    m_printing = new printing::PrintCommands(*this, this);
    buildFrameCommands();
    disablePrintingWithoutPrinter();
    buildLayoutCommands();
    buildResolutionWatch();
    connectCommands();
    restorePlacement();
}

void MainWindow::connectCommands()
{
    const MainControls& c = m_controls;
    connect(c.loadSelected, &QAction::triggered, m_loader, &page::ImageLoader::Load1Click);
    connect(c.loadFromTwain, &QAction::triggered, this, &MainWindow::LoadfromTWAIN1Click);
    connect(c.addToList, &QAction::triggered, m_loader, &page::ImageLoader::Addtofilelist1Click);
    connect(c.clearList, &QAction::triggered, m_loader, &page::ImageLoader::ClearFilelist1Click);
    connect(c.loadPage, &QAction::triggered, this, [this] { m_layout->load_page(); });
    connect(c.savePage, &QAction::triggered, this, [this] { m_layout->savePageArchive(); });
    connect(c.preview, &QAction::triggered, m_printing, &printing::PrintCommands::previewCommand);
    connect(c.printToPrinter, &QAction::triggered, this, &MainWindow::printIfPrinter);
    connect(c.printToFile, &QAction::triggered, m_printing, &printing::PrintCommands::printToFileCommand);
    connect(c.settings, &QAction::triggered, this, &MainWindow::setUpSettings);
    connect(c.printerSetup, &QAction::triggered, this, &MainWindow::onPrinterSetupClicked);
    connect(c.about, &QAction::triggered, this, &MainWindow::About2Click);
    connect(c.helpEntry, &QAction::triggered, this, &MainWindow::Help);
    connect(c.quit, &QAction::triggered, this, &QWidget::close);
    connect(c.homePage, &QAction::triggered, this, &MainWindow::HomePageClick);
    connect(c.email, &QAction::triggered, this, &MainWindow::EmailClick);
    connect(c.quitOnBar, &QAction::triggered, this, &QWidget::close);

    connect(c.load, &QToolButton::clicked, m_loader, &page::ImageLoader::tb_loadClick);
    connect(c.loadNext, &QToolButton::clicked, m_loader, &page::ImageLoader::tb_load_nextClick);
    connect(c.aspectRatio, &QToolButton::clicked, m_view, &page::PageView::ar_BtnClick);
    connect(c.cutMarks, &QToolButton::clicked, m_view, &page::PageView::setPrintMarks);
    connect(c.properties, &QToolButton::clicked, m_view, &page::PageView::setPrintProps);
    connect(c.stop, &QToolButton::clicked, m_printing, &printing::PrintCommands::stopCommand);
    connect(c.print, &QToolButton::clicked, this, &MainWindow::printIfPrinter);
    connect(c.printNext, &QToolButton::clicked, m_printing, &printing::PrintCommands::loadAndPrint);
    connect(c.help, &QToolButton::clicked, this, &MainWindow::Help);
    connect(c.listSelected, &QToolButton::clicked, this, &MainWindow::ToolButton1Click);
}

void MainWindow::setCommandsEnabled(bool on)
{
    // The buttons and entries keep their own states, which come back with the group's.
    ToolBar1->setEnabled(on);
    m_pageCommands->setEnabled(on);
    m_view->setEnabled(on);
}

bool MainWindow::hasPrinter() const
{
    return m_session.printers != nullptr;
}

void MainWindow::disablePrintingWithoutPrinter()
{
    if (hasPrinter())
        return;
    m_controls.print->setEnabled(false);
    m_controls.printNext->setEnabled(false);
    m_controls.printToPrinter->setEnabled(false);
    m_controls.printerSetup->setEnabled(false);
}

// ---- printing -----------------------------------------------------------------------

void MainWindow::printIfPrinter()
{
    if (hasPrinter())
        m_printing->printCommand();
}

void MainWindow::setStopEnabled(bool enabled)
{
    m_controls.stop->setEnabled(enabled);
}

void MainWindow::saveAndDisableButtons()
{
    m_frameCommands->saveButtonState();
    m_frameCommands->disableButtons();
}

void MainWindow::restoreButtons()
{
    m_frameCommands->restoreButtonState();
    disablePrintingWithoutPrinter();
}

bool MainWindow::batchInProgress() const
{
    // Files put on the list by "Add to file list" wait there with no load step begun, so
    // BatchInProgress alone would have the batch print the current page and drop them.
    const page::FileQueue& queue = m_loader->queue();
    return queue.BatchInProgress || queue.remaining() > 0;
}


void MainWindow::batchEnded()
{
    const bool more = batchInProgress();
    m_controls.loadNext->setEnabled(more);
    m_controls.printNext->setEnabled(more);
    m_controls.clearList->setEnabled(more);
}

// ---- loading ------------------------------------------------------------------------

void MainWindow::applyListButtons(const page::ListButtons& buttons)
{
    m_controls.loadNext->setEnabled(buttons.loadNext);
    m_controls.printNext->setEnabled(buttons.printNext && hasPrinter());
    m_controls.clearList->setEnabled(buttons.clearList);
    m_controls.addToList->setEnabled(buttons.addToList);
}

void MainWindow::openFiles(const QStringList& paths)
{
    // Not before the page has its final size: the first resize rebuilds it.
    if (Resize_Timer->isActive()) {
        QTimer::singleShot(Resize_Timer->interval(), this, [this, paths] { openFiles(paths); });
        return;
    }
    QStringList absolute;
    for (const QString& p : paths)
        absolute << QFileInfo(p).absoluteFilePath();
    m_page->state().HotFrame = 0;
    m_loader->WMDropFiles(absolute);
}

// ---- frame commands -----------------------------------------------------------------

void MainWindow::buildFrameCommands()
{
    page::FrameCommandHooks hooks;
    hooks.settings = [this] { setUpSettings(); };
    hooks.print = [this] { printIfPrinter(); };
    hooks.openImages = [this](bool withDialog) { m_loader->openImageFiles(withDialog); };
    hooks.loadWarningAccepted = [this] {
        return !settings::loadWarningApplies(settings()) || m_loader->confirmLoadWarning(this);
    };
    // Reload: the one file into the frame the command selected, as one load step.
    hooks.loadFile = [this](const std::string& path) { m_loader->loadFile(path); };
    hooks.editImage = [this] {
        imaging::AdjustHooks adjust;
        // A curve saved in the window can be applied from the frames' menu at once.
        adjust.curvesSaved = [this] { m_frameCommands->addCurvesToMenu(); };
        if (page::Properties1Click(*m_page, this, adjust))
            m_view->updateVisual();
    };
    hooks.loadFromTwain = [this] { LoadfromTWAIN1Click(); };
    m_frameCommands = new page::FrameCommandsUi(*m_view, this, std::move(hooks));
    connect(m_frameCommands, &page::FrameCommandsUi::busyChanged, this, [this](bool busy) { setCommandsEnabled(!busy); });
}

// Images from a scanner into the selected frames. The window stays usable while the
// source's dialog is up, so a second press waits for the first to end.
void MainWindow::LoadfromTWAIN1Click()
{
    if (m_scanning)
        return;
    m_scanning = true;
    struct Done {
        bool& scanning;
        ~Done() { scanning = false; }
    } done{m_scanning};
    twain::QtPlatform platform;
    twain::LibraryLoader loader(twain::programSourceManagerCandidates());
    // The scanner's messages come in boxes of their own title.
    core::TitledMessages twainMessages(core::messages(), std::string(twain::kErrorTitle));
    twain::MultiTWAIN session(platform, loader, twainMessages);
    twain::PlaceHooks place;
    place.emptied = [this](int n) { m_view->paintEmptyFrame(n); };
    // The load step's own curve on load (AddTwainImage calls it only with En_CurveOnLoad on).
    place.curveOnLoad = [](page::Page& p, int n) { page::Apply_Curve_On_Load(p, {n}); };
    twain::loadFromTwain(session, *m_page, twainMessages, place);
    m_frameCommands->deselectAllImages();
    m_view->updateVisual();
}

MainWindow::~MainWindow()
{
    FormDestroy();
}

settings::Settings& MainWindow::settings()
{
    return m_session.settings;
}

bool MainWindow::FormCreate()
{
    auto& s = settings();
    m_page->state().PageSized = false;
    for (QToolButton* b : {m_controls.rotate, m_controls.flipVertical, m_controls.flipHorizontal})
        b->setEnabled(false);

    // The curve on load must still exist; a stale name switches the option off.
    s.ApplyCurve.erase(std::remove(s.ApplyCurve.begin(), s.ApplyCurve.end(), '"'), s.ApplyCurve.end());
    if (!QFileInfo(fromStd(s.ApplyCurve)).isFile()) {
        s.ApplyCurve.clear();
        s.En_CurveOnLoad = false;
    }

    {
        const QSignalBlocker block(m_controls.frameCount);
        m_controls.frameCount->setCurrentIndex(page::Index(m_page->state().FrameCount));
    }
    connect(m_controls.frameCount, &QComboBox::currentIndexChanged, this, &MainWindow::onFrameSelectorChanged);

    int result = kSplashDone;
    if (m_options.splash) {
        m_splashShowing = true;
        // Shown before the window itself, centred on the screen.
        AboutDialog splash(fromStd(std::string(page::kVersionLabel)), true, isVisible() ? this : nullptr,
                      m_options.splashMs);
        result = splash.exec();
        m_splashShowing = false;
    }
    // The window appears once the splash is gone, and the page is built on it as shown:
    // a hidden window's widgets get their sizes only when it shows.
    show();
    if (result != kSplashDone)
        return true; // the page is left unbuilt, as closing the splash any other way means
    Progress->setVisible(false);
    if (!m_view->buildPage(width(), height()))
        return false;
    m_controls.properties->setChecked(s.PrintProps);
    m_controls.cutMarks->setChecked(s.PrintMarks);
    Resize_Timer->start();
    return true;
}

void MainWindow::reportStartUp()
{
    if (!m_session.printerNote.empty())
        showStatus(m_session.printerNote);
    if (m_session.warnings.empty())
        return;
    core::Message text = QT_TRANSLATE_NOOP("Paginor", "Some stored settings were refused and their defaults are used:");
    for (const core::Message& w : m_session.warnings)
        text = {"%1\n%2", text, w};
    m_session.warnings.clear();
    core::messages().warning(text);
}

page::PrinterMetrics MainWindow::readPrinter()
{
    if (m_options.fixedMetrics)
        return *m_options.fixedMetrics;
    const page::PrinterMetrics m = printing::readPrinterMetrics(m_printer);
    // Kept so a later run without any printer lays pages out the same way.
    if (m.usable())
        settings().Printer_Page = printing::printerPageText(m);
    return m;
}

// ---- status panel -------------------------------------------------------------------

void MainWindow::setPrinterLine(const std::string& line)
{
    showPrinterLine(core::Message::plain(line));
}

void MainWindow::setStatus(const std::string& text)
{
    showStatus(core::Message::plain(text));
}

void MainWindow::showPrinterLine(const core::Message& line)
{
    StatusBarPanel->setText(shownText(line));
}

void MainWindow::showStatus(const core::Message& text)
{
    Status->setVisible(true);
    Status->setText(shownText(text));
    Status->repaint();
}

void MainWindow::setProgress(int percent)
{
    Progress->setValue(percent);
}

void MainWindow::setProgressVisible(bool visible)
{
    Progress->setVisible(visible);
}

QString MainWindow::statusText() const
{
    return Status->text();
}

QString MainWindow::printerLine() const
{
    return StatusBarPanel->text();
}

bool MainWindow::progressVisible() const
{
    return Progress->isVisible();
}

int MainWindow::progressValue() const
{
    return Progress->value();
}

QAction* MainWindow::menuAction(const QString& objectName) const
{
    return findChild<QAction*>(objectName);
}

QToolButton* MainWindow::toolButton(const QString& objectName) const
{
    return findChild<QToolButton*>(objectName);
}

// ---- commands -----------------------------------------------------------------------

void MainWindow::onFilesMenuShown()
{
    m_controls.savePage->setEnabled(m_layout->canSavePage());
    m_controls.loadPage->setEnabled(m_layout->canLoadPage());
}

void MainWindow::onPrinterSetupClicked()
{
    if (!hasPrinter())
        return;
    // The dialog shows the page turned the way the current layout prints it.
    m_printer.setPageOrientation(page::isPortraitLayout(m_page->state().FrameCount) ? QPageLayout::Portrait
                                                                                      : QPageLayout::Landscape);
    QPrintDialog dialog(&m_printer, this);
    preparePrinterSetupDialog(dialog);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    m_printer.setPageOrientation(QPageLayout::Portrait);
    if (!accepted)
        return;
    const printing::PrinterChoices chosen = printing::choicesOf(m_printer);
    if (m_session.printers->selectByName(m_printer.printerName())) {
        settings().Printer = m_session.printers->current();
        settings().Printer_Name = m_printer.printerName().toStdString();
    }
    // Back to the printer's own resolution and margins, with every choice kept.
    printing::preparePrinter(m_printer, m_printer.printerName());
    printing::applyChoices(m_printer, chosen);
    printing::storeChoices(m_printer, settings());
    m_view->redisplayPictures();
    m_view->sizeVisualPage();
    settings().Settings_Changed = true;
}

void preparePrinterSetupDialog(QPrintDialog& dialog)
{
    dialog.setObjectName("PrinterSetupDialog1");
    dialog.setWindowTitle(QCoreApplication::translate("Paginor", "Printer Setup"));
    // A setup dialog: no page range and no print to file, and it sets up rather than prints.
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize | QAbstractPrintDialog::PrintCollateCopies);
    for (QDialogButtonBox* box : dialog.findChildren<QDialogButtonBox*>())
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok))
            ok->setText(QCoreApplication::translate("Paginor", "OK"));
}

void MainWindow::setUpSettings()
{
    settings::SetupHooks hooks;
    hooks.setMargin = [this](float mm) { m_page->setPageMargin(mm); };
    hooks.printerDpiX = [this] { return m_page->state().PrinterDpiX; };
    hooks.setPrintButtons = [this](bool props, bool marks) {
        m_controls.properties->setChecked(props);
        m_controls.cutMarks->setChecked(marks);
    };
    hooks.setOpenFolder = [this](const std::string& folder) { setProperty("openFolder", fromStd(folder)); };
    hooks.redisplayImages = [this] { m_view->redisplayPictures(); };
    const std::string curveDir = settings().Curve_Dir;
    settings::setUpSettings(this, settings(), hooks);
    if (settings().Curve_Dir != curveDir)
        m_frameCommands->addCurvesToMenu();
}

void MainWindow::About2Click()
{
    AboutDialog about(fromStd(std::string(page::kVersionLabel)), false, this);
    about.exec();
}

void MainWindow::Help()
{
    const QString topic = helpFolder() + "/" + kHelpTopic;
    if (!QFileInfo::exists(topic)) {
        core::messages().error({QT_TRANSLATE_NOOP("Paginor", "The help file %1 is missing."), topic.toStdString()});
        return;
    }
    // Without a browser the guide opens in the program's own help window.
    if (!desktopShowsHtml() || !QDesktopServices::openUrl(QUrl::fromLocalFile(topic)))
        showHelpWindow(topic, this);
}

void MainWindow::HomePageClick()
{
    QDesktopServices::openUrl(QUrl(kHomePageUrl));
}

void MainWindow::EmailClick()
{
    QDesktopServices::openUrl(QUrl(kEmailUrl));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_controls.frameCount && event->type() == QEvent::Wheel && !m_controls.frameCount->hasFocus()) {
        event->ignore();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::onFrameSelectorChanged(int index)
{
    // One arrow key on the focused list is enough to change the count, and the change
    // drops every picture: a page with pictures asks first. A layout file sets the count
    // with the list's signals blocked, so loading one asks nothing.
    const int count = page::frameCountAt(index);
    if (m_loader->busy()) { // the list is off then; a change from elsewhere is undone
        const QSignalBlocker block(m_controls.frameCount);
        m_controls.frameCount->setCurrentIndex(page::Index(m_page->state().FrameCount));
        return;
    }
    if (count != m_page->state().FrameCount && page::loadedCount(*m_page) > 0 &&
        core::messages().ask(core::MessageKind::Confirmation, kFrameCountEmptiesPage, core::Buttons::YesNo) != core::Answer::Yes) {
        const QSignalBlocker block(m_controls.frameCount);
        m_controls.frameCount->setCurrentIndex(page::Index(m_page->state().FrameCount));
        return;
    }
    m_view->changeFrameCount(count);
}

void MainWindow::ToolButton1Click()
{
    for (int n = 1; n <= m_page->state().FrameCount; ++n) {
        const auto& f = m_page->frame(n);
        if (f.Selected && f.Loaded && f.CloneOf == 0)
            core::messages().information({QT_TRANSLATE_NOOP("Paginor", "%1 Selected"), n});
    }
}

// ---- resizing, closing --------------------------------------------------------------

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (Resize_Timer) {
        Resize_Timer->stop();
        Resize_Timer->start();
    }
}

void MainWindow::onResizeTimer()
{
    if (width() >= 200 && height() >= 200 && m_page->state().PageSized) {
        m_view->setWindowSize(width(), height());
        m_view->redisplayPictures();
        Resize_Timer->stop();
    }
}

bool MainWindow::FormCloseQuery()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard->mimeData();
    if (data && data->hasImage()) {
        if (core::messages().ask(core::MessageKind::Information, kClipboardQuestion, core::Buttons::YesNo) == core::Answer::No)
            clipboard->clear();
    }
    if (settings().Settings_Changed &&
        core::messages().ask(core::MessageKind::Confirmation, kSaveSettingsQuestion, core::Buttons::YesNo) == core::Answer::Yes) {
        try {
            settings::saveSettings(settings(), *m_session.store, m_session.printers.get());
        } catch (const std::exception& e) {
            // The close is abandoned: the user can close again and is asked again.
            core::messages().error(core::messageOf(e));
            return false;
        }
    }
    return true;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    savePlacement();
    event->accept();
}

void MainWindow::FormDestroy()
{
    if (m_destroyed)
        return;
    m_destroyed = true;
    QApplication::beep();
    m_page->dropAllPictures();
    m_page->state().PageSized = false;
}

// The window's place and size, kept apart from the settings key so that closing the
// window never touches the settings.
void MainWindow::restorePlacement()
{
    QSettings placement(QSettings::NativeFormat, QSettings::UserScope, "Korvan", "Paginor-window");
    if (restoreGeometry(placement.value("FormPlacement1/geometry").toByteArray()))
        return;
    // The first start: 595 x 500, but never narrower than the whole toolbar (this
    // style's buttons and list are wider than the original's), or its last buttons would
    // start out behind the overflow button. Within the screen.
    int width = std::max(595, ToolBar1->sizeHint().width());
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen)
        width = std::min(width, screen->availableGeometry().width());
    resize(width, 500);
    if (screen)
        move(screen->availableGeometry().center() - rect().center());
}

void MainWindow::savePlacement() const
{
    QSettings placement(QSettings::NativeFormat, QSettings::UserScope, "Korvan", "Paginor-window");
    placement.setValue("FormPlacement1/geometry", saveGeometry());
}

} // namespace app
