#include "twain/core/twain.h"
#include "twain/core/source_manager.h"

#include "core/messages.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace twain {
namespace {

// The codes of the first error of an acquisition.
enum ErrorCode {
    kNoError = 0,
    kErrorLoad = 1,
    kErrorOpenManager = 2,
    kErrorOpenSource = 4,
    kErrorEnable = 5,
    kErrorOptions = 6,
};

void copyText(TW_STR32& to, std::string_view text)
{
    std::memset(to, 0, sizeof to);
    std::memcpy(to, text.data(), std::min(text.size(), sizeof to - 1));
}

TW_IDENTITY applicationIdentity()
{
    TW_IDENTITY id{};
    id.Id = 0;
    id.Version.MajorNum = 1;
    id.Version.MinorNum = 0;
    id.Version.Language = TWLG_USA;
    id.Version.Country = TWCY_USA;
    copyText(id.Version.Info, "<?>");
    id.ProtocolMajor = 1;
    id.ProtocolMinor = 6;
    id.SupportedGroups = DG_CONTROL | DG_IMAGE;
    copyText(id.Manufacturer, "<?>");
    copyText(id.ProductFamily, "<?>");
    copyText(id.ProductName, "<?>");
    return id;
}

} // namespace

MultiTWAIN::MultiTWAIN(Platform& platform, SourceManagerLoader& loader, core::Messages& messages)
    : m_platform(platform), m_loader(loader), m_messages(messages), m_app(applicationIdentity())
{
    m_trail.push_back(m_state);
}

MultiTWAIN::~MultiTWAIN()
{
    clearImages();
}

void MultiTWAIN::setState(int s)
{
    m_state = s;
    m_trail.push_back(s);
}

void MultiTWAIN::assertion(bool ok)
{
    if (!ok)
        m_messages.show(core::MessageKind::Information, kAssertionFailed);
}

TW_UINT16 MultiTWAIN::callManager(TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
{
    m_rc = m_entry ? m_entry(&m_app, nullptr, DG_CONTROL, dat, msg, data) : TWRC_FAILURE;
    return m_rc;
}

TW_UINT16 MultiTWAIN::callSource(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
{
    assertion(m_state >= 4);
    m_rc = m_entry ? m_entry(&m_app, &m_source, dg, dat, msg, data) : TWRC_FAILURE;
    return m_rc;
}

void MultiTWAIN::recordError(int code)
{
    if (m_error != kNoError)
        return;
    m_error = code;
    m_errorRc = m_rc;
    if (code >= 2 && code <= 5 && m_entry) {
        TW_STATUS status{};
        const bool toSource = m_state >= 4;
        m_entry(&m_app, toSource ? &m_source : nullptr, DG_CONTROL, DAT_STATUS, MSG_GET, &status);
        m_errorCondition = status.ConditionCode;
    }
}

void MultiTWAIN::reportLastError(std::string_view callerText)
{
    core::Message text(kReportLastError);
    if (!callerText.empty())
        text = {"%1\n%2", text, core::Message(callerText)};
    if (!m_errorText.empty())
        text = {"%1\n%2", text, m_errorText};
    m_messages.warning(text);
}

bool MultiTWAIN::loadSourceManager()
{
    if (m_state < 2) {
        m_entry = m_loader.load();
        if (m_entry)
            setState(2);
    }
    return m_state >= 2;
}

bool MultiTWAIN::openSourceManager()
{
    if (m_state == 2 && callManager(DAT_PARENT, MSG_OPENDSM, &m_parent) == TWRC_SUCCESS)
        setState(3);
    return m_state >= 3;
}

void MultiTWAIN::closeSourceManager()
{
    if (m_state == 3 && callManager(DAT_PARENT, MSG_CLOSEDSM, &m_parent) == TWRC_SUCCESS)
        setState(2);
    // A manager that refuses to close is unloaded all the same: the next call starts afresh.
    if (m_state == 3)
        setState(2);
}

void MultiTWAIN::unloadSourceManager()
{
    if (m_state == 2) {
        m_loader.unload();
        m_entry = nullptr;
        setState(1);
    }
}

bool MultiTWAIN::openDefaultSource(const AcquireOptions& options)
{
    std::memset(&m_source, 0, sizeof m_source);
    if (!options.device.empty() &&
        callManager(DAT_SANEDEVICE, MSG_SET, const_cast<char*>(options.device.c_str())) != TWRC_SUCCESS) {
        recordError(kErrorOpenSource);
        m_errorText = {QT_TRANSLATE_NOOP("Paginor", "The source manager cannot open the device %1"), options.device};
        return false;
    }
    if (m_state != 3 || callManager(DAT_IDENTITY, MSG_OPENDS, &m_source) != TWRC_SUCCESS) {
        recordError(kErrorOpenSource);
        return false;
    }
    setState(4);
    for (const auto& [name, value] : options.saneOptions) {
        SaneOptionRecord rec{name.c_str(), value.c_str(), {}};
        if (callSource(DG_CONTROL, DAT_SANEOPTION, MSG_SET, &rec) != TWRC_SUCCESS) {
            recordError(kErrorOptions);
            rec.Error[sizeof rec.Error - 1] = '\0';
            // The source's own words come as text only: the protocol carries no form.
            m_errorText = rec.Error[0] ? core::Message::plain(rec.Error)
                                       : core::Message(QT_TRANSLATE_NOOP("Paginor", "The source refused the option %1"), name);
            return false;
        }
    }
    return true;
}

bool MultiTWAIN::enableSource(bool showUI)
{
    m_ui = {};
    m_ui.ShowUI = showUI ? 1 : 0;
    m_ui.ModalUI = 0;
    m_ui.hParent = m_parent;
    if (callSource(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &m_ui) == TWRC_FAILURE) {
        recordError(kErrorEnable);
        return false;
    }
    setState(5);
    return true;
}

void MultiTWAIN::disableSource()
{
    if (m_state == 5 && callSource(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &m_ui) == TWRC_SUCCESS)
        setState(4);
}

void MultiTWAIN::closeSource()
{
    if (m_state == 4 && callSource(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &m_source) == TWRC_SUCCESS)
        setState(3);
}

// Back to state 1 from wherever the acquisition stopped. A run that ended in the middle of
// the transfers (the program quitting under the loop) ends them first, so the source can
// be disabled; a source that refuses a step is left behind rather than called again.
void MultiTWAIN::teardown()
{
    if (m_state >= 6)
        endTransfers();
    disableSource();
    if (m_state == 5)
        setState(4);
    closeSource();
    if (m_state == 4)
        setState(3);
    closeSourceManager();
    unloadSourceManager();
}

bool MultiTWAIN::selectImageSource(Window window)
{
    Window proxy = nullptr;
    if (!m_platform.isWindow(window)) {
        if (window != nullptr) {
            m_messages.warning(kSelectBadWindow);
            return false;
        }
        proxy = m_platform.createProxyWindow();
        if (!proxy) {
            m_messages.warning(kSelectNoProxy);
            return false;
        }
        window = proxy;
    }
    m_parent = window;
    bool ok = false;
    m_selectCancelled = false;
    if (!loadSourceManager()) {
        m_messages.warning({QT_TRANSLATE_NOOP("Paginor", "Unable to load Source Manager (%1)"), m_loader.libraryName()});
    } else if (!openSourceManager()) {
        m_messages.warning({QT_TRANSLATE_NOOP("Paginor", "Unable to open Source Manager (%1)"), m_loader.libraryName()});
    } else {
        TW_IDENTITY chosen{};
        ok = callManager(DAT_IDENTITY, MSG_USERSELECT, &chosen) == TWRC_SUCCESS;
        m_selectCancelled = m_rc == TWRC_CANCEL;
    }
    closeSourceManager();
    unloadSourceManager();
    if (proxy)
        m_platform.destroyProxyWindow(proxy);
    m_parent = nullptr;
    return ok;
}

ImageHandle MultiTWAIN::acquireImages(Window window, unsigned pixelTypes, const AcquireOptions& options)
{
    m_current = nullptr;
    m_error = kNoError;
    m_errorRc = m_errorCondition = 0;
    m_errorText = core::Message("");
    clearImages();

    // A run without the source's dialog needs no window: the source manager, opened
    // without one, shows none either.
    Window proxy = nullptr;
    if (options.showUI && !m_platform.isWindow(window)) {
        proxy = m_platform.createProxyWindow();
        window = proxy;
    }
    m_parent = options.showUI ? window : nullptr;
    if (options.showUI && !window) {
        m_messages.warning(kNoProxy);
    } else if (!loadSourceManager()) {
        recordError(kErrorLoad);
        m_messages.warning({QT_TRANSLATE_NOOP("Paginor", "Unable to load Source Manager (%1)"), m_loader.libraryName()});
    } else if (!openSourceManager()) {
        recordError(kErrorOpenManager);
        m_messages.warning({QT_TRANSLATE_NOOP("Paginor", "Unable to open Source Manager (%1)"), m_loader.libraryName()});
    } else if (!openDefaultSource(options)) {
        reportLastError(m_error == kErrorOptions ? "" : kNoDefaultSource);
    } else if (pixelTypes != 0) {
        // No capability is negotiated: the program always asks for any pixel type.
        recordError(3);
        reportLastError(kPixelTypeFailed);
    } else if (!enableSource(options.showUI)) {
        reportLastError(kEnableFailed);
    } else {
        m_platform.enableWindow(window, false);
        messageLoop();
        m_platform.enableWindow(window, true);
    }
    teardown();
    if (proxy)
        m_platform.destroyProxyWindow(proxy);
    m_parent = nullptr;
    return m_current;
}

void MultiTWAIN::messageLoop()
{
    void* msg = nullptr;
    while (m_state >= 5 && !m_current && m_platform.getMessage(msg)) {
        TW_UINT16 rc = TWRC_NOTDSEVENT;
        if (m_state >= 5) {
            TW_EVENT event{msg, MSG_NULL};
            rc = callSource(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event);
            if (event.TWMessage == MSG_XFERREADY) {
                setState(6);
                transferLoop();
            } else if (event.TWMessage == MSG_CLOSEDSREQ) {
                disableSource();
            }
        }
        if (rc != TWRC_DSEVENT)
            m_platform.dispatchMessage(msg);
    }
}

void MultiTWAIN::transferLoop()
{
    assertion(m_state == 6);
    int failures = 0;
    while (m_state == 6) {
        if (m_images.size() >= static_cast<std::size_t>(kMaxImages)) {
            // The list is full: the source's remaining pages are not taken.
            endTransfers();
            break;
        }
        TW_HANDLE image = nullptr;
        const TW_UINT16 rc = callSource(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &image);
        if (rc == TWRC_XFERDONE && image) {
            m_current = image;
            m_images.push_back(image);
            setState(7);
        } else if (rc == TWRC_CANCEL) {
            m_current = nullptr;
            setState(7);
        } else {
            m_current = nullptr;
            if (++failures >= kMaxFailedTransfers)
                endTransfers();
            continue;
        }
        failures = 0;
        TW_PENDINGXFERS pending{};
        if (callSource(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending) == TWRC_SUCCESS)
            setState(pending.Count != 0 ? 6 : 5);
        else
            endTransfers();
    }
}

// Ends the transfer in hand, if any, and resets the pending ones: state 5.
void MultiTWAIN::endTransfers()
{
    TW_PENDINGXFERS pending{};
    if (m_state == 7)
        callSource(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending);
    callSource(DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending);
    setState(5);
}

ImageHandle MultiTWAIN::acquiredImage(int index) const
{
    if (index < 0 || index >= acquiredImageCount())
        return nullptr;
    return m_images[static_cast<std::size_t>(index)];
}

void MultiTWAIN::releaseAcquiredImage(ImageHandle image)
{
    if (!image)
        return;
    auto it = std::find(m_images.begin(), m_images.end(), image);
    if (it != m_images.end())
        *it = nullptr;
    if (m_current == image)
        m_current = nullptr;
    std::free(image);
}

void MultiTWAIN::clearImages()
{
    for (ImageHandle h : m_images)
        std::free(h);
    m_images.clear();
}

} // namespace twain
