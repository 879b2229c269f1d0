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
// and keys wait, so no command changes the page under the one running. Left only for
// Apply Curves and Crop to Frame: both change the frame's shared picture in place through
// putSteps, which has not yet been split into a take on this thread and a future.
inline void keepAlive()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace page::commands_ui
