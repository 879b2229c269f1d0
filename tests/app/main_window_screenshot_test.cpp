// The main window on a real X server (Xvfb): it must draw the page, and its picture is kept
// in the build folder for people to look at.
#include "core/messages.h"
#include "app/ui/main_form.h"
#include "app/qt/session.h"
#include "page/ui/page_view.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

int main(int argc, char** argv)
{
    const QByteArray display = qgetenv("PAGINOR_XVFB_DISPLAY");
    if (display.isEmpty()) {
        std::puts("SKIP: PAGINOR_XVFB_DISPLAY is not set (scripts/test.sh starts Xvfb)");
        return 77;
    }
    qputenv("DISPLAY", display);
    qputenv("QT_QPA_PLATFORM", "xcb");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
    QApplication application(argc, argv);

    core::ScriptedMessages messages;
    core::setMessages(&messages);
    app::Session session;
    session.store = std::make_unique<settings::MemoryStore>();
    settings::readDefaults(session.settings, nullptr, session.env);
    app::MainWindow::Options options;
    options.splash = false;
    options.fixedMetrics = page::PrinterMetrics{"TestPrinter", 300, 300, 2480, 3508};
    app::MainWindow form(session, options);
    form.resize(800, 640);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form) || !form.FormCreate()) {
        std::puts("FAIL: the window did not come up");
        return 1;
    }
    QTest::qWait(300);
    const QImage shot = form.screen()->grabWindow(form.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    QDir().mkpath(PAGINOR_BUILD_DIR "/screenshots");
    const QString file = PAGINOR_BUILD_DIR "/screenshots/main_window.png";
    if (shot.isNull() || !shot.save(file)) {
        std::puts("FAIL: no screenshot");
        return 1;
    }
    // The four empty frames are grey: a real rendering shows plenty of 0x808080.
    const QPoint centre = form.pageView()->FrameImage(1)->mapTo(&form, form.pageView()->FrameImage(1)->rect().center());
    const qreal scale = shot.width() / qreal(form.width());
    if (shot.pixel(int(centre.x() * scale), int(centre.y() * scale)) != qRgb(0x80, 0x80, 0x80)) {
        std::puts("FAIL: frame 1 is not drawn grey on screen");
        return 1;
    }
    std::printf("screenshot %dx%d saved to %s\n", shot.width(), shot.height(), qPrintable(file));
    core::setMessages(nullptr);
    return 0;
}
