// SIGINT and SIGTERM as the Stop command of a headless run: the handler only notes the
// signal and wakes the event loop through a socket pair; the callback runs on the main
// thread the next time events are processed (the queue wait, the drawing of a page).
#pragma once

#include <functional>
#include <memory>

class QSocketNotifier;

namespace printing {

class StopSignals {
public:
    explicit StopSignals(std::function<void()> onStop);
    // Puts the previous handlers back.
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // A signal arrived (set in the handler itself, before any event ran).
    static bool received();

private:
    std::function<void()> m_onStop;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace printing
