// The scanner session (MultiTWAIN): loads a TWAIN source manager, walks the TWAIN states,
// pumps the message loop while the source's dialog is up and keeps the images transferred,
// then turns an image into a bitmap and puts the images into the selected frames. No Qt:
// the window system and the library loading sit behind the two small interfaces below.
#pragma once

#include "core/message.h"

#include "twain/core/twain_protocol.h"

#include "imaging/kernels/bitmap.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace core { class Messages; }
namespace page { class Page; }

namespace twain {

// Fixed message texts, shared by the code and its tests. The load and open messages end
// with the source manager's file name in brackets.
inline constexpr std::string_view kErrorTitle = QT_TRANSLATE_NOOP("Paginor", "TWAIN Error");
inline constexpr std::string_view kSelectBadWindow = QT_TRANSLATE_NOOP("Paginor", "TWAIN_SelectImageSource: window handle is invalid");
inline constexpr std::string_view kSelectNoProxy = QT_TRANSLATE_NOOP("Paginor", "TWAIN_SelectImageSource: Unable to create proxy window");
inline constexpr std::string_view kNoProxy = QT_TRANSLATE_NOOP("Paginor", "Unable to create proxy window");
inline constexpr std::string_view kUnableToLoad = "Unable to load Source Manager (";
inline constexpr std::string_view kUnableToOpen = "Unable to open Source Manager (";
inline constexpr std::string_view kReportLastError = QT_TRANSLATE_NOOP("Paginor", "TWAIN_ReportLastError: an error occurred");
inline constexpr std::string_view kAssertionFailed = QT_TRANSLATE_NOOP("Paginor", "Assertion failed");
inline constexpr std::string_view kNoDefaultSource = QT_TRANSLATE_NOOP("Paginor", "Unable to open default Data Source.");
inline constexpr std::string_view kPixelTypeFailed = QT_TRANSLATE_NOOP("Paginor", "Failed to negotiate Pixel Type.");
inline constexpr std::string_view kEnableFailed = QT_TRANSLATE_NOOP("Paginor", "Failed to enable Data Source.");
inline constexpr std::string_view kTwainImageName = "* Twain image *";
inline constexpr std::string_view kExtraImages =
    QT_TRANSLATE_NOOP("Paginor", "Not enough frames selected to hold all the images sent via TWAIN\nThe extra images will be ignored");

// Carries its message with its form, so the window can translate it.
class TwainError : public core::MessageError {
public:
    using core::MessageError::MessageError;
};

using Window = void*;      // the platform's window (a QWidget* in the program)
using ImageHandle = void*; // a packed device-independent bitmap in a malloc'd block

// The size of the list of one acquisition's images; further transfers are not kept.
inline constexpr int kMaxImages = 999;
// MSG_GET answered with an error this many times in a row ends the transfers.
inline constexpr int kMaxFailedTransfers = 3;

// The window system as the session needs it.
class Platform {
public:
    virtual ~Platform() = default;
    virtual bool isWindow(Window w) = 0;
    // An invisible parent for the source manager's dialogs; null when it cannot be made.
    virtual Window createProxyWindow() = 0;
    virtual void destroyProxyWindow(Window w) = 0;
    virtual void enableWindow(Window w, bool on) = 0;
    // Waits until the interface thread has something for the loop; false when the
    // program is quitting. msg is what MSG_PROCESSEVENT gets.
    virtual bool getMessage(void*& msg) = 0;
    // The message did not belong to the source.
    virtual void dispatchMessage(void* msg) = 0;
};

// Finds and loads a source manager's DSM_Entry.
class SourceManagerLoader {
public:
    virtual ~SourceManagerLoader() = default;
    virtual DSMENTRYPROC load() = 0; // null when missing or without DSM_Entry
    virtual void unload() = 0;
    virtual std::string libraryName() const = 0; // named in the load and open messages
};

// Loads the first of candidates that exists with dlopen and looks up DSM_Entry.
class LibraryLoader final : public SourceManagerLoader {
public:
    explicit LibraryLoader(std::vector<std::string> candidates);
    ~LibraryLoader() override;
    DSMENTRYPROC load() override;
    void unload() override;
    std::string libraryName() const override;

private:
    std::vector<std::string> m_candidates;
    void* m_handle = nullptr;
};

// The library file in each of dirs, in order; an explicit path (another source manager,
// such as an installed libtwaindsm) comes first when not empty.
std::vector<std::string> sourceManagerCandidates(const std::vector<std::string>& dirs,
                                                 const std::string& explicitPath = {});

// What a run without the source's dialog asks for (the headless scan).
struct AcquireOptions {
    bool showUI = true;
    std::string device; // the SANE device; empty: the default source
    std::vector<std::pair<std::string, std::string>> saneOptions;
};

class MultiTWAIN {
public:
    MultiTWAIN(Platform& platform, SourceManagerLoader& loader, core::Messages& messages);
    ~MultiTWAIN(); // frees the images not released
    MultiTWAIN(const MultiTWAIN&) = delete;
    MultiTWAIN& operator=(const MultiTWAIN&) = delete;

    bool selectImageSource(Window window);
    // The user cancelled the last selection (its chooser or the search before it).
    bool selectionCancelled() const { return m_selectCancelled; }
    // One acquisition; the last image transferred, or null.
    ImageHandle acquireImages(Window window, unsigned pixelTypes, const AcquireOptions& options = {});
    int acquiredImageCount() const { return static_cast<int>(m_images.size()); }
    ImageHandle acquiredImage(int index) const;
    // Frees an image; a null handle is ignored.
    void releaseAcquiredImage(ImageHandle image);
    void reportLastError(std::string_view callerText);

    int state() const { return m_state; }
    // Every state the session entered, in order, since it was made (for tests).
    const std::vector<int>& stateTrail() const { return m_trail; }
    // The first error of the last acquisition (0: none), with the codes at that moment.
    int lastError() const { return m_error; }
    TW_UINT16 lastConditionCode() const { return m_errorCondition; }

private:
    bool loadSourceManager();
    bool openSourceManager();
    void closeSourceManager();
    void unloadSourceManager();
    bool openDefaultSource(const AcquireOptions& options);
    bool enableSource(bool showUI);
    void disableSource();
    void closeSource();
    void teardown();
    void messageLoop();
    void transferLoop();
    void endTransfers();
    TW_UINT16 callManager(TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);
    TW_UINT16 callSource(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);
    void recordError(int code);
    void setState(int s);
    void assertion(bool ok);
    void clearImages();

    Platform& m_platform;
    SourceManagerLoader& m_loader;
    core::Messages& m_messages;
    DSMENTRYPROC m_entry = nullptr;
    int m_state = 1;
    std::vector<int> m_trail;
    TW_IDENTITY m_app{};
    TW_IDENTITY m_source{};
    TW_UINT16 m_rc = TWRC_SUCCESS;
    Window m_parent = nullptr;
    TW_USERINTERFACE m_ui{};
    int m_error = 0;
    TW_UINT16 m_errorRc = 0;
    TW_UINT16 m_errorCondition = 0;
    core::Message m_errorText{""};
    std::vector<ImageHandle> m_images;
    ImageHandle m_current = nullptr;
    bool m_selectCancelled = false;
};

// The width and height in an image's header (a core header's 16-bit ones included).
int acquiredImageWidth(ImageHandle image);
int acquiredImageHeight(ImageHandle image);

// A packed DIB (header, colour table, rows) of size bytes as a 24-bit bitmap. Throws
// TwainError for a block that is not a DIB this reads (only uncompressed 1, 4, 8, 16, 24
// and 32-bit ones) or is shorter than its header says.
imaging::Bitmap dibToBitmap(const std::uint8_t* data, std::size_t size);
// The same for an image handle of the session.
imaging::Bitmap DibToImage(ImageHandle image);

// Puts one image into the first selected frame: empties it, marks it as a picture without a
// file ("* Twain image *"), sets its aspect ratio, applies the curve on load when the
// settings ask, and deselects it. A frame that cannot be emptied (other frames show its
// picture) is deselected and the image goes to the next selected one, as a file does.
// False (after the extra-images message) when no frame is left: the caller stops.
// emptied(n) paints frame n's empty look.
struct PlaceHooks {
    std::function<void(int frame)> emptied;
    std::function<void(page::Page& page, int frame)> curveOnLoad;
};
bool AddTwainImage(page::Page& page, ImageHandle image, core::Messages& messages, const PlaceHooks& hooks = {});

// The whole "Load from TWAIN": select a source, acquire, place every image, release them.
// Cancelling the selection ends it there. The caller deselects all frames and repaints
// afterwards.
void loadFromTwain(MultiTWAIN& session, page::Page& page, core::Messages& messages, const PlaceHooks& hooks = {});

} // namespace twain
