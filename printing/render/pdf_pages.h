// Print to file as PDF: one PDF page per printed page, at its target's size.
#pragma once

#include "printing/render/page_render.h"

#include <memory>
#include <optional>
#include <string>

namespace printing {

// True for a file name ending in .pdf (any case): print to file writes a PDF there.
bool isPdfPath(const std::string& path);

// Where a frame's picture may go into a PDF page as its own JPEG data: the picture is
// still the JPEG file it was loaded from, the frame shows all of it (not cut by the
// frame's shape), and it has at least the pixels of the printed rectangle, so nothing
// is gained by resampling it. rect is the part of the frame the picture covers (a narrower
// picture leaves white on its right); nothing when it may not.
struct FileInPdf {
    QRectF rect;
    imaging::JpegStream stream;
};
std::optional<FileInPdf> fileInPdf(const PageDrawing& drawing, const FrameSource& frame);

// A PDF file of printed pages. Pictures go in as JPEG images at the target's resolution,
// except those fileInPdf allows, which go in as their files' own bytes; cut marks go
// in as lines and captions as real text in an embedded font. The file appears only when
// finish() succeeds; an older file of that name stays until then.
class PdfPages {
public:
    explicit PdfPages(const std::string& path);
    ~PdfPages();
    PdfPages(const PdfPages&) = delete;
    PdfPages& operator=(const PdfPages&) = delete;

    // Every page of one file has the resolution of the first.
    void add(const PageDrawing& drawing, const DrawHooks& hooks, ReadyFrames* ready = nullptr);
    // Throws PrintError when the file can't be written.
    void finish();

private:
    struct Impl;
    std::unique_ptr<Impl> m;
};

} // namespace printing
