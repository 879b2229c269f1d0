// A monkey in the main window: the real window (offscreen) with a page of photos, and a
// seeded stream of random user actions: menu entries, toolbar buttons, clicks with and
// without Ctrl/Shift on frames, the frame popup, drops of files and folders, frame counts,
// the Edit Image window, the settings dialog and every other dialog poked at random, layout
// files, saving a frame's picture, print to file, preview and Stop. Questions are answered
// at random through the message interface; file dialogs get paths in a temporary folder.
//
// Every action arrives the way a user's does: the monkey queues a marked mouse move to the
// window on top (through the window system's queue) and acts only when that move is
// delivered. So nothing happens while a load or a save keeps user input out, and clicks
// land in the middle of printing, where the window takes them.
//
// After every action: the event loop answered within 10 s (a watchdog thread), the page
// model holds together, and no file appeared outside the temporary folder. A sanitizer
// report or a crash ends the run too. Any failure prints the seed and the last 50 actions.
//   monkey_test [--seed N|time] [--seconds S]      (PAGINOR_MONKEY_SECONDS: default time)
#include "tests/app/monkey_writes.h"
#include "tests/support/test_window.h"

#include "page/ui/frame_commands_ui.h"
#include "page/ui/load_ui.h"
#include "page/ui/page_view.h"
#include "printing/ui/layout_ui.h"
#include "printing/ui/print_commands.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <qpa/qwindowsysteminterface.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <random>
#include <string>
#include <thread>

#include <cstring>
#include <vector>

#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;

// The record of what was done, for the failure report; shared with the watchdog and the
// sanitizers' death callback.
struct ActionLog {
    std::mutex lock;
    std::deque<std::string> last;
    unsigned long long count = 0;
    unsigned long long seed = 0;

    bool verbose = qEnvironmentVariableIsSet("PAGINOR_MONKEY_VERBOSE");

    void add(const std::string& line)
    {
        if (verbose)
            std::fprintf(stderr, "%s\n", line.c_str());
        std::lock_guard<std::mutex> hold(lock);
        ++count;
        last.push_back(std::to_string(count) + ": " + line);
        if (last.size() > 50)
            last.pop_front();
    }
    // Called from the watchdog and from a dying process: no lock is waited for.
    void print(const char* why)
    {
        std::fprintf(stderr, "\nmonkey: %s\nmonkey: seed %llu, %llu actions; the last ones:\n", why, seed, count);
        std::unique_lock<std::mutex> hold(lock, std::try_to_lock);
        for (const auto& l : last)
            std::fprintf(stderr, "  %s\n", l.c_str());
        std::fprintf(stderr, "monkey: replay with --seed %llu (the interleaving with loads may differ)\n", seed);
        std::fflush(stderr);
    }
};

ActionLog g_log;

[[noreturn]] void fail(const std::string& why)
{
    g_log.print(why.c_str());
    std::_Exit(1);
}

// Questions answered at random among the buttons offered.
class RandomMessages final : public core::Messages {
public:
    explicit RandomMessages(std::mt19937_64& rng) : m_rng(rng) {}
    void show(core::MessageKind, const core::Message& message) override
    {
        g_log.add("  message: " + message.english().substr(0, 120));
    }
    core::Answer ask(core::MessageKind, const core::Message& message, core::Buttons buttons) override
    {
        const std::string text = message.english();
        std::vector<core::Answer> offered;
        switch (buttons) {
        case core::Buttons::Ok: offered = {core::Answer::Ok}; break;
        case core::Buttons::YesNo: offered = {core::Answer::Yes, core::Answer::No}; break;
        case core::Buttons::YesNoCancel: offered = {core::Answer::Yes, core::Answer::No, core::Answer::Cancel}; break;
        case core::Buttons::OkCancel: offered = {core::Answer::Ok, core::Answer::Cancel}; break;
        }
        const core::Answer a = offered[m_rng() % offered.size()];
        static const char* const kNames[] = {"Ok", "Yes", "No", "Cancel"};
        g_log.add("  question: " + std::string(text.substr(0, 100)) + " -> " + kNames[int(a)]);
        return a;
    }

private:
    std::mt19937_64& m_rng;
};

// Receives the URLs the window would open in a browser or mail program.
class UrlSink : public QObject {
    Q_OBJECT
public slots:
    void open(const QUrl& url) { g_log.add("  url: " + url.toString().toStdString()); }
};

// The mark of the monkey's own mouse moves: keys no mouse user holds.
constexpr Qt::KeyboardModifiers kProbeModifiers = Qt::KeypadModifier | Qt::GroupSwitchModifier;

class Monkey : public QObject {
    Q_OBJECT
public:
    Monkey(testwindow::TestWindow& w, unsigned long long seed, int seconds, const QString& temp, QStringList photos,
           QString folder)
        : m_w(w), m_rng(seed), m_messages(m_rng), m_temp(temp), m_photos(std::move(photos)),
          m_folder(std::move(folder)), m_end(Clock::now() + std::chrono::seconds(seconds))
    {
        core::setMessages(&m_messages);
        installHooks();
        qApp->installEventFilter(this);
        connect(&m_tick, &QTimer::timeout, this, &Monkey::tick);
        m_tick.start(15);
        connect(&m_beat, &QTimer::timeout, this, [this] { m_heartbeat = Clock::now().time_since_epoch().count(); });
        m_beat.start(100);
        m_heartbeat = Clock::now().time_since_epoch().count();
        m_watchdog = std::thread([this] { watch(); });
    }
    ~Monkey() override
    {
        m_stopWatch = true;
        m_watchdog.join();
        for (const char* scheme : {"file", "http", "https", "mailto"})
            QDesktopServices::unsetUrlHandler(scheme);
        qApp->removeEventFilter(this);
    }

    unsigned long long actions() const { return m_actions; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::MouseMove || !watched->isWindowType())
            return false;
        auto* move = static_cast<QMouseEvent*>(event);
        if (move->modifiers() != kProbeModifiers || !m_probeSent)
            return false;
        m_probeSent = false;
        ++m_depth;
        act();
        --m_depth;
        if (m_depth == 0)
            check();
        return true;
    }

private:
    template <typename T> T pick(const QList<T>& list) { return list[int(m_rng() % list.size())]; }
    int below(int n) { return int(m_rng() % unsigned(n)); }
    bool chance(int percent) { return below(100) < percent; }

    void note(const QString& what) { g_log.add(what.toStdString()); ++m_actions; }

    // The widget on top: an open popup, a modal dialog, or the main window.
    QWidget* top() const
    {
        if (QWidget* p = QApplication::activePopupWidget())
            return p;
        if (QWidget* m = QApplication::activeModalWidget())
            return m;
        return m_w.form.get();
    }

    void tick()
    {
        const auto now = Clock::now();
        if (now >= m_end) {
            if (!m_finishing)
                g_log.add("time is up: closing what is open");
            m_finishing = true;
        }
        if (m_probeSent && now - m_probeTime < std::chrono::seconds(2))
            return;
        // A move that never came (the window it went to was blocked or closed) is sent again.
        QWidget* target = top();
        if (m_finishing && target == m_w.form.get() && m_depth == 0) {
            if (!m_w.form->imageLoader()->busy() && !m_w.form->printCommands()->busy()) {
                m_tick.stop();
                QTimer::singleShot(0, qApp, &QCoreApplication::quit);
            }
            return;
        }
        if (!target->windowHandle())
            return;
        m_probeSent = true;
        m_probeTime = now;
        // Qt drops a move to where the pointer already is: every move goes somewhere else.
        m_probeAt = m_probeAt == QPoint(2, 2) ? QPoint(3, 2) : QPoint(2, 2);
        QWindowSystemInterface::handleMouseEvent(target->windowHandle(), QPointF(m_probeAt), target->mapToGlobal(m_probeAt),
                                                 Qt::NoButton, Qt::NoButton, QEvent::MouseMove, kProbeModifiers);
    }

    void act()
    {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            if (m_finishing)
                return (void)popup->close();
            return onPopup(popup);
        }
        if (QWidget* modal = QApplication::activeModalWidget())
            return m_finishing ? finish(modal, false) : onModal(modal);
        if (m_finishing)
            return;
        onWindow();
    }

    // ---- the main window ---------------------------------------------------------------

    void onWindow()
    {
        const int roll = below(100);
        if (roll < 25)
            clickFrame();
        else if (roll < 38)
            menuEntry();
        else if (roll < 52)
            toolButton();
        else if (roll < 60)
            drop();
        else if (roll < 66)
            frameCount();
        else if (roll < 74)
            rightClick();
        else if (roll < 80)
            doubleClick();
        else if (roll < 84)
            resize();
        else
            command();
    }

    int frameCountNow() const { return m_w.form->pageModel().state().FrameCount; }

    void clickFrame()
    {
        if (chance(8)) {
            note("click on the page outside the frames");
            QTest::mouseClick(m_w.form->pageView()->Background(), Qt::LeftButton, {}, QPoint(1, 1));
            return;
        }
        const int n = 1 + below(frameCountNow());
        static const Qt::KeyboardModifiers kMods[] = {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier};
        const Qt::KeyboardModifiers mods = kMods[below(3)];
        note(QString("click frame %1%2").arg(n).arg(mods == Qt::ShiftModifier     ? " with Shift"
                                                    : mods == Qt::ControlModifier ? " with Ctrl"
                                                                                  : ""));
        if (QWidget* f = m_w.form->pageView()->FrameImage(n))
            QTest::mouseClick(f, Qt::LeftButton, mods, f->rect().center());
    }

    void rightClick()
    {
        const int n = 1 + below(frameCountNow());
        note(QString("right-click frame %1").arg(n));
        if (QWidget* f = m_w.form->pageView()->FrameImage(n))
            QTest::mouseClick(f, Qt::RightButton, {}, f->rect().center());
    }

    void doubleClick()
    {
        const int n = 1 + below(frameCountNow());
        note(QString("double-click frame %1").arg(n));
        if (QWidget* f = m_w.form->pageView()->FrameImage(n))
            QTest::mouseDClick(f, Qt::LeftButton, {}, f->rect().center());
    }

    void menuEntry()
    {
        // Quit closes the window (its question is the close tests' business); the scanner
        // and the printer need hardware this run has none of.
        static const QStringList kLeftOut = {"Quit_Btn", "Quit1", "LoadfromTWAIN1", "Print2", "Printer_Setup"};
        QList<QAction*> entries;
        for (QMenu* m : m_w.form->menuBar()->findChildren<QMenu*>())
            for (QAction* a : m->actions())
                if (!a->isSeparator() && !a->menu() && !kLeftOut.contains(a->objectName()))
                    entries.append(a);
        if (entries.isEmpty())
            return;
        QAction* a = pick(entries);
        auto* menu = qobject_cast<QMenu*>(a->parent());
        if (menu)
            emit menu->aboutToShow(); // the user opens the menu first
        note("menu " + a->objectName() + (a->isEnabled() ? "" : " (disabled)"));
        if (a->isEnabled())
            a->trigger();
    }

    void toolButton()
    {
        QList<QToolButton*> buttons;
        for (QToolButton* b : m_w.form->findChild<QToolBar*>("ToolBar1")->findChildren<QToolButton*>())
            if (!b->objectName().isEmpty() && b->isVisible())
                buttons.append(b);
        if (buttons.isEmpty())
            return;
        QToolButton* b = pick(buttons);
        note("button " + b->objectName() + (b->isEnabled() ? "" : " (disabled)"));
        if (b->isEnabled())
            QTest::mouseClick(b, Qt::LeftButton);
    }

    void frameCount()
    {
        QComboBox* c = m_w.form->frameSelector();
        const int i = below(c->count());
        note("frames " + c->itemText(i));
        c->setCurrentIndex(i);
    }

    void resize()
    {
        const QSize s(300 + below(900), 250 + below(700));
        note(QString("resize to %1x%2").arg(s.width()).arg(s.height()));
        m_w.form->resize(s);
    }

    QStringList somePhotos()
    {
        QStringList chosen;
        const int n = 1 + below(4);
        for (int i = 0; i < n; ++i)
            chosen << pick(m_photos);
        return chosen;
    }

    void drop()
    {
        QStringList paths = chance(25) ? QStringList{m_folder} : somePhotos();
        if (chance(15))
            paths << m_folder;
        QWidget* window = m_w.form.get();
        QPoint at(5, window->height() - 5);
        int frame = 0;
        if (chance(80)) {
            frame = 1 + below(frameCountNow());
            if (QWidget* f = m_w.form->pageView()->FrameImage(frame))
                at = f->mapTo(window, f->rect().center());
        }
        note(QString("drop %1 on %2").arg(paths.join(", ").replace(m_temp, "~")).arg(frame ? QString("frame %1").arg(frame) : QString("the window")));
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString& p : paths)
            urls << QUrl::fromLocalFile(p);
        mime.setUrls(urls);
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(window, &enter);
        QDropEvent dropped(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(window, &dropped);
    }

    // Commands straight from the window's objects where the user has no button of their own
    // in this run: Stop while something runs, and a load started in the middle of work.
    void command()
    {
        switch (below(3)) {
        case 0:
            note("Stop");
            if (m_w.form->toolButton("tb_stop")->isEnabled())
                QTest::mouseClick(m_w.form->toolButton("tb_stop"), Qt::LeftButton);
            break;
        case 1: {
            note("load selected (Ctrl+L)");
            QTest::keyClick(m_w.form.get(), Qt::Key_L, Qt::ControlModifier);
            break;
        }
        default: {
            static const int kKeys[] = {Qt::Key_E, Qt::Key_S, Qt::Key_C, Qt::Key_V, Qt::Key_A, Qt::Key_D};
            const int key = kKeys[below(6)];
            note(QString("Ctrl+%1").arg(QKeySequence(key).toString()));
            QTest::keyClick(m_w.form.get(), Qt::Key(key), Qt::ControlModifier);
        }
        }
    }

    // ---- popups and dialogs ------------------------------------------------------------

    void onPopup(QWidget* popup)
    {
        auto* menu = qobject_cast<QMenu*>(popup);
        QList<QAction*> entries;
        if (menu)
            for (QAction* a : menu->actions()) {
                if (a->menu()) {
                    for (QAction* sub : a->menu()->actions())
                        if (!sub->isSeparator() && sub->isEnabled())
                            entries.append(sub);
                } else if (!a->isSeparator() && a->isEnabled()) {
                    entries.append(a);
                }
            }
        if (entries.isEmpty() || chance(10)) {
            note("popup closed");
            popup->close();
            return;
        }
        QAction* a = pick(entries);
        note("popup " + (a->objectName().isEmpty() ? a->text() : a->objectName()));
        popup->close();
        a->trigger();
    }

    void onModal(QWidget* modal)
    {
        const QString name = QString::fromLatin1(modal->metaObject()->className());
        auto* dialog = qobject_cast<QDialog*>(modal);
        if (qobject_cast<QFileDialog*>(modal)) {
            note("file dialog cancelled");
            dialog->reject();
            return;
        }
        const int roll = below(100);
        if (roll < 20 || !dialog)
            return finish(modal, true);
        if (roll < 30)
            return finish(modal, false);
        if (roll < 40) {
            QList<QPushButton*> buttons;
            for (QPushButton* b : modal->findChildren<QPushButton*>())
                if (b->isVisible() && b->isEnabled() && !inButtonBox(b))
                    buttons.append(b);
            if (!buttons.isEmpty()) {
                QPushButton* b = pick(buttons);
                note(name + ": press " + b->text());
                b->click();
                return;
            }
        }
        poke(modal, name);
    }

    static bool inButtonBox(QWidget* w) { return qobject_cast<QDialogButtonBox*>(w->parentWidget()) != nullptr; }

    // OK (accept) or Cancel (reject): the dialog's own buttons where it has them.
    void finish(QWidget* modal, bool ok)
    {
        const QString name = QString::fromLatin1(modal->metaObject()->className());
        // A dialog still open after its OK or Cancel (a tool panel's own buttons have those
        // captions too) is closed from its title bar.
        if (m_lastFinished == modal) {
            m_lastFinished = nullptr;
            note(name + ": closed from the title bar");
            modal->close();
            return;
        }
        m_lastFinished = modal;
        note(name + (ok ? ": OK" : ": Cancel"));
        for (QDialogButtonBox* box : modal->findChildren<QDialogButtonBox*>()) {
            for (QAbstractButton* b : box->buttons()) {
                const auto role = box->buttonRole(b);
                if (b->isVisible() && b->isEnabled() &&
                    (ok ? role == QDialogButtonBox::AcceptRole : role == QDialogButtonBox::RejectRole)) {
                    b->click();
                    return;
                }
            }
        }
        for (QPushButton* b : modal->findChildren<QPushButton*>()) {
            const QString t = b->text().remove('&').trimmed().toLower();
            if (b->isVisible() && b->isEnabled() && (ok ? (t == "ok" || b->isDefault()) : (t == "cancel" || t == "close"))) {
                b->click();
                return;
            }
        }
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            ok ? dialog->accept() : dialog->reject();
        else
            modal->close();
    }

    // One control of the dialog set to a random value it allows.
    void poke(QWidget* modal, const QString& name)
    {
        QList<QWidget*> controls;
        for (QWidget* c : modal->findChildren<QWidget*>()) {
            if (!c->isVisible() || !c->isEnabled())
                continue;
            if (qobject_cast<QAbstractSlider*>(c) || qobject_cast<QSpinBox*>(c) || qobject_cast<QDoubleSpinBox*>(c) ||
                qobject_cast<QCheckBox*>(c) || qobject_cast<QRadioButton*>(c) || qobject_cast<QComboBox*>(c) ||
                qobject_cast<QTabWidget*>(c))
                controls.append(c);
        }
        if (controls.isEmpty())
            return finish(modal, chance(50));
        QWidget* c = pick(controls);
        const QString what = name + ": " + QString::fromLatin1(c->metaObject()->className()) + " " + c->objectName();
        if (auto* s = qobject_cast<QAbstractSlider*>(c)) {
            const int v = s->minimum() + below(s->maximum() - s->minimum() + 1);
            note(what + QString(" = %1").arg(v));
            s->setValue(v);
        } else if (auto* s = qobject_cast<QSpinBox*>(c)) {
            const int v = s->minimum() + below(s->maximum() - s->minimum() + 1);
            note(what + QString(" = %1").arg(v));
            s->setValue(v);
        } else if (auto* s = qobject_cast<QDoubleSpinBox*>(c)) {
            const double v = s->minimum() + (s->maximum() - s->minimum()) * below(1001) / 1000.0;
            note(what + QString(" = %1").arg(v));
            s->setValue(v);
        } else if (auto* b = qobject_cast<QAbstractButton*>(c)) {
            note(what + " clicked");
            b->click();
        } else if (auto* box = qobject_cast<QComboBox*>(c)) {
            if (box->count() == 0)
                return;
            const int i = below(box->count());
            note(what + " = " + box->itemText(i));
            box->setCurrentIndex(i);
        } else if (auto* tabs = qobject_cast<QTabWidget*>(c)) {
            const int i = below(tabs->count());
            note(what + QString(" tab %1").arg(i));
            tabs->setCurrentIndex(i);
        }
    }

    // ---- the dialogs the window opens for files, and other programs ---------------------

    QString outFile(const QString& stem, const QString& suffix) { return m_temp + "/out/" + stem + QString::number(below(3)) + suffix; }

    void installHooks()
    {
        QDir(m_temp).mkpath("out");
        page::ImageLoader* loader = m_w.form->imageLoader();
        loader->chooseFiles = [this](QWidget*, const QString&, const QString&) {
            const QStringList files = chance(85) ? somePhotos() : QStringList{};
            g_log.add("  open dialog -> " + QString(files.join(", ")).replace(m_temp, "~").toStdString());
            return files;
        };
        loader->confirmLoadWarning = [this](QWidget*) { return chance(70); };
        printing::LayoutCommands* layout = m_w.form->layoutCommands();
        layout->chooseSaveLayout = [this](QWidget*, const QString&) {
            const QString p = chance(90) ? outFile("page", ".zip") : QString();
            g_log.add("  save layout dialog -> " + QString(p).replace(m_temp, "~").toStdString());
            return p;
        };
        layout->chooseOpenLayout = [this](QWidget*, const QString&) {
            QStringList there;
            for (const QString& f : QDir(m_temp + "/out").entryList({"*.zip"}, QDir::Files))
                there << m_temp + "/out/" + f;
            there << m_photos.first() << QString();
            const QString p = pick(there);
            g_log.add("  open layout dialog -> " + QString(p).replace(m_temp, "~").toStdString());
            return p;
        };
        layout->chooseImageFile = [this](QWidget*, const QString&) -> std::optional<printing::ChosenImageFile> {
            if (chance(10))
                return std::nullopt;
            const bool bitmap = chance(40);
            printing::ChosenImageFile f{outFile("frame", bitmap ? ".bmp" : ".jpg"), bitmap};
            g_log.add("  save picture dialog -> " + QString(f.path).replace(m_temp, "~").toStdString());
            return f;
        };
        m_w.form->printCommands()->askImageFileName = [this](bool jpeg) {
            const QString p = chance(90) ? outFile("printed", jpeg ? ".jpg" : ".bmp") : QString();
            g_log.add("  print to file dialog -> " + QString(p).replace(m_temp, "~").toStdString());
            return p;
        };
        page::FrameCommandHooks& hooks = m_w.form->frameCommands()->hooks();
        hooks.startProgram = [this](const QString& program, const QStringList&) {
            g_log.add("  start program " + program.toStdString());
            return chance(50);
        };
        hooks.openUrl = [this](const QUrl& url) {
            g_log.add("  open " + url.toString().toStdString());
            return chance(50);
        };
        for (const char* scheme : {"file", "http", "https", "mailto"})
            QDesktopServices::setUrlHandler(scheme, &m_urls, "open");
    }

    // ---- the checks ---------------------------------------------------------------------

    void check()
    {
        if (writes::g_outside.load() > 0)
            fail(std::string("a file was written outside the temporary folder: ") + writes::g_firstOutside);
        const page::Page& p = m_w.form->pageModel();
        const int count = p.state().FrameCount;
        auto require = [&](bool ok, const std::string& what) {
            if (!ok)
                fail("the page model broke: " + what);
        };
        require(count == 1 || count == 2 || count == 4 || count == 8 || count == 16,
                "frame count " + std::to_string(count));
        require(int(p.settings().NumberOfFrames) == count, "the settings' frame count differs from the page's");
        require(m_w.form->frameSelector()->currentText().toInt() == count, "the frame list shows another count");
        for (int n = 1; n <= page::kMaxFrames; ++n) {
            const page::FrameRecord& f = p.frame(n);
            const std::string at = "frame " + std::to_string(n) + ": ";
            if (n > count) {
                require(!f.Selected, at + "selected beyond the page's frames");
                continue;
            }
            if (f.CloneOf != 0) {
                require(f.CloneOf >= 1 && f.CloneOf <= count && f.CloneOf != n,
                        at + "copy of frame " + std::to_string(f.CloneOf));
                require(p.frame(f.CloneOf).Loaded, at + "copy of the empty frame " + std::to_string(f.CloneOf));
            }
            if (f.Loaded)
                require(p.pictureShownIn(n) != nullptr, at + "loaded, with no picture to show");
        }
        const int copied = p.state().CopiedFrame;
        require(copied == 0 || (copied <= count && p.frame(copied).Loaded),
                "Frame Copy remembers the empty frame " + std::to_string(copied));
    }

    void watch()
    {
        while (!m_stopWatch) {
            std::this_thread::sleep_for(std::chrono::milliseconds(250));
            const auto beat = Clock::time_point(Clock::duration(m_heartbeat.load()));
            if (Clock::now() - beat > std::chrono::seconds(10))
                fail("the window did not answer for 10 s");
        }
    }

    testwindow::TestWindow& m_w;
    std::mt19937_64 m_rng;
    RandomMessages m_messages;
    UrlSink m_urls;
    QString m_temp;
    QStringList m_photos;
    QString m_folder;
    Clock::time_point m_end;
    QTimer m_tick;
    QTimer m_beat;
    bool m_probeSent = false;
    QPointer<QWidget> m_lastFinished;
    QPoint m_probeAt;
    Clock::time_point m_probeTime;
    bool m_finishing = false;
    int m_depth = 0;
    unsigned long long m_actions = 0;
    std::atomic<Clock::rep> m_heartbeat{0};
    std::atomic<bool> m_stopWatch{false};
    std::thread m_watchdog;
};

// Photos of several sizes and shapes, in the formats users have, a file that only looks
// like one, and a folder of them for the folder drops.
QStringList makePhotos(const QString& folder, QString& subFolder)
{
    QStringList paths;
    QDir(folder).mkpath("album");
    subFolder = folder + "/album";
    const QSize sizes[] = {{640, 480}, {480, 640}, {1200, 800}, {300, 300}, {1600, 400}, {90, 60}};
    int i = 0;
    for (const QSize s : sizes) {
        QImage img(s, QImage::Format_RGB32);
        QPainter painter(&img);
        painter.fillRect(img.rect(), QColor::fromHsv((i * 57) % 360, 160, 200));
        painter.setPen(Qt::black);
        painter.drawEllipse(img.rect().adjusted(10, 10, -10, -10));
        painter.drawText(img.rect(), Qt::AlignCenter, QString::number(i));
        painter.end();
        const char* suffix = i % 3 == 0 ? ".png" : i % 3 == 1 ? ".bmp" : ".jpg";
        const QString p = (i % 2 ? subFolder : folder) + QString("/photo%1%2").arg(i).arg(suffix);
        img.save(p);
        paths << p;
        ++i;
    }
    QFile broken(folder + "/broken.jpg");
    broken.open(QIODevice::WriteOnly);
    broken.write("\xff\xd8\xff\xe0 not a picture");
    paths << broken.fileName();
    return paths;
}

#if defined(__SANITIZE_ADDRESS__)
void sanitizerDied()
{
    g_log.print("a sanitizer reported a fault");
}
#endif

} // namespace

int main(int argc, char** argv)
{
    unsigned long long seed = 1;
    int seconds = qEnvironmentVariableIntValue("PAGINOR_MONKEY_SECONDS");
    if (seconds <= 0)
        seconds = 20;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        const std::string value = argv[i + 1];
        if (key == "--seed")
            seed = value == "time" ? static_cast<unsigned long long>(
                                         std::chrono::system_clock::now().time_since_epoch().count() % 1000000007)
                                   : std::stoull(value);
        else if (key == "--seconds")
            seconds = std::stoi(value);
    }
    g_log.seed = seed;
    std::fprintf(stderr, "monkey: seed %llu for %d s\n", seed, seconds);
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_set_death_callback(sanitizerDied);
#endif

    // Everything the program may write goes into the temporary folder; the run starts in a
    // fresh folder beside it, so a file written to a relative path is caught too.
    QTemporaryDir temp;
    QTemporaryDir outside;
    if (!temp.isValid() || !outside.isValid())
        return 2;
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "TMPDIR"})
        qputenv(name, (temp.path() + "/" + name).toUtf8());
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "TMPDIR"})
        QDir(temp.path()).mkpath(name);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QDir::setCurrent(outside.path());

    QApplication application(argc, argv);
    QString folder;
    const QStringList photos = makePhotos(temp.path(), folder);
    std::snprintf(writes::g_allowed, sizeof writes::g_allowed, "%s/", QFile::encodeName(temp.path()).constData());
    writes::g_watching = true;

    unsigned long long actions = 0;
    {
        // Layout files are offered where the machine has a temporary folder.
        testwindow::TestWindow window({"TestPrinter", 300, 300, 2480, 3508}, {900, 700},
                                      [](settings::Settings& s) { s.Zip_Available = true; });
        if (!window.form->FormCreate())
            fail("the window did not build its page");
        Monkey monkey(window, seed, seconds, temp.path(), photos, folder);
        window.form->openFiles(photos.mid(0, 4));
        application.exec();
        actions = monkey.actions();
        core::setMessages(&window.messages);
    }
    std::fprintf(stderr, "monkey: seed %llu: %llu actions in %d s, no findings\n", seed, actions, seconds);
    return 0;
}

#include "monkey_test.moc"
