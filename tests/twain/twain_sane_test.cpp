// "Load from TWAIN" and `paginor scan` end to end: our source manager library over the SANE
// test device, from a private SANE configuration, with the dialogs driven as a user would.
#include "twain/qt/qt_platform.h"
#include "twain/core/twain.h"

#include "core/messages.h"
#include "imaging/codecs/codecs.h"
#include "page/core/page.h"
#include "settings/core/settings.h"
#include "tests/support/process.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <QDialogButtonBox>
#include <QListWidget>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

QWidget* topLevel(const char* name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible())
            return w;
    return nullptr;
}

// Plays the user at the source's dialogs: the chooser is accepted as it comes; each step
// runs on the source's dialog until it says it is done. A run that stalls is closed.
class User : public QObject {
public:
    using Step = std::function<bool(QWidget* dialog)>;
    explicit User(std::vector<Step> steps) : m_steps(std::move(steps))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { act(); });
        m_timer.start(20);
        m_clock.start();
    }
    bool stalled = false;
    int chooserShown = 0;

private:
    void act()
    {
        if (auto* chooser = qobject_cast<QDialog*>(topLevel("SelectSource"))) {
            ++chooserShown;
            chooser->accept();
            return;
        }
        QWidget* dialog = topLevel("SourceDialog");
        if (!dialog)
            return;
        if (m_clock.elapsed() > 60000) {
            stalled = true;
            dialog->findChild<QPushButton*>("Close")->click();
        } else if (m_next < m_steps.size() && m_steps[m_next](dialog)) {
            ++m_next;
        }
    }
    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    QTimer m_timer;
    QElapsedTimer m_clock;
};

// Calls its function with every widget shown, while it lives.
class ShowSpy : public QObject {
public:
    explicit ShowSpy(std::function<void(QWidget*)> shown) : m_shown(std::move(shown))
    {
        qApp->installEventFilter(this);
    }
    ~ShowSpy() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Show && o->isWidgetType())
            m_shown(static_cast<QWidget*>(o));
        return false;
    }

private:
    std::function<void(QWidget*)> m_shown;
};

bool click(QWidget* dialog, const char* button)
{
    auto* b = dialog->findChild<QPushButton*>(button);
    if (!b || !b->isEnabled())
        return false;
    b->click();
    return true;
}

QString setOption(QWidget* dialog, const char* name, const char* value)
{
    QString error;
    QMetaObject::invokeMethod(dialog, "setOption", Q_RETURN_ARG(QString, error), Q_ARG(QString, name),
                              Q_ARG(QString, value));
    return error;
}

// A binary PNM (P5 grey or P6 colour) as rows of blue, green, red like the program's bitmaps.
imaging::Bitmap readPnm(const QByteArray& data)
{
    QList<QByteArray> fields;
    qsizetype i = 0;
    while (fields.size() < 4 && i < data.size()) {
        if (data[i] == '#') {
            while (i < data.size() && data[i] != '\n')
                ++i;
        } else if (!QChar(data[i]).isSpace()) {
            qsizetype j = i;
            while (j < data.size() && !QChar(data[j]).isSpace())
                ++j;
            fields << data.mid(i, j - i);
            i = j;
            continue;
        }
        ++i;
    }
    ++i; // the one white-space character after the maximum value
    const bool grey = fields.value(0) == "P5";
    const int w = fields.value(1).toInt(), h = fields.value(2).toInt();
    imaging::Bitmap bmp(w, h);
    const int n = grey ? 1 : 3;
    if (data.size() - i < qsizetype(w) * h * n)
        return {};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const auto* s = reinterpret_cast<const std::uint8_t*>(data.constData() + i + (qsizetype(y) * w + x) * n);
            std::uint8_t* d = bmp.row(y) + x * 3;
            d[0] = s[grey ? 0 : 2];
            d[1] = s[grey ? 0 : 1];
            d[2] = s[0];
        }
    return bmp;
}

// Where two bitmaps first differ in size or in a pixel's blue, green and red; empty when equal.
QString firstDifference(const imaging::Bitmap& a, const imaging::Bitmap& b)
{
    if (a.width() != b.width() || a.height() != b.height())
        return QString("size %1x%2 against %3x%4").arg(a.width()).arg(a.height()).arg(b.width()).arg(b.height());
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const std::uint8_t* p = a.row(y) + x * a.bytesPerPixel();
            const std::uint8_t* q = b.row(y) + x * b.bytesPerPixel();
            if (p[0] != q[0] || p[1] != q[1] || p[2] != q[2])
                return QString("pixel %1,%2: %3 %4 %5 against %6 %7 %8")
                    .arg(x).arg(y).arg(p[0]).arg(p[1]).arg(p[2]).arg(q[0]).arg(q[1]).arg(q[2]);
        }
    return {};
}

} // namespace

class TwainSaneTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
        const QString sane = m_dir.filePath("sane.d");
        QVERIFY(QDir().mkpath(sane));
        QFile dll(sane + "/dll.conf");
        QVERIFY(dll.open(QIODevice::WriteOnly));
        dll.write("test\n");
        dll.close();
        QVERIFY(QFile::copy("/etc/sane.d/test.conf", sane + "/test.conf"));
        qputenv("SANE_CONFIG_DIR", sane.toUtf8());
    }

    void init()
    {
        m_page = std::make_unique<page::Page>(m_settings, [] { return page::PrinterMetrics{"P", 300, 300, 2400, 3300}; });
        m_page->setFrameCount(4);
        m_messages.clear();
    }

    // First of all: it holds up the process's one search (libsane lives once per run) on a
    // dll.conf that is a pipe, so the "Looking for scanners…" box stays up until Cancel.
    void cancelWhileLookingForScannersEndsTheSessionWithNothingPlaced()
    {
        const QString dll = m_dir.filePath("sane.d/dll.conf");
        QVERIFY(QFile::remove(dll));
        QCOMPARE(::mkfifo(QFile::encodeName(dll).constData(), 0600), 0);
        int lookingBoxes = 0, lookingOverChooser = 0;
        ShowSpy spy([&](QWidget* w) {
            if (w->objectName() == "LookingForScanners") {
                ++lookingBoxes;
                lookingOverChooser += topLevel("SelectSource") != nullptr;
            }
        });
        bool cancelLooking = true;
        std::vector<int> listed; // the chooser's lengths, before and after "Look again"
        QTimer user;
        connect(&user, &QTimer::timeout, this, [&] {
            if (QWidget* box = topLevel("LookingForScanners")) {
                if (cancelLooking)
                    box->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
            } else if (auto* chooser = qobject_cast<QDialog*>(topLevel("SelectSource"))) {
                listed.push_back(int(chooser->findChild<QListWidget*>("Sources")->count()));
                if (listed.size() == 1)
                    QTimer::singleShot(0, chooser->findChild<QPushButton*>("LookAgain"), &QPushButton::click);
                else
                    chooser->reject();
            }
        });
        user.start(20);
        m_page->frame(1).Selected = true;
        run();
        QCOMPARE(lookingBoxes, 1);
        QVERIFY(listed.empty());
        QVERIFY(m_messages.texts().empty());
        QVERIFY(!m_page->frame(1).Loaded);
        QCOMPARE(highestState(), 3); // the manager was opened, no source
        QCOMPARE(m_session->state(), 1);

        // The search goes on behind the cancelled box; once libsane has its configuration it
        // finds the two test devices. The scan commands' children read a plain file.
        // Opening a pipe's writing end without waiting succeeds only once the reader has it open.
        int pipe = -1;
        for (int i = 0; i < 500 && pipe < 0; ++i) {
            pipe = ::open(QFile::encodeName(dll).constData(), O_WRONLY | O_NONBLOCK);
            if (pipe < 0)
                QTest::qWait(20);
        }
        QVERIFY(pipe >= 0);
        QCOMPARE(::write(pipe, "test\n", 5), ssize_t(5));
        ::close(pipe);
        QVERIFY(QFile::remove(dll));
        QFile plain(dll);
        QVERIFY(plain.open(QIODevice::WriteOnly) && plain.write("test\n") == 5);
        plain.close();

        // The next session lists them; "Look again" searches anew behind the box and lists
        // them again; Cancel in the chooser ends the session without a scan.
        cancelLooking = false;
        run();
        QCOMPARE(listed, (std::vector<int>{2, 2}));
        QCOMPARE(lookingOverChooser, 1);
        QVERIFY(m_messages.texts().empty());
        QVERIFY(!m_page->frame(1).Loaded);
        QCOMPARE(highestState(), 3);
    }

    void feederPagesFillTheSelectedFramesAndTheRestAreDropped()
    {
        m_page->frame(1).Selected = true;
        m_page->frame(3).Selected = true;
        User user({[](QWidget* d) {
            d->findChild<QComboBox*>("Source")->setCurrentText("Automatic Document Feeder");
            return click(d, "Scan");
        }});
        run();
        QVERIFY(!user.stalled);
        QCOMPARE(user.chooserShown, 1);
        QCOMPARE(m_messages.texts(), std::vector<std::string>{std::string(twain::kExtraImages)});
        QCOMPARE(m_session->acquiredImageCount(), 10);
        for (int n : {1, 3}) {
            QVERIFY(m_page->frame(n).Loaded);
            QCOMPARE(m_page->frame(n).FileName, std::string(twain::kTwainImageName));
        }
        QVERIFY(!m_page->frame(2).Loaded && !m_page->frame(4).Loaded);
        QVERIFY(!m_page->anySelected());
        QCOMPARE(m_session->state(), 1);

        // Frame 3 is scanned again (flatbed now: the choice stays with the device's option).
        const imaging::Picture* before = m_page->pictureShownIn(3);
        m_page->frame(3).Selected = true;
        m_messages.clear();
        User again({[](QWidget* d) {
            d->findChild<QComboBox*>("Source")->setCurrentText("Flatbed");
            return click(d, "Scan");
        }});
        run();
        QVERIFY(m_messages.texts().empty());
        QCOMPARE(m_session->acquiredImageCount(), 1);
        QVERIFY(m_page->frame(3).Loaded);
        QVERIFY(m_page->pictureShownIn(3) != before);
    }

    void closingTheDialogWithoutScanningChangesOnlyTheSelection()
    {
        m_page->frame(2).Selected = true;
        User user({[](QWidget* d) { return click(d, "Close"); }});
        run();
        QVERIFY(m_messages.texts().empty());
        QCOMPARE(m_session->acquiredImageCount(), 0);
        QVERIFY(!m_page->frame(2).Loaded);
        QCOMPARE(m_session->state(), 1);
    }

    void cancelledScanThenAGoodOnePlacesOneImage()
    {
        m_page->frame(1).Selected = true;
        m_page->frame(2).Selected = true;
        User user({[](QWidget* d) {
                       return setOption(d, "read-return-value", "SANE_STATUS_CANCELLED").isEmpty() && click(d, "Scan");
                   },
                   [](QWidget* d) {
                       // The dialog stays up after the cancelled transfer and takes a new scan.
                       if (d->findChild<QLabel*>("Message")->text() != "Scan cancelled")
                           return false;
                       return setOption(d, "read-return-value", "Default").isEmpty() && click(d, "Scan");
                   }});
        run();
        QVERIFY(!user.stalled);
        QCOMPARE(m_session->acquiredImageCount(), 1);
        QVERIFY(m_page->frame(1).Loaded);
        QVERIFY(!m_page->frame(2).Loaded);
    }

    void missingLibraryIsReportedByBothSteps()
    {
        twain::QtPlatform platform;
        twain::LibraryLoader loader(twain::sourceManagerCandidates({m_dir.filePath("nowhere").toStdString()}));
        twain::MultiTWAIN session(platform, loader, m_messages);
        m_page->frame(1).Selected = true;
        twain::loadFromTwain(session, *m_page, m_messages);
        const std::string text = "Unable to load Source Manager (libpaginor_twaindsm.so)";
        QCOMPARE(m_messages.texts(), (std::vector<std::string>{text, text}));
        QVERIFY(!m_page->frame(1).Loaded);
    }

    void scanCommandGivesThePixelsScanimageGives_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("colour") << "Color";
        QTest::newRow("grey") << "Gray";
    }

    void scanCommandGivesThePixelsScanimageGives()
    {
        QFETCH(QString, mode);
        const QString out = m_dir.filePath("scan-" + mode + ".bmp");
        const QStringList options{"mode=" + mode, "resolution=75", "test-picture=Color pattern"};
        QStringList args{"scan", "-o", out, "--source", "test:0"};
        for (const QString& o : options)
            args << "--scan-option" << o;
        const auto [rc, text] = runProgram(PAGINOR_BUILD_DIR "/paginor", args);
        QCOMPARE(rc, 0);

        const auto [src, pnm] = runProgram("scanimage", {"-d", "test:0", "--mode", mode, "--resolution", "75",
                                                         "--test-picture", "Color pattern", "--format=pnm"});
        QCOMPARE(src, 0);
        const imaging::Bitmap expected = readPnm(pnm);
        QVERIFY(!expected.empty());
        QCOMPARE(text, QString("image 1: %1x%2\n").arg(expected.width()).arg(expected.height()).toUtf8());
        QCOMPARE(firstDifference(imaging::loadBitmap(out.toStdString()), expected), QString());
    }

    void scanCommandWritesEveryFeederPage()
    {
        const QString out = m_dir.filePath("feeder.bmp");
        const auto [rc, text] = runProgram(PAGINOR_BUILD_DIR "/paginor",
                                           {"scan", "-o", out, "--scan-option", "source=Automatic Document Feeder"});
        QCOMPARE(rc, 0);
        QCOMPARE(text.count('\n'), 10);
        QVERIFY(QFile::exists(m_dir.filePath("feeder-10.bmp")));
        QVERIFY(!QFile::exists(out));

        const auto [bad, none] = runProgram(PAGINOR_BUILD_DIR "/paginor", {"scan", "-o", out, "--scan-option", "nosuch=1"});
        QCOMPARE(bad, 1);
        QVERIFY(none.isEmpty());
    }

private:
    int highestState() const
    {
        const std::vector<int>& trail = m_session->stateTrail();
        return *std::max_element(trail.begin(), trail.end());
    }

    void run()
    {
        twain::QtPlatform platform;
        twain::LibraryLoader loader(twain::sourceManagerCandidates({PAGINOR_BUILD_DIR}));
        m_session = std::make_unique<twain::MultiTWAIN>(platform, loader, m_messages);
        twain::loadFromTwain(*m_session, *m_page, m_messages);
    }

    std::pair<int, QByteArray> runProgram(const QString& program, const QStringList& args)
    {
        const support::RunResult r =
            support::run(program, args, {.env = support::privateHome(m_dir.path()), .timeoutMs = 120000});
        return {r.exitCode, r.outBytes};
    }

    QTemporaryDir m_dir;
    settings::Settings m_settings;
    std::unique_ptr<page::Page> m_page;
    core::ScriptedMessages m_messages;
    std::unique_ptr<twain::MultiTWAIN> m_session;
};

QTEST_MAIN(TwainSaneTest)
#include "twain_sane_test.moc"
