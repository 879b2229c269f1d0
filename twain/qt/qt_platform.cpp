#include "twain/qt/qt_platform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QWidget>

namespace twain {

bool QtPlatform::isWindow(Window w)
{
    return w != nullptr;
}

// A parent for the source manager's dialogs. It stays hidden: an empty window on the
// desktop would only be in the way.
Window QtPlatform::createProxyWindow()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return nullptr;
    auto* proxy = new QWidget(nullptr, Qt::Tool);
    proxy->setObjectName("AcquireProxy");
    proxy->setWindowTitle("Acquire Proxy");
    return proxy;
}

void QtPlatform::destroyProxyWindow(Window w)
{
    delete static_cast<QWidget*>(w);
}

void QtPlatform::enableWindow(Window w, bool on)
{
    if (w)
        static_cast<QWidget*>(w)->setEnabled(on);
}

// Qt dispatches the window events itself while it waits; what reaches the session is one
// wake-up per turn, which the source checks for its notices. The scanner protocol owns
// this loop: while a source is enabled the program must fetch and hand on every message
// itself, so this is the one place the session turns the window's loop.
bool QtPlatform::getMessage(void*& msg)
{
    if (QCoreApplication::closingDown())
        return false;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    ++m_message.Sequence;
    msg = &m_message;
    return true;
}

void QtPlatform::dispatchMessage(void*) {}

std::vector<std::string> programSourceManagerCandidates()
{
    const std::string dir = QCoreApplication::applicationDirPath().toStdString();
    return sourceManagerCandidates({dir, dir + "/../lib/paginor"}, qEnvironmentVariable("PAGINOR_TWAIN_DSM").toStdString());
}

} // namespace twain
