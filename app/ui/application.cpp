#include "app/ui/application.h"

#include "core/messages.h"

#include <exception>
#include <new>
#include <string>

namespace app {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

void Application::report(std::string_view text)
{
    // A message box runs a nested event loop; an error while showing it must not
    // recurse into another one.
    if (m_reporting)
        return;
    m_reporting = true;
    try {
        core::messages().error(text);
    } catch (...) {
    }
    m_reporting = false;
}

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
