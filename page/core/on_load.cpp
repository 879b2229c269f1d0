#include "page/core/on_load.h"

#include "core/messages.h"
#include "core/text.h"
#include "imaging/kernels/adjust.h"
#include "imaging/kernels/orientation.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace page {
namespace {

// Steps recorded on a JPEG picture until its pixels are first needed.
class RecordedSteps final : public imaging::DeferredSteps {
public:
    explicit RecordedSteps(std::vector<PictureStep> steps) : m_steps(std::move(steps)) {}
    const std::vector<PictureStep>& steps() const { return m_steps; }

    imaging::Bitmap apply(imaging::Bitmap decoded) const override { return applySteps(m_steps, std::move(decoded)); }
    imaging::Bitmap applyToRendition(imaging::Bitmap rendition) const override
    {
        return applyStepsToRendition(m_steps, std::move(rendition));
    }
    imaging::ImageSize renditionMinimum(int minWidth, int minHeight) const override
    {
        return page::renditionMinimum(m_steps, minWidth, minHeight);
    }
    std::optional<int> asOrientation(int orientation) const override
    {
        for (const PictureStep& step : m_steps) {
            if (step.kind != PictureStep::Kind::Turn)
                return std::nullopt;
            orientation = imaging::turnedClockwise(orientation);
        }
        return orientation;
    }

private:
    std::vector<PictureStep> m_steps;
};

int scaled(int length, int percent)
{
    return roundToInt(static_cast<long double>(length) * percent / 100);
}

imaging::Bitmap fitted(const imaging::Bitmap& bmp, float aspectRatio)
{
    return imaging::fitToAspectRatio(bmp.view(), aspectRatio);
}

imaging::Bitmap toned(imaging::Bitmap bmp, const imaging::ToneLUT& lut)
{
    imaging::applyToneLUT(bmp.view(), bmp.view(), lut);
    return bmp;
}

std::string withoutQuotes(std::string path)
{
    path.erase(std::remove(path.begin(), path.end(), '"'), path.end());
    return path;
}

// Status and progress of a command on frames, hidden again however it ends.
class BusyLine {
public:
    BusyLine(StatusDisplay& status, std::string_view text) : m_status(status)
    {
        m_status.showStatus(core::Message(text));
        m_status.setProgressVisible(true);
        m_status.setProgress(1);
    }
    ~BusyLine()
    {
        m_status.setProgress(0);
        m_status.setProgressVisible(false);
        m_status.setStatus("");
    }
    BusyLine(const BusyLine&) = delete;
    BusyLine& operator=(const BusyLine&) = delete;

private:
    StatusDisplay& m_status;
};

// The kernels take 24-bit pixels; a 32-bit picture (a pasted one) is brought to 24 bits.
imaging::Bitmap in24Bits(imaging::Bitmap bmp)
{
    return bmp.bytesPerPixel() == 3 ? std::move(bmp) : imaging::to24Bit(bmp.view());
}

bool ownsPicture(const FrameRecord& f)
{
    return f.Loaded && f.CloneOf == 0 && f.PictureHolder && !f.PictureHolder->empty();
}

} // namespace

core::Message rotatingStatus(int frame)
{
    return {QT_TRANSLATE_NOOP("Paginor", "Rotating image in frame %1"), frame};
}

core::Message adjustingStatus(int frame)
{
    return {QT_TRANSLATE_NOOP("Paginor", "Adjusting image in frame %1"), frame};
}

core::Message resamplingStatus(int frame, int percent)
{
    return {QT_TRANSLATE_NOOP("Paginor", "Resampling image %1 to %2% of original image size"), frame, percent};
}

OnLoadOptions onLoadOptions(const Page& page)
{
    const settings::Settings& s = page.settings();
    OnLoadOptions o;
    o.rotate = s.autorotate;
    o.centre = s.autocentre;
    o.aspectRatio = page.state().Global_AspectRatio;
    o.resamplePercent = s.resample_on_load_Size;
    o.resampleFilter = s.resample_on_load;
    o.printFrame = page.printFrameSize();
    o.decode = decodeOptionsOf(s);
    return o;
}

imaging::DecodeOptions decodeOptionsOf(const settings::Settings& s)
{
    return {s.Honour_Orientation, s.Use_Colour_Profiles};
}

LoadPlan planOnLoad(const OnLoadOptions& options, int width, int height)
{
    LoadPlan plan;
    plan.width = width;
    plan.height = height;
    plan.aspectRatio = static_cast<float>(width) / static_cast<float>(height);
    if (options.rotate && plan.aspectRatio < 1.0f) {
        plan.steps.push_back({PictureStep::Kind::Turn});
        std::swap(plan.width, plan.height);
        plan.aspectRatio = 1.0f / plan.aspectRatio;
    }
    if (options.centre && plan.aspectRatio != options.aspectRatio) {
        const long double w = std::nearbyint(static_cast<long double>(plan.height) * options.aspectRatio);
        if (!(w >= 1.0L) || w * plan.height > static_cast<long double>(imaging::kMaxResultPixels))
            throw imaging::ImagingError(imaging::kBadAspectRatio);
        plan.steps.push_back({PictureStep::Kind::Fit, options.aspectRatio});
        plan.width = static_cast<int>(w);
        plan.aspectRatio = static_cast<float>(plan.width) / static_cast<float>(plan.height);
    }
    if (options.resamplePercent > 0 && options.resamplePercent != 100) {
        imaging::filterFromIndex(options.resampleFilter); // a bad index fails here, not at print time
        const int w = scaled(plan.width, options.resamplePercent);
        const int h = scaled(plan.height, options.resamplePercent);
        if (w < 1 || h < 2)
            throw imaging::ImagingError(imaging::kResampleTooSmall);
        if (static_cast<std::int64_t>(w) * h > imaging::kMaxResultPixels)
            throw imaging::ImagingError(imaging::kResampleTooLarge);
        PictureStep step{PictureStep::Kind::Resample};
        step.width = plan.width = w;
        step.height = plan.height = h;
        step.filterIndex = options.resampleFilter;
        plan.steps.push_back(step);
    }
    return plan;
}

imaging::ImageSize renditionMinimum(const std::vector<PictureStep>& steps, int minWidth, int minHeight)
{
    // Walked backwards: what each step needs of its input to give what the next needs.
    imaging::ImageSize need{minWidth, minHeight};
    for (auto it = steps.rbegin(); it != steps.rend(); ++it) {
        switch (it->kind) {
        case PictureStep::Kind::Turn:
            std::swap(need.width, need.height);
            break;
        case PictureStep::Kind::Fit:
            // The height is kept and gives the width; the input's width is cut or padded.
            need.height = std::max(need.height, static_cast<int>(std::ceil(need.width / it->aspectRatio)));
            need.width = 0;
            break;
        case PictureStep::Kind::Resample: // the rendition is not resampled: it shows the picture at any scale
        case PictureStep::Kind::Curve:
            break;
        }
    }
    return need;
}

namespace {

// The steps on a picture, or on its screen rendition, which the screen scales into the
// frame anyway (no resampling) and which stays 24-bit.
imaging::Bitmap stepsApplied(const std::vector<PictureStep>& steps, imaging::Bitmap bmp, bool rendition)
{
    if (!steps.empty())
        bmp = in24Bits(std::move(bmp));
    for (const PictureStep& step : steps) {
        switch (step.kind) {
        case PictureStep::Kind::Turn:
            bmp = imaging::Rotate90(270, bmp.view());
            break;
        case PictureStep::Kind::Fit:
            bmp = fitted(bmp, step.aspectRatio);
            break;
        case PictureStep::Kind::Resample:
            if (!rendition)
                imaging::ResampleBitmap(step.width, step.height, step.filterIndex, bmp);
            break;
        case PictureStep::Kind::Curve:
            // A picture with a curve on it is a 32-bit one, as after any other tone change.
            if (!rendition && bmp.bytesPerPixel() != 4)
                bmp = imaging::to32Bit(bmp.view());
            bmp = toned(std::move(bmp), step.lut);
            break;
        }
    }
    return bmp;
}

} // namespace

imaging::Bitmap applySteps(const std::vector<PictureStep>& steps, imaging::Bitmap bmp)
{
    return stepsApplied(steps, std::move(bmp), false);
}

namespace {

// The steps on pixels the picture keeps: a first turn or fit reads them where they are,
// so a large scan is not copied whole only to be turned or fitted into another bitmap.
imaging::Bitmap stepsOnPixels(const std::vector<PictureStep>& steps, const imaging::Bitmap& pixels)
{
    if (steps.empty() || pixels.bytesPerPixel() != 3)
        return applySteps(steps, pixels);
    const PictureStep& first = steps.front();
    const std::vector<PictureStep> rest(steps.begin() + 1, steps.end());
    switch (first.kind) {
    case PictureStep::Kind::Turn:
        return applySteps(rest, imaging::Rotate90(270, pixels.view()));
    case PictureStep::Kind::Fit:
        return applySteps(rest, fitted(pixels, first.aspectRatio));
    case PictureStep::Kind::Resample:
    case PictureStep::Kind::Curve:
        break;
    }
    return applySteps(steps, pixels);
}

} // namespace

imaging::Bitmap applyStepsToRendition(const std::vector<PictureStep>& steps, imaging::Bitmap bmp)
{
    return stepsApplied(steps, std::move(bmp), true);
}

void putSteps(imaging::Picture& picture, ScreenRendition* screen, const std::vector<PictureStep>& steps, int width,
              int height)
{
    if (steps.empty())
        return;
    if (!picture.canDefer()) {
        picture.setBitmap(stepsOnPixels(steps, picture.bitmap()));
        if (screen)
            *screen = {};
        return;
    }
    std::vector<PictureStep> all;
    if (const auto* before = dynamic_cast<const RecordedSteps*>(picture.deferredSteps()))
        all = before->steps();
    all.insert(all.end(), steps.begin(), steps.end());
    // The rendition is brought along first, so a failure leaves the picture as it was.
    std::shared_ptr<const imaging::Bitmap> shown;
    const bool current = screen && screen->pixels && screen->source.encodedData().data() == picture.encodedData().data();
    if (current)
        shown = std::make_shared<const imaging::Bitmap>(applyStepsToRendition(steps, *screen->pixels));
    picture.deferSteps(std::make_shared<const RecordedSteps>(std::move(all)), width, height);
    if (current) {
        screen->pixels = std::move(shown);
        screen->source = picture;
    }
}

void showOnLoadSteps(Page& page, int frame, const std::string& path, const std::vector<PictureStep>& steps,
                     int resamplePercent)
{
    StatusDisplay& status = page.status();
    for (const PictureStep& step : steps) {
        switch (step.kind) {
        case PictureStep::Kind::Turn:
            status.showStatus({QT_TRANSLATE_NOOP("Paginor", "Rotating Image%1"), path});
            status.showStatus(rotatingStatus(frame));
            break;
        case PictureStep::Kind::Fit:
            status.showStatus({QT_TRANSLATE_NOOP("Paginor", "Rotating Image%1"), path});
            status.showStatus(adjustingStatus(frame));
            break;
        case PictureStep::Kind::Resample:
            status.showStatus(resamplingStatus(frame, resamplePercent));
            break;
        case PictureStep::Kind::Curve:
            break;
        }
        status.setProgressVisible(true);
        status.setProgress(1);
    }
}

void applyCurveToFrame(Page& page, int n, const imaging::ToneLUT& lut)
{
    FrameRecord& f = page.frame(n);
    if (!f.PictureHolder)
        throw PageError("The frame holds no picture of its own");
    PictureStep step{PictureStep::Kind::Curve};
    step.lut = lut;
    imaging::Picture& picture = *f.PictureHolder;
    putSteps(picture, &f.ScreenPicture, {step}, picture.width(), picture.height());
}

void Apply_Curve_On_Load(Page& page, const std::vector<int>& frames)
{
    if (!page.settings().En_CurveOnLoad)
        return;
    BusyLine busy(page.status(), kApplyingCurve);
    const std::string path = withoutQuotes(page.settings().ApplyCurve);
    imaging::ToneLUT lut;
    try {
        lut = imaging::readCurveFile(path);
    } catch (const imaging::ImagingError&) {
        core::messages().error({QT_TRANSLATE_NOOP("Paginor", "Can't load %1"), path});
        return;
    }
    std::vector<int> own;
    for (const int n : frames)
        if (n <= page.state().FrameCount && ownsPicture(page.frame(n)))
            own.push_back(n);
    applyCurveToFrames(page, own, lut);
}

bool applyCurveToFrames(Page& page, const std::vector<int>& frames, const imaging::ToneLUT& lut,
                        const std::function<void()>& keepAlive)
{
    const imaging::ToneLUT table = lut; // copied: the caller's table may be the window's own
    const int count = page.state().FrameCount;
    for (const int n : frames) {
        if (keepAlive)
            keepAlive();
        try {
            applyCurveToFrame(page, n, table);
        } catch (const std::bad_alloc&) {
            core::messages().error(kNoResourcesForCurve);
            return false;
        } catch (const std::exception&) {
            // A picture that cannot be decoded any more is as unusable here as one that
            // does not fit in memory; later frames are left as they are.
            core::messages().error(kNoResourcesForCurve);
            return false;
        }
        page.status().setProgress(static_cast<int>(std::lround(double(n) / count * 100.0)));
    }
    return true;
}

void applyCurveFileToSelected(Page& page, const std::string& path, const std::function<void()>& keepAlive)
{
    BusyLine busy(page.status(), kApplyingCurve);
    imaging::ToneLUT lut;
    try {
        lut = imaging::readCurveFile(path);
    } catch (const imaging::ImagingError&) {
        throw PageError({QT_TRANSLATE_NOOP("Paginor", "Error - Can't open %1"), path});
    }
    std::vector<int> frames;
    for (int n = 1; n <= page.state().FrameCount; ++n)
        if (page.frame(n).Selected && ownsPicture(page.frame(n)))
            frames.push_back(n);
    applyCurveToFrames(page, frames, lut, keepAlive);
}

void cropToFrame(Page& page, const std::function<void()>& keepAlive)
{
    // The frames are taken now: the window repaints between frames, and a page rebuilt
    // then (after a resize) clears the selection.
    std::vector<int> frames;
    for (int n = 1; n <= page.state().FrameCount; ++n)
        if (page.frame(n).Selected && ownsPicture(page.frame(n)))
            frames.push_back(n);
    {
        BusyLine busy(page.status(), kImageBeingProcessed);
        OnLoadOptions fit;
        fit.centre = true;
        fit.aspectRatio = page.state().Global_AspectRatio;
        int position = 1;
        for (int n = 1; n <= page.state().FrameCount; ++n) {
            position = std::min(100, position + 100 / page.state().FrameCount);
            page.status().setProgress(position);
            if (std::find(frames.begin(), frames.end(), n) == frames.end())
                continue;
            if (keepAlive)
                keepAlive();
            FrameRecord& f = page.frame(n);
            imaging::Picture& picture = *f.PictureHolder;
            const LoadPlan plan = planOnLoad(fit, picture.width(), picture.height());
            putSteps(picture, &f.ScreenPicture, plan.steps, plan.width, plan.height);
            f.AspectRatio = plan.aspectRatio;
            for (int k = 1; k <= page.state().FrameCount; ++k)
                if (page.frame(k).CloneOf == n)
                    page.frame(k).AspectRatio = plan.aspectRatio;
        }
    }
    page.clearSelection();
}

std::vector<std::string> curveFilesIn(const std::string& folder, std::size_t& leftOut)
{
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
        std::error_code kindError;
        const std::string name = it->path().filename().string();
        const std::string ext = core::lower(it->path().extension().string());
        if (ext == ".tcv" && name.front() != '.' && it->is_regular_file(kindError))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    leftOut = names.size() > kMaxCurveEntries ? names.size() - kMaxCurveEntries : 0;
    names.resize(std::min(names.size(), kMaxCurveEntries));
    return names;
}

} // namespace page
