// What the frame commands' window files share.
#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <QString>

#include <string>

namespace page::commands_ui {

inline QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

// The hourglass for work that runs on the interface thread, restored however it ends.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Repaints (the status line, the progress bar, the frames) between two frames' work; clicks
// and keys wait, so no command changes the page under the one running.
inline void keepAlive()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace page::commands_ui
