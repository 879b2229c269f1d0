// Our TWAIN source manager: DSM_Entry over SANE. Each SANE device is a source; the
// session's triplets are answered here, pages are read on a worker thread, and the notices
// for the session (MSG_XFERREADY, MSG_CLOSEDSREQ) wait until its loop hands us an event.
// Opening and closing the manager opens and closes no library: libsane lives for the whole
// run (device_search.h).
#include "twain/dsm/device_search.h"
#include "twain/dsm/sane_device.h"
#include "twain/dsm/source_dialogs.h"
#include "twain/core/source_manager.h"

#include <QApplication>
#include <QCoreApplication>
#include <QSettings>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace twain::dsm {
namespace {

constexpr const char* kScanningFailed = QT_TRANSLATE_NOOP("Paginor", "Scanning failed: %1");

void copyName(TW_STR32& to, const std::string& text)
{
    std::memset(to, 0, sizeof to);
    std::memcpy(to, text.data(), std::min(text.size(), sizeof to - 1));
}

QSettings sourceSettings()
{
    return QSettings("Korvan", "Paginor-sources");
}

bool haveWidgets()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

// Runs the interface thread's events until done() holds. The scanner protocol's transfer
// call must return with the page (read meanwhile on a worker thread), and the source's own
// windows live on this thread, so their events run here while the call waits.
template <typename Done>
void pumpUntil(Done done)
{
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// One open source: a SANE device, its dialog and the page being read.
class Source final : public QObject {
public:
    explicit Source(const std::string& device) : m_device(device) {}
    ~Source() override
    {
        stopReading();
        m_dialog.reset();
    }

    SaneDevice& device() { return m_device; }
    int state = 4;
    TW_UINT16 condition = TWCC_SUCCESS;

    TW_UINT16 enable(const TW_USERINTERFACE& ui);
    void disable();
    TW_UINT16 processEvent(TW_EVENT& event);
    TW_UINT16 nativeTransfer(TW_HANDLE* handle);
    TW_UINT16 endTransfer(TW_PENDINGXFERS& pending);
    TW_UINT16 reset(TW_PENDINGXFERS& pending);

private:
    enum class Phase { Idle, Starting, Reading, Done };

    void startScan(bool nextPage);
    void onStarted(SANE_Status st);
    void onRead(SANE_Status st, std::shared_ptr<ScannedPage> page);
    void stopReading();
    void backToEnabled();
    void report(const char* text, const std::string& detail = {});
    void notify(TW_UINT16 msg);

    SaneDevice m_device;
    std::unique_ptr<SourceDialog> m_dialog;
    bool m_showUI = true;
    std::deque<TW_UINT16> m_notices;
    std::thread m_worker;
    Phase m_phase = Phase::Idle;
    bool m_nextPage = false;
    SANE_Status m_startStatus = SANE_STATUS_GOOD;
    SANE_Status m_readStatus = SANE_STATUS_GOOD;
    std::shared_ptr<ScannedPage> m_page;
    bool m_lastGood = false;
};

TW_UINT16 Source::enable(const TW_USERINTERFACE& ui)
{
    m_showUI = ui.ShowUI != 0;
    if (m_showUI) {
        if (!haveWidgets()) {
            condition = TWCC_OPERATIONERROR;
            return TWRC_FAILURE;
        }
        // Not a child of hParent: the session disables that window while the source is up,
        // and a disabled parent would disable the dialog with it.
        m_dialog = std::make_unique<SourceDialog>(nullptr, m_device,
                                                  SourceDialog::Hooks{[this] { startScan(false); },
                                                                      [this] { m_device.cancel(); },
                                                                      [this] { notify(MSG_CLOSEDSREQ); }});
        m_dialog->show();
    }
    state = 5;
    if (!m_showUI)
        startScan(false);
    return TWRC_SUCCESS;
}

void Source::disable()
{
    stopReading();
    m_dialog.reset();
    m_notices.clear();
    state = 4;
}

// A notice waits for the session's next event; the empty call makes sure one comes.
void Source::notify(TW_UINT16 msg)
{
    m_notices.push_back(msg);
    QMetaObject::invokeMethod(this, [] {}, Qt::QueuedConnection);
}

// text is a marked text of the program; %1 in it stands for detail. The dialog shows it in
// the user's language, stderr in English.
void Source::report(const char* text, const std::string& detail)
{
    if (m_dialog) {
        const QString shown = QCoreApplication::translate("Paginor", text);
        m_dialog->setMessage(detail.empty() ? shown : shown.arg(QString::fromStdString(detail)));
        return;
    }
    std::string english = text;
    if (const std::size_t at = english.find("%1"); at != std::string::npos)
        english.replace(at, 2, detail);
    std::fprintf(stderr, "%s: %s\n", m_device.name().c_str(), english.c_str());
}

// The worker starts the device and reads one page; what it finds comes back to the
// interface thread as queued calls, so the dialog and the notices stay on one thread.
void Source::startScan(bool nextPage)
{
    stopReading();
    m_nextPage = nextPage;
    m_phase = Phase::Starting;
    m_page.reset();
    if (m_dialog)
        m_dialog->setBusy(true);
    m_worker = std::thread([this] {
        const SANE_Status st = m_device.start();
        QMetaObject::invokeMethod(this, [this, st] { onStarted(st); }, Qt::QueuedConnection);
        if (st != SANE_STATUS_GOOD)
            return;
        auto page = std::make_shared<ScannedPage>();
        const SANE_Status rs = m_device.readPage(*page, [this](int percent) {
            QMetaObject::invokeMethod(this, [this, percent] {
                if (m_dialog)
                    m_dialog->setProgress(percent);
            }, Qt::QueuedConnection);
        });
        QMetaObject::invokeMethod(this, [this, rs, page] { onRead(rs, page); }, Qt::QueuedConnection);
    });
}

void Source::onStarted(SANE_Status st)
{
    m_startStatus = st;
    if (st == SANE_STATUS_GOOD) {
        m_phase = Phase::Reading;
        if (!m_nextPage)
            notify(MSG_XFERREADY);
        return;
    }
    m_phase = Phase::Done;
    m_readStatus = st;
    if (m_worker.joinable())
        m_worker.join();
    m_device.cancel();
    if (!m_nextPage) {
        report(kScanningFailed, sane_strstatus(st));
        backToEnabled();
    }
}

void Source::onRead(SANE_Status st, std::shared_ptr<ScannedPage> page)
{
    if (m_worker.joinable())
        m_worker.join();
    m_readStatus = st;
    m_page = std::move(page);
    m_phase = Phase::Done;
    if (m_dialog)
        m_dialog->setProgress(100);
}

void Source::stopReading()
{
    if (m_worker.joinable()) {
        m_device.cancel();
        m_worker.join();
    }
    m_phase = Phase::Idle;
}

// The run is over; the dialog takes new orders, and a run without one asks to be closed.
void Source::backToEnabled()
{
    state = 5;
    m_phase = Phase::Idle;
    if (m_dialog)
        m_dialog->setBusy(false);
    else
        notify(MSG_CLOSEDSREQ);
}

TW_UINT16 Source::processEvent(TW_EVENT& event)
{
    event.TWMessage = MSG_NULL;
    if (m_notices.empty())
        return TWRC_NOTDSEVENT;
    event.TWMessage = m_notices.front();
    m_notices.pop_front();
    if (event.TWMessage == MSG_XFERREADY)
        state = 6;
    return TWRC_DSEVENT;
}

TW_UINT16 Source::nativeTransfer(TW_HANDLE* handle)
{
    if (state != 6 || !handle) {
        condition = TWCC_SEQERROR;
        return TWRC_FAILURE;
    }
    pumpUntil([this] { return m_phase == Phase::Done || m_phase == Phase::Idle; });
    if (m_phase == Phase::Done && m_readStatus == SANE_STATUS_CANCELLED) {
        m_lastGood = false;
        state = 7;
        m_phase = Phase::Idle;
        report(QT_TRANSLATE_NOOP("Paginor", "Scan cancelled"));
        return TWRC_CANCEL;
    }
    if (m_phase != Phase::Done || m_readStatus != SANE_STATUS_GOOD || !m_page) {
        if (m_phase == Phase::Done)
            report(kScanningFailed, sane_strstatus(m_readStatus));
        m_phase = Phase::Idle;
        condition = TWCC_OPERATIONERROR;
        return TWRC_FAILURE;
    }
    void* dib = packedDib(*m_page);
    m_page.reset();
    m_phase = Phase::Idle;
    if (!dib) {
        condition = TWCC_LOWMEMORY;
        return TWRC_FAILURE;
    }
    *handle = dib;
    m_lastGood = true;
    state = 7;
    return TWRC_XFERDONE;
}

// A feeder goes on to its next page; SANE_STATUS_NO_DOCS (or any failure) ends the run.
TW_UINT16 Source::endTransfer(TW_PENDINGXFERS& pending)
{
    if (state != 7 && state != 6) {
        condition = TWCC_SEQERROR;
        return TWRC_FAILURE;
    }
    pending.Count = 0;
    if (state == 7 && m_lastGood && m_device.feeder()) {
        startScan(true);
        pumpUntil([this] { return m_phase != Phase::Starting; });
        if (m_startStatus == SANE_STATUS_GOOD) {
            pending.Count = 1;
            state = 6;
            return TWRC_SUCCESS;
        }
        if (m_startStatus != SANE_STATUS_NO_DOCS)
            report(kScanningFailed, sane_strstatus(m_startStatus));
    }
    m_device.cancel();
    backToEnabled();
    return TWRC_SUCCESS;
}

TW_UINT16 Source::reset(TW_PENDINGXFERS& pending)
{
    if (state != 6 && state != 7) {
        condition = TWCC_SEQERROR;
        return TWRC_FAILURE;
    }
    stopReading();
    m_device.cancel();
    pending.Count = 0;
    backToEnabled();
    return TWRC_SUCCESS;
}

// The source manager's own state: 2 loaded, 3 open.
struct Manager {
    int state = 2;
    TW_UINT16 condition = TWCC_SUCCESS;
    std::string nextDevice;
    QWidget* parent = nullptr; // the window given with MSG_OPENDSM; none for a run without windows
    std::unique_ptr<Source> source;
    TW_IDENTITY sourceId{};
};

Manager& manager()
{
    static Manager m;
    return m;
}

TW_UINT16 fail(TW_UINT16& condition, TW_UINT16 code)
{
    condition = code;
    return TWRC_FAILURE;
}

std::string defaultDevice(const std::vector<DeviceInfo>& devices)
{
    const std::string stored = sourceSettings().value("DefaultSource").toString().toStdString();
    for (const DeviceInfo& d : devices)
        if (d.name == stored)
            return stored;
    return devices.empty() ? std::string() : devices.front().name;
}

// The window the "Looking for scanners…" box goes over; none when the manager was opened
// without a window (a run without the source's dialog waits without the box).
QWidget* boxParent(const Manager& m)
{
    return haveWidgets() ? m.parent : nullptr;
}

// The chooser's "Look again": a new search; nothing when the user cancels it.
std::optional<std::vector<DeviceInfo>> searchAgain(QWidget* chooser)
{
    std::vector<DeviceInfo> devices;
    if (DeviceSearch::instance().devices(chooser, true, true, devices) == DeviceSearch::Outcome::Cancelled)
        return std::nullopt;
    return devices;
}

// A search that failed before is tried again here, at the start of each selection; the
// acquisition after it takes whatever this one found.
TW_UINT16 userSelect(Manager& m, TW_IDENTITY* id)
{
    if (m.state != 3 || !id)
        return fail(m.condition, TWCC_SEQERROR);
    if (!haveWidgets() || !m.parent)
        return fail(m.condition, TWCC_OPERATIONERROR);
    std::vector<DeviceInfo> devices;
    switch (DeviceSearch::instance().devices(m.parent, false, true, devices)) {
    case DeviceSearch::Outcome::Cancelled:
        return TWRC_CANCEL;
    case DeviceSearch::Outcome::Failed:
        return fail(m.condition, TWCC_OPERATIONERROR);
    case DeviceSearch::Outcome::Found:
        break;
    }
    // An empty list is shown too: the user may plug a scanner in and look again.
    const std::string chosen = chooseDevice(m.parent, devices, defaultDevice(devices), &searchAgain);
    if (chosen.empty())
        return TWRC_CANCEL;
    sourceSettings().setValue("DefaultSource", QString::fromStdString(chosen));
    std::memset(id, 0, sizeof *id);
    copyName(id->ProductName, chosen);
    return TWRC_SUCCESS;
}

TW_UINT16 openSource(Manager& m, TW_IDENTITY* id)
{
    if (m.state != 3 || !id)
        return fail(m.condition, TWCC_SEQERROR);
    if (m.source)
        return fail(m.condition, TWCC_BADPROTOCOL); // one source at a time
    std::string name = m.nextDevice;
    m.nextDevice.clear();
    if (name.empty())
        name = id->ProductName[0] ? std::string(id->ProductName) : std::string();
    if (name.empty()) {
        std::vector<DeviceInfo> devices;
        if (DeviceSearch::instance().devices(boxParent(m), false, false, devices) == DeviceSearch::Outcome::Found)
            name = defaultDevice(devices);
    }
    if (name.empty() || !DeviceSearch::instance().initialise())
        return fail(m.condition, TWCC_NODS);
    try {
        m.source = std::make_unique<Source>(name);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return fail(m.condition, TWCC_NODS);
    }
    std::memset(id, 0, sizeof *id);
    id->Id = 1;
    id->ProtocolMajor = 1;
    id->ProtocolMinor = 6;
    id->SupportedGroups = DG_CONTROL | DG_IMAGE;
    copyName(id->Manufacturer, "SANE");
    copyName(id->ProductName, name);
    m.sourceId = *id;
    return TWRC_SUCCESS;
}

TW_UINT16 toManager(Manager& m, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
{
    if (dg != DG_CONTROL)
        return fail(m.condition, TWCC_BADPROTOCOL);
    m.condition = TWCC_SUCCESS;
    switch (dat) {
    case DAT_PARENT:
        if (msg == MSG_OPENDSM) {
            if (m.state != 2)
                return fail(m.condition, TWCC_SEQERROR);
            m.parent = data ? *static_cast<QWidget**>(data) : nullptr;
            m.state = 3;
            return TWRC_SUCCESS;
        }
        if (msg == MSG_CLOSEDSM) {
            if (m.state != 3 || m.source)
                return fail(m.condition, TWCC_SEQERROR);
            m.parent = nullptr;
            m.state = 2;
            return TWRC_SUCCESS;
        }
        break;
    case DAT_IDENTITY: {
        auto* id = static_cast<TW_IDENTITY*>(data);
        if (msg == MSG_USERSELECT)
            return userSelect(m, id);
        if (msg == MSG_OPENDS)
            return openSource(m, id);
        if (msg == MSG_CLOSEDS) {
            if (!m.source || m.source->state != 4)
                return fail(m.condition, TWCC_SEQERROR);
            m.source.reset();
            return TWRC_SUCCESS;
        }
        break;
    }
    case DAT_SANEDEVICE:
        if (msg == MSG_SET && data && m.state == 3) {
            m.nextDevice = static_cast<const char*>(data);
            return TWRC_SUCCESS;
        }
        return fail(m.condition, TWCC_SEQERROR);
    case DAT_STATUS:
        if (msg == MSG_GET && data) {
            auto* status = static_cast<TW_STATUS*>(data);
            status->ConditionCode = m.condition;
            status->Reserved = 0;
            m.condition = TWCC_SUCCESS;
            return TWRC_SUCCESS;
        }
        break;
    default:
        break;
    }
    return fail(m.condition, TWCC_BADPROTOCOL);
}

TW_UINT16 toSource(Source& s, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
{
    if (dg == DG_IMAGE && dat == DAT_IMAGENATIVEXFER && msg == MSG_GET)
        return s.nativeTransfer(static_cast<TW_HANDLE*>(data));
    if (dg != DG_CONTROL || (!data && dat != DAT_USERINTERFACE))
        return fail(s.condition, TWCC_BADPROTOCOL);
    switch (dat) {
    case DAT_EVENT:
        if (msg == MSG_PROCESSEVENT && s.state >= 5)
            return s.processEvent(*static_cast<TW_EVENT*>(data));
        break;
    case DAT_USERINTERFACE:
        if (msg == MSG_ENABLEDS && s.state == 4 && data)
            return s.enable(*static_cast<TW_USERINTERFACE*>(data));
        if (msg == MSG_DISABLEDS && s.state == 5) {
            s.disable();
            return TWRC_SUCCESS;
        }
        break;
    case DAT_PENDINGXFERS:
        if (msg == MSG_ENDXFER)
            return s.endTransfer(*static_cast<TW_PENDINGXFERS*>(data));
        if (msg == MSG_RESET)
            return s.reset(*static_cast<TW_PENDINGXFERS*>(data));
        break;
    case DAT_SANEOPTION:
        if (msg == MSG_SET && s.state == 4) {
            auto* rec = static_cast<SaneOptionRecord*>(data);
            try {
                s.device().setOption(rec->Name ? rec->Name : "", rec->Value ? rec->Value : "");
                return TWRC_SUCCESS;
            } catch (const std::exception& e) {
                std::snprintf(rec->Error, sizeof rec->Error, "%s", e.what());
                return fail(s.condition, TWCC_BADVALUE);
            }
        }
        break;
    case DAT_STATUS:
        if (msg == MSG_GET) {
            static_cast<TW_STATUS*>(data)->ConditionCode = s.condition;
            s.condition = TWCC_SUCCESS;
            return TWRC_SUCCESS;
        }
        break;
    default:
        break;
    }
    return fail(s.condition, TWCC_SEQERROR);
}

} // namespace
} // namespace twain::dsm

extern "C" __attribute__((visibility("default"))) twain::TW_UINT16
DSM_Entry(twain::TW_IDENTITY* origin, twain::TW_IDENTITY* dest, twain::TW_UINT32 dg, twain::TW_UINT16 dat,
          twain::TW_UINT16 msg, twain::TW_MEMREF data)
{
    using namespace twain;
    dsm::Manager& m = dsm::manager();
    if (!origin)
        return dsm::fail(m.condition, TWCC_BADPROTOCOL);
    try {
        if (!dest)
            return dsm::toManager(m, dg, dat, msg, data);
        if (!m.source || dest->Id != m.sourceId.Id)
            return dsm::fail(m.condition, TWCC_BADDEST);
        // Closing goes to the manager, which owns the source.
        if (dg == DG_CONTROL && dat == DAT_IDENTITY && msg == MSG_CLOSEDS)
            return dsm::toManager(m, dg, dat, msg, data);
        return dsm::toSource(*m.source, dg, dat, msg, data);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return dsm::fail(m.condition, TWCC_BUMMER);
    }
}
