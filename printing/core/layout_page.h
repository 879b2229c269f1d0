// A page in and out of a layout file (layout_file.h), and one frame's picture saved as an
// image file with its side file. Plain C++ on the page model: messages go through
// core::messages(), status and progress through the page's StatusDisplay, and what belongs
// to a window (rebuilding the frame controls, repainting) comes in through hooks.
#pragma once

#include "core/translatable.h"

#include "page/core/page.h"
#include "printing/layout/layout_file.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace printing {

inline constexpr std::string_view kSelectionError = QT_TRANSLATE_NOOP("Paginor", "Selection Error");
inline constexpr std::string_view kPropsFileError = QT_TRANSLATE_NOOP("Paginor", "Drive Error - Unable to save Props file");
inline constexpr std::string_view kSaveImageTitle = QT_TRANSLATE_NOOP("Paginor", "Save image file");
inline constexpr std::string_view kSavingImage = QT_TRANSLATE_NOOP("Paginor", "Saving Image");
inline constexpr std::string_view kSavingBitmapImage = QT_TRANSLATE_NOOP("Paginor", "Saving Bitmap Image");
inline constexpr std::string_view kFrameNamePreset = "Frame_"; // + frame number
inline constexpr std::string_view kTwainImageDetails = "* Twain image *";

// Writes the members into the archive at path (created when missing): with Update the
// old archive's members of other names are kept, with Replace nothing of it is. The
// archive is written through an unnamed temporary file that takes the name only when
// complete, so a failed or killed save leaves the old archive as it was and nothing beside
// it. Throws LayoutError.
void updateArchive(const std::string& path, const std::vector<ArchiveMember>& members,
                   ArchiveWrite mode = ArchiveWrite::Update, const ArchiveProgress& progress = {});

// savePageArchive: the page into the archive at path ("jpg" members when store_as_Jpg is on,
// else "bmp"). An unchanged JPEG picture goes in as the data it was loaded from; the
// others are encoded one at a time as the archive reaches them. Progress follows the
// archive as it is compressed, and keepAlive runs with it. Throws LayoutError, also for a
// picture that cannot be encoded; the archive is then as it was.
void savePageArchive(page::Page& page, const std::string& archivePath, const std::function<void()>& keepAlive = {},
               ArchiveWrite mode = ArchiveWrite::Update);

struct LayoutLoadHooks {
    // Rebuilds the page for count frames (1, 2, 4, 8 or 16), every frame empty. Empty: the
    // page model alone is changed.
    std::function<void(int count)> setFrameCount;
    // Frame n got its picture (or became a copy): repaint it.
    std::function<void(int frame)> framePainted;
    std::function<void()> keepAlive;
    // The smallest screen rendition of a JPEG picture, as for a load step.
    int screenWidth = 0;
    int screenHeight = 0;
};

struct LayoutLoadResult {
    bool opened = false; // the description was read and the page rebuilt from it
    int problems = 0;    // messages shown about single frames
    std::array<std::string, page::kMaxFrames + 1> members{}; // the member each loaded frame came from
};

// load_page after the user chose the archive: reads it into the page. Pictures are
// extracted into a private temporary folder that is removed again on every path; only
// members the description names, by bare name, are read. Each failure is told through
// core::messages(): a file that cannot be opened, is not a layout file or holds values
// the settings refuse leaves the page as it was, a frame line that cannot be used leaves
// its frame empty.
LayoutLoadResult loadLayout(page::Page& page, const std::string& archivePath, const LayoutLoadHooks& hooks = {});

// The picture of frame n as JPEG (at Quality unless it is an unchanged JPEG picture) or as
// a 24-bit BMP, written atomically; with Save_Props_File on, a JPEG save also writes the
// side file (exif::sideFileName) with the frame's details, unless they are empty or name
// a pasted or scanned picture. Throws imaging::ImagingError when the image cannot be
// written; a side file that cannot be written is told (kPropsFileError).
enum class FrameImageFormat { Jpeg, Bmp };
void saveFrameImage(page::Page& page, int frame, const std::string& path, FrameImageFormat format,
                    const imaging::ProgressFn& progress = {});

} // namespace printing
