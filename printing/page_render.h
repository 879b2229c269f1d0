// Drawing the printed page: cut marks, every loaded frame's picture and its caption, on
// any QPainter (the printer, or a QImage over the page bitmap). The printer, print to
// file, the preview and the headless commands all go through drawPage.
#pragma once

#include "imaging/bitmap.h"
#include "imaging/codecs.h"
#include "imaging/imaging.h"
#include "printing/print_geometry.h"

#include <QColor>
#include <QRectF>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QPainter;

namespace page { class Page; }

namespace printing {

class FramePipeline;
struct FrameWork;
class ReadyFrames;

// Where the page goes; each has its own resolution and resampling rules.
enum class Output {
    Printer,   // resample_for_printer, bp chooses the work bitmap or the direct path
    ImageFile, // Print_Image_Resample_USing at Print_Image_Resolution
    Preview,   // always Box, at 72 dpi
};

// One loaded frame to draw.
struct FrameSource {
    int frame = 0;        // 1..N: its cell
    int pictureFrame = 0; // the frame whose picture it shows (named in the status text)
    imaging::Picture picture;
    std::string details;
    // Set where a PDF page holds the picture's JPEG file as it is: the rectangle the whole
    // picture covers, which DrawHooks::drawAsIs fills.
    std::optional<QRectF> asIs;
};

// Everything one page needs, taken from the page and the settings at the start, so
// the window may change while the page is drawn.
struct PageDrawing {
    PrintedPage layout;
    std::vector<FrameSource> frames; // loaded frames only, in frame order
    int frameCount = 0;
    float aspectRatio = 1.0f;
    std::optional<imaging::Filter> filter; // resample each picture to its rectangle
    bool direct = false;                   // bp off: the device scales the whole picture
    bool marks = false;
    bool captions = false;
    QColor colour;
    int ruleWeight = 1;
    QString fontName;
    int tsz = 6;
    const char* resampleForm = ""; // "Resampling image %1 for printer", ... for image file, ... for preview
};

// What the window is told while a page is drawn; every hook may be empty.
struct DrawHooks {
    std::function<void(const app::Message&)> status;
    std::function<void(int)> progress;
    std::function<void()> keepAlive;   // lets pending window events run
    std::function<bool()> cancelled;   // Stop: draw no further frame
    // Draws frame index of the drawing (one image) where FrameSource::asIs is set.
    std::function<void(QPainter&, const QRectF&, std::size_t index)> drawAsIs;
};

// tcol (0x00BBGGRR) as a colour.
QColor colourFromTcol(int tcol);

// The loaded frames of the page, each with the picture it shows.
std::vector<FrameSource> loadedFrames(const page::Page& page);

// The drawing of the page for an output on a target (see bitmapTarget/printerTarget).
// Throws PrintError for an unsupported frame count, a page too small, or a page bitmap
// or frame larger than any bitmap the program makes (checked before anything is taken).
PageDrawing composePage(const page::Page& page, Output output, const PrintTarget& target);

// The work of preparing each frame of the drawing, in order, for a FramePipeline.
std::vector<FrameWork> frameWork(const PageDrawing& drawing);

// Draws the page. When pageBitmap is given, the painter paints on a QImage over its
// memory and pictures of the exact size are copied straight into it.
void drawPage(QPainter& painter, const PageDrawing& drawing, const DrawHooks& hooks,
              imaging::Bitmap* pageBitmap = nullptr);
// The same with the frames coming from a pipeline the caller started (over the frames
// of drawing, in order), so the first photos decode while the caller gets ready.
void drawPage(QPainter& painter, const PageDrawing& drawing, const DrawHooks& hooks, FramePipeline& pipeline,
              imaging::Bitmap* pageBitmap = nullptr);

// The loaded frames whose image rectangle is not wholly on the page (a page margin that
// pushes the grid off the paper), in frame order.
std::vector<int> cutOffFrames(const PageDrawing& drawing);

// Throws PrintError(kPageTooLarge) when the drawing's page bitmap or a frame resampled for
// it would be larger than any bitmap the program makes.
void checkPageMemory(const PageDrawing& drawing);

// A white 24-bit page bitmap for the target; throws PrintError when it would be larger
// than any bitmap the program makes.
imaging::Bitmap blankPageBitmap(const PrintTarget& target);

// Draws the page into a new page bitmap (print to file and preview); frames that ready
// holds (made while the page loaded) are not made again.
imaging::Bitmap renderPageBitmap(const PageDrawing& drawing, const DrawHooks& hooks, ReadyFrames* ready = nullptr);

} // namespace printing
