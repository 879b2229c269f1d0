#include "twain/dsm/device_search.h"
#include "twain/dsm/source_dialogs.h"

#include <QCoreApplication>
#include <QDialog>
#include <QMetaObject>

#include <chrono>
#include <cstdio>
#include <exception>
#include <thread>

namespace twain::dsm {
namespace {

// A search still probing when the program ends is given this long to finish before libsane
// is left to the end of the process: sane_exit under a running sane_get_devices would pull
// the backends out from under it.
constexpr std::chrono::seconds kExitWait{5};

} // namespace

// libsane ends with the application object, not in the process's exit handlers: by then
// C++ backends (genesys) have destroyed their own statics, and their sane_exit crashes.
DeviceSearch& DeviceSearch::instance()
{
    static DeviceSearch* search = [] {
        qAddPostRoutine(&DeviceSearch::endAtExit);
        return new DeviceSearch;
    }();
    return *search;
}

bool DeviceSearch::initialiseSane()
{
    {
        std::lock_guard lock(m_mutex);
        if (m_initialised)
            return true;
    }
    const SANE_Status st = sane_init(nullptr, nullptr);
    if (st != SANE_STATUS_GOOD) {
        std::fprintf(stderr, "sane_init: %s\n", sane_strstatus(st));
        return false;
    }
    std::lock_guard lock(m_mutex);
    m_initialised = true;
    return true;
}

void DeviceSearch::endAtExit()
{
    DeviceSearch& s = instance();
    std::unique_lock lock(s.m_mutex);
    if (!s.m_changed.wait_for(lock, kExitWait, [&s] { return !s.m_running; }))
        return;
    if (s.m_initialised)
        sane_exit();
    s.m_initialised = false;
}

bool DeviceSearch::initialise()
{
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_running; });
    }
    return initialiseSane();
}

void DeviceSearch::start()
{
    m_running = true;
    try {
        std::thread([this] { run(); }).detach();
    } catch (const std::exception& e) {
        // No thread to be had (the process is out of resources): the search fails at once.
        std::fprintf(stderr, "%s\n", e.what());
        m_running = false;
        m_kept = Kept::Failure;
        m_list.clear();
    }
}

// The worker: the only user of libsane while it runs.
void DeviceSearch::run()
{
    std::vector<DeviceInfo> found;
    bool ok = false;
    try {
        ok = initialiseSane();
        if (ok)
            found = listDevices();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        ok = false;
    }
    std::lock_guard lock(m_mutex);
    m_running = false;
    m_kept = ok ? Kept::List : Kept::Failure;
    m_list = ok ? std::move(found) : std::vector<DeviceInfo>{};
    m_changed.notify_all();
    // Queued: the box is closed by the interface thread, which may be destroying it right
    // after this lock is released (Qt then drops the call).
    if (m_box)
        QMetaObject::invokeMethod(m_box, "accept", Qt::QueuedConnection);
}

DeviceSearch::Outcome DeviceSearch::devices(QWidget* boxParent, bool fresh, bool retryFailed,
                                            std::vector<DeviceInfo>& out)
{
    std::unique_lock lock(m_mutex);
    if (!m_running && (fresh || m_kept == Kept::Nothing || (retryFailed && m_kept == Kept::Failure)))
        start();
    if (m_running && boxParent) {
        LookingBox box(boxParent);
        m_box = &box;
        lock.unlock();
        const bool cancelled = box.exec() != QDialog::Accepted;
        lock.lock();
        m_box = nullptr;
        if (cancelled)
            return Outcome::Cancelled;
    }
    m_changed.wait(lock, [this] { return !m_running; });
    out = m_list;
    return m_kept == Kept::List ? Outcome::Found : Outcome::Failed;
}

} // namespace twain::dsm
