// Loading image files into frames: the queue of files waiting to be loaded and the load
// step that takes as many of them as there are selected frames. Plain C++ on the page
// model: messages go through core::messages(), status and progress through the page's
// StatusDisplay, and everything that belongs to a window (repainting, keeping it alive
// while files decode) comes in through LoadHooks. The window layer (load_ui.h) adds the
// open dialog, the load warning and drops on top.
//
// Headless use (`paginor render FILE...`, batch printing):
//
//     page::FileQueue queue;
//     queue.FileList = files;                  // loaded in the order given
//     do {
//         page::nextBatch(page, queue);       // NumberOfFrames files, in frame order
//         ... print or render the page ...
//     } while (queue.BatchInProgress);
#pragma once

#include "core/translatable.h"

#include "page/core/on_load.h"
#include "page/core/page.h"
#include "exif/core/exif.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace page {

// Fixed message and status texts, shared by the code and its tests.
inline constexpr std::string_view kNoFramesSelected =
    QT_TRANSLATE_NOOP("Paginor", "Sorry : Can't load images because :\nNo frames are selected - Select some frames and try again.");
inline constexpr std::string_view kNotValidImageFile = QT_TRANSLATE_NOOP("Paginor", "Not a valid image file");
inline constexpr std::string_view kLoadingImages = QT_TRANSLATE_NOOP("Paginor", "Loading Images");
inline constexpr std::string_view kSearchingFolders = QT_TRANSLATE_NOOP("Paginor", "Searching folders ....");
inline constexpr std::string_view kFinishedSearching = QT_TRANSLATE_NOOP("Paginor", "Finished Searching folders ....");
inline constexpr std::string_view kClearFileListQuestion =
    QT_TRANSLATE_NOOP("Paginor", "The file list isn't empty. \nDo you want to clear the current file list ? \nYES clears the list - No appends to the current list");
inline constexpr std::string_view kClearImageListQuestion =
    QT_TRANSLATE_NOOP("Paginor", "The image list isn't empty. \nDo you want to clear the current image list ? \nYES clears the list - No appends to the current list");
using exif::kSideFileExtension;

// The text shown when a frame that copies still show is to be emptied.
core::Message clonedFrameMessage(int frame);

// The files waiting to be loaded. A load step takes them from NextFileIndex on;
// BatchInProgress is set by every load step and cleared when a step used the list up
// (the list is then emptied).
struct FileQueue {
    std::vector<std::string> FileList;
    std::size_t NextFileIndex = 0;
    bool BatchInProgress = false;

    std::size_t remaining() const { return NextFileIndex < FileList.size() ? FileList.size() - NextFileIndex : 0; }
};

// Decodes a JPEG picture at full size for a later step and keeps what that step needs.
// Decoding reads every byte and throws for damaged data, so it stands in for the check
// the screen rendition's decode makes; when it throws, the file is decoded again the
// usual way, so whether a file is refused and with which message stays the load step's.
// Called from several threads at once.
using FullDecode = std::function<void(const imaging::Picture&)>;

struct LoadHooks {
    // Called often while the step waits for a file to decode. The window's own load
    // commands leave it empty and split the step instead (load_step.h); batch printing,
    // which runs inside the print command, passes that command's.
    std::function<void()> keepAlive;
    // Frame n was emptied to take a file: paint its empty look.
    std::function<void(int frame)> frameEmptied;
    // Every frame repainted (the window's updateVisual); called once, after loading.
    std::function<void()> repaintAll;
    // The smallest screen rendition a JPEG picture gets, in pixels (the frame's size on
    // the screen); 0 x 0 gives the smallest DCT scale. Headless runs leave it at 0.
    int screenWidth = 0;
    int screenHeight = 0;
    // Files decoded at once on other threads; 0: one per processor core.
    int threads = 0;
    // Headless rendering, which needs each JPEG picture at full size anyway: called on the
    // decoding thread with the picture in place of the screen rendition's decode (see
    // FullDecode).
    FullDecode fullDecode;
    // A file that can't be decoded, told here instead of in an error message (unattended
    // batches log it and go on); the next file still takes its frame.
    std::function<void(const std::string& path, const core::Message& error)> fileFailed;
};

struct LoadStepResult {
    int selectedFrames = 0; // frames that were selected when the step began (c)
    int filesLoaded = 0;
    int filesFailed = 0;    // each reported with its message, then passed over
};

// A decoded file, ready to go into a frame, with the on-load steps done to it.
struct LoadedPicture {
    std::shared_ptr<imaging::Picture> picture;
    ScreenRendition screen; // only for a JPEG picture
    std::vector<PictureStep> steps; // the on-load steps done (or recorded), for the status line
    float aspectRatio = 0.0f;       // the frame's AspectRatio after them
};

// Decodes one image file and does the on-load steps the options ask for. A JPEG file
// keeps its compressed data and only a screen rendition of at least screenWidth x
// screenHeight is decoded (every byte is still read, so a damaged file is refused here);
// its steps are recorded on the picture and done on the rendition. Other formats are
// decoded whole and their steps done at once. Given fullDecode, a JPEG picture without
// steps goes to it instead and gets no screen rendition unless it fails there.
// Throws imaging::ImagingError with the codecs' message. Safe to call from any thread.
LoadedPicture loadImageFile(const std::string& path, int screenWidth = 0, int screenHeight = 0,
                            const FullDecode& fullDecode = {}, const OnLoadOptions& options = {});

// The JPEG branch of loadImageFile for data already in memory (a layout file's member):
// data must start with the JPEG start marker; path names the picture in messages.
LoadedPicture loadJpegData(std::vector<std::uint8_t> data, const std::string& path, int screenWidth = 0,
                           int screenHeight = 0, const FullDecode& fullDecode = {}, const OnLoadOptions& options = {});

// The side file of an image (kept with the details text it holds, in exif/).
using exif::sideFileName;
using exif::readSideFile;

// Details text and EXIF items of frame n for the file it now shows: the side file's first
// line when there is one, else the file name and Inc_Text, or the camera details when
// Get_Camera_Details is on.
void setFrameDetails(Page& page, int frame, const std::string& path);

// Empties frame n before a load, unless copies still show its picture: then the user is
// told (clonedFrameMessage) and false is returned with nothing changed.
bool emptyFrameForLoad(Page& page, int frame);

// The selection check before a load: with no frame selected, either every frame is
// selected (when none is loaded) or the user is told kNoFramesSelected and false is
// returned.
bool checkSelectionForLoad(Page& page);

// One load step (loadFiles): the selected frames, in frame order, get the files of the
// queue from NextFileIndex on; frames beyond the files left are deselected and keep what
// they show. A file that cannot be decoded is reported and passed over, and the next file
// goes into the same frame. Each picture gets the on-load steps the page's settings ask
// for (on_load.h), and the curve on load follows on the frames loaded. Afterwards every
// frame is repainted and deselected; a used-up list is emptied, otherwise NextFileIndex
// moves past the files taken.
LoadStepResult loadFiles(Page& page, FileQueue& queue, const LoadHooks& hooks = {});

// The next step from the list (load from list, batch printing, headless pages): with no
// frame selected every frame is emptied and all are selected first.
LoadStepResult nextBatch(Page& page, FileQueue& queue, const LoadHooks& hooks = {});

} // namespace page
