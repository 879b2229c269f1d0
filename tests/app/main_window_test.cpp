// The main window offscreen: start-up, the frame-count list, resizing and the close questions.
#include "app/ui/about.h"
#include "core/messages.h"
#include "app/ui/box_messages.h"
#include "app/ui/main_form.h"
#include "app/qt/session.h"
#include "page/ui/load_ui.h"
#include "page/ui/page_view.h"
#include "printing/ui/print_commands.h"
#include "page/ui/frame_commands_ui.h"
#include "printing/ui/layout_ui.h"
#include "printing/core/layout_page.h"
#include "printing/core/print_geometry.h"
#include "printing/cups/printer.h"
#include "settings/core/settings.h"
#include "tests/support/process.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QMessageBox>
#include <QTimer>
#include <QWheelEvent>
#include <QToolButton>
#include <QtTest>

using core::Answer;
using app::MainWindow;

namespace {

// The load commands return while their files decode: waits for the command's end.
bool loadFinished(page::ImageLoader* loader)
{
    if (!loader->busy())
        return true;
    QSignalSpy done(loader, &page::ImageLoader::loadFinished);
    return done.wait(30000);
}


// A portrait A4 sheet at 300 dpi with no unprintable margins.
page::PrinterMetrics a4()
{
    return {"TestPrinter", 300, 300, 2480, 3508};
}

struct Fixture {
    app::Session session;
    settings::MemoryStore* store = nullptr;
    core::ScriptedMessages messages;
    std::unique_ptr<MainWindow> form;

    // storedPlacement: the window takes its place and size as the program does, from
    // the stored placement or the first-start size, instead of the tests' fixed size.
    explicit Fixture(const std::function<void(settings::Settings&)>& adjust = {}, bool storedPlacement = false)
    {
        auto memory = std::make_unique<settings::MemoryStore>();
        store = memory.get();
        session.store = std::move(memory);
        settings::readDefaults(session.settings, nullptr, session.env);
        // The machine's printers: the window keeps its print commands only with one.
        auto printers = std::make_unique<printing::CupsPrinterList>();
        if (printers->count() > 0 && printers->select(printers->defaultIndex().value_or(0)))
            session.printers = std::move(printers);
        if (adjust)
            adjust(session.settings);
        core::setMessages(&messages);
        MainWindow::Options options;
        options.splash = false;
        options.fixedMetrics = a4();
        form = std::make_unique<MainWindow>(session, options);
        if (!storedPlacement)
            form->resize(800, 640);
        form->show();
    }
    ~Fixture() { core::setMessages(nullptr); }

    bool close()
    {
        return form->close();
    }
};

// Calls its function with every event the filter sees, and lets them all pass.
class EventSpy : public QObject {
public:
    explicit EventSpy(std::function<void(QObject*, QEvent*)> seen) : m_seen(std::move(seen)) {}
    bool eventFilter(QObject* o, QEvent* e) override
    {
        m_seen(o, e);
        return false;
    }

private:
    std::function<void(QObject*, QEvent*)> m_seen;
};

QImage grab(QWidget* w)
{
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void startUpShowsFourGreyNumberedFramesOnATurnedPage();
    void startUpShowsThePrinterLine();
    void frameCountListRelaysThePageAndCountsAsAChange();
    void smallWindowKeepsThePageAndTheTimerTicking();
    void closingWithoutAChangeAsksNothingAndWritesNothing();
    void closingAfterAChangeSavesOnlyOnYes();
    void failedSaveKeepsTheWindowOpen();
    void clipboardImageIsClearedOnNoAndKeptOnYes();
    void menusAndButtonsCarryTheirCaptionsAndHints();
    void splashClosesItselfAndAboutWaitsForOk();
    void printNextAfterAddToListPrintsThePageThenLoadsTheList();
    void withoutAnyPrinterTheWindowStillLaysOutThePage();
    void startUpSaysWhichPrinterServesAndWhatWasRefusedOnce();
    void splashShowsBeforeTheWindow();
    void printerSetupIsASetupDialogWhoseChoicesStay();
    void printNextOnAnEmptiedPageSaysNothingToPrintAndGoesOnWithTheList();
    void filesFromTheCommandLineLoadAsADropOfThem();
    void scannerMessagesComeUnderTheirOwnTitle();
    void loadFromTwainTwentyTimesKeepsDescriptorsFlatAndTheWindowPainting();
    void coarseFramesAreMarkedNamedInTheStatusLineAndAskedAboutOnce();
    void unattendedBatchPassesOverUnreadableFilesWithoutABox();
    void firstStartShowsTheWholeToolbarAndANarrowWindowReachesItsOverflow();
    void changingTheFrameCountOfAPageWithPicturesAsksFirst();
};

void MainWindowTest::initTestCase()
{
    static QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
}

void MainWindowTest::startUpShowsFourGreyNumberedFramesOnATurnedPage()
{
    Fixture f;
    QVERIFY(f.form->FormCreate());
    page::PageView* view = f.form->pageView();
    QWidget* background = view->Background();
    QVERIFY(background->width() > background->height());
    QCOMPARE(f.form->frameSelector()->currentText(), QString("4"));
    for (int n = 1; n <= 4; ++n) {
        QWidget* frame = view->FrameImage(n);
        QVERIFY(frame && frame->isVisible());
        const QImage img = grab(frame);
        QCOMPARE(img.pixel(img.width() / 2, img.height() / 2), qRgb(0x80, 0x80, 0x80));
        int white = 0;
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x)
                white += img.pixel(x, y) == qRgb(255, 255, 255);
        QVERIFY2(white > 3, "the frame number is drawn in white in the corner");
    }
    QVERIFY(view->FrameImage(5) == nullptr || !view->FrameImage(5)->isVisible());
    QVERIFY(!f.form->progressVisible());
    QVERIFY(!f.form->toolButton("tb_rotate")->isEnabled());
}

void MainWindowTest::startUpShowsThePrinterLine()
{
    Fixture f;
    QVERIFY(f.form->FormCreate());
    QCOMPARE(f.form->printerLine(),
             QString::fromUtf8("Printer : TestPrinter | Image area : 210 mm x 297 mm  | Page Margin : 0 mm |\u00AB"));
}

void MainWindowTest::frameCountListRelaysThePageAndCountsAsAChange()
{
    Fixture f;
    QVERIFY(f.form->FormCreate());
    QVERIFY(!f.session.settings.Settings_Changed);
    f.form->frameSelector()->setCurrentIndex(1); // two frames: the page stands upright
    QWidget* background = f.form->pageView()->Background();
    QVERIFY(background->height() > background->width());
    QCOMPARE(int(f.session.settings.NumberOfFrames), 2);
    QVERIFY(f.session.settings.Settings_Changed);
    f.form->frameSelector()->setCurrentIndex(4);
    QCOMPARE(int(f.form->pageModel().state().FrameCount), 16);
    QVERIFY(f.form->pageView()->FrameImage(16)->isVisible());
    QVERIFY(background->width() > background->height());
}

void MainWindowTest::smallWindowKeepsThePageAndTheTimerTicking()
{
    Fixture f;
    QVERIFY(f.form->FormCreate());
    QTRY_VERIFY(!f.form->resizeTimer()->isActive());
    const QSize before = f.form->pageView()->Background()->size();
    f.form->resize(199, 400);
    QTest::qWait(60);
    QVERIFY(f.form->resizeTimer()->isActive());
    QCOMPARE(f.form->pageView()->Background()->size(), before);
    f.form->resize(700, 560);
    QTRY_VERIFY(!f.form->resizeTimer()->isActive());
    QVERIFY(f.form->pageView()->Background()->width() < before.width());
}

void MainWindowTest::closingWithoutAChangeAsksNothingAndWritesNothing()
{
    QGuiApplication::clipboard()->clear();
    Fixture f;
    QVERIFY(f.form->FormCreate());
    QVERIFY(f.close());
    QVERIFY(f.messages.entries().empty());
    QVERIFY(f.store->names().empty());
    QVERIFY(!f.store->canRead());
}

void MainWindowTest::closingAfterAChangeSavesOnlyOnYes()
{
    QGuiApplication::clipboard()->clear();
    {
        Fixture f;
        QVERIFY(f.form->FormCreate());
        f.form->toolButton("Page_Button")->click();
        f.messages.queueAnswer(Answer::No);
        QVERIFY(f.close());
        QCOMPARE(f.messages.texts(), std::vector<std::string>{"Do you want the current settings saved as a default ?"});
        QVERIFY(f.store->names().empty());
    }
    Fixture f;
    QVERIFY(f.form->FormCreate());
    f.form->frameSelector()->setCurrentIndex(3);
    f.messages.queueAnswer(Answer::Yes);
    QVERIFY(f.close());
    // the table, the printer's choices, the print checks, colour and camera data, orientation
    QCOMPARE(f.store->names().size(), std::size_t(49 + 4 + 3 + 2 + 1));
    QCOMPARE(std::get<std::int32_t>(*f.store->read("NumberOfFrames")), 8);
}

void MainWindowTest::failedSaveKeepsTheWindowOpen()
{
    QGuiApplication::clipboard()->clear();
    Fixture f;
    QVERIFY(f.form->FormCreate());
    f.form->toolButton("Text_Button")->click();
    QVERIFY(f.session.settings.PrintProps);
    f.store->setFailWrites(true);
    f.messages.queueAnswer(Answer::Yes);
    QVERIFY(!f.close());
    QVERIFY(f.form->isVisible());
    QCOMPARE(f.messages.texts().back(), std::string("Can't save settings"));
    // Asked again on the next close.
    f.store->setFailWrites(false);
    f.messages.clear();
    f.messages.queueAnswer(Answer::Yes);
    QVERIFY(f.close());
    QCOMPARE(f.messages.texts().size(), std::size_t(1));
    QVERIFY(f.store->canRead());
}

void MainWindowTest::clipboardImageIsClearedOnNoAndKeptOnYes()
{
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    {
        QGuiApplication::clipboard()->setImage(picture);
        Fixture f;
        QVERIFY(f.form->FormCreate());
        f.messages.queueAnswer(Answer::No);
        QVERIFY(f.close());
        QCOMPARE(f.messages.texts().size(), std::size_t(1));
        QVERIFY(f.messages.texts()[0].starts_with("The clipboard is currently holding image data."));
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(!data || !data->hasImage());
    }
    QGuiApplication::clipboard()->setImage(picture);
    Fixture f;
    QVERIFY(f.form->FormCreate());
    f.messages.queueAnswer(Answer::Yes);
    QVERIFY(f.close());
    QVERIFY(QGuiApplication::clipboard()->mimeData()->hasImage());
    QGuiApplication::clipboard()->clear();
}

void MainWindowTest::menusAndButtonsCarryTheirCaptionsAndHints()
{
    Fixture f;
    QVERIFY(f.form->FormCreate());
    const std::pair<const char*, const char*> entries[] = {
        {"Load1", "&Load Selected"},         {"ClearFilelist1", "Clear File list"}, {"LoadPages1", "Load Page - Zip"},
        {"PrintPreview1", "Print Preview "}, {"Settings1", "&Settings"},          {"Printer_Setup", "&Printer Setup"},
        {"Quit1", "&Quit"},
    };
    for (const auto& [name, caption] : entries) {
        QAction* a = f.form->menuAction(name);
        QVERIFY2(a, name);
        QCOMPARE(a->text(), QString(caption));
    }
    QVERIFY(!f.form->menuAction("ClearFilelist1")->isEnabled());
    QVERIFY(f.form->menuAction("Settings1")->isEnabled());
    QCOMPARE(f.form->findChild<QMenu*>("Images1")->property("helpContext").toInt(), 10);
    QCOMPARE(f.form->findChild<QMenu*>("Setup1")->property("helpContext").toInt(), 999);
    QCOMPARE(f.form->toolButton("tb_print_next")->toolTip(), QString("print - load - print (from image list)"));
    QCOMPARE(f.form->toolButton("Page_Button")->toolTip(), QString("print cut marks"));
    QVERIFY(!f.form->toolButton("tb_stop")->isEnabled());
    QVERIFY(!f.form->toolButton("ToolButton1")->isVisible());
    QVERIFY(QFile::exists(app::helpFolder() + "/" + app::kHelpTopic));
}

void MainWindowTest::splashClosesItselfAndAboutWaitsForOk()
{
    app::AboutDialog splash("v", true, nullptr, 30);
    QVERIFY(!splash.okButton()->isVisibleTo(&splash));
    QCOMPARE(splash.exec(), app::kSplashDone);

    app::AboutDialog about("v", false);
    QVERIFY(about.okButton()->isVisibleTo(&about));
    QTimer::singleShot(400, about.okButton(), &QPushButton::click);
    QCOMPARE(about.exec(), app::kAboutOk);
}

// A full page, two more photos put on the list with "Add to file list", then "print - load -
// print": the page on the window is printed, then the list fills the next page, which is
// printed too, and the list is used up.
void MainWindowTest::printNextAfterAddToListPrintsThePageThenLoadsTheList()
{
    Fixture f;
    QVERIFY(f.form->FormCreate());
    QTRY_VERIFY(!f.form->resizeTimer()->isActive());
    QTemporaryDir dir;
    QStringList photos;
    const QColor colours[6] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan, Qt::magenta};
    for (int i = 0; i < 6; ++i)
        photos << support::solidPhoto(dir.filePath(QString("p%1.png").arg(i + 1)), 60, 40, colours[i]);
    page::ImageLoader* loader = f.form->imageLoader();
    QStringList offered = photos.mid(0, 4);
    loader->chooseFiles = [&offered](QWidget*, const QString&, const QString&) { return offered; };
    f.form->toolButton("tb_load")->click();
    QVERIFY(loadFinished(f.form->imageLoader()));
    QCOMPARE(f.form->pageModel().frame(4).FileName, photos[3].toStdString());
    QVERIFY(!f.form->toolButton("tb_print_next")->isEnabled());

    offered = photos.mid(4, 2);
    f.form->menuAction("Addtofilelist1")->trigger();
    QVERIFY(f.form->toolButton("tb_print_next")->isEnabled());

    // The pages go to a file of the user's choosing, never to a real queue.
    const QString pdf = dir.filePath("pages.pdf");
    f.form->currentPrinter().setOutputFileName(pdf);
    f.form->toolButton("tb_print_next")->click();
    QVERIFY2(f.messages.entries().empty(),
             f.messages.entries().empty() ? "" : f.messages.entries().front().text.c_str());
    const page::Page& p = f.form->pageModel();
    QCOMPARE(p.frame(1).FileName, photos[4].toStdString());
    QCOMPARE(p.frame(2).FileName, photos[5].toStdString());
    QVERIFY(!p.frame(3).Loaded);
    QVERIFY(!p.frame(4).Loaded);
    QVERIFY(loader->queue().FileList.empty());
    QVERIFY(!f.form->toolButton("tb_print_next")->isEnabled());
    QVERIFY(!f.form->toolButton("tb_load_next")->isEnabled());
    QVERIFY(!f.form->menuAction("ClearFilelist1")->isEnabled());
    QVERIFY(QFileInfo(pdf).size() > 0);
}

// Five photos on four frames, then the page emptied by hand: "print - load - print" finds
// nothing on the first page, says so, and still prints the fifth photo from the list.
void MainWindowTest::printNextOnAnEmptiedPageSaysNothingToPrintAndGoesOnWithTheList()
{
    Fixture f;
    QVERIFY(f.form->FormCreate());
    QTRY_VERIFY(!f.form->resizeTimer()->isActive());
    QTemporaryDir dir;
    QStringList photos;
    for (int i = 0; i < 5; ++i)
        photos << support::solidPhoto(dir.filePath(QString("p%1.png").arg(i + 1)), 60, 40, QColor::fromHsv(i * 60, 200, 200));
    f.form->imageLoader()->chooseFiles = [&photos](QWidget*, const QString&, const QString&) { return photos; };
    f.form->toolButton("tb_load")->click();
    QVERIFY(loadFinished(f.form->imageLoader()));
    QVERIFY(f.form->toolButton("tb_print_next")->isEnabled());
    f.form->menuAction("All1")->trigger();
    f.form->menuAction("Delete1")->trigger();
    QVERIFY(!f.form->pageModel().frame(1).Loaded);

    const QString pdf = dir.filePath("pages.pdf");
    f.form->currentPrinter().setOutputFileName(pdf);
    f.form->toolButton("tb_print_next")->click();
    QCOMPARE(f.messages.texts(), std::vector<std::string>{std::string(printing::kNothingToPrint)});
    QCOMPARE(f.form->pageModel().frame(1).FileName, photos[4].toStdString());
    QVERIFY(QFileInfo(pdf).size() > 0);
    QVERIFY(!f.form->toolButton("tb_print_next")->isEnabled());
}

void MainWindowTest::filesFromTheCommandLineLoadAsADropOfThem()
{
    QTemporaryDir dir;
    support::solidPhoto(dir.filePath("b.png"), 40, 30, Qt::red);
    support::solidPhoto(dir.filePath("a.png"), 40, 30, Qt::red);
    Fixture f;
    QVERIFY(f.form->FormCreate());
    QDir::setCurrent(dir.path());
    f.form->openFiles({"b.png", "a.png"}); // relative to where the program was started
    page::Page& page = f.form->pageModel();
    QTRY_VERIFY(page.frame(2).Loaded);
    // As a drop: the names in the order given, every frame selected on an empty page, one load step.
    QCOMPARE(QFileInfo(QString::fromStdString(page.frame(1).FileName)).fileName(), QString("b.png"));
    QCOMPARE(QFileInfo(QString::fromStdString(page.frame(2).FileName)).fileName(), QString("a.png"));
    QVERIFY(!page.frame(3).Loaded);
    QVERIFY(f.messages.entries().empty());
}

// Sessions opened as the program opens them, with the printer list given: the machine's
// CUPS server is shared, so "no printer" and "no default" can't be made on it.
std::unique_ptr<app::Session> sessionWith(QStringList printers, QString defaultName, core::Messages& messages)
{
    return app::openSession({}, app::PrinterUse::Window, messages, [&] {
        return std::make_unique<printing::CupsPrinterList>(printers, defaultName);
    });
}

void MainWindowTest::scannerMessagesComeUnderTheirOwnTitle()
{
    Fixture f;
    QVERIFY(f.form->FormCreate());
    // Beside the test program there is no source manager; this names none either.
    qputenv("PAGINOR_TWAIN_DSM", QByteArray(QTemporaryDir().path().toUtf8() + "/none.so"));
    app::BoxMessages boxes(f.form.get());
    core::setMessages(&boxes);
    QStringList titles;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            if (auto* box = qobject_cast<QMessageBox*>(d))
                titles << box->windowTitle();
            d->reject();
        }
    });
    closer.start(20);
    f.form->menuAction("LoadfromTWAIN1")->trigger();
    qunsetenv("PAGINOR_TWAIN_DSM");
    QCOMPARE(titles, QStringList({"TWAIN Error", "TWAIN Error"}));
    // The window's own messages keep the program's name.
    titles.clear();
    core::messages().warning("w");
    QCOMPARE(titles, QStringList{QApplication::applicationName()});
}

int openDescriptors()
{
    return int(QDir("/proc/self/fd").entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size());
}

// The machine's own SANE configuration (every backend Debian ships, some of which keep
// descriptors after sane_exit) behind the program's source manager, twenty tries in one
// window. libsane lives once for the run: the devices are looked for once, behind a box
// while the window goes on painting, and the descriptors stay where the first try left them.
void MainWindowTest::loadFromTwainTwentyTimesKeepsDescriptorsFlatAndTheWindowPainting()
{
    // It loads every backend of the machine's own SANE configuration, whose leaks the leak
    // checker cannot name once they are unloaded: ctest runs it on its own
    // (main_window_system_sane).
    if (qEnvironmentVariableIsEmpty("PAGINOR_SYSTEM_SANE"))
        QSKIP("runs as main_window_system_sane");
    Fixture f;
    QVERIFY(f.form->FormCreate());
    const QByteArray saneConfig = qgetenv("SANE_CONFIG_DIR");
    qunsetenv("SANE_CONFIG_DIR");
    qputenv("PAGINOR_TWAIN_DSM", PAGINOR_BUILD_DIR "/libpaginor_twaindsm.so");
    app::BoxMessages boxes(f.form.get());
    core::setMessages(&boxes);

    int lookingBoxes = 0, paintsWhileLooking = 0;
    QStringList boxTexts;
    auto looking = [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "LookingForScanners" && w->isVisible())
                return true;
        return false;
    };
    EventSpy spy([&](QObject* o, QEvent* e) {
        if (e->type() == QEvent::Show && o->objectName() == "LookingForScanners")
            ++lookingBoxes;
        if (e->type() == QEvent::Paint && o == f.form.get() && looking())
            ++paintsWhileLooking;
    });
    qApp->installEventFilter(&spy);
    // The user waits for the search, then leaves the source chooser (and any box) with Cancel.
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        if (looking()) {
            f.form->update();
            return;
        }
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            if (auto* box = qobject_cast<QMessageBox*>(d))
                boxTexts << box->text();
            d->reject();
        }
    });
    user.start(20);
    std::vector<int> descriptors;
    for (int i = 0; i < 20; ++i) {
        f.form->menuAction("LoadfromTWAIN1")->trigger();
        descriptors.push_back(openDescriptors());
    }
    qApp->removeEventFilter(&spy);
    if (!saneConfig.isNull())
        qputenv("SANE_CONFIG_DIR", saneConfig);
    qunsetenv("PAGINOR_TWAIN_DSM");

    QCOMPARE(boxTexts, QStringList());
    QCOMPARE(lookingBoxes, 1);
    QVERIFY(paintsWhileLooking > 0);
    QVERIFY2(descriptors.back() - descriptors.front() <= 4,
             qPrintable(QString("descriptors after the 1st try %1, after the 20th %2").arg(descriptors.front()).arg(descriptors.back())));
}

void MainWindowTest::withoutAnyPrinterTheWindowStillLaysOutThePage()
{
    core::ScriptedMessages messages;
    core::setMessages(&messages);
    auto session = sessionWith({}, {}, messages);
    QVERIFY(session && !session->printers);
    QCOMPARE(messages.texts(), std::vector<std::string>{std::string(settings::kNoDefaultPrinter)});
    MainWindow::Options options;
    options.splash = false;
    MainWindow form(*session, options);
    QVERIFY(form.FormCreate());
    form.show();
    // A4 at 300 dpi, with no printer to ask.
    QCOMPARE(form.pageModel().state().PrinterDpiX, 300);
    QCOMPARE(form.pageModel().state().PageWidthPx, 2480);
    for (const char* name : {"tb_print", "tb_print_next"})
        QVERIFY(!form.toolButton(name)->isEnabled());
    QVERIFY(!form.menuAction("Print2")->isEnabled());
    QVERIFY(!form.menuAction("Printer_Setup")->isEnabled());

    core::setMessages(nullptr);
}

void MainWindowTest::startUpSaysWhichPrinterServesAndWhatWasRefusedOnce()
{
    const QString conf = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Korvan/Paginor.conf";
    QDir().mkpath(QFileInfo(conf).path());
    support::writeFile(conf, "[General]\nQuality=sz:ninety\nRuleWeight=dword:00000063\n");
    core::ScriptedMessages messages;
    core::setMessages(&messages);
    auto session = sessionWith({"Office", "Lab"}, {}, messages);
    QFile::remove(conf);
    QVERIFY(session && session->printers);
    QVERIFY(messages.texts().empty());
    MainWindow::Options options;
    options.splash = false;
    options.fixedMetrics = a4();
    MainWindow form(*session, options);
    QVERIFY(form.FormCreate());
    form.show();
    form.reportStartUp();
    form.reportStartUp();
    QVERIFY(form.statusText().contains("no default printer"));
    QVERIFY(form.statusText().contains("Office"));
    QCOMPARE(messages.entries().size(), std::size_t(1));
    const QString text = QString::fromStdString(messages.entries().front().text);
    QVERIFY(text.contains("'Quality'") && text.contains("'RuleWeight'"));
    core::setMessages(nullptr);
}

void MainWindowTest::splashShowsBeforeTheWindow()
{
    Fixture f;
    MainWindow::Options options;
    options.splashMs = 300;
    options.fixedMetrics = a4();
    MainWindow form(f.session, options);
    bool windowHidden = false;
    bool splashUp = false;
    QTimer::singleShot(50, [&] {
        windowHidden = !form.isVisible();
        splashUp = qobject_cast<app::AboutDialog*>(QApplication::activeModalWidget()) != nullptr;
    });
    QVERIFY(form.FormCreate());
    QVERIFY(windowHidden && splashUp);
    QVERIFY(form.pageModel().state().PageSized);
}

void MainWindowTest::printerSetupIsASetupDialogWhoseChoicesStay()
{
    Fixture f;
    if (!f.session.printers)
        QSKIP("no CUPS printer on this machine (scripts/test.sh creates one)");
    QVERIFY(f.form->FormCreate());
    bool checked = false;
    QTimer::singleShot(100, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        auto* box = dialog->findChild<QDialogButtonBox*>();
        QSpinBox* copies = dialog->findChild<QSpinBox*>("copies");
        // Copies sit on the dialog's folded "Options" part; the page range is gone.
        checked = box && box->button(QDialogButtonBox::Ok)->text() == "OK" && copies && copies->isEnabled() &&
                  !dialog->testOption(QAbstractPrintDialog::PrintPageRange);
        if (copies)
            copies->setValue(3);
        dialog->accept();
    });
    f.form->menuAction("Printer_Setup")->trigger();
    QVERIFY(checked);
    QCOMPARE(f.form->currentPrinter().copyCount(), 3);
    QVERIFY(f.session.settings.Settings_Changed);
    QCOMPARE(f.session.settings.Printer_Name, f.form->currentPrinter().printerName().toStdString());
    QCOMPARE(f.session.settings.Printer_Paper, f.form->currentPrinter().pageLayout().pageSize().key().toStdString());
}

// A4 at 300 dpi, four frames 1170 dots high: 900 rows print at 230 pixels per inch, 40 at 10.
void MainWindowTest::coarseFramesAreMarkedNamedInTheStatusLineAndAskedAboutOnce()
{
    Fixture f([](settings::Settings& s) { s.Confirm_Low_Resolution = true; });
    QVERIFY(f.form->FormCreate());
    QTRY_VERIFY(!f.form->resizeTimer()->isActive());
    QTemporaryDir dir;
    const QStringList photos = {support::solidPhoto(dir.filePath("fine.png"), 1200, 900, Qt::darkCyan),
                                support::solidPhoto(dir.filePath("tiny.png"), 60, 40, Qt::darkCyan)};
    f.form->imageLoader()->chooseFiles = [&photos](QWidget*, const QString&, const QString&) { return photos; };
    f.form->toolButton("tb_load")->click();
    QVERIFY(loadFinished(f.form->imageLoader()));
    QVERIFY(f.form->pageModel().frame(2).Loaded);
    QVERIFY(!f.form->pageView()->FrameImage(1)->lowResolution());
    QVERIFY(f.form->pageView()->FrameImage(2)->lowResolution());

    QTest::mouseMove(f.form->pageView()->FrameImage(2), QPoint(10, 10));
    QTRY_VERIFY2(f.form->statusText().startsWith("Frame 2: 10 pixels per inch"), qPrintable(f.form->statusText()));
    QVERIFY(f.form->statusText().endsWith("(below 150)"));

    if (!f.form->toolButton("tb_print")->isEnabled())
        QSKIP("no printer on this machine");
    const QString pdf = dir.filePath("page.pdf");
    f.form->currentPrinter().setOutputFileName(pdf);
    f.messages.clear();
    f.messages.queueAnswer(core::Answer::No);
    f.form->toolButton("tb_print")->click();
    QCOMPARE(f.messages.texts(), std::vector<std::string>{"Frame 2 prints below 150 pixels per inch\nPrint anyway?"});
    QVERIFY(!QFileInfo::exists(pdf));
    f.messages.queueAnswer(core::Answer::Yes);
    f.form->toolButton("tb_print")->click();
    QCOMPARE(f.messages.entries().size(), std::size_t(2));
    QVERIFY(QFileInfo(pdf).size() > 0);
}

// With the option ticked a file that can't be read is passed over in the status line, and
// the next file takes its frame: nothing waits for a box to be closed.
void MainWindowTest::unattendedBatchPassesOverUnreadableFilesWithoutABox()
{
    Fixture f([](settings::Settings& s) { s.Batch_Skip_Unreadable = true; });
    QVERIFY(f.form->FormCreate());
    QTRY_VERIFY(!f.form->resizeTimer()->isActive());
    if (!f.form->toolButton("tb_print")->isEnabled())
        QSKIP("no printer on this machine");
    QTemporaryDir dir;
    QStringList first;
    for (int i = 1; i <= 4; ++i)
        first << support::solidPhoto(dir.filePath(QString("p%1.png").arg(i)), 60, 40, Qt::darkCyan);
    const QString bad = support::writeFile(dir.filePath("bad.png"), "\x89PNG\r\n\x1a\n and no more");
    QStringList offered = first;
    f.form->imageLoader()->chooseFiles = [&offered](QWidget*, const QString&, const QString&) { return offered; };
    f.form->toolButton("tb_load")->click();
    QVERIFY(loadFinished(f.form->imageLoader()));
    offered = {support::solidPhoto(dir.filePath("p5.png"), 60, 40, Qt::darkCyan), bad,
               support::solidPhoto(dir.filePath("p6.png"), 60, 40, Qt::darkCyan)};
    f.form->menuAction("Addtofilelist1")->trigger();
    f.form->currentPrinter().setOutputFileName(dir.filePath("pages.pdf"));
    f.messages.clear();
    f.form->toolButton("tb_print_next")->click();
    QVERIFY2(f.messages.entries().empty(), f.messages.entries().empty() ? "" : f.messages.entries().front().text.c_str());
    const page::Page& p = f.form->pageModel();
    QCOMPARE(p.frame(1).FileName, dir.filePath("p5.png").toStdString());
    QCOMPARE(p.frame(2).FileName, dir.filePath("p6.png").toStdString());
    QVERIFY(!p.frame(3).Loaded);
}

QTEST_MAIN(MainWindowTest)
// The toolbar's buttons that a narrow window hides behind the overflow button, and
// whether any is hidden.
QStringList hiddenToolButtons(MainWindow& form)
{
    QStringList hidden;
    for (QToolButton* b : form.findChildren<QToolButton*>()) {
        if (b->objectName().startsWith("qt_") || b->objectName() == "ToolButton1" || !b->parentWidget()->inherits("QToolBar"))
            continue;
        const QRect bar = b->parentWidget()->rect();
        if (!b->isVisible() || b->geometry().right() > bar.right() || b->geometry().top() > bar.bottom())
            hidden << b->objectName();
    }
    return hidden;
}

void MainWindowTest::firstStartShowsTheWholeToolbarAndANarrowWindowReachesItsOverflow()
{
    const QString placement = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME")) + "/Korvan/Paginor-window.conf";
    QFile::remove(placement);
    {
        Fixture f({}, true);
        QVERIFY(f.form->FormCreate());
        QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
        auto* overflow = f.form->findChild<QToolButton*>("qt_toolbar_ext_button");
        QVERIFY(overflow);
        QVERIFY(!overflow->isVisible());
        QCOMPARE(hiddenToolButtons(*f.form), QStringList());
        QVERIFY(f.form->height() >= 500);
        f.form->resize(380, 500);
        QVERIFY(f.close());
    }
    // The stored placement is honoured; the buttons it hides are one click away.
    Fixture f({}, true);
    QVERIFY(f.form->FormCreate());
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    QCOMPARE(f.form->width(), 380);
    QVERIFY(!hiddenToolButtons(*f.form).isEmpty());
    auto* overflow = f.form->findChild<QToolButton*>("qt_toolbar_ext_button");
    QVERIFY(overflow->isVisible());
    overflow->click();
    QTRY_COMPARE(hiddenToolButtons(*f.form), QStringList());
    QFile::remove(placement);
}

void MainWindowTest::changingTheFrameCountOfAPageWithPicturesAsksFirst()
{
    Fixture f;
    QVERIFY(f.form->FormCreate());
    f.session.settings.Zip_Available = true;
    QTemporaryDir dir;
    const QString photo = support::solidPhoto(dir.filePath("photo.png"), 40, 30);
    QTest::mouseClick(f.form->pageView()->FrameImage(1), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    f.form->frameCommands()->hooks().loadFile(photo.toStdString());
    QVERIFY(loadFinished(f.form->imageLoader()));
    page::Page& model = f.form->pageModel();
    QVERIFY(model.frame(1).Loaded);
    QComboBox* list = f.form->frameSelector();

    // No keeps the page and the list as they were.
    f.messages.clear();
    f.messages.queueAnswer(Answer::No);
    list->setCurrentIndex(1);
    QCOMPARE(f.messages.texts().size(), std::size_t(1));
    QCOMPARE(int(model.state().FrameCount), 4);
    QCOMPARE(list->currentIndex(), 2);
    QVERIFY(model.frame(1).Loaded);

    // The wheel passing over the list changes nothing unless the list has the focus.
    f.form->pageView()->setFocus();
    QWheelEvent wheel(QPointF(5, 5), list->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list, &wheel);
    QCOMPARE(list->currentIndex(), 2);
    QCOMPARE(f.messages.texts().size(), std::size_t(1));
    QVERIFY(list->focusPolicy() != Qt::WheelFocus);

    // A layout file sets the count itself: nothing is asked. Yes empties the page.
    const std::string saved = dir.filePath("page.zip").toStdString();
    printing::savePageArchive(model, saved);
    f.messages.queueAnswer(Answer::Yes);
    list->setCurrentIndex(1);
    QCOMPARE(int(model.state().FrameCount), 2);
    QVERIFY(!model.frame(1).Loaded);
    f.form->layoutCommands()->chooseOpenLayout = [&](QWidget*, const QString&) { return QString::fromStdString(saved); };
    f.messages.clear();
    f.form->layoutCommands()->load_page();
    QCOMPARE(int(model.state().FrameCount), 4);
    QCOMPARE(list->currentIndex(), 2);
    QVERIFY(model.frame(1).Loaded);
    QVERIFY(f.messages.texts().empty());
}

#include "main_window_test.moc"
