// libsane for the whole program run, and the search for its devices.
//
// SANE is initialised once, at its first use, and ended once, when the program ends. Its
// backends do not give back everything at sane_exit (libusb's eventfd and timerfd pairs
// among others, about 75 descriptors a cycle with Debian's full configuration), so a life
// per session ran the program out of descriptors after a few tries.
//
// sane_get_devices probes every configured backend (USB, network) and takes seconds, so it
// runs on a worker thread while the interface thread keeps painting; the list it finds is
// kept for the run until the user asks to look again.
#pragma once

#include "twain/dsm/sane_device.h"

#include <condition_variable>
#include <mutex>
#include <vector>

class QDialog;
class QWidget;

namespace twain::dsm {

class DeviceSearch {
public:
    // The one search of the process; it is never destroyed, so a search still probing when
    // the program ends has something to finish into.
    static DeviceSearch& instance();

    enum class Outcome {
        Found,     // out holds the devices (it may be empty: no scanner is attached)
        Failed,    // libsane could not be initialised or could not list its devices
        Cancelled, // the user pressed Cancel while waiting; the search goes on and is kept
    };

    // The kept list. A search starts first when none was made yet, when fresh is set, or
    // when retryFailed is set and the last search failed; a search already running is
    // waited for. Called on the interface thread. With a box parent, the wait shows the
    // "Looking for scanners…" box, whose Cancel gives Cancelled; without, it just blocks.
    Outcome devices(QWidget* boxParent, bool fresh, bool retryFailed, std::vector<DeviceInfo>& out);

    // libsane ready for a device opened by name without a search (waits for a search
    // still running). False when sane_init fails.
    bool initialise();

private:
    DeviceSearch() = default;
    void start(); // with m_mutex held
    void run();
    bool initialiseSane(); // on whichever thread uses libsane at the moment
    static void endAtExit(); // with the application object

    enum class Kept { Nothing, List, Failure };

    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_running = false;
    bool m_initialised = false; // written only by the thread that uses libsane
    Kept m_kept = Kept::Nothing;
    std::vector<DeviceInfo> m_list;
    QDialog* m_box = nullptr; // the box waiting for the running search, if any
};

} // namespace twain::dsm
