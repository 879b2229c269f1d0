// The commands on frames as plain rules over the frame table: selection, the popup
// menu's enabling, emptying with the copy guard, Frame Copy / Frame Paste, what the
// clipboard, reload and export commands act on, and the picture commands on the
// selection (turn, flip, resample, grey). No Qt: the widgets in frame_commands_ui.h
// paint and ask, these functions decide.
#pragma once

#include "core/translatable.h"

#include "page/core/on_load.h"
#include "page/core/page.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace page {

// Fixed message and status texts, shared by the code and its tests. The pieces of a composed
// message are kept for the tests; the message itself is made from its form below.
inline constexpr std::string_view kCopyOneImageOnly =
    "You can only copy one image at a time to the clipboard\nOnly image #"; // + n + kWillBeCopied
inline constexpr std::string_view kWillBeCopied = " will be copied";
inline constexpr std::string_view kCantExportPasted =
    "Can't export pasted images.....\nHint - Try pasting the image into \n"; // + program
inline constexpr std::string_view kCantLoadHead = "Can't load : \n";          // + file
inline constexpr std::string_view kCantLoadWith = "\nwith ";                  // + program
// Names the desktop's choice of program when opening with it fails.
inline constexpr std::string_view kAssociatedProgram = QT_TRANSLATE_NOOP("Paginor", "the program the desktop associates with it");
inline constexpr std::string_view kModifiedFileHead = "Modified file : \n"; // + path
inline constexpr std::string_view kDoesNotExist = "\nDoes not exist ";
inline constexpr std::string_view kPastedImageName = "* Pasted image *";
inline constexpr std::string_view kPastedImageDetails = "* Clipboard Pasted image *";
inline constexpr std::string_view kCopyOfFrame = "* Copy of Frame "; // + c + "* " + source name
inline constexpr std::string_view kNoFileLoaded = ": No file loaded";

// The three ways RotateBitmap turns pictures, numbered as its callers number them.
enum class RotateMode {
    Rotate = 1,         // a quarter turn clockwise
    VerticalFlip = 2,   // top to bottom
    HorizontalFlip = 3, // left to right
};

// Texts built from the fixed pieces above. (The copy guard's text is loading.h's
// clonedFrameMessage: loading into a frame empties it with the same guard.)
core::Message copyOneImageMessage(int n);
core::Message cantExportPastedMessage(const core::Message& program);
core::Message cantLoadWithMessage(const std::string& fileName, const core::Message& program);
core::Message modifiedMissingMessage(const std::string& path);
// "Frame n: File <name>\n<details> AR= <ratio>" for a loaded frame, else "Frame n: No file loaded".
core::Message frameStatusText(const FrameRecord& f, int n);
// The ratio as the status line shows it: general format, 3 significant digits.
std::string ratioText(float ratio);

// The queries other commands use to find their frames (live frames 1..FrameCount only).
int selectedCount(const Page& page);
int loadedCount(const Page& page);
int selected_and_loaded(const Page& page); // selected, loaded and not a copy
int find_selected(const Page& page);       // the first such frame; 0 if none
int firstSelectedPicture(const Page& page); // the first selected loaded frame, copies included
// The frame whose own picture a command on one picture uses (Save Frame's Image, the
// EXIF details): the right-clicked frame when it is selected and loaded, else
// find_selected's frame, else the first selected copy; a copy stands for its source,
// whose picture it shows. 0 if none.
int pictureSource(const Page& page, int clicked);
// Another live frame shows frame n's own picture.
bool hasCopies(const Page& page, int n);

// What a selection change asks of the window.
struct SelectResult {
    std::vector<int> deselected;       // frames whose border turns white
    std::optional<bool> imageButtons;  // rotate, flips and fit on/off; nullopt: as they are
    std::optional<bool> aspectButton;  // tb_ar on/off; nullopt: as it is
    core::Message status{""};           // the status line ("" clears it)
};

// Which popup entries are enabled for the frame it opens on.
struct PopupEnabling {
    bool load = true;
    bool loadFromTwain = true;
    bool frameCopy = false;
    bool framePaste = false;
    bool remove = false;
    bool copy = false;
    bool paste = false;
    bool saveFramesImage = false;
    bool applyCurves = false;
    bool horizontalFlip = false;
    bool verticalFlip = false;
    bool rotate = false;
    bool editImage = false;
    bool exportImages = false;
    bool reload = false;
    bool grayscale = false;
    bool resample = false;
    bool extendedDetails = false;
    bool operator==(const PopupEnabling&) const = default;
};

// The three entries of the Reload submenu for one file.
struct ReloadNames {
    std::string name;       // the file name without folders
    std::string folder;     // everything before it, with its trailing separator
    std::string editedPath; // folder + "!" + name: where an external editor saves its result
    std::string originalCaption() const { return "Original (" + name + ")"; }
    std::string modifiedCaption() const { return "Modified (!" + name + ")"; }
};
ReloadNames reloadNames(const std::string& fileName);

// What "Export Images ... " does with the frame it acts on.
struct ExportPlan {
    enum class Kind {
        Nothing,    // no frame to export
        Associated, // open file with the desktop's associated program
        Program,    // start program with file as its one argument
        Refused,    // message says why
    };
    Kind kind = Kind::Nothing;
    std::string file;
    std::string program;
    core::Message message{""};
};

// The enabled states of the buttons printing freezes (tb_load, tb_load_next, tb_stop,
// tb_print, tb_print_next, Text_Button, Page_Button).
struct ButtonStates {
    bool tb_load = false;
    bool tb_load_next = false;
    bool tb_stop = false;
    bool tb_print = false;
    bool tb_print_next = false;
    bool Text_Button = false;
    bool Page_Button = false;
    bool operator==(const ButtonStates&) const = default;
};

// The commands' own state and the rules that change the frame table. The window
// paints what they report (frame numbers to repaint, texts to show).
class FrameCommands {
public:
    explicit FrameCommands(Page& page) : CopiedFrame(page.state().CopiedFrame), m_page(page) {}

    Page& page() { return m_page; }
    const Page& page() const { return m_page; }

    std::uint8_t PopupFrame = 0;  // the frame last right-clicked
    std::uint8_t& CopiedFrame;    // the frame recorded by Frame Copy (the page's); 0 = none

    SelectResult SelectImage(int n, bool exclusive);
    // Every live frame selected; the image buttons go on when any frame is loaded.
    SelectResult selectAllImages();

    PopupEnabling popupEnabling(int n, bool clipboardHasBitmap, bool curvesHaveEntries) const;

    // Empties frame n unless it owns a picture other frames show (then the user is told
    // and false returned). The caller paints the empty look.
    bool removeSelectedImages(int n);
    // Empties every selected loaded frame in frame order; returns the frames emptied.
    std::vector<int> removeSelected();

    void frameCopy() { CopiedFrame = PopupFrame; }
    // Makes every selected frame but the recorded one a copy of it; returns those frames.
    std::vector<int> framePaste();
    // Gives every selected frame its own picture from the clipboard; returns those frames.
    std::vector<int> pasteBitmap(const imaging::Bitmap& bmp);
    // The frame whose picture "Copy" puts on the clipboard (0 = none), and whether the
    // user must be told that only that one is copied.
    struct CopySource {
        int frame = 0;
        int owner = 0;
        bool severalSelected = false;
    };
    CopySource copySource() const;

    // "Export Images ... " on find_selected's frame.
    ExportPlan exportPlan() const;

private:
    Page& m_page;
};

// Frame n's own pixels (the frame must own a picture), and replacing them. The codecs'
// picture keeps a JPEG compressed until this first asks for its pixels.
const imaging::Bitmap& ownPixels(FrameRecord& f);
void setOwnPixels(FrameRecord& f, imaging::Bitmap bmp);

// The picture commands run on the interface thread; keepAlive (when given) is called before
// each frame's work so the window can show the status and progress just set.
using KeepAlive = std::function<void()>;

// RotateBitmap: turns or mirrors every selected, loaded frame that is not a copy, keeping
// aspect ratios (its copies' too) in step. blankFrame(k) paints frame k's empty look
// where a turned picture no longer covers what was drawn before. Status and progress go
// to page.status() and are hidden again also when a kernel throws (which passes on).
void RotateBitmap(Page& page, RotateMode mode, const std::function<void(int frame)>& blankFrame);
// The frames the picture commands change (selected, loaded, not a copy), in frame order.
std::vector<int> framesToChange(const Page& page);
// What the window takes of a frame to change its pixels beside its own loop.
struct PixelsTake {
    int frame = 0;
    std::shared_ptr<imaging::Picture> picture; // what the frame held when its pixels were taken
    imaging::Bitmap pixels;                    // a copy, changed in place
};
// Frame n's pixels; nothing when the frame has been emptied since the command began.
std::optional<PixelsTake> takeFramePixels(Page& page, int n);
// RotateBitmap in three steps, as Resample: takeFramePixels on the window's thread,
// turnTaken on any other, putTurned back on the window's thread (only while the frame
// still holds the picture that was turned).
void turnTaken(PixelsTake& take, RotateMode mode);
void putTurned(Page& page, PixelsTake&& take, RotateMode mode, const std::function<void(int frame)>& blankFrame);
// Resamples every selected, loaded frame that is not a copy to percent of its size with
// filter 0..6. Throws the kernel's error, leaving that frame and the rest unchanged.
void resampleSelected(Page& page, int percent, int filterIndex, const KeepAlive& keepAlive = {});
// resampleSelected for a window whose own loop turns while pixels are resampled: on the
// window's thread framesToResample, then for each frame takeForResample, resampleTaken on
// any other thread, and putResampled back on the window's thread.
struct ResampleTake {
    int frame = 0;
    std::shared_ptr<imaging::Picture> picture; // what the frame held when its pixels were taken
    imaging::Bitmap pixels;                    // a copy, resampled in place
    int width = 0;
    int height = 0;
};
// The frames resampleSelected works on, in frame order; throws for a bad filter before any
// frame changes.
std::vector<int> framesToResample(const Page& page, int filterIndex);
// Frame n's pixels to resample, its progress and status shown (position of selected
// frames); nothing when the frame has been emptied since the command began.
std::optional<ResampleTake> takeForResample(Page& page, int n, int percent, int selected);
void resampleTaken(ResampleTake& take, int filterIndex);
// The frame takes the result only while it still holds the picture that was resampled.
void putResampled(Page& page, ResampleTake&& take);

// Greys every selected, loaded frame that is not a copy. A failure is reported to the
// user and stops the command; frames already done stay grey. False after a failure.
bool greyscaleSelected(Page& page);
// greyscaleSelected in the same three steps as Resample, for a window whose own loop
// turns: framesToChange, then for each frame takeFramePixels, greyTaken on any other
// thread and putGreyed back on the window's thread. A step's exception is told to the
// user by reportGreyscaleFailure, which also ends the command.
void greyTaken(PixelsTake& take);
// The frame takes the result only while it still holds the picture that was greyed.
void putGreyed(Page& page, PixelsTake&& take);
void reportGreyscaleFailure(std::exception_ptr error);

} // namespace page
