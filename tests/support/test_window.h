// The main window as the window tests open it: settings at their defaults in memory (a
// test may change them first), no splash, a fixed printer page instead of the machine's
// printers, and the window's messages going to the test.
#pragma once

#include "app/ui/main_form.h"
#include "app/qt/session.h"
#include "core/messages.h"
#include "settings/core/settings.h"

#include <QSize>

#include <functional>
#include <memory>

namespace testwindow {

// A4 at 300 dpi.
inline const page::PrinterMetrics kA4At300{"TestPrinter", 300, 300, 2480, 3508};

class TestWindow {
public:
    // adjust changes the default settings first; shown takes the window's messages
    // instead of the scripted ones.
    explicit TestWindow(const page::PrinterMetrics& printer = kA4At300, QSize size = {800, 640},
                        const std::function<void(settings::Settings&)>& adjust = {}, core::Messages* shown = nullptr)
    {
        session.store = std::make_unique<settings::MemoryStore>();
        settings::readDefaults(session.settings, nullptr, session.env);
        if (adjust)
            adjust(session.settings);
        core::setMessages(shown ? shown : &messages);
        app::MainWindow::Options options;
        options.splash = false;
        options.fixedMetrics = printer;
        form = std::make_unique<app::MainWindow>(session, options);
        form->resize(size);
        form->show();
    }
    ~TestWindow()
    {
        form.reset();
        core::setMessages(nullptr);
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    app::Session session;
    core::ScriptedMessages messages;
    std::unique_ptr<app::MainWindow> form;
};

} // namespace testwindow
