// The printed page as plain numbers: the frame grid with its shrink loop, the page
// offset, each frame's image rectangle, the cut-mark lines and where each caption goes.
// The printer, the page bitmap (print to file, preview) and the headless commands all
// draw from this one computation, so they can never disagree about where a frame lies.
#pragma once

#include "core/message.h"

#include "page/core/geometry.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace printing {

// Fixed message texts of printing, shared by the code and its tests.
inline constexpr std::string_view kNothingToPrint = QT_TRANSLATE_NOOP("Paginor", "Nothing to print!");
inline constexpr std::string_view kFramesNotSupported1 = "Sorry.... ";   // + N
inline constexpr std::string_view kFramesNotSupported2 = " frames not yet supported by print option";
inline constexpr std::string_view kTryFour = QT_TRANSLATE_NOOP("Paginor", "Try 4!!");
inline constexpr std::string_view kPrinting = QT_TRANSLATE_NOOP("Paginor", "Printing ...");
inline constexpr std::string_view kPrintingShort = QT_TRANSLATE_NOOP("Paginor", "Printing");
inline constexpr std::string_view kWaitingForQueue = QT_TRANSLATE_NOOP("Paginor", "Waiting for empty Printer Queue..... ");
inline constexpr std::string_view kSavingJpeg = QT_TRANSLATE_NOOP("Paginor", "Saving Jpeg Image");
inline constexpr std::string_view kSavingBmp = QT_TRANSLATE_NOOP("Paginor", "Saving Bmp Image...");
inline constexpr std::string_view kResamplingImage = "Resampling image ";          // + n + one of:
inline constexpr std::string_view kForPrinter = " for printer";
inline constexpr std::string_view kForImageFile = " for image file";
inline constexpr std::string_view kForPreview = " for preview";
inline constexpr std::string_view kPageTooSmall = QT_TRANSLATE_NOOP("Paginor", "The page is too small for the frames and the gaps between them");
inline constexpr std::string_view kPageTooLarge = QT_TRANSLATE_NOOP("Paginor", "The page bitmap would be too large: choose a lower resolution");
inline constexpr std::string_view kCutOff = " would be cut off by the page margin"; // "Frames 1 and 2" + it
// The question after a warning about the page (cut-off or coarse frames).
inline constexpr std::string_view kPrintAnyway = QT_TRANSLATE_NOOP("Paginor", "Print anyway?");
// After "The printer NAME is stopped (reason): "
inline constexpr std::string_view kStoppedQueueWait = QT_TRANSLATE_NOOP("Paginor", "its queue will not empty, so nothing was printed");
inline constexpr std::string_view kStoppedJobHeld = QT_TRANSLATE_NOOP("Paginor", "the page waits in its queue until the printer is started again");
inline constexpr std::string_view kQueueQueryFailed = "Can't ask the printer for its queue: "; // + the reason

// Carries its message with its form, so the window can translate it.
class PrintError : public core::MessageError {
public:
    using core::MessageError::MessageError;
};

// "Sorry.... N frames not yet supported by print option\nTry 4!!"
core::Message framesNotSupportedMessage(int frameCount);

// Where the page is drawn: its size in device pixels as laid out (already turned for the
// landscape layouts) and the resolution every millimetre and point is converted at.
struct PrintTarget {
    int pageWidth = 0;   // PW
    int pageHeight = 0;  // PH
    int dpi = 0;
    // On paper the caption stands 10 dots above its picture; on a page bitmap
    // round(dpi / 72) + 1 pixels, which keeps the same distance at any resolution.
    bool bitmap = false;
};

// What the layout takes from the page and the settings.
struct LayoutInput {
    int frameCount = 4;
    float aspectRatio = 1.333333f; // Global_AspectRatio
    float margin_mm = 3.0f;        // the blank border around each picture
    float Page_Margin_mm = 0.0f;   // shifts everything right (negative: left)
    int tsz = 6;                   // caption size in points
};

struct PrintedFrame {
    int frame = 0;        // 1..16
    page::Rect image;     // the image rectangle, page offset included
    int captionX = 0;     // top-left corner of the caption's first line
    int captionY = 0;
};

struct PrintedPage {
    PrintTarget target;
    bool landscape = false;
    int columns = 0;
    int rows = 0;
    int gap = 0;          // m: the blank border around each image, in target pixels
    int offsetX = 0;      // X0
    int frameWidth = 0;   // W
    int frameHeight = 0;  // H
    int captionHeight = 0; // th = trunc(dpi / 72 x tsz)
    std::vector<PrintedFrame> frames; // every frame 1..N, in frame order
    std::vector<page::Line> cutMarks; // pen from (x1, y1) to (x2, y2), both in the page
};

// True for the frame counts the printed grid knows: 1, 2, 4, 8, 16.
bool printableFrameCount(int frameCount);
// 1, 4 and 16 frames print across a turned page.
bool landscapeLayout(int frameCount);

// The page size a target of dpi pixels per inch has for a printer page given in printer
// dots: round(px / printerDpi x dpi) for each side, turned for the landscape layouts.
PrintTarget bitmapTarget(int frameCount, int printerPageWidthPx, int printerPageHeightPx, int printerDpi, int dpi);
PrintTarget printerTarget(int frameCount, int printerPageWidthPx, int printerPageHeightPx, int printerDpi);

// The whole printed layout. Throws PrintError(framesNotSupportedMessage) for a frame
// count other than 1, 2, 4, 8, 16 and PrintError(kPageTooSmall) when no frame of at
// least one pixel fits across the page.
PrintedPage layoutPage(const LayoutInput& input, const PrintTarget& target);

// The work bitmap a picture is drawn into before it is scaled to its rectangle: as high
// as the picture and round(height x aspectRatio) wide, at least one pixel.
int workBitmapWidth(int pictureHeight, float aspectRatio);

// "Frame 3", "Frames 1 and 2", "Frames 1, 2 and 5": the start of a message about the
// frames; frames must not be empty.
std::string framesText(const std::vector<int>& frames);
// "Frame 3 would be cut off by the page margin", "Frames 1, 2 and 5 would be ...".
core::Message cutOffMessage(const std::vector<int>& frames);

// trunc(k / N x 100): the progress after frame k of N.
int printProgress(int k, int frameCount);

// The text after the last slash or backslash of a file name.
std::string baseName(const std::string& fileName);
// "NVL-" + first + " to " + last, each reduced to its base name.
std::string jobTitle(const std::string& firstFileName, const std::string& lastFileName);

} // namespace printing
