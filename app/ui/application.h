// The program's application object: the one place where an exception that left a slot
// or an event handler is caught, so a failing command ends, not the program.
#pragma once

#include "core/translatable.h"

#include <QApplication>

#include <string_view>

namespace app {

inline constexpr std::string_view kNotEnoughMemory =
    QT_TRANSLATE_NOOP("Paginor", "Not enough memory available to finish this command");
inline constexpr std::string_view kUnexpectedError =
    QT_TRANSLATE_NOOP("Paginor", "This command stopped on an unexpected error");

class Application final : public QApplication {
public:
    Application(int& argc, char** argv);

    // Qt treats an exception that escapes an event handler as undefined behaviour: here
    // it ends the event's handling, the user is told through the program's messages, and
    // the event loop, the window and the page go on.
    bool notify(QObject* receiver, QEvent* event) override;

private:
    void report(std::string_view text);

    bool m_reporting = false;
};

} // namespace app
