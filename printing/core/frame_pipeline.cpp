#include "printing/core/frame_pipeline.h"

#include "printing/core/print_geometry.h"

#include "imaging/kernels/orientation.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace printing {
namespace {

imaging::ConstBitmapView narrowed(imaging::ConstBitmapView v, int width)
{
    v.width = width;
    return v;
}

} // namespace

namespace {

// The picture's pixels as stored, with the orientation that stands them upright: a
// JPEG decoded into scratch (or out's own memory), else the picture's own (upright),
// kept alive by out.
struct StoredPixels {
    imaging::ConstBitmapView view;
    int orientation = imaging::kUpright;
};

StoredPixels storedPixels(const imaging::Picture& picture, PreparedFrame& out, imaging::Bitmap* scratch)
{
    if (picture.keepsJpegFile()) {
        // Decoded here, on the caller's thread, into memory of this frame's own; the
        // picture's lazy decode is not safe to share between threads.
        imaging::Bitmap& target = scratch ? *scratch : out.owned;
        imaging::decodeJpegInto(picture.jpegData(), target, {}, picture.decodeOptions());
        return {target.view(), picture.orientation()};
    }
    // A JPEG picture turned on load and not decoded yet: its data is read as it lies, the
    // turn folded into the orientation, instead of the picture keeping a turned copy.
    const imaging::DeferredSteps* steps = picture.isJpegData() && picture.canDefer() ? picture.deferredSteps() : nullptr;
    if (const std::optional<int> turned = steps ? steps->asOrientation(picture.orientation()) : std::nullopt) {
        imaging::Bitmap& target = scratch ? *scratch : out.owned;
        imaging::decodeJpegInto(picture.jpegData(), target, {}, picture.decodeOptions());
        const bool swaps = imaging::orientationSwapsSides(*turned);
        if ((swaps ? target.height() : target.width()) != picture.width() ||
            (swaps ? target.width() : target.height()) != picture.height())
            throw imaging::ImagingError("The deferred steps gave a picture of another size");
        return {target.view(), *turned};
    }
    out.keep = picture;
    return {out.keep.bitmap().view()};
}

// The picture's pixels upright: decoded into scratch (or out's own memory) when a JPEG,
// else the picture's own, kept alive by out.
imaging::ConstBitmapView sourceOf(const imaging::Picture& picture, PreparedFrame& out, imaging::Bitmap* scratch)
{
    const StoredPixels stored = storedPixels(picture, out, scratch);
    if (stored.orientation == imaging::kUpright)
        return stored.view;
    imaging::Bitmap& target = scratch ? *scratch : out.owned;
    target = imaging::orientUpright(std::move(target), stored.orientation);
    return target.view();
}

// Rows of a photo decoded at a time while it is resampled: a few hundred kilobytes that
// stay in the cache between the decoder and the resampler.
constexpr int kStripRows = 64;

// A JPEG photo decoded a strip of rows at a time straight into the resampler, which cuts
// or pads it to its work bitmap as it goes: the full-size decode never exists. False,
// with nothing done, for a picture that needs the whole decode (one to be turned
// upright, or whose colours its profile converts).
bool resampleAsDecoded(const FrameWork& work, imaging::BitmapView dst)
{
    const imaging::Picture& picture = work.picture;
    if (!picture.keepsJpegFile() || picture.orientation() != imaging::kUpright)
        return false;
    std::optional<imaging::StripResampler> resampler;
    const bool decoded = imaging::decodeJpegStrips(
        picture.jpegData(), picture.decodeOptions(), kStripRows,
        [&](int width, int height) {
            const int workWidth = workBitmapWidth(height, work.aspectRatio);
            resampler.emplace(std::min(width, workWidth), height, workWidth, dst, *work.filter, 0.0f,
                              work.besideOthers);
        },
        [&](imaging::ConstBitmapView strip) { resampler->add(strip); });
    if (decoded)
        resampler->finish();
    return decoded;
}

} // namespace

PreparedFrame workBitmap(const imaging::Picture& picture, float aspectRatio, imaging::Bitmap* scratch)
{
    PreparedFrame out;
    const imaging::ConstBitmapView source = sourceOf(picture, out, scratch);
    const int width = workBitmapWidth(source.height, aspectRatio);
    if (width <= source.width) {
        out.view = narrowed(source, width);
        return out;
    }
    imaging::Bitmap padded(width, source.height);
    std::memset(padded.data(), 0xFF, static_cast<std::size_t>(padded.stride()) * padded.height());
    const std::size_t rowBytes = static_cast<std::size_t>(source.width) * 3;
    for (int y = 0; y < source.height; ++y) {
        const std::uint8_t* from = source.row(y);
        std::uint8_t* to = padded.row(y);
        if (source.bytesPerPixel == 3) {
            std::memcpy(to, from, rowBytes);
        } else {
            for (int x = 0; x < source.width; ++x)
                std::memcpy(to + 3 * x, from + 4 * x, 3);
        }
    }
    out.owned = std::move(padded);
    out.keep = {};
    out.view = out.owned.view();
    return out;
}

PreparedFrame wholePicture(const imaging::Picture& picture)
{
    PreparedFrame out;
    if (picture.keepsJpegFile()) {
        imaging::decodeJpegInto(picture.jpegData(), out.owned, {}, picture.decodeOptions());
        out.owned = imaging::orientUpright(std::move(out.owned), picture.orientation());
        out.view = out.owned.view();
    } else {
        out.keep = picture;
        out.view = out.keep.bitmap().view();
    }
    return out;
}

PreparedFrame prepareFrame(const FrameWork& work, imaging::Bitmap* scratch)
{
    if (work.skip)
        return {};
    if (work.whole)
        return wholePicture(work.picture);
    if (work.ready) {
        PreparedFrame out;
        out.view = work.ready->view;
        out.ready = work.ready;
        return out;
    }
    if (!work.filter) {
        // The device stretches the work bitmap; a narrower picture is drawn as its left
        // part, so the white on its right is never made.
        PreparedFrame out;
        const imaging::ConstBitmapView source = sourceOf(work.picture, out, nullptr);
        const int width = workBitmapWidth(source.height, work.aspectRatio);
        out.view = width <= source.width ? narrowed(source, width) : source;
        out.paddedWidth = std::max(width, out.view.width);
        return out;
    }
    // The resampler writes every pixel.
    imaging::Bitmap resampled = imaging::Bitmap::uninitialized(work.width, work.height);
    if (resampleAsDecoded(work, resampled.view())) {
        PreparedFrame out;
        out.owned = std::move(resampled);
        out.view = out.owned.view();
        return out;
    }
    // The decoded photo is needed only until it is resampled, so its memory is reused.
    // The resampler reads it upright where it lies and cuts or pads it to the work
    // bitmap itself: a turned copy of a tall scan is as large again, and a padded one
    // would be gigabytes.
    PreparedFrame frame;
    const StoredPixels source = storedPixels(work.picture, frame, scratch);
    const int uprightHeight =
        imaging::orientationSwapsSides(source.orientation) ? source.view.width : source.view.height;
    const int width = workBitmapWidth(uprightHeight, work.aspectRatio);
    imaging::ResampleUpright(source.view, source.orientation, width, resampled.view(), *work.filter);
    PreparedFrame out;
    out.owned = std::move(resampled);
    out.view = out.owned.view();
    return out;
}

ReadyFrames::ReadyFrames(FrameWork shape, std::size_t budgetBytes) : m_shape(std::move(shape)), m_budget(budgetBytes)
{
    m_shape.picture = {};
    m_shape.ready = {};
}

void ReadyFrames::prepare(const imaging::Picture& picture)
{
    // Decoding buffers are reused from photo to photo: fresh memory of a photo's size
    // would have to be faulted in and zeroed by the system each time.
    const std::size_t bytes = 3 * static_cast<std::size_t>(std::max(0, m_shape.width)) *
                              static_cast<std::size_t>(std::max(0, m_shape.height));
    {
        const std::lock_guard lock(m_mutex);
        if (m_promised + bytes > m_budget)
            throw PrintError("no room to keep this frame ready");
        m_promised += bytes;
    }
    imaging::Bitmap scratch = takeScratch();
    FrameWork work = m_shape;
    work.picture = picture;
    std::shared_ptr<const PreparedFrame> frame;
    try {
        frame = std::make_shared<const PreparedFrame>(prepareFrame(work, &scratch));
    } catch (...) {
        giveBack(std::move(scratch));
        const std::lock_guard lock(m_mutex);
        m_promised -= bytes;
        throw;
    }
    giveBack(std::move(scratch));
    const std::lock_guard lock(m_mutex);
    m_frames.push_back({picture, std::move(frame)});
}

imaging::Bitmap ReadyFrames::takeScratch()
{
    const std::lock_guard lock(m_mutex);
    if (m_scratch.empty())
        return {};
    imaging::Bitmap b = std::move(m_scratch.back());
    m_scratch.pop_back();
    return b;
}

void ReadyFrames::giveBack(imaging::Bitmap scratch)
{
    const std::lock_guard lock(m_mutex);
    m_scratch.push_back(std::move(scratch));
}

void ReadyFrames::attachTo(std::vector<FrameWork>& work)
{
    const std::lock_guard lock(m_mutex);
    for (FrameWork& w : work) {
        const bool sameShape = w.aspectRatio == m_shape.aspectRatio && w.filter == m_shape.filter &&
                               w.width == m_shape.width && w.height == m_shape.height;
        if (!sameShape || !w.picture.keepsJpegFile())
            continue;
        for (Entry& e : m_frames)
            if (e.frame && e.picture.jpegData().data() == w.picture.jpegData().data()) {
                w.ready = std::move(e.frame);
                break;
            }
    }
    m_frames.clear();
    m_scratch.clear(); // the photos are all decoded: the page bitmap wants the memory
}

namespace {

int framesAtOnce(int workers, std::size_t frames)
{
    return std::clamp(workers, 1, static_cast<int>(std::max<std::size_t>(1, frames)));
}

// Several frames made at once keep the cores busy between them: each on one thread.
std::vector<FrameWork> besideOthers(std::vector<FrameWork> work, int workers)
{
    if (framesAtOnce(workers, work.size()) > 1)
        for (FrameWork& w : work)
            w.besideOthers = true;
    return work;
}

} // namespace

FramePipeline::FramePipeline(std::vector<FrameWork> work, int workers, int lookahead)
    : m_work(besideOthers(std::move(work), workers)),
      m_queue(m_work.size(), [this](std::size_t k) { return make(k); },
              {.items = static_cast<std::size_t>(std::max(1, lookahead)),
               .atOnce = framesAtOnce(workers, m_work.size()),
               .keepAliveEvery = std::chrono::milliseconds(50)})
{
}

PreparedFrame FramePipeline::make(std::size_t k)
{
    imaging::Bitmap scratch;
    {
        const std::lock_guard lock(m_scratchMutex);
        if (!m_scratch.empty()) {
            scratch = std::move(m_scratch.back());
            m_scratch.pop_back();
        }
    }
    std::optional<PreparedFrame> frame;
    std::exception_ptr error;
    try {
        frame = prepareFrame(m_work[k], &scratch);
        m_work[k].ready.reset(); // the queue holds it now, until it is drawn
    } catch (...) {
        error = std::current_exception();
    }
    {
        const std::lock_guard lock(m_scratchMutex);
        m_scratch.push_back(std::move(scratch));
    }
    if (error)
        std::rethrow_exception(error);
    return std::move(*frame);
}

void FramePipeline::cancel()
{
    m_queue.cancel();
}

PreparedFrame FramePipeline::take(std::size_t k, const std::function<void()>& keepAlive)
{
    std::optional<PreparedFrame> frame = m_queue.take(k, keepAlive);
    if (!frame)
        throw PrintError({QT_TRANSLATE_NOOP("Paginor", "The page was stopped before frame %1 was ready"), k + 1});
    return std::move(*frame);
}

} // namespace printing
