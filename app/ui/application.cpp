#include "app/ui/application.h"

#include "core/messages.h"

#include <exception>
#include <new>
#include <string>

namespace app {

namespace {

void report(std::string_view text)
{
    // A message box runs a nested event loop; an error while showing it must not
    // recurse into another one.
    static bool reporting = false;
    if (reporting)
        return;
    reporting = true;
    try {
        messages().error(text);
    } catch (...) {
    }
    reporting = false;
}

} // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
        report(kNotEnoughMemory);
    } catch (const std::exception& e) {
        report(e.what());
    } catch (...) {
        report(kUnexpectedError);
    }
    return false;
}

} // namespace app
