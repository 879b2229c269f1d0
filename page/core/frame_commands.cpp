#include "page/core/frame_commands.h"

#include "core/messages.h"
#include "core/work.h"
#include "imaging/kernels/adjust.h"
#include "imaging/kernels/imaging.h"
#include "page/core/loading.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <new>

namespace page {
namespace {

bool isMarkerName(const std::string& name)
{
    return !name.empty() && name.front() == '*';
}

FrameRecord& rec(Page& page, int n)
{
    return page.Frames()[static_cast<std::size_t>(n)];
}

const FrameRecord& rec(const Page& page, int n)
{
    return page.Frames()[static_cast<std::size_t>(n)];
}

int liveCount(const Page& page)
{
    return page.state().FrameCount;
}

// A frame the picture commands change: selected, showing a picture, and its own.
bool isWorkFrame(const FrameRecord& f)
{
    return f.Selected && f.Loaded && f.CloneOf == 0 && f.PictureHolder && !f.PictureHolder->empty();
}

// The frames a picture command works on, taken when it starts: the window repaints between
// frames, and a page rebuilt then (after a resize) clears the selection.
std::array<bool, kMaxFrames + 1> workFrames(const Page& page)
{
    std::array<bool, kMaxFrames + 1> work{};
    for (int n = 1; n <= liveCount(page); ++n)
        work[static_cast<std::size_t>(n)] = isWorkFrame(rec(page, n));
    return work;
}

// Status and progress of a long command, hidden again however the command ends.
class BusyDisplay {
public:
    BusyDisplay(StatusDisplay& status, std::string_view text) : m_status(status)
    {
        if (!text.empty())
            m_status.showStatus(core::Message(text));
        m_status.setProgress(1);
        m_status.setProgressVisible(true);
    }
    ~BusyDisplay()
    {
        m_status.setProgress(0);
        m_status.setProgressVisible(false);
        m_status.setStatus("");
    }
    BusyDisplay(const BusyDisplay&) = delete;
    BusyDisplay& operator=(const BusyDisplay&) = delete;

private:
    StatusDisplay& m_status;
};

imaging::Bitmap turned(const imaging::Bitmap& source, RotateMode mode)
{
    // The kernels take 24-bit pixels; a 32-bit picture goes through a 24-bit working copy.
    imaging::Bitmap work;
    imaging::ConstBitmapView view = source.view();
    if (source.bytesPerPixel() != 3) {
        work = imaging::to24Bit(view);
        view = work.view();
    }
    switch (mode) {
    case RotateMode::Rotate:
        return imaging::Rotate90(270, view);
    case RotateMode::VerticalFlip:
        return imaging::FlipReverse(true, false, view);
    case RotateMode::HorizontalFlip:
        return imaging::FlipReverse(false, true, view);
    }
    throw PageError("Unknown rotation");
}

} // namespace

// ---- texts ------------------------------------------------------------------------------

core::Message copyOneImageMessage(int n)
{
    return {QT_TRANSLATE_NOOP("Paginor", "You can only copy one image at a time to the clipboard\nOnly image #%1 will be copied"), n};
}

core::Message cantExportPastedMessage(const core::Message& program)
{
    return {QT_TRANSLATE_NOOP("Paginor", "Can't export pasted images.....\nHint - Try pasting the image into \n%1"), program};
}

core::Message cantLoadWithMessage(const std::string& fileName, const core::Message& program)
{
    return {QT_TRANSLATE_NOOP("Paginor", "Can't load : \n%1\nwith %2"), fileName, program};
}

core::Message modifiedMissingMessage(const std::string& path)
{
    return {QT_TRANSLATE_NOOP("Paginor", "Modified file : \n%1\nDoes not exist "), path};
}

std::string ratioText(float ratio)
{
    // to_chars is locale-free: the status line reads 1.33 on every desktop language.
    char buf[32];
    const auto result = std::to_chars(buf, buf + sizeof buf, ratio, std::chars_format::general, 3);
    return result.ec == std::errc() ? std::string(buf, result.ptr) : std::string("?");
}

core::Message frameStatusText(const FrameRecord& f, int n)
{
    if (!f.Loaded)
        return {QT_TRANSLATE_NOOP("Paginor", "Frame %1: No file loaded"), n};
    return {QT_TRANSLATE_NOOP("Paginor", "Frame %1: File %2\n%3 AR= %4"), n, f.FileName, f.Details,
            ratioText(f.AspectRatio)};
}

ReloadNames reloadNames(const std::string& fileName)
{
    const auto slash = fileName.find_last_of('/');
    ReloadNames r;
    r.folder = slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
    r.name = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
    r.editedPath = r.folder + "!" + r.name;
    return r;
}

// ---- queries ----------------------------------------------------------------------------

int selectedCount(const Page& page)
{
    int count = 0;
    for (int n = 1; n <= liveCount(page); ++n)
        count += rec(page, n).Selected ? 1 : 0;
    return count;
}

int loadedCount(const Page& page)
{
    int count = 0;
    for (int n = 1; n <= liveCount(page); ++n)
        count += rec(page, n).Loaded ? 1 : 0;
    return count;
}

int selected_and_loaded(const Page& page)
{
    int count = 0;
    for (int n = 1; n <= liveCount(page); ++n) {
        const FrameRecord& f = rec(page, n);
        count += f.Selected && f.Loaded && f.CloneOf == 0 ? 1 : 0;
    }
    return count;
}

int find_selected(const Page& page)
{
    for (int n = 1; n <= liveCount(page); ++n) {
        const FrameRecord& f = rec(page, n);
        if (f.Selected && f.Loaded && f.CloneOf == 0)
            return n;
    }
    return 0;
}

int pictureSource(const Page& page, int clicked)
{
    int n = 0;
    if (clicked >= 1 && clicked <= liveCount(page) && rec(page, clicked).Selected && rec(page, clicked).Loaded)
        n = clicked;
    if (n == 0)
        n = find_selected(page);
    if (n == 0)
        n = firstSelectedPicture(page);
    if (n == 0)
        return 0;
    const FrameRecord& f = rec(page, n);
    const int source = f.CloneOf != 0 ? f.PictureOwner : n;
    return source >= 1 && source <= liveCount(page) && rec(page, source).Loaded ? source : 0;
}

int firstSelectedPicture(const Page& page)
{
    for (int n = 1; n <= liveCount(page); ++n)
        if (rec(page, n).Selected && rec(page, n).Loaded)
            return n;
    return 0;
}

bool hasCopies(const Page& page, int n)
{
    if (rec(page, n).PictureOwner != n)
        return false;
    for (int k = 1; k <= liveCount(page); ++k)
        if (k != n && rec(page, k).Loaded && rec(page, k).PictureOwner == n)
            return true;
    return false;
}

// ---- selection --------------------------------------------------------------------------

SelectResult FrameCommands::SelectImage(int n, bool exclusive)
{
    SelectResult result;
    if (exclusive) {
        for (int k = 1; k <= liveCount(m_page); ++k) {
            rec(m_page, k).Selected = false;
            if (k != n)
                result.deselected.push_back(k);
        }
    }
    const bool live = n >= 1 && n <= liveCount(m_page);
    if (live) {
        FrameRecord& f = rec(m_page, n);
        f.Selected = true;
        result.imageButtons = f.Loaded && f.CloneOf == 0;
        result.aspectButton = result.imageButtons;
    }
    // With nothing named (Deselect All) there is no frame to describe: the line is cleared
    // rather than describing a frame 0.
    if (selectedCount(m_page) > 1 || !live)
        result.status = core::Message("");
    else
        result.status = frameStatusText(rec(m_page, n), n);
    return result;
}

SelectResult FrameCommands::selectAllImages()
{
    SelectResult result;
    for (int k = 1; k <= liveCount(m_page); ++k)
        result = SelectImage(k, false);
    // tb_ar keeps what the last frame's selection made of it: the ratio it would take
    // is that frame's, and an empty or copied last frame has none to give.
    if (loadedCount(m_page) > 0)
        result.imageButtons = true;
    return result;
}

// ---- the popup --------------------------------------------------------------------------

PopupEnabling FrameCommands::popupEnabling(int n, bool clipboardHasBitmap, bool curvesHaveEntries) const
{
    PopupEnabling e;
    if (n < 1 || n > liveCount(m_page))
        return e;
    const FrameRecord& f = rec(m_page, n);
    const bool loaded = f.Loaded;
    e.frameCopy = e.saveFramesImage = e.remove = e.copy = loaded;
    e.framePaste = CopiedFrame != 0;
    e.paste = clipboardHasBitmap;
    e.applyCurves = loaded && curvesHaveEntries;
    e.horizontalFlip = e.verticalFlip = e.rotate = e.editImage = e.exportImages = loaded;
    e.reload = loaded && !f.NotFromFile;
    e.grayscale = e.resample = loaded;
    e.extendedDetails = f.HasExif;
    if (f.CloneOf != 0) {
        e.frameCopy = e.framePaste = e.paste = false;
        e.remove = true;
        e.horizontalFlip = e.verticalFlip = e.rotate = e.editImage = e.exportImages = false;
        e.reload = !f.NotFromFile;
        e.grayscale = e.resample = false;
    }
    // A marker name ("* Pasted image *", a copy's "* Copy of Frame ...") names no file:
    // there is nothing to reload or hand to another program. This comes last, so it
    // holds for copies too.
    if (loaded && isMarkerName(f.FileName))
        e.reload = e.exportImages = false;
    return e;
}

// ---- emptying ---------------------------------------------------------------------------

bool FrameCommands::removeSelectedImages(int n)
{
    if (n < 1 || n > kMaxFrames)
        return false;
    if (n <= liveCount(m_page) && hasCopies(m_page, n)) {
        core::messages().information(clonedFrameMessage(n));
        return false;
    }
    m_page.emptyFrame(n); // forgets n as the Frame Copy source
    return true;
}

std::vector<int> FrameCommands::removeSelected()
{
    std::vector<int> emptied;
    for (int n = 1; n <= liveCount(m_page); ++n) {
        const FrameRecord& f = rec(m_page, n);
        if (f.Loaded && f.Selected && removeSelectedImages(n))
            emptied.push_back(n);
    }
    return emptied;
}

// ---- Frame Paste and the clipboard ------------------------------------------------------

std::vector<int> FrameCommands::framePaste()
{
    const int c = CopiedFrame;
    // The recorded frame may have gone since (a new frame count, a load that failed):
    // only a frame that still shows its own picture can be copied.
    if (c < 1 || c > liveCount(m_page) || !rec(m_page, c).Loaded || rec(m_page, c).CloneOf != 0 ||
        !rec(m_page, c).PictureHolder) {
        CopiedFrame = 0;
        return {};
    }
    StatusDisplay& status = m_page.status();
    status.setProgress(0);
    status.setProgressVisible(true);
    std::vector<int> pasted;
    const FrameRecord source = rec(m_page, c);
    for (int i = 1; i <= liveCount(m_page); ++i) {
        FrameRecord& f = rec(m_page, i);
        if (!f.Selected || i == c)
            continue;
        // Turning a frame into a copy drops its own picture; frames showing that picture
        // would be left showing one nobody owns, so such a frame is refused like emptying.
        if (hasCopies(m_page, i)) {
            core::messages().information(clonedFrameMessage(i));
            continue;
        }
        f.PictureHolder.reset();
        f.ScreenPicture = {};
        f.PictureOwner = source.PictureOwner;
        f.CloneOf = source.PictureOwner;
        f.AspectRatio = source.AspectRatio;
        f.Loaded = true;
        f.NotFromFile = false;
        f.Details = source.Details;
        // The copy shows the source's picture, so it describes it with the source's EXIF.
        f.ExifTags = source.ExifTags;
        f.HasExif = source.HasExif;
        f.FileName = std::string(kCopyOfFrame) + std::to_string(c) + "* " + source.FileName;
        status.setProgress(truncToInt(static_cast<long double>(i) / liveCount(m_page) * 100));
        pasted.push_back(i);
    }
    return pasted;
}

std::vector<int> FrameCommands::pasteBitmap(const imaging::Bitmap& bmp)
{
    std::vector<int> pasted;
    if (bmp.empty())
        return pasted;
    // One picture, shared by every frame that takes it until one of them is edited.
    const imaging::Picture picture = imaging::Picture::fromBitmap(bmp);
    const float ratio = static_cast<float>(bmp.width()) / static_cast<float>(bmp.height());
    for (int i = 1; i <= liveCount(m_page); ++i) {
        FrameRecord& f = rec(m_page, i);
        if (!f.Selected)
            continue;
        f.PictureHolder = std::make_shared<imaging::Picture>(picture);
        f.ScreenPicture = {};
        f.PictureOwner = i;
        f.CloneOf = 0;
        f.Loaded = true;
        f.Details = std::string(kPastedImageDetails);
        f.FileName = std::string(kPastedImageName);
        f.NotFromFile = true;
        f.ExifTags.clear();
        f.HasExif = false;
        f.AspectRatio = ratio;
        // Copies of this frame show the new picture: they take its shape as well.
        for (int k = 1; k <= liveCount(m_page); ++k)
            if (k != i && rec(m_page, k).CloneOf == i)
                rec(m_page, k).AspectRatio = ratio;
        pasted.push_back(i);
    }
    return pasted;
}

FrameCommands::CopySource FrameCommands::copySource() const
{
    CopySource s;
    s.frame = firstSelectedPicture(m_page);
    if (s.frame == 0)
        return s;
    s.severalSelected = selectedCount(m_page) > 1;
    const FrameRecord& f = rec(m_page, s.frame);
    s.owner = f.CloneOf != 0 ? f.PictureOwner : s.frame;
    return s;
}

ExportPlan FrameCommands::exportPlan() const
{
    ExportPlan plan;
    const int n = find_selected(m_page);
    if (n == 0)
        return plan;
    const FrameRecord& f = rec(m_page, n);
    const settings::Settings& s = m_page.settings();
    std::string program = s.Image_Editor_App;
    if (!program.empty() && program.front() == '"')
        program.erase(0, 1);
    if (!program.empty() && program.back() == '"')
        program.pop_back();
    plan.file = f.FileName;
    plan.program = program;
    // A pasted or scanned picture has no file; its marker name must not reach a program
    // (the desktop's opener included) as if it were one.
    if (f.NotFromFile || isMarkerName(f.FileName)) {
        plan.kind = ExportPlan::Kind::Refused;
        plan.message = cantExportPastedMessage(s.app_assos ? core::Message(kAssociatedProgram) : core::Message::name(program));
        return plan;
    }
    plan.kind = s.app_assos ? ExportPlan::Kind::Associated : ExportPlan::Kind::Program;
    return plan;
}

// ---- pixels -----------------------------------------------------------------------------

const imaging::Bitmap& ownPixels(FrameRecord& f)
{
    if (!f.PictureHolder)
        throw PageError("The frame holds no picture of its own");
    return f.PictureHolder->bitmap();
}

void setOwnPixels(FrameRecord& f, imaging::Bitmap bmp)
{
    if (!f.PictureHolder)
        f.PictureHolder = std::make_shared<imaging::Picture>();
    f.PictureHolder->setBitmap(std::move(bmp));
    // The screen copy showed the old pixels.
    f.ScreenPicture = {};
}

// ---- the picture commands ---------------------------------------------------------------

void turnTaken(PixelsTake& take, RotateMode mode)
{
    take.pixels = turned(take.pixels, mode);
}

void putTurned(Page& page, PixelsTake&& take, RotateMode mode, const std::function<void(int frame)>& blankFrame)
{
    const int count = liveCount(page);
    const int i = take.frame;
    if (i > count || rec(page, i).PictureHolder != take.picture)
        return;
    FrameRecord& f = rec(page, i);
    if (mode == RotateMode::Rotate) {
        f.AspectRatio = 1.0f / f.AspectRatio;
        // A picture that became narrower leaves the old one's right part behind.
        if (f.AspectRatio < 1.0f && blankFrame)
            blankFrame(i);
    }
    for (int k = 1; k <= count; ++k) {
        if (rec(page, k).CloneOf != i)
            continue;
        if (blankFrame)
            blankFrame(k);
        rec(page, k).AspectRatio = f.AspectRatio;
    }
    setOwnPixels(f, std::move(take.pixels));
}

void RotateBitmap(Page& page, RotateMode mode, const std::function<void(int frame)>& blankFrame)
{
    const auto work = workFrames(page);
    BusyDisplay busy(page.status(), kImageBeingProcessed);
    const int count = liveCount(page);
    int position = 1;
    auto advance = [&](int by) {
        // The steps add up to more than 100 when most frames are turned; the bar stops at its end.
        position = std::min(100, position + by);
        page.status().setProgress(position);
    };
    for (int i = 1; i <= count; ++i) {
        advance(100 / count);
        if (!work[static_cast<std::size_t>(i)])
            continue;
        std::optional<PixelsTake> take = takeFramePixels(page, i);
        if (!take)
            continue;
        turnTaken(*take, mode);
        advance(10);
        putTurned(page, std::move(*take), mode, blankFrame);
    }
}

namespace {

// A large picture takes seconds to resample: the work runs beside the caller, which keeps
// the window alive until it is done. Without a keep-alive it runs here.
void resampleKeepingAlive(imaging::Bitmap& work, int w, int h, int filterIndex, const KeepAlive& keepAlive)
{
    if (!keepAlive) {
        imaging::ResampleBitmap(w, h, filterIndex, work);
        return;
    }
    core::work::runBeside([&] { imaging::ResampleBitmap(w, h, filterIndex, work); }, keepAlive,
                          std::chrono::milliseconds(40));
}

} // namespace

std::vector<int> framesToResample(const Page& page, int filterIndex)
{
    imaging::filterFromIndex(filterIndex); // a bad index fails before any frame changes
    const auto work = workFrames(page);
    std::vector<int> frames;
    for (int i = 1; i <= liveCount(page); ++i)
        if (work[static_cast<std::size_t>(i)])
            frames.push_back(i);
    return frames;
}

std::optional<ResampleTake> takeForResample(Page& page, int i, int percent, int selected)
{
    // A frame emptied while an earlier one was resampled is passed over.
    if (i > liveCount(page) || !rec(page, i).Loaded || !rec(page, i).PictureHolder)
        return std::nullopt;
    // The position counts frame numbers against the selected frames, so it can run out
    // early; it stops at the bar's end.
    page.status().setProgress(std::min(100, roundToInt(static_cast<long double>(i) / selected * 100)));
    page.status().showStatus(resamplingStatus(i, percent));
    ResampleTake take;
    take.frame = i;
    take.picture = rec(page, i).PictureHolder;
    take.pixels = ownPixels(rec(page, i));
    take.width = roundToInt(static_cast<long double>(take.pixels.width()) * percent / 100);
    take.height = roundToInt(static_cast<long double>(take.pixels.height()) * percent / 100);
    return take;
}

void resampleTaken(ResampleTake& take, int filterIndex)
{
    imaging::ResampleBitmap(take.width, take.height, filterIndex, take.pixels);
}

void putResampled(Page& page, ResampleTake&& take)
{
    if (take.frame <= liveCount(page) && rec(page, take.frame).PictureHolder == take.picture)
        setOwnPixels(rec(page, take.frame), std::move(take.pixels));
}

void resampleSelected(Page& page, int percent, int filterIndex, const KeepAlive& keepAlive)
{
    if (percent == 100)
        return;
    const std::vector<int> frames = framesToResample(page, filterIndex);
    BusyDisplay busy(page.status(), "");
    const int selected = selectedCount(page);
    for (const int i : frames) {
        std::optional<ResampleTake> take = takeForResample(page, i, percent, selected);
        if (!take)
            continue;
        if (keepAlive)
            keepAlive();
        // On failure the copy is thrown away and the frame keeps its picture.
        resampleKeepingAlive(take->pixels, take->width, take->height, filterIndex, keepAlive);
        putResampled(page, std::move(*take));
    }
}

std::vector<int> framesToChange(const Page& page)
{
    const auto work = workFrames(page);
    std::vector<int> frames;
    for (int i = 1; i <= liveCount(page); ++i)
        if (work[static_cast<std::size_t>(i)])
            frames.push_back(i);
    return frames;
}

std::optional<PixelsTake> takeFramePixels(Page& page, int i)
{
    // A frame emptied while an earlier one was changed is passed over.
    if (i > liveCount(page) || !rec(page, i).Loaded || !rec(page, i).PictureHolder)
        return std::nullopt;
    return PixelsTake{i, rec(page, i).PictureHolder, ownPixels(rec(page, i))};
}

void greyTaken(PixelsTake& take)
{
    // Drawn onto a 32-bit bitmap first, as every tone change leaves its picture.
    take.pixels = imaging::to32Bit(take.pixels.view());
    imaging::greyscale(take.pixels.view(), take.pixels.view());
}

void putGreyed(Page& page, PixelsTake&& take)
{
    if (take.frame <= liveCount(page) && rec(page, take.frame).PictureHolder == take.picture)
        setOwnPixels(rec(page, take.frame), std::move(take.pixels));
}

void reportGreyscaleFailure(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::bad_alloc&) {
        core::messages().error(kNoResourcesForCurve);
    } catch (const std::exception& e) {
        // A picture that cannot be decoded says so in its own words.
        core::messages().error(core::messageOf(e));
    }
}

bool greyscaleSelected(Page& page)
{
    const std::vector<int> frames = framesToChange(page);
    BusyDisplay busy(page.status(), kImageBeingProcessed);
    const int count = liveCount(page);
    for (const int i : frames) {
        try {
            std::optional<PixelsTake> take = takeFramePixels(page, i);
            if (!take)
                continue;
            greyTaken(*take);
            putGreyed(page, std::move(*take));
        } catch (...) {
            reportGreyscaleFailure(std::current_exception());
            return false;
        }
        page.status().setProgress(roundToInt(static_cast<long double>(i) / count * 100));
    }
    return true;
}

} // namespace page
