// The help pages' screenshots: opens the real window with a fixed set of generated photos,
// drives each window to the state its page describes, and saves the pictures.
//   help_shots OUTDIR      makes every screenshot in OUTDIR
//   help_shots --list      the file names it makes, one a line
//   help_shots --captions  the captions of the main window's menus, one a line
#include "app/ui/main_form.h"
#include "app/qt/session.h"
#include "core/messages.h"
#include "page/ui/frame_commands_ui.h"
#include "page/core/page.h"
#include "page/ui/page_view.h"
#include "settings/core/settings.h"

#include <QAbstractButton>
#include <QAction>
#include <QBuffer>
#include <QFile>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPainterPath>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>
#include <functional>
#include <memory>

namespace {

struct Shot {
    const char* file;
    const char* what;
};

// Every picture the pages may show; the guide's test holds the pages to this list.
const Shot kShots[] = {
    {"main_window.png", "the window with four photos, frame 2 selected"},
    {"frame_menu.png", "the frame's popup menu"},
    {"edit_image.png", "Edit Image with the Brightness panel open"},
    {"edit_curves.png", "Edit Image with the Contrast Curves panel open"},
    {"settings_general.png", "Settings, General"},
    {"settings_folders.png", "Settings, Folders & Files"},
    {"settings_saving.png", "Settings, Saving Images / Pages"},
    {"settings_load.png", "Settings, On image load"},
    {"settings_print.png", "Settings, On Print"},
    {"resample.png", "the Resample dialog"},
    {"preview.png", "the print preview"},
    {"exif_details.png", "Extended Image Details"},
};

// A photo-like picture: sky, sun, hills and water, in the colours of its seed.
QImage makePhoto(int seed, int width, int height)
{
    QImage img(width, height, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor sky = QColor::fromHsv((200 + seed * 37) % 360, 120, 230);
    QLinearGradient g(0, 0, 0, height);
    g.setColorAt(0, sky.darker(130));
    g.setColorAt(0.6, sky.lighter(140));
    p.fillRect(img.rect(), g);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 220, 120));
    p.drawEllipse(QPointF(width * (0.2 + 0.15 * seed), height * 0.28), height * 0.1, height * 0.1);
    QPainterPath hills;
    hills.moveTo(0, height);
    for (int x = 0; x <= width; x += width / 16)
        hills.lineTo(x, height * (0.62 + 0.08 * std::sin(x * 0.01 + seed)));
    hills.lineTo(width, height);
    p.setBrush(QColor::fromHsv((90 + seed * 23) % 360, 140, 120));
    p.drawPath(hills);
    p.setBrush(QColor(40, 80, 130, 180));
    p.drawRect(QRectF(0, height * 0.85, width, height * 0.15));
    return img;
}

// A small EXIF block (little-endian TIFF) with the camera, the date and the exposure, so
// captions and the details window have something to show.
QByteArray exifBlock(int seed)
{
    struct Entry {
        quint16 tag, type;
        quint32 count;
        QByteArray data; // ASCII, SHORT or RATIONAL bytes
    };
    auto ascii = [](const char* s) { return QByteArray(s, int(std::strlen(s)) + 1); };
    auto shortValue = [](quint16 v) { return QByteArray(reinterpret_cast<const char*>(&v), 2); };
    auto rational = [](quint32 n, quint32 d) {
        QByteArray b(reinterpret_cast<const char*>(&n), 4);
        return b.append(reinterpret_cast<const char*>(&d), 4);
    };
    const QByteArray date = ascii(qPrintable(QString("2026:06:%1 10:%2:00").arg(10 + seed).arg(15 + seed * 7)));
    const std::vector<Entry> ifd0 = {{0x010F, 2, 7, ascii("Korvan")}, {0x0110, 2, 10, ascii("Korvan K7")},
                                     {0x0132, 2, 20, date}};
    const std::vector<Entry> exif = {{0x829A, 5, 1, rational(1, 250 * (seed + 1))}, {0x829D, 5, 1, rational(56, 10)},
                                     {0x9003, 2, 20, date}, {0x9209, 3, 1, shortValue(seed % 2 ? 1 : 0)}};
    QByteArray tiff("II*\0\x08\0\0\0", 8);
    auto put16 = [&](QByteArray& b, quint16 v) { b.append(reinterpret_cast<const char*>(&v), 2); };
    auto put32 = [&](QByteArray& b, quint32 v) { b.append(reinterpret_cast<const char*>(&v), 4); };
    // Writes an IFD at the end of tiff, its long values after it; next is an extra entry
    // (the EXIF pointer) whose value is patched afterwards.
    auto writeIfd = [&](const std::vector<Entry>& entries, bool withPointer) {
        const int count = int(entries.size()) + (withPointer ? 1 : 0);
        const int start = tiff.size();
        quint32 data = start + 2 + 12 * count + 4;
        QByteArray tail;
        put16(tiff, quint16(count));
        int pointerAt = -1;
        for (const Entry& e : entries) {
            put16(tiff, e.tag);
            put16(tiff, e.type);
            put32(tiff, e.count);
            if (e.data.size() <= 4) {
                tiff.append(e.data.leftJustified(4, '\0'));
            } else {
                put32(tiff, data + tail.size());
                tail.append(e.data);
                if (tail.size() % 2)
                    tail.append('\0');
            }
        }
        if (withPointer) {
            put16(tiff, 0x8769);
            put16(tiff, 4);
            put32(tiff, 1);
            pointerAt = tiff.size();
            put32(tiff, 0);
        }
        put32(tiff, 0);
        tiff.append(tail);
        return pointerAt;
    };
    const int pointerAt = writeIfd(ifd0, true);
    const quint32 exifAt = tiff.size();
    std::memcpy(tiff.data() + pointerAt, &exifAt, 4);
    writeIfd(exif, false);
    return QByteArray("Exif\0\0", 6) + tiff;
}

// The JPEG with the EXIF block as its first segment.
QByteArray withExif(const QByteArray& jpeg, const QByteArray& exif)
{
    const int length = exif.size() + 2;
    QByteArray segment("\xFF\xE1", 2);
    segment.append(char(length >> 8)).append(char(length & 0xFF)).append(exif);
    return jpeg.left(2) + segment + jpeg.mid(2);
}

QStringList makePhotos(const QString& folder)
{
    const char* names[] = {"harbour.jpg", "hills.jpg", "garden.jpg", "coast.jpg"};
    QStringList files;
    for (int i = 0; i < 4; ++i) {
        const bool tall = i == 2;
        const QString file = folder + "/" + names[i];
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        makePhoto(i, tall ? 900 : 1200, tall ? 1200 : 900).save(&buffer, "JPEG", 90);
        QFile out(file);
        if (out.open(QIODevice::WriteOnly))
            out.write(withExif(jpeg, exifBlock(i)));
        files << file;
    }
    return files;
}

// Run before each dialog opens: the dialogs act on the selected frame.
std::function<void()> g_beforeEach;

void settle(int ms = 150)
{
    QTest::qWait(ms);
}

bool waitFor(const std::function<bool()>& done, int ms = 20000)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        QTest::qWait(50);
    }
    return true;
}

bool save(QWidget* w, const QString& folder, const char* file)
{
    const QString path = folder + "/" + file;
    const bool ok = w && w->grab().save(path);
    std::printf("%s %s\n", ok ? "made" : "FAILED", file);
    return ok;
}

// Runs open, which shows a modal dialog, and hands the dialog to work once it shows; work
// closes it.
bool withDialog(const std::function<void()>& open, const std::function<void(QDialog*)>& work)
{
    if (g_beforeEach)
        g_beforeEach();
    bool seen = false;
    QTimer poll;
    poll.setInterval(100);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || seen)
            return;
        seen = true;
        poll.stop();
        settle(400);
        work(dialog);
        dialog->reject();
    });
    poll.start();
    open();
    poll.stop();
    return seen;
}

QStringList menuCaptions(app::MainWindow& form)
{
    QStringList captions;
    for (QAction* top : form.menuBar()->actions()) {
        if (!top->menu())
            continue;
        for (QAction* a : top->menu()->actions())
            if (!a->isSeparator() && !a->text().trimmed().isEmpty())
                captions << a->text().remove('&').trimmed();
    }
    // The toolbar's buttons by their hints.
    if (auto* bar = form.findChild<QToolBar*>())
        for (QToolButton* b : bar->findChildren<QToolButton*>())
            if (!b->toolTip().trimmed().isEmpty())
                captions << b->toolTip().simplified();
    return captions;
}

int makeShots(app::MainWindow& form, const QString& out)
{
    // A fixed folder, so the status line in the pictures reads the same every time.
    QDir photos(QDir::temp().filePath("paginor-guide/Pictures"));
    photos.removeRecursively();
    QDir().mkpath(photos.path());
    form.openFiles(makePhotos(photos.path()));
    page::Page& model = form.pageModel();
    if (!waitFor([&] {
            for (int n = 1; n <= 4; ++n)
                if (!model.frame(n).Loaded)
                    return false;
            return true;
        })) {
        std::puts("FAILED: the photos did not load");
        return 1;
    }
    settle(600);
    page::FrameCommandsUi* commands = form.frameCommands();
    commands->SelectImage(2, true);
    settle();
    int failed = 0;
    failed += !save(&form, out, "main_window.png");
    g_beforeEach = [commands] { commands->SelectImage(2, true); };

    QMenu* popup = commands->popupMenu();
    popup->popup(form.mapToGlobal(QPoint(200, 200)));
    settle(300);
    failed += !save(popup, out, "frame_menu.png");
    popup->hide();

    auto editImage = [&](const char* file, const char* panelButton) {
        return withDialog([&] { commands->popupAction("EditImage1")->trigger(); },
                          [&](QDialog* d) {
                              if (auto* b = d->findChild<QAbstractButton*>(panelButton))
                                  b->click();
                              settle(300);
                              failed += !save(d, out, file);
                          });
    };
    failed += !editImage("edit_image.png", "BrightSpBtn");
    failed += !editImage("edit_curves.png", "CurveSpBtn");

    const char* tabs[] = {"settings_general.png", "settings_folders.png", "settings_saving.png", "settings_load.png",
                          "settings_print.png"};
    failed += !withDialog([&] { form.menuAction("Settings1")->trigger(); },
                          [&](QDialog* d) {
                              auto* pages = d->findChild<QTabWidget*>();
                              for (int i = 0; pages && i < pages->count() && i < 5; ++i) {
                                  pages->setCurrentIndex(i);
                                  settle(200);
                                  failed += !save(d, out, tabs[i]);
                              }
                          });
    failed += !withDialog([&] { commands->popupAction("Resample1")->trigger(); },
                          [&](QDialog* d) { failed += !save(d, out, "resample.png"); });
    failed += !withDialog([&] { form.menuAction("PrintPreview1")->trigger(); },
                          [&](QDialog* d) { failed += !save(d, out, "preview.png"); });
    failed += !withDialog([&] { commands->popupAction("ExtendedImageDetails1")->trigger(); },
                          [&](QDialog* d) { failed += !save(d, out, "exif_details.png"); });
    photos.removeRecursively();
    for (const Shot& shot : kShots)
        if (!QFileInfo::exists(out + "/" + shot.file)) {
            std::printf("FAILED: %s (%s) was not made\n", shot.file, shot.what);
            ++failed;
        }
    return failed ? 1 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    const QString arg = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (arg == "--list") {
        for (const Shot& shot : kShots)
            std::puts(shot.file);
        return 0;
    }
    if (arg.isEmpty()) {
        std::fputs("usage: help_shots OUTDIR | --list | --captions\n", stderr);
        return 2;
    }
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
    QApplication application(argc, argv);
    QApplication::setStyle("Fusion");

    // Questions are answered "yes", and messages only printed: nothing may wait for a click.
    core::ScriptedMessages messages;
    core::setMessages(&messages);
    app::Session session;
    session.store = std::make_unique<settings::MemoryStore>();
    settings::readDefaults(session.settings, nullptr, session.env);
    session.settings.PrintMarks = true;
    session.settings.PrintProps = true;
    session.settings.Get_Camera_Details = true;
    session.settings.Inc_DMY = true;
    session.settings.Inc_Exposure = true;
    app::MainWindow::Options options;
    options.splash = false;
    options.fixedMetrics = page::PrinterMetrics{"Photo printer", 300, 300, 2480, 3508};
    app::MainWindow form(session, options);
    form.resize(1000, 760);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form) || !form.FormCreate()) {
        std::puts("FAILED: the window did not come up");
        return 1;
    }
    int rc = 0;
    if (arg == "--captions") {
        for (const QString& c : menuCaptions(form))
            std::puts(qPrintable(c));
    } else {
        QDir().mkpath(arg);
        rc = makeShots(form, arg);
    }
    core::setMessages(nullptr);
    return rc;
}
