#include "page/core/page.h"

#include "imaging/codecs/jpeg_scaled.h"
#include "imaging/kernels/orientation.h"

#include "core/messages.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <utility>

namespace page {

Page::Page(settings::Settings& settings, std::function<PrinterMetrics()> readPrinter, StatusDisplay* status)
    : m_settings(settings), m_readPrinter(std::move(readPrinter)), m_status(status)
{
    sanitiseSettings();
    m_state.FrameCount = m_settings.NumberOfFrames;
    m_state.Global_AspectRatio = m_settings.Global_AspectRatio;
}

// A store edited by hand or written by another version may hold values the layout
// cannot use; each would end in a page of nothing or a loop without end.
void Page::sanitiseSettings()
{
    if (!isFrameCount(m_settings.NumberOfFrames)) {
        m_settings.NumberOfFrames = 4;
        core::messages().warning(kUnusableFrameCount);
    }
    if (!usableAspectRatio(m_settings.Global_AspectRatio)) {
        m_settings.Global_AspectRatio = settings::kDefaultAspectRatio;
        core::messages().warning(kUnusableAspectRatio);
    }
    if (!std::isfinite(m_settings.margin_mm))
        m_settings.margin_mm = 3.0f;
    if (!std::isfinite(m_settings.Page_Margin_mm))
        m_settings.Page_Margin_mm = 0.0f;
}

const FrameRecord& Page::frame(int n) const
{
    if (n < 1 || n > kMaxFrames)
        throw PageError({"No frame number %1", n});
    return m_frames[static_cast<std::size_t>(n)];
}

FrameRecord& Page::frame(int n)
{
    return const_cast<FrameRecord&>(std::as_const(*this).frame(n));
}

void Page::updatePrinterMetrics()
{
    m_state.PrinterReady = false;
    const PrinterMetrics metrics = m_readPrinter ? m_readPrinter() : PrinterMetrics{};
    m_state.PrinterName = metrics.name;
    if (!metrics.usable()) {
        status().showPrinterLine({QT_TRANSLATE_NOOP("Paginor", "Printer : %1"), metrics.name});
        return;
    }
    m_state.PrinterDpiX = metrics.dpiX;
    m_state.PrinterDpiY = metrics.dpiY;
    m_state.PageWidthPx = metrics.pageWidthPx;
    m_state.PageHeightPx = metrics.pageHeightPx;
    m_state.PageWidthIn = static_cast<float>(static_cast<double>(metrics.pageWidthPx) / metrics.dpiX);
    m_state.PageHeightIn = static_cast<float>(static_cast<double>(metrics.pageHeightPx) / metrics.dpiY);
    status().showPrinterLine(printerLine(metrics.name, m_state.PageWidthIn, m_state.PageHeightIn,
                                        m_settings.Page_Margin_mm, m_settings.Use_Metric,
                                        m_settings.centre_output));
    m_state.PrinterReady = true;
}

void Page::setPageMargin(float margin)
{
    updatePrinterMetrics();
    m_state.ScreenGap = screenGapFromMm(margin);
    m_state.GapPx = dotsFromMm(margin, m_state.PrinterDpiX);
    m_state.PageMarginPx = dotsFromMm(m_settings.Page_Margin_mm, m_state.PrinterDpiX);
    m_settings.margin_mm = margin;
}

void Page::centreOnPage()
{
    if (!m_settings.centre_output)
        return;
    const Centring c = page::centreOnPage(m_state.FrameCount, m_state.PageWidthPx, m_state.PageHeightPx,
                                            m_state.LaidOutWidthPx, m_state.PrinterDpiX, m_settings.margin_mm,
                                            m_state.Global_AspectRatio);
    m_state.GapPx = c.GapPx;
    m_settings.Page_Margin_mm = c.Page_Margin_mm;
    m_state.PageMarginPx = c.PageMarginPx;
}

ScreenLayout Page::sizeVisualPage(int windowWidth, int windowHeight)
{
    // A dialog may have changed the aspect ratio in the settings alone.
    if (usableAspectRatio(m_settings.Global_AspectRatio))
        m_state.Global_AspectRatio = m_settings.Global_AspectRatio;
    setPageMargin(m_settings.margin_mm);
    PageState& s = m_state;
    s.PortraitPage = isPortraitLayout(s.FrameCount);
    s.LaidOutWidthPx = s.PortraitPage ? s.PageWidthPx : s.PageHeightPx;
    s.LaidOutHeightPx = s.PortraitPage ? s.PageHeightPx : s.PageWidthPx;
    // Without a page ever read from a printer there is nothing to scale; the page keeps
    // its previous size, as it does for a window that is too small.
    if (windowFitApplies(windowWidth, windowHeight) && s.PageWidthPx > 0 && s.PageHeightPx > 0) {
        s.PageSized = true;
        centreOnPage();
        const Size bg = fitPageToWindow(windowWidth, windowHeight, s.PageWidthPx, s.PageHeightPx, s.PortraitPage);
        s.Background.width = bg.width;
        s.Background.height = bg.height;
        s.ScreenGap = screenGapFor(bg.width, s.PageWidthPx, s.GapPx);
        s.ScreenLeftOffset = screenLeftOffsetFor(bg.width, s.PageWidthPx, s.PageMarginPx, s.FrameCount);
    }
    updatePrinterMetrics();
    s.Background.top = kBackgroundTop;
    s.Background.left = windowWidth / 2 - s.Background.width / 2;
    const Size bgSize{s.Background.width, s.Background.height};
    const Size frame = frameSize(s.FrameCount, bgSize, s.ScreenGap, s.Global_AspectRatio);
    ScreenLayout layout;
    layout.background = s.Background;
    layout.frames = framePositions(s.FrameCount, bgSize, frame, s.ScreenGap, s.ScreenLeftOffset);
    layout.label1 = {s.Background.left, s.Background.height + 40, s.Background.width, 13};
    return layout;
}

void Page::setFrameCount(int count)
{
    if (!isFrameCount(count))
        throw PageError({"No page layout has %1 frames", count});
    m_state.FrameCount = static_cast<std::uint8_t>(count);
    m_settings.NumberOfFrames = static_cast<std::uint8_t>(count);
}

void Page::setGlobalAspectRatio(float ratio)
{
    if (!usableAspectRatio(ratio))
        throw PageError(kNegativeAspectRatio);
    m_state.Global_AspectRatio = ratio;
    m_settings.Global_AspectRatio = ratio;
}

// Zero, negative, infinite and NaN ratios are all refused: each would give frames of no
// width, and the shrink loops step through every height on the way down.
bool Page::usableAspectRatio(float ratio)
{
    return std::isfinite(ratio) && ratio > 0.0f;
}

const imaging::Picture* Page::pictureShownIn(int n) const
{
    const FrameRecord& f = frame(n);
    if (!f.Loaded || f.PictureOwner < 1 || f.PictureOwner > kMaxFrames)
        return nullptr;
    const auto& holder = m_frames[static_cast<std::size_t>(f.PictureOwner)].PictureHolder;
    return holder && !holder->empty() ? holder.get() : nullptr;
}

// The DCT scale goes down to 1/8 only; a 6000 x 4000 photo is then still 750 x 500 for
// a frame of perhaps 250 x 190. Averaging f x f blocks here, on the decoding thread, keeps
// the rendition at least the frame's size while every later repaint scales a third as far.
// A side of 0 asks for nothing on that side (a picture fitted on load takes its width from its height).
namespace {

int reductionFactor(int width, int height, int minWidth, int minHeight)
{
    if (minWidth <= 0 && minHeight <= 0)
        return 1;
    return std::max(1, std::min(minWidth > 0 ? width / minWidth : width, minHeight > 0 ? height / minHeight : height));
}

} // namespace

imaging::Bitmap reduceForScreen(imaging::Bitmap bmp, int minWidth, int minHeight)
{
    if (reductionFactor(bmp.width(), bmp.height(), minWidth, minHeight) < 2)
        return bmp;
    ScreenReducer reducer([&](int, int) { return imaging::ImageSize{minWidth, minHeight}; });
    reducer.begin(bmp.width(), bmp.height(), 1);
    reducer.rows(std::as_const(bmp).view(), 0);
    return reducer.take();
}

ScreenReducer::ScreenReducer(std::function<imaging::ImageSize(int, int)> minimumFor)
    : m_minimumFor(std::move(minimumFor))
{
}

void ScreenReducer::begin(int width, int height, int orientation)
{
    // Reduced as the rows lie and turned upright after: the least size and the factor
    // are the upright picture's.
    m_orientation = orientation;
    const bool swapped = imaging::orientationSwapsSides(orientation);
    const imaging::ImageSize need = m_minimumFor(swapped ? height : width, swapped ? width : height);
    m_factor = swapped ? reductionFactor(height, width, need.width, need.height)
                       : reductionFactor(width, height, need.width, need.height);
    m_out = imaging::Bitmap::uninitialized(width / m_factor, height / m_factor);
    // The upright picture drops what is past its last whole block at its right and
    // bottom; a stored axis that runs backwards upright has those pixels first.
    const bool columnsBackwards = orientation == 2 || orientation == 3 || orientation == 7 || orientation == 8;
    const bool rowsBackwards = orientation == 3 || orientation == 4 || orientation == 6 || orientation == 7;
    m_skipColumns = columnsBackwards ? width % m_factor : 0;
    m_skipRows = rowsBackwards ? height % m_factor : 0;
    m_sums.assign(static_cast<std::size_t>(m_out.width()) * 3, 0u);
}

void ScreenReducer::rows(imaging::ConstBitmapView band, int firstRow)
{
    const int f = m_factor;
    const std::size_t used = static_cast<std::size_t>(m_out.width()) * 3;
    const unsigned area = static_cast<unsigned>(f * f);
    for (int by = 0; by < band.height; ++by) {
        const int y = firstRow + by - m_skipRows;
        if (y < 0)
            continue;
        if (y / f >= m_out.height())
            break; // the rows past the last whole block
        const std::uint8_t* in = band.row(by) + static_cast<std::ptrdiff_t>(m_skipColumns) * 3;
        if (f == 1) {
            std::memcpy(m_out.row(y), in, used);
            continue;
        }
        for (int x = 0; x < m_out.width(); ++x)
            for (int dx = 0; dx < f; ++dx)
                for (int c = 0; c < 3; ++c)
                    m_sums[static_cast<std::size_t>(x) * 3 + c] += in[(x * f + dx) * 3 + c];
        if (y % f == f - 1) {
            std::uint8_t* o = m_out.row(y / f);
            for (std::size_t i = 0; i < used; ++i)
                o[i] = static_cast<std::uint8_t>((m_sums[i] + area / 2) / area);
            std::fill(m_sums.begin(), m_sums.end(), 0u);
        }
    }
}

bool ScreenReducer::takeWhole(imaging::Bitmap& picture)
{
    if (m_factor != 1 || picture.width() != m_out.width() || picture.height() != m_out.height())
        return false;
    m_out = std::move(picture); // nothing to reduce: kept as it is
    return true;
}

imaging::Bitmap ScreenReducer::take()
{
    return imaging::orientUpright(std::move(m_out), m_orientation);
}

const imaging::Bitmap* Page::screenBitmap(int n, int minWidth, int minHeight)
{
    const imaging::Picture* picture = pictureShownIn(n);
    if (!picture)
        return nullptr;
    if (picture->encodedData().empty())
        return &picture->bitmap();
    ScreenRendition& r = m_frames[static_cast<std::size_t>(frame(n).PictureOwner)].ScreenPicture;
    const imaging::DeferredSteps* steps = picture->deferredSteps();
    // Steps waiting on the picture (a turn, a fit) are done on the rendition: the scale is
    // chosen for the decoded picture they start from, turned upright by its orientation.
    const imaging::ImageSize decoded = picture->uprightSize();
    const imaging::ImageSize need = steps ? steps->renditionMinimum(minWidth, minHeight)
                                          : imaging::ImageSize{minWidth, minHeight};
    const bool jpeg = picture->isJpegData();
    const int wanted = jpeg ? imaging::jpegScaleFor(decoded.width, decoded.height, need.width, need.height) : 8;
    const bool current = r.pixels && r.source.encodedData().data() == picture->encodedData().data();
    // The rendition may have been reduced below its DCT scale; a full-size one is as
    // large as it gets.
    const bool largeEnough = current && ((r.pixels->width() >= minWidth && r.pixels->height() >= minHeight) ||
                                         r.pixels->width() >= picture->width());
    if (!largeEnough) {
        r = {}; // the old data goes before the new decode takes its memory
        // Other formats have no scaled decoding: the whole picture is decoded for the
        // moment and only the rendition kept.
        imaging::Bitmap pixels;
        if (jpeg) {
            pixels = imaging::decodeRendition(*picture, wanted);
        } else {
            ScreenReducer reducer([&](int, int) { return need; });
            picture->decodeDataInto(reducer);
            pixels = reducer.take();
        }
        if (steps)
            pixels = steps->applyToRendition(std::move(pixels));
        r.pixels = std::make_shared<const imaging::Bitmap>(std::move(pixels));
        r.source = *picture;
        r.scaleEighths = wanted;
    }
    return r.pixels.get();
}

void Page::emptyFrame(int n)
{
    FrameRecord& f = frame(n);
    // A copy never has a holder of its own, so the holder is always this frame's picture.
    f.PictureHolder.reset();
    f.ScreenPicture = {};
    f.CloneOf = 0;
    f.Loaded = false;
    f.FileName.clear();
    f.PictureOwner = 0;
    // What described the old picture must not describe an empty frame.
    f.Details.clear();
    f.ExifTags.clear();
    f.HasExif = false;
    f.NotFromFile = false;
    if (m_state.CopiedFrame == n)
        m_state.CopiedFrame = 0;
}

void Page::dropAllPictures()
{
    for (int n = 1; n <= kMaxFrames; ++n) {
        emptyFrame(n);
        m_frames[static_cast<std::size_t>(n)].Selected = false;
    }
}

bool Page::anySelected() const
{
    for (int n = 1; n <= m_state.FrameCount; ++n)
        if (m_frames[static_cast<std::size_t>(n)].Selected)
            return true;
    return false;
}

void Page::clearSelection()
{
    for (int n = 1; n <= kMaxFrames; ++n)
        m_frames[static_cast<std::size_t>(n)].Selected = false;
}

AspectChoice Page::aspectRatioFromSelection() const
{
    AspectChoice choice;
    for (int n = 1; n <= m_state.FrameCount; ++n) {
        const FrameRecord& f = m_frames[static_cast<std::size_t>(n)];
        // An empty frame's ratio describes nothing (it may be a stale or a zero value).
        if (!f.Selected || !f.Loaded)
            continue;
        if (!usableAspectRatio(f.AspectRatio)) {
            choice.rejected = true;
            break;
        }
        choice.ratio = f.AspectRatio;
    }
    return choice;
}

} // namespace page
