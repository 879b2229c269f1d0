// Getting each frame's picture ready for the page: decoded at full size, cut or padded to
// the frame's shape (the work bitmap) and resampled to the exact size of its rectangle.
// The pipeline does this for the next frames on the pool's threads while the caller
// draws the current one, so decoding, resampling and drawing overlap on every core.
#pragma once

#include "imaging/kernels/bitmap.h"
#include "imaging/codecs/codecs.h"
#include "imaging/kernels/imaging.h"

#include "core/work.h"

#include <cstdint>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace printing {

struct PreparedFrame;

// One frame's work: its picture (sharing the frame's data, so the frame may be emptied
// meanwhile), the frame shape and, when resampling, the exact size wanted.
struct FrameWork {
    imaging::Picture picture;
    float aspectRatio = 1.0f;                // Global_AspectRatio: the work bitmap's shape
    std::optional<imaging::Filter> filter;   // none: the device stretches the work bitmap
    int width = 0;                           // the rectangle, when resampling
    int height = 0;
    std::shared_ptr<const PreparedFrame> ready = {}; // made already, while the page loaded
    bool whole = false; // bp off: the whole picture as it is, for the device to scale
    bool skip = false;  // drawn from its file's own data: nothing to make
    bool besideOthers = false; // other frames are made on the other cores meanwhile
};

// The pixels to draw: the work bitmap, or its resampled copy of exactly width x height.
// view stays valid while the PreparedFrame lives.
struct PreparedFrame {
    imaging::ConstBitmapView view;
    imaging::Bitmap owned;  // pixels made for this frame
    imaging::Picture keep;  // or the picture whose own pixels view points into
    std::shared_ptr<const PreparedFrame> ready; // or a frame made while the page loaded
    // The work bitmap's width when view is only its left part (the rest white); else
    // view.width, or 0 when not set.
    int paddedWidth = 0;
};

// The work bitmap of a picture as a view: as high as the picture, round(height x
// aspectRatio) wide. A wider picture is cut at the right (a view, no copy); a narrower
// one is copied onto white, since paper shows white where nothing is printed. A JPEG
// picture is decoded into scratch when given (the view then points into it).
PreparedFrame workBitmap(const imaging::Picture& picture, float aspectRatio, imaging::Bitmap* scratch = nullptr);

// The picture's own pixels, decoded when it is a JPEG: no work bitmap, no resampling.
PreparedFrame wholePicture(const imaging::Picture& picture);

// The whole preparation of one frame, on whatever thread calls it; scratch (one per
// thread) holds the decoded photo while it is resampled.
PreparedFrame prepareFrame(const FrameWork& work, imaging::Bitmap* scratch = nullptr);

// Frames prepared while the load step checks the files (its full-size decode hook), for
// a page whose frames all have one shape: each JPEG photo is then decoded once, not once
// to be checked and again to be printed, and the checks of later files overlap the
// resampling of earlier ones. prepare() may be called from several threads at once.
class ReadyFrames {
public:
    // The shape's picture is not used. At most budgetBytes of frames are kept: a photo
    // beyond them is refused (prepare throws before decoding anything), so the load makes
    // its usual small rendition and the page prepares the frame when it draws it.
    explicit ReadyFrames(FrameWork shape, std::size_t budgetBytes = SIZE_MAX);
    // Decodes and resamples picture (a JPEG) as prepareFrame does; throws as it does.
    void prepare(const imaging::Picture& picture);
    // Hands each frame of work whose picture was prepared with exactly its shape over to
    // it; the frames are then the work's alone, and the decoding buffers are freed.
    void attachTo(std::vector<FrameWork>& work);

private:
    struct Entry {
        imaging::Picture picture; // keeps the data, so its address names this picture only
        std::shared_ptr<const PreparedFrame> frame;
    };
    imaging::Bitmap takeScratch();
    void giveBack(imaging::Bitmap scratch);

    FrameWork m_shape;
    std::size_t m_budget;
    std::size_t m_promised = 0; // bytes of the frames kept or being made
    std::mutex m_mutex;
    std::vector<Entry> m_frames;
    std::vector<imaging::Bitmap> m_scratch; // decoding buffers not in use
};

// Prepares frames 0..n-1 ahead of the caller on the pool, up to workers at once and at
// most lookahead frames beyond the one last taken, so memory stays at a few decoded
// pictures however many frames the page has. take() must be called in order.
class FramePipeline {
public:
    explicit FramePipeline(std::vector<FrameWork> work, int workers = 2, int lookahead = 3);
    ~FramePipeline() = default; // starts no more frames and waits for those being made
    FramePipeline(const FramePipeline&) = delete;
    FramePipeline& operator=(const FramePipeline&) = delete;

    // Frame k, waiting for it; while waiting, keepAlive runs about every 50 ms (the
    // window stays responsive). Rethrows the exception that preparing frame k threw.
    PreparedFrame take(std::size_t k, const std::function<void()>& keepAlive = {});
    // No further frames are started.
    void cancel();

private:
    PreparedFrame make(std::size_t k);

    std::vector<FrameWork> m_work;
    std::mutex m_scratchMutex;
    // Decoding buffers between frames, at most one per frame made at once: fresh memory
    // of a photo's size would be faulted in and zeroed by the system for every frame.
    std::vector<imaging::Bitmap> m_scratch;
    core::work::OrderedQueue<PreparedFrame> m_queue; // last, so it ends first
};

} // namespace printing
