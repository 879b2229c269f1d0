#include "page/core/loading.h"

#include "page/core/decode_queue.h"
#include "page/core/load_step.h"

#include "core/messages.h"
#include "exif/core/details_options.h"
#include "imaging/codecs/jpeg_scaled.h"
#include "imaging/codecs/registry.h"
#include "imaging/kernels/orientation.h"

#include <algorithm>
#include <filesystem>
#include <mutex>

namespace page {
namespace {

// The format the file's name gives, when a load keeps its data as the file itself.
const imaging::Codec* fileDataFormat(const std::string& path)
{
    const imaging::Codec* named = imaging::codecNamedBy(path);
    return named != nullptr && named->keptAs == imaging::KeptAs::FileData ? named : nullptr;
}

void keepAlive(const LoadHooks& hooks)
{
    if (hooks.keepAlive)
        hooks.keepAlive();
}

// Puts a decoded file into frame n, as a file load sets a frame's record.
void fillFrame(Page& page, int n, const std::string& path, LoadedPicture&& loaded)
{
    FrameRecord& f = page.frame(n);
    f.AspectRatio = loaded.aspectRatio;
    f.PictureHolder = std::move(loaded.picture);
    f.ScreenPicture = std::move(loaded.screen);
    f.PictureOwner = n;
    f.Loaded = true;
    f.CloneOf = 0;
    f.NotFromFile = false;
    f.FileName = path;
}

// Step 2 of a load: counts the selected frames in frame order and deselects (flag only)
// those beyond the files still waiting, so they keep what they show. Returns the frames
// that take files, in frame order: the step works on these, whatever happens to the
// selection while files decode (a resize rebuilds the page and clears it).
std::vector<int> takeFrames(Page& page, const FileQueue& queue, const LoadHooks& hooks, int& count)
{
    std::vector<int> frames;
    count = 0;
    for (int n = 1; n <= page.state().FrameCount; ++n) {
        keepAlive(hooks);
        FrameRecord& f = page.frame(n);
        if (!f.Selected)
            continue;
        ++count;
        if (static_cast<std::size_t>(count) > queue.remaining())
            f.Selected = false;
        else
            frames.push_back(n);
    }
    return frames;
}

// Where a load step takes its decoded files from: a queue decoding beside it, or files
// decoded before the step went on (decodeLoadStep).
class DecodedFiles {
public:
    virtual ~DecodedFiles() = default;
    virtual DecodeQueue::Result take(std::size_t index) = 0;
    // One more file is needed to fill a frame.
    virtual void extend() {}
};

class QueueFiles final : public DecodedFiles {
public:
    QueueFiles(DecodeQueue& queue, const std::function<void()>& keepAlive) : m_queue(queue), m_keepAlive(keepAlive) {}
    DecodeQueue::Result take(std::size_t index) override { return m_queue.take(index, m_keepAlive); }
    void extend() override { m_queue.extend(); }

private:
    DecodeQueue& m_queue;
    const std::function<void()>& m_keepAlive;
};

class ReadyFiles final : public DecodedFiles {
public:
    ReadyFiles(const FileQueue& queue, LoadStep& step) : m_queue(queue), m_step(step) {}
    DecodeQueue::Result take(std::size_t index) override
    {
        const std::size_t i = index - m_step.first;
        if (index >= m_step.first && i < m_step.decoded.size())
            return std::move(m_step.decoded[i]);
        // Not reached: the step never takes more files than were decoded for it. Decoded
        // here, the same way, should it ever be.
        DecodeQueue one(m_queue.FileList, index, 1, 1, m_step.screenWidth, m_step.screenHeight, {}, m_step.options);
        return one.take(index, {});
    }

private:
    const FileQueue& m_queue;
    LoadStep& m_step;
};

// Loads files from index k on into frame n until one decodes; failed files are reported
// and passed over. Returns false when the queue ran out first.
bool loadIntoFrame(Page& page, int n, const FileQueue& queue, std::size_t& k, DecodedFiles& decoder,
                   const LoadHooks& hooks, LoadStepResult& result)
{
    StatusDisplay& status = page.status();
    while (k < queue.FileList.size()) {
        const std::string& path = queue.FileList[k];
        DecodeQueue::Result decoded = decoder.take(k);
        ++k;
        if (!decoded.error.empty()) {
            ++result.filesFailed;
            decoder.extend(); // one more file is needed to fill this frame
            if (hooks.fileFailed)
                hooks.fileFailed(path, decoded.error);
            else
                core::messages().error(decoded.error);
            continue;
        }
        status.showStatus({QT_TRANSLATE_NOOP("Paginor", "Loading Images%1"), path});
        const std::vector<PictureStep> steps = std::move(decoded.loaded.steps);
        fillFrame(page, n, path, std::move(decoded.loaded));
        setFrameDetails(page, n, path);
        showOnLoadSteps(page, n, path, steps, page.settings().resample_on_load_Size);
        ++result.filesLoaded;
        return true;
    }
    return false;
}

// A picture decoded whole, with its on-load steps done at once.
LoadedPicture decodedWhole(const std::string& path, const OnLoadOptions& options)
{
    LoadedPicture out;
    out.picture = std::make_shared<imaging::Picture>(imaging::loadPicture(path, {}, options.decode));
    const LoadPlan plan = planOnLoad(options, out.picture->width(), out.picture->height());
    putSteps(*out.picture, nullptr, plan.steps, plan.width, plan.height);
    out.steps = plan.steps;
    out.aspectRatio = plan.aspectRatio;
    return out;
}

// A HEIF, AVIF, WebP or JPEG XL file keeps only its compressed data and a screen-sized
// copy, made as the decoder hands over its rows, so a page of phone photos takes about
// the memory of a page of JPEGs. Headless runs, which print the full pixels anyway, keep
// those. Nothing for other files.
std::optional<LoadedPicture> leanEncoded(const std::string& path, int screenWidth, int screenHeight,
                                         const FullDecode& fullDecode, const OnLoadOptions& options)
{
    const imaging::Codec* codec = imaging::sniffFile(path);
    if (codec == nullptr || codec->keptAs != imaging::KeptAs::EncodedData)
        return std::nullopt;
    // A whole 12-megapixel decode still takes some 50 MB in passing (the HEVC decoder's
    // pictures and the planes it hands over); one at a time, the queue's workers do not
    // multiply that.
    static std::mutex oneAtATime;
    std::unique_lock<std::mutex> lock(oneAtATime);
    LoadedPicture out;
    LoadPlan plan;
    if (fullDecode) {
        std::optional<imaging::EncodedLoad> encoded = imaging::loadEncodedPicture(path, {}, options.decode);
        if (!encoded)
            return std::nullopt;
        plan = planOnLoad(options, encoded->pixels.width(), encoded->pixels.height());
        out.picture = std::make_shared<imaging::Picture>(imaging::Picture::fromBitmap(std::move(encoded->pixels)));
        putSteps(*out.picture, nullptr, plan.steps, plan.width, plan.height);
        out.steps = plan.steps;
        out.aspectRatio = plan.aspectRatio;
        return out;
    }
    ScreenReducer reducer([&](int width, int height) {
        plan = planOnLoad(options, width, height);
        const imaging::ImageSize need = renditionMinimum(plan.steps, screenWidth, screenHeight);
        // No size asked for: what the smallest DCT scale gives a JPEG.
        if (need.width <= 0 && need.height <= 0)
            return imaging::ImageSize{(width + 7) / 8, (height + 7) / 8};
        return need;
    });
    std::optional<imaging::Picture> picture = imaging::loadEncodedPictureInto(path, reducer, options.decode);
    if (!picture)
        return std::nullopt;
    lock.unlock();
    out.steps = plan.steps;
    out.aspectRatio = plan.aspectRatio;
    out.picture = std::make_shared<imaging::Picture>(std::move(*picture));
    out.screen = ScreenRendition{*out.picture, std::make_shared<const imaging::Bitmap>(reducer.take()), 8};
    putSteps(*out.picture, &out.screen, plan.steps, plan.width, plan.height);
    return out;
}

// A JPEG picture keeps its compressed data; only a screen rendition is decoded, at the
// DCT scale the frame needs, with the on-load steps recorded on the picture.
LoadedPicture leanJpeg(std::shared_ptr<imaging::Picture> picture, const std::string& path, int screenWidth,
                       int screenHeight, const FullDecode& fullDecode, const OnLoadOptions& options)
{
    LoadedPicture out;
    out.picture = std::move(picture);
    // The on-load steps start from the picture turned upright by its orientation.
    const imaging::ImageSize size = out.picture->uprightSize();
    const LoadPlan plan = planOnLoad(options, size.width, size.height);
    out.steps = plan.steps;
    out.aspectRatio = plan.aspectRatio;
    // A picture with steps is decoded at full size when it is printed, with its steps;
    // a decode made now could not be used then.
    if (fullDecode && plan.steps.empty()) {
        try {
            fullDecode(*out.picture);
            return out;
        } catch (const std::exception&) {
            // Refused or not, as the rendition's decode below decides, with its message.
        }
    }
    const imaging::ImageSize need = renditionMinimum(plan.steps, screenWidth, screenHeight);
    const int eighths = imaging::jpegScaleFor(size.width, size.height, need.width, need.height);
    // Decoding the rendition reads every byte, so a damaged file fails here, before the
    // picture reaches a frame.
    auto pixels = std::make_shared<const imaging::Bitmap>(
        reduceForScreen(imaging::decodeRendition(*out.picture, eighths, path), need.width, need.height));
    out.screen = ScreenRendition{*out.picture, std::move(pixels), eighths};
    putSteps(*out.picture, &out.screen, plan.steps, plan.width, plan.height);
    return out;
}

// Whether a camera's embedded preview has the pixels the frame needs on paper: after the
// on-load steps it fills the frame's picture area without being enlarged. A load that
// does not know the frame (no printer, or a page without one) takes a preview of about
// the sensor's size, which has them for any frame.
bool previewSuffices(const imaging::EmbeddedPreview& preview, const OnLoadOptions& options)
{
    if (options.printFrame.width <= 0 || options.printFrame.height <= 0)
        return imaging::isFullSizePreview(preview);
    const bool swapped = options.decode.honourOrientation && imaging::orientationSwapsSides(preview.orientation);
    const imaging::ImageSize upright = swapped ? imaging::ImageSize{preview.stored.height, preview.stored.width}
                                               : preview.stored;
    const LoadPlan plan = planOnLoad(options, upright.width, upright.height);
    return plan.width >= options.printFrame.width || plan.height >= options.printFrame.height;
}

// A camera RAW file whose embedded JPEG preview will do is loaded as that JPEG, turned by
// the RAW file's orientation: a fraction of a develop's time, and only its compressed
// data and a screen rendition are kept. Nothing for other files or a preview too small.
std::optional<LoadedPicture> rawAsPreview(const std::string& path, int screenWidth, int screenHeight,
                                          const FullDecode& fullDecode, const OnLoadOptions& options)
{
    const imaging::Codec* named = imaging::codecNamedBy(path);
    if (named == nullptr || named->embeddedPreview == nullptr)
        return std::nullopt;
    std::optional<imaging::EmbeddedPreview> preview = named->embeddedPreview(path);
    if (!preview || !previewSuffices(*preview, options))
        return std::nullopt;
    const int orientation = options.decode.honourOrientation ? preview->orientation : 1;
    auto picture = std::make_shared<imaging::Picture>(
        imaging::Picture::fromJpegData(std::move(preview->jpeg), orientation, options.decode));
    return leanJpeg(std::move(picture), path, screenWidth, screenHeight, fullDecode, options);
}

} // namespace

core::Message clonedFrameMessage(int frame)
{
    return {"%1\n%2", core::Message(QT_TRANSLATE_NOOP("Paginor", "Frame #%1 is cloned to other frames"), frame),
            core::Message(QT_TRANSLATE_NOOP("Paginor", "Delete the other frames before this one. "))};
}

LoadedPicture loadImageFile(const std::string& path, int screenWidth, int screenHeight, const FullDecode& fullDecode,
                            const OnLoadOptions& options)
{
    const imaging::Codec* fileData = fileDataFormat(path);
    if (fileData == nullptr || imaging::sniffFile(path) != fileData) {
        if (std::optional<LoadedPicture> lean = leanEncoded(path, screenWidth, screenHeight, fullDecode, options))
            return std::move(*lean);
        if (std::optional<LoadedPicture> raw = rawAsPreview(path, screenWidth, screenHeight, fullDecode, options))
            return std::move(*raw);
    }
    if (fileData == nullptr)
        return decodedWhole(path, options);
    std::vector<std::uint8_t> data = imaging::readWholeFile(path);
    // A file named .jpg that holds another format is read by what it is.
    if (!data.empty() && imaging::sniff(data) != fileData)
        return decodedWhole(path, options);
    if (data.empty())
        throw imaging::ImagingError({QT_TRANSLATE_NOOP("Paginor", "Corrupt or truncated JPEG data '%1': the file is empty"), path});
    return loadJpegData(std::move(data), path, screenWidth, screenHeight, fullDecode, options);
}

LoadedPicture loadJpegData(std::vector<std::uint8_t> data, const std::string& path, int screenWidth,
                           int screenHeight, const FullDecode& fullDecode, const OnLoadOptions& options)
{
    return leanJpeg(std::make_shared<imaging::Picture>(imaging::Picture::fromJpegData(std::move(data), options.decode)), path,
                    screenWidth, screenHeight, fullDecode, options);
}

void setFrameDetails(Page& page, int n, const std::string& path)
{
    FrameRecord& f = page.frame(n);
    f.HasExif = false;
    f.Details.clear();
    f.ExifTags.clear();
    exif::ImageDetails d = exif::loadDetails(exif::detailsOptionsFrom(page.settings()), path);
    f.Details = std::move(d.details);
    f.HasExif = d.hasExif;
    f.ExifTags = std::move(d.exifTags);
}

bool emptyFrameForLoad(Page& page, int n)
{
    for (int other = 1; other <= page.state().FrameCount; ++other) {
        const FrameRecord& o = page.frame(other);
        if (other != n && o.Loaded && o.PictureOwner == n && page.frame(n).PictureOwner == n) {
            core::messages().information(clonedFrameMessage(n));
            return false;
        }
    }
    page.emptyFrame(n);
    return true;
}

bool checkSelectionForLoad(Page& page)
{
    if (page.anySelected())
        return true;
    for (int n = 1; n <= page.state().FrameCount; ++n) {
        if (page.frame(n).Loaded) {
            core::messages().information(kNoFramesSelected);
            return false;
        }
    }
    for (int n = 1; n <= page.state().FrameCount; ++n)
        page.frame(n).Selected = true;
    return true;
}

namespace {

// Step 1 of a load: the progress bar shows and the frames that take files are chosen.
LoadStep beginStep(Page& page, FileQueue& queue, const LoadHooks& hooks)
{
    queue.BatchInProgress = true;
    page.status().setProgressVisible(true);
    LoadStep step;
    step.frames = takeFrames(page, queue, hooks, step.selectedFrames);
    step.first = queue.NextFileIndex;
    step.screenWidth = hooks.screenWidth;
    step.screenHeight = hooks.screenHeight;
    step.threads = hooks.threads;
    step.options = onLoadOptions(page);
    return step;
}

// Fills the step's frames in frame order; returns those that took a picture. k ends past
// the files taken.
std::vector<int> fillFrames(Page& page, const FileQueue& queue, const LoadHooks& hooks, const LoadStep& step,
                            DecodedFiles& decoder, std::size_t& k, LoadStepResult& result)
{
    StatusDisplay& status = page.status();
    std::vector<int> loadedFrames;
    for (const int n : step.frames) {
        if (k >= queue.FileList.size() || n > page.state().FrameCount)
            break;
        if (!emptyFrameForLoad(page, n)) {
            page.frame(n).Selected = false; // it keeps its picture; the file waits for the next frame
            continue;
        }
        if (hooks.frameEmptied)
            hooks.frameEmptied(n);
        if (loadIntoFrame(page, n, queue, k, decoder, hooks, result))
            loadedFrames.push_back(n);
        status.setProgress(progressPercent(result.filesLoaded, std::max(1, result.selectedFrames)));
    }
    return loadedFrames;
}

void endStep(Page& page, FileQueue& queue, const LoadHooks& hooks, const std::vector<int>& loadedFrames, std::size_t k)
{
    StatusDisplay& status = page.status();
    Apply_Curve_On_Load(page, loadedFrames);
    if (hooks.repaintAll)
        hooks.repaintAll();
    status.setProgress(0);
    status.setProgressVisible(false);
    page.clearSelection();

    if (k >= queue.FileList.size()) {
        queue.BatchInProgress = false;
        queue.FileList.clear();
        queue.NextFileIndex = 0;
    } else {
        queue.NextFileIndex = k;
    }
}

std::size_t wantedFiles(const LoadStep& step, const FileQueue& queue)
{
    return std::min<std::size_t>(static_cast<std::size_t>(step.selectedFrames), queue.remaining());
}

} // namespace

LoadStepResult loadFiles(Page& page, FileQueue& queue, const LoadHooks& hooks)
{
    LoadStep step = beginStep(page, queue, hooks);
    LoadStepResult result;
    result.selectedFrames = step.selectedFrames;
    std::size_t k = queue.NextFileIndex;
    std::vector<int> loadedFrames;
    {
        DecodeQueue decoder(queue.FileList, k, wantedFiles(step, queue), hooks.threads, hooks.screenWidth,
                            hooks.screenHeight, hooks.fullDecode, step.options);
        QueueFiles files(decoder, hooks.keepAlive);
        loadedFrames = fillFrames(page, queue, hooks, step, files, k, result);
    } // the decoder's threads end here, before the page is repainted
    endStep(page, queue, hooks, loadedFrames, k);
    return result;
}

LoadStep beginLoadStep(Page& page, FileQueue& queue, const LoadHooks& hooks)
{
    LoadStep step = beginStep(page, queue, hooks);
    step.files = queue.FileList;
    return step;
}

void decodeLoadStep(LoadStep& step)
{
    const std::size_t frames = step.frames.size();
    const std::size_t wanted = std::min(frames, step.files.size() - std::min(step.files.size(), step.first));
    DecodeQueue decoder(step.files, step.first, wanted, step.threads, step.screenWidth, step.screenHeight, {},
                        step.options);
    std::size_t decodedWell = 0;
    for (std::size_t k = step.first; k < step.files.size() && decodedWell < frames; ++k) {
        DecodeQueue::Result r = decoder.take(k, {});
        if (r.error.empty())
            ++decodedWell;
        else
            decoder.extend();
        step.decoded.push_back(std::move(r));
    }
}

LoadStepResult finishLoadStep(Page& page, FileQueue& queue, const LoadHooks& hooks, LoadStep& step)
{
    LoadStepResult result;
    result.selectedFrames = step.selectedFrames;
    std::size_t k = step.first;
    ReadyFiles files(queue, step);
    const std::vector<int> loadedFrames = fillFrames(page, queue, hooks, step, files, k, result);
    endStep(page, queue, hooks, loadedFrames, k);
    return result;
}

void selectForNextBatch(Page& page, const LoadHooks& hooks)
{
    if (page.anySelected())
        return;
    for (int n = 1; n <= page.state().FrameCount; ++n) {
        if (emptyFrameForLoad(page, n) && hooks.frameEmptied)
            hooks.frameEmptied(n);
        page.frame(n).Selected = true;
    }
}

LoadStepResult nextBatch(Page& page, FileQueue& queue, const LoadHooks& hooks)
{
    selectForNextBatch(page, hooks);
    return loadFiles(page, queue, hooks);
}

} // namespace page
