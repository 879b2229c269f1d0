#include "printing/cli/stop_signals.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace printing {
namespace {

int g_wakeFds[2] = {-1, -1};
volatile std::sig_atomic_t g_received = 0;
struct sigaction g_oldInt;
struct sigaction g_oldTerm;

void onSignal(int)
{
    g_received = 1;
    const char byte = 1;
    // Nothing to do when the pipe is full: a wake-up is already pending.
    [[maybe_unused]] const auto n = ::write(g_wakeFds[1], &byte, 1);
}

} // namespace

StopSignals::StopSignals(std::function<void()> onStop) : m_onStop(std::move(onStop))
{
    g_received = 0;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_wakeFds) != 0)
        return; // no wake-up: the flag still ends the run at the next poll
    m_notifier = std::make_unique<QSocketNotifier>(g_wakeFds[0], QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] {
        char buffer[16];
        while (::read(g_wakeFds[0], buffer, sizeof buffer) > 0) {
        }
        if (m_onStop)
            m_onStop();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, &g_oldInt);
    sigaction(SIGTERM, &action, &g_oldTerm);
}

StopSignals::~StopSignals()
{
    if (!m_notifier)
        return;
    sigaction(SIGINT, &g_oldInt, nullptr);
    sigaction(SIGTERM, &g_oldTerm, nullptr);
    m_notifier.reset();
    ::close(g_wakeFds[0]);
    ::close(g_wakeFds[1]);
    g_wakeFds[0] = g_wakeFds[1] = -1;
}

bool StopSignals::received()
{
    return g_received != 0;
}

} // namespace printing
