#include "imaging/kernels/adjust.h"

#include "imaging/kernels/parallel.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <new>
#include <vector>

#include <unistd.h>

namespace imaging {

namespace {

std::atomic<std::size_t> g_budget{0};

std::size_t halfTheMemory()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return std::size_t(1) << 32;
    return static_cast<std::size_t>(pages) / 2 * static_cast<std::size_t>(pageSize);
}

// One row of the picture into one row of the working image, shifted by offset columns
// (negative: the picture's left columns are cut off). The rest of the row stays white.
void placeRow(const std::uint8_t* from, int fromWidth, int fromBpp, std::uint8_t* to, int toWidth, int offset)
{
    const int first = std::max(0, offset);
    const int last = std::min(toWidth, offset + fromWidth);
    for (int x = first; x < last; ++x) {
        const std::uint8_t* p = from + (x - offset) * fromBpp;
        std::uint8_t* q = to + 4 * x;
        q[0] = p[0];
        q[1] = p[1];
        q[2] = p[2];
    }
}

// The renditions' longer side until the window gives them its preview's size.
constexpr int kFirstPreviewSide = 1024;

} // namespace

std::size_t workingImageBudget()
{
    const std::size_t set = g_budget.load();
    return set != 0 ? set : halfTheMemory();
}

void setWorkingImageBudget(std::size_t bytes)
{
    g_budget.store(bytes);
}

Bitmap makeWorkingImage(ConstBitmapView picture, float aspectRatio)
{
    if (picture.bytesPerPixel != 3 && picture.bytesPerPixel != 4)
        throw ImagingError(kNeeds24Or32Bit);
    const int height = picture.height;
    const double width = std::nearbyint(double(height) * double(aspectRatio));
    if (!(width >= 1.0) || height < 1)
        throw ImagingError(kBadAspectRatio);
    // The working image and its baseline, 4 bytes a pixel each.
    if (width * height * 8.0 > double(workingImageBudget()) || width * height > double(kMaxResultPixels))
        throw std::bad_alloc();
    const int w = static_cast<int>(width);
    Bitmap result = Bitmap::uninitialized(w, height, 4);
    const int offset = static_cast<int>(std::nearbyint((double(w) - picture.width) / 2.0));
    detail::parallelFor(height, 4LL * w, [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y) {
            std::memset(result.row(y), 0xFF, static_cast<std::size_t>(w) * 4);
            placeRow(picture.row(y), picture.width, picture.bytesPerPixel, result.row(y), w, offset);
        }
    });
    return result;
}

Bitmap to32Bit(ConstBitmapView src)
{
    if (src.bytesPerPixel != 3 && src.bytesPerPixel != 4)
        throw ImagingError(kNeeds24Or32Bit);
    Bitmap result = Bitmap::uninitialized(src.width, src.height, 4);
    detail::parallelFor(src.height, 4LL * src.width, [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y) {
            std::memset(result.row(y), 0xFF, static_cast<std::size_t>(src.width) * 4);
            placeRow(src.row(y), src.width, src.bytesPerPixel, result.row(y), src.width, 0);
        }
    });
    return result;
}

ToolPass brightnessPass(int amount)
{
    return [amount](ConstBitmapView from, BitmapView to) { applyBrightness(from, to, amount); };
}

ToolPass colourPass(int red, int green, int blue)
{
    return [=](ConstBitmapView from, BitmapView to) { applyColourBalance(from, to, red, green, blue); };
}

ToolPass tonePass(const ToneLUT& lut)
{
    return [lut](ConstBitmapView from, BitmapView to) { applyToneLUT(from, to, lut); };
}

AdjustImages::AdjustImages(ConstBitmapView picture, float aspectRatio)
    : m_working(makeWorkingImage(picture, aspectRatio)),
      m_baseline(Bitmap::uninitialized(m_working.width(), m_working.height(), 4))
{
    // The window sets the renditions' size as it lays itself out; until then they are
    // small, since two full-size copies of a large picture would cost as much again as
    // the working image and its baseline.
    const double scale = std::min(1.0, double(kFirstPreviewSide) / std::max(m_working.width(), m_working.height()));
    setPreviewSize(std::max(1, int(m_working.width() * scale)), std::max(1, int(m_working.height() * scale)));
    // Every tool opens with a commit, which fills the baseline; filling it now as well
    // means no path can ever show uninitialised memory.
    commit();
}

void AdjustImages::setPreviewSize(int width, int height)
{
    width = std::clamp(width, 1, m_working.width());
    height = std::clamp(height, 1, m_working.height());
    if (width == m_previewWorking.width() && height == m_previewWorking.height())
        return;
    m_previewBaseline = Bitmap::uninitialized(width, height, 4);
    m_previewWorking = Bitmap::uninitialized(width, height, 4);
    sampleInto(m_baseline, m_previewBaseline);
    sampleInto(m_working, m_previewWorking);
}

void AdjustImages::sampleInto(const Bitmap& from, Bitmap& to) const
{
    const int w = to.width();
    std::vector<int> columns(static_cast<std::size_t>(w));
    for (int x = 0; x < w; ++x)
        columns[x] = static_cast<int>((static_cast<long long>(x) * from.width() + from.width() / 2) / w);
    for (int y = 0; y < to.height(); ++y) {
        const int sy = static_cast<int>((static_cast<long long>(y) * from.height() + from.height() / 2) / to.height());
        const auto* src = reinterpret_cast<const std::uint32_t*>(from.row(sy));
        auto* dst = reinterpret_cast<std::uint32_t*>(to.row(y));
        for (int x = 0; x < w; ++x)
            dst[x] = src[columns[x]];
    }
}

void AdjustImages::setWorking(Bitmap working)
{
    // The baseline is sized before anything changes, so a failure leaves the working
    // image and its baseline matching (a later restore copies one into the other).
    if (double(working.width()) * working.height() * 8.0 > double(workingImageBudget()))
        throw std::bad_alloc();
    if (m_baseline.width() != working.width() || m_baseline.height() != working.height()) {
        Bitmap baseline = Bitmap::uninitialized(working.width(), working.height(), 4);
        m_baseline = std::move(baseline);
    }
    m_working = std::move(working);
    const int w = m_previewWorking.width(), h = m_previewWorking.height();
    m_previewWorking = Bitmap();
    m_previewBaseline = Bitmap();
    setPreviewSize(w, h);
}

void AdjustImages::changeWorking(const std::function<void(BitmapView)>& change)
{
    change(m_working.view());
    sampleInto(m_working, m_previewWorking);
}

void AdjustImages::commit()
{
    if (m_baseline.width() != m_working.width() || m_baseline.height() != m_working.height())
        m_baseline = Bitmap::uninitialized(m_working.width(), m_working.height(), 4);
    detail::parallelFor(m_working.height(), m_working.stride(), [&](int y0, int y1) {
        std::memcpy(m_baseline.row(y0), m_working.row(y0), static_cast<std::size_t>(m_working.stride()) * (y1 - y0));
    });
    m_previewBaseline = m_previewWorking;
}

void AdjustImages::restoreBaseline()
{
    detail::parallelFor(m_working.height(), m_working.stride(), [&](int y0, int y1) {
        std::memcpy(m_working.row(y0), m_baseline.row(y0), static_cast<std::size_t>(m_working.stride()) * (y1 - y0));
    });
    m_previewWorking = m_previewBaseline;
}

void AdjustImages::applyToPreview(const ToolPass& pass)
{
    pass(m_previewBaseline.view(), m_previewWorking.view());
}

void AdjustImages::apply(const ToolPass& pass)
{
    pass(m_baseline.view(), m_working.view());
    applyToPreview(pass);
}

} // namespace imaging
