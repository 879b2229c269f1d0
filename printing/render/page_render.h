// Drawing the printed page: cut marks, every loaded frame's picture and its caption, on
// any QPainter (drawPage: the printer and PDF files), or a band of page rows at a time
// (PageBands: image files and the preview), the same pixels either way.
#pragma once

#include "imaging/kernels/bitmap.h"
#include "imaging/codecs/codecs.h"
#include "imaging/kernels/imaging.h"
#include "printing/core/print_geometry.h"

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
    Output output = Output::ImageFile;
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
    std::function<void(const core::Message&)> status;
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

// Throws PrintError(kPageTooLarge) when what the drawing needs would be larger than any
// bitmap the program makes: a frame resampled for it, a band of its rows and, for the
// preview (the one output kept whole), its page bitmap.
void checkPageMemory(const PageDrawing& drawing);

// A white 24-bit page bitmap for the target; throws PrintError when it would be larger
// than any bitmap the program makes.
imaging::Bitmap blankPageBitmap(const PrintTarget& target);

// Draws the page into a new page bitmap (the preview), band by band as PageBands does;
// frames that ready holds (made while the page loaded) are not made again.
imaging::Bitmap renderPageBitmap(const PageDrawing& drawing, const DrawHooks& hooks, ReadyFrames* ready = nullptr);

// The page made a band of rows at a time, top to bottom, so that no page bitmap need
// exist: each band is painted white and gets the cut marks, pictures and captions that
// cross it, drawn as drawPage draws them on the whole page, so the bands one under
// another are that page pixel for pixel. A frame's picture is prepared (on the
// pipeline's threads, ahead of need) for the first band that crosses it and dropped
// after the last, so memory holds about a row of frames, however large the page.
class PageBands {
public:
    // drawing must outlive the bands; ready as for renderPageBitmap.
    PageBands(const PageDrawing& drawing, const DrawHooks& hooks, ReadyFrames* ready = nullptr);
    ~PageBands();
    PageBands(const PageBands&) = delete;
    PageBands& operator=(const PageBands&) = delete;

    int width() const;
    int height() const;
    int rowsDone() const { return m_row; }
    // Composes the next band.height rows of the page into band (the page's width, at
    // most the rows left; 3 bytes a pixel).
    void compose(imaging::BitmapView band);

private:
    struct Held;
    struct Mark;
    void take(std::size_t index);

    const PageDrawing& m_drawing;
    DrawHooks m_hooks;
    std::unique_ptr<FramePipeline> m_pipeline;
    // The drawing's frames in the order the bands first need them (top down), which is
    // the pipeline's order, and each frame's place in it.
    std::vector<std::size_t> m_order;
    std::vector<std::size_t> m_place;
    std::vector<std::unique_ptr<Held>> m_held; // by index into the drawing's frames
    std::vector<bool> m_wasTaken;              // likewise
    std::vector<Mark> m_marks;
    std::size_t m_taken = 0; // frames taken from the pipeline
    bool m_stopped = false;
    int m_row = 0;
};

// The rows of one band for a page this wide: a few megabytes, in whole 16-row blocks of
// the JPEG encoder.
int bandHeightFor(int pageWidth);

// Makes the page band by band on this thread while write, on a thread of its own, takes
// the bands through its NextBand (see imaging::saveJpegBands): band k is written while
// band k + 1 is composed. Rethrows what either side threw; a failure of one stops the
// other. bandHeight 0 takes bandHeightFor the page.
void writePageBands(const PageDrawing& drawing, const DrawHooks& hooks, ReadyFrames* ready,
                    const std::function<void(const imaging::NextBand&)>& write, int bandHeight = 0);

// Print to file as an image: the page as a JPEG (at quality) or BMP file, made in bands.
void savePageFile(const PageDrawing& drawing, const DrawHooks& hooks, ReadyFrames* ready, const std::string& path,
                  bool jpeg, int quality, int dpi);

} // namespace printing
