#include "printing/render/page_render.h"

#include "imaging/qt/qimage_adapter.h"
#include "page/core/page.h"
#include "printing/core/frame_pipeline.h"

#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <mutex>
#include <thread>

namespace printing {
namespace {

std::optional<imaging::Filter> filterSetting(int setting)
{
    if (setting <= 0)
        return std::nullopt;
    return imaging::filterFromIndex(setting - 1);
}

void drawCutMarks(QPainter& painter, const PageDrawing& d, const DrawHooks& hooks)
{
    painter.setPen(QPen(d.colour, std::max(1, d.ruleWeight), Qt::DashDotLine, Qt::FlatCap));
    for (const page::Line& l : d.layout.cutMarks) {
        // Only the four-frame layout ever let the window breathe between lines.
        if (d.frameCount == 4 && hooks.keepAlive)
            hooks.keepAlive();
        painter.drawLine(l.x1, l.y1, l.x2, l.y2);
    }
}

// The part of an exact-size picture that lies on the page, copied row by row: no
// scaling can blur it and nothing of Qt's conversions runs on a hundred megabytes.
void copyIntoPage(imaging::Bitmap& pageBitmap, const page::Rect& r, imaging::ConstBitmapView src)
{
    const int x0 = std::max(0, r.left);
    const int x1 = std::min(pageBitmap.width(), r.left + src.width);
    const int y0 = std::max(0, r.top);
    const int y1 = std::min(pageBitmap.height(), r.top + src.height);
    if (x0 >= x1 || y0 >= y1)
        return;
    const int bpp = src.bytesPerPixel;
    for (int y = y0; y < y1; ++y) {
        const std::uint8_t* from = src.row(y - r.top) + static_cast<std::ptrdiff_t>(x0 - r.left) * bpp;
        std::uint8_t* to = pageBitmap.row(y) + static_cast<std::ptrdiff_t>(x0) * 3;
        if (bpp == 3) {
            std::memcpy(to, from, static_cast<std::size_t>(x1 - x0) * 3);
        } else {
            for (int x = 0; x < x1 - x0; ++x)
                std::memcpy(to + 3 * x, from + 4 * x, 3);
        }
    }
}

void putPicture(QPainter& painter, const page::Rect& r, const PreparedFrame& frame, imaging::Bitmap* pageBitmap)
{
    const imaging::ConstBitmapView& view = frame.view;
    const int paddedWidth = std::max(frame.paddedWidth, view.width);
    if (pageBitmap && paddedWidth == r.width && view.height == r.height) {
        copyIntoPage(*pageBitmap, r, view);
        return;
    }
    // A plain stretch, as the printer driver would do it: no smoothing asked for. A
    // picture narrower than its work bitmap is the source's left part; the painter
    // stretches that part alone, and the white right of it is the white of the page.
    const QRectF target(r.left, r.top, r.width, r.height);
    if (paddedWidth > view.width) {
        painter.fillRect(target, Qt::white);
        painter.drawImage(target, imaging::wrapAsQImage(view), QRectF(0, 0, paddedWidth, view.height));
        return;
    }
    painter.drawImage(QRect(r.left, r.top, r.width, r.height), imaging::wrapAsQImage(view));
}

// The font size of captions in pixels of the target.
int captionPixels(const PageDrawing& d)
{
    return std::max(1, page::roundToInt(static_cast<long double>(d.tsz) * d.layout.target.dpi / 72));
}

void drawCaption(QPainter& painter, const PageDrawing& d, const PrintedFrame& f, const std::string& text)
{
    if (text.empty())
        return;
    QFont font(d.fontName);
    // tsz points at the target's resolution: the same size on paper and in the file.
    font.setPixelSize(captionPixels(d));
    painter.setFont(font);
    painter.setPen(d.colour);
    const QRect box(f.captionX, f.captionY, std::max(1, d.layout.target.pageWidth * 2),
                    std::max(1, d.layout.captionHeight * 4 + 16));
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip,
                     QString::fromStdString(text));
}

// The direct path's rectangle: the whole picture, as large as fits in the frame's
// rectangle at its own proportions, from the rectangle's top-left corner as the work
// bitmap is. Stretched to the rectangle it would print distorted.
page::Rect directRect(const page::Rect& r, int pictureWidth, int pictureHeight)
{
    page::Rect out = r;
    if (pictureWidth < 1 || pictureHeight < 1)
        return out;
    const long long w = r.width;
    const long long h = r.height;
    if (pictureWidth * h > pictureHeight * w)
        out.height = static_cast<int>(std::max(1LL, w * pictureHeight / pictureWidth));
    else
        out.width = static_cast<int>(std::max(1LL, h * pictureWidth / pictureHeight));
    return out;
}

// The most frames that cross one row of the page: the frames a band may need at once.
long long maxFramesAcross(const PrintedPage& layout)
{
    long long most = 0;
    for (const PrintedFrame& f : layout.frames) {
        long long across = 0;
        for (const PrintedFrame& g : layout.frames)
            if (g.image.top <= f.image.top && f.image.top < g.image.bottom())
                ++across;
        most = std::max(most, across);
    }
    return most;
}

// How many frames the pipeline prepares beyond those the bands hold: enough to keep both
// cores busy while a row of frames is written, fewer when frames are large.
int lookaheadFor(const PageDrawing& d)
{
    if (d.layout.frames.empty())
        return 2;
    const page::Rect& r = d.layout.frames.front().image;
    const long long bytes = std::max(1LL, 3LL * r.width * r.height);
    return static_cast<int>(std::clamp<long long>((64LL << 20) / bytes, 2, 4));
}

// The rows of an exact-size picture that fall in the band whose first row is the page's
// row top, copied as copyIntoPage copies them into the whole page.
void copyIntoBand(imaging::BitmapView band, int top, const page::Rect& r, imaging::ConstBitmapView src)
{
    const int x0 = std::max(0, r.left);
    const int x1 = std::min(band.width, r.left + src.width);
    const int y0 = std::max(top, r.top);
    const int y1 = std::min(top + band.height, r.top + src.height);
    if (x0 >= x1 || y0 >= y1)
        return;
    const int bpp = src.bytesPerPixel;
    for (int y = y0; y < y1; ++y) {
        const std::uint8_t* from = src.row(y - r.top) + static_cast<std::ptrdiff_t>(x0 - r.left) * bpp;
        std::uint8_t* to = band.row(y - top) + static_cast<std::ptrdiff_t>(x0) * 3;
        if (bpp == 3) {
            std::memcpy(to, from, static_cast<std::size_t>(x1 - x0) * 3);
        } else {
            for (int x = 0; x < x1 - x0; ++x)
                std::memcpy(to + 3 * x, from + 4 * x, 3);
        }
    }
}

} // namespace

std::vector<FrameWork> frameWork(const PageDrawing& d)
{
    std::vector<FrameWork> work;
    for (const FrameSource& s : d.frames) {
        const page::Rect& r = d.layout.frames.at(static_cast<std::size_t>(s.frame - 1)).image;
        FrameWork w{s.picture, d.aspectRatio, d.filter, r.width, r.height};
        w.whole = d.direct;
        w.skip = s.asIs.has_value();
        work.push_back(std::move(w));
    }
    return work;
}

QColor colourFromTcol(int tcol)
{
    return QColor(tcol & 0xFF, (tcol >> 8) & 0xFF, (tcol >> 16) & 0xFF);
}

std::vector<FrameSource> loadedFrames(const page::Page& page)
{
    std::vector<FrameSource> frames;
    for (int k = 1; k <= page.state().FrameCount; ++k) {
        const page::FrameRecord& f = page.frame(k);
        const imaging::Picture* picture = f.Loaded ? page.pictureShownIn(k) : nullptr;
        if (!picture)
            continue;
        frames.push_back({k, f.PictureOwner > 0 ? f.PictureOwner : k, *picture, f.Details, std::nullopt});
    }
    return frames;
}

PageDrawing composePage(const page::Page& page, Output output, const PrintTarget& target)
{
    const page::PageState& st = page.state();
    const settings::Settings& s = page.settings();
    PageDrawing d;
    d.output = output;
    d.frameCount = st.FrameCount;
    d.aspectRatio = st.Global_AspectRatio;
    d.layout = layoutPage({st.FrameCount, st.Global_AspectRatio, s.margin_mm, s.Page_Margin_mm, s.tsz}, target);
    d.frames = loadedFrames(page);
    switch (output) {
    case Output::Printer:
        d.direct = !s.bp;
        d.filter = d.direct ? std::nullopt : filterSetting(s.resample_for_printer);
        d.resampleForm = QT_TRANSLATE_NOOP("Paginor", "Resampling image %1 for printer");
        break;
    case Output::ImageFile:
        d.filter = filterSetting(s.Print_Image_Resample_USing);
        d.resampleForm = QT_TRANSLATE_NOOP("Paginor", "Resampling image %1 for image file");
        break;
    case Output::Preview:
        d.filter = imaging::Filter::Box;
        d.resampleForm = QT_TRANSLATE_NOOP("Paginor", "Resampling image %1 for preview");
        break;
    }
    d.marks = s.PrintMarks;
    d.captions = s.PrintProps;
    d.colour = colourFromTcol(s.tcol);
    d.ruleWeight = s.RuleWeight;
    d.fontName = QString::fromStdString(s.Margin_Font_Name);
    d.tsz = s.tsz;
    checkPageMemory(d);
    return d;
}

void drawPage(QPainter& painter, const PageDrawing& d, const DrawHooks& hooks, imaging::Bitmap* pageBitmap)
{
    // Unresampled, each frame is its photo at full size, which the printer's engine
    // takes its own time to compress: one made ahead keeps the decoding beside it.
    FramePipeline pipeline(frameWork(d), 2, d.filter ? 3 : 1);
    drawPage(painter, d, hooks, pipeline, pageBitmap);
}

void drawPage(QPainter& painter, const PageDrawing& d, const DrawHooks& hooks, FramePipeline& pipeline,
              imaging::Bitmap* pageBitmap)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (d.marks)
        drawCutMarks(painter, d, hooks);
    for (std::size_t i = 0; i < d.frames.size(); ++i) {
        if (hooks.cancelled && hooks.cancelled())
            break;
        if (hooks.keepAlive)
            hooks.keepAlive();
        const FrameSource& source = d.frames[i];
        const PrintedFrame& cell = d.layout.frames.at(static_cast<std::size_t>(source.frame - 1));
        if (source.asIs && hooks.drawAsIs) {
            pipeline.take(i, hooks.keepAlive); // nothing was made for it
            hooks.drawAsIs(painter, *source.asIs, i);
        } else {
            if (d.filter && hooks.status)
                hooks.status({d.resampleForm, source.pictureFrame});
            const PreparedFrame prepared = pipeline.take(i, hooks.keepAlive);
            if (d.filter && hooks.status)
                hooks.status(kPrintingShort);
            const page::Rect rect =
                d.direct ? directRect(cell.image, prepared.view.width, prepared.view.height) : cell.image;
            putPicture(painter, rect, prepared, pageBitmap);
        }
        if (d.captions)
            drawCaption(painter, d, cell, source.details);
        if (hooks.progress)
            hooks.progress(printProgress(source.frame, d.frameCount));
    }
}

std::vector<int> cutOffFrames(const PageDrawing& d)
{
    std::vector<int> out;
    const PrintTarget& t = d.layout.target;
    for (const FrameSource& s : d.frames) {
        const page::Rect& r = d.layout.frames.at(static_cast<std::size_t>(s.frame - 1)).image;
        if (r.left < 0 || r.top < 0 || r.right() > t.pageWidth || r.bottom() > t.pageHeight)
            out.push_back(s.frame);
    }
    return out;
}

void checkPageMemory(const PageDrawing& d)
{
    const PrintTarget& t = d.layout.target;
    long long pixels = 0; // held at once
    if (t.bitmap) {
        // The preview is kept whole; files are made a band at a time.
        const long long rows = d.output == Output::Preview ? t.pageHeight : bandHeightFor(t.pageWidth);
        if (t.pageWidth < 1 || t.pageHeight < 1)
            throw PrintError(kPageTooLarge);
        pixels = static_cast<long long>(t.pageWidth) * rows;
    }
    if (d.filter && !d.direct && !d.layout.frames.empty()) {
        // Each frame is resampled to its rectangle (the frames share one shape); the bands
        // hold the frames that cross one row and those prepared ahead of them.
        const page::Rect& shape = d.layout.frames.front().image;
        const long long frame = static_cast<long long>(shape.width) * shape.height;
        if (frame > imaging::kMaxResultPixels)
            throw PrintError(kPageTooLarge);
        pixels += frame * (maxFramesAcross(d.layout) + lookaheadFor(d));
    }
    if (pixels > imaging::kMaxResultPixels)
        throw PrintError(kPageTooLarge);
}

imaging::Bitmap blankPageBitmap(const PrintTarget& target)
{
    const long long pixels = static_cast<long long>(target.pageWidth) * target.pageHeight;
    if (target.pageWidth < 1 || target.pageHeight < 1 || pixels > imaging::kMaxResultPixels)
        throw PrintError(kPageTooLarge);
    imaging::Bitmap bitmap(target.pageWidth, target.pageHeight);
    std::memset(bitmap.data(), 0xFF, static_cast<std::size_t>(bitmap.stride()) * bitmap.height());
    return bitmap;
}

// A cut mark drawn once, on a strip of its own as long as the line: a dashed line cut at
// a band's edge would start its dashes afresh there, so the bands copy its pixels instead.
struct PageBands::Mark {
    QRect box; // on the page
    QImage strip; // where alpha is set, the line is
};

struct PageBands::Held {
    PreparedFrame frame;
    page::Rect rect; // where it is drawn
    bool drawn = false; // a picture was taken for it (not stopped, not placed as is)
};

PageBands::PageBands(const PageDrawing& drawing, const DrawHooks& hooks, ReadyFrames* ready)
    : m_drawing(drawing), m_hooks(hooks), m_held(drawing.frames.size()), m_wasTaken(drawing.frames.size(), false)
{
    std::vector<FrameWork> work = frameWork(drawing);
    if (ready)
        ready->attachTo(work);
    // Frames are numbered down the columns of a landscape page: taken in that order, the
    // first band would hold every column's frames but the last.
    m_order.resize(work.size());
    for (std::size_t i = 0; i < m_order.size(); ++i)
        m_order[i] = i;
    const auto topOf = [&drawing](std::size_t i) {
        return drawing.layout.frames.at(static_cast<std::size_t>(drawing.frames[i].frame - 1)).image.top;
    };
    std::stable_sort(m_order.begin(), m_order.end(), [&](std::size_t a, std::size_t b) { return topOf(a) < topOf(b); });
    m_place.resize(m_order.size());
    std::vector<FrameWork> ordered;
    ordered.reserve(work.size());
    for (std::size_t p = 0; p < m_order.size(); ++p) {
        m_place[m_order[p]] = p;
        ordered.push_back(std::move(work[m_order[p]]));
    }
    m_pipeline = std::make_unique<FramePipeline>(std::move(ordered), 2, lookaheadFor(drawing));
    if (!drawing.marks)
        return;
    // Each strip is the line's box, widened by the pen, within the page: the line meets
    // the strip's edges where it meets the page's, so it is clipped as on the whole page.
    const QRect pageRect(0, 0, width(), height());
    const int pad = std::max(1, drawing.ruleWeight) + 2;
    for (const page::Line& l : drawing.layout.cutMarks) {
        const QRect box = QRect(QPoint(std::min(l.x1, l.x2), std::min(l.y1, l.y2)),
                                QPoint(std::max(l.x1, l.x2), std::max(l.y1, l.y2)))
                              .adjusted(-pad, -pad, pad, pad)
                              .intersected(pageRect);
        if (box.isEmpty())
            continue;
        Mark mark{box, QImage(box.size(), QImage::Format_ARGB32_Premultiplied)};
        mark.strip.fill(Qt::transparent);
        QPainter painter(&mark.strip);
        painter.translate(-box.left(), -box.top());
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.setPen(QPen(drawing.colour, std::max(1, drawing.ruleWeight), Qt::DashDotLine, Qt::FlatCap));
        painter.drawLine(l.x1, l.y1, l.x2, l.y2);
        painter.end();
        m_marks.push_back(std::move(mark));
    }
}

PageBands::~PageBands() = default;

int PageBands::width() const
{
    return m_drawing.layout.target.pageWidth;
}

int PageBands::height() const
{
    return m_drawing.layout.target.pageHeight;
}

// Takes frames from the pipeline, in its order, up to and including frame index.
void PageBands::take(std::size_t index)
{
    const PageDrawing& d = m_drawing;
    for (; m_taken <= m_place[index] && !m_stopped; ++m_taken) {
        if (m_hooks.cancelled && m_hooks.cancelled()) {
            m_stopped = true;
            break;
        }
        const std::size_t i = m_order[m_taken];
        const FrameSource& source = d.frames[i];
        auto held = std::make_unique<Held>();
        if (source.asIs) {
            m_pipeline->take(m_taken, m_hooks.keepAlive); // nothing was made for it
        } else {
            if (d.filter && m_hooks.status)
                m_hooks.status({d.resampleForm, source.pictureFrame});
            held->frame = m_pipeline->take(m_taken, m_hooks.keepAlive);
            if (d.filter && m_hooks.status)
                m_hooks.status(kPrintingShort);
            const page::Rect& cell = d.layout.frames.at(static_cast<std::size_t>(source.frame - 1)).image;
            held->rect = d.direct ? directRect(cell, held->frame.view.width, held->frame.view.height) : cell;
            held->drawn = true;
        }
        m_held[i] = std::move(held);
        m_wasTaken[i] = true;
    }
}

void PageBands::compose(imaging::BitmapView band)
{
    const PageDrawing& d = m_drawing;
    const int top = m_row;
    const int bottom = top + band.height;
    if (band.width != width() || band.bytesPerPixel != 3 || band.height < 1 || bottom > height())
        throw PrintError("A band does not fit the page");
    if (m_hooks.keepAlive)
        m_hooks.keepAlive();
    for (int y = 0; y < band.height; ++y)
        std::memset(band.row(y), 0xFF, static_cast<std::size_t>(band.width) * 3);
    // Painted in place, shifted so the page's own coordinates land in the band.
    QImage canvas(band.pixels, band.width, band.height, static_cast<qsizetype>(band.stride), QImage::Format_BGR888);
    QPainter painter(&canvas);
    painter.translate(0, -top);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // The cut marks, in the pen's colour where each strip holds its line.
    const std::uint8_t ink[3] = {static_cast<std::uint8_t>(d.colour.blue()), static_cast<std::uint8_t>(d.colour.green()),
                                 static_cast<std::uint8_t>(d.colour.red())};
    for (const Mark& mark : m_marks) {
        const int y0 = std::max(top, mark.box.top());
        const int y1 = std::min(bottom, mark.box.bottom() + 1);
        for (int y = y0; y < y1; ++y) {
            const auto* from = reinterpret_cast<const QRgb*>(mark.strip.constScanLine(y - mark.box.top()));
            std::uint8_t* to = band.row(y - top) + static_cast<std::ptrdiff_t>(mark.box.left()) * 3;
            for (int x = 0; x < mark.box.width(); ++x)
                if (qAlpha(from[x]) != 0)
                    std::memcpy(to + 3 * x, ink, 3);
        }
    }
    // Where a caption's glyphs may reach: from a little above its line to a few lines below.
    const int fontPixels = captionPixels(d);
    for (std::size_t i = 0; i < d.frames.size(); ++i) {
        const FrameSource& source = d.frames[i];
        const PrintedFrame& cell = d.layout.frames.at(static_cast<std::size_t>(source.frame - 1));
        if (cell.image.top < bottom && top < cell.image.bottom())
            take(i);
        if (m_stopped && !m_wasTaken[i])
            break;
        Held* held = m_held[i].get();
        if (held && held->drawn && held->rect.top < bottom && top < held->rect.bottom()) {
            const PreparedFrame& f = held->frame;
            const int paddedWidth = std::max(f.paddedWidth, f.view.width);
            if (paddedWidth == held->rect.width && f.view.height == held->rect.height)
                copyIntoBand(band, top, held->rect, f.view);
            else
                putPicture(painter, held->rect, f, nullptr);
        }
        if (d.captions && !source.details.empty() && cell.captionY - 2 * fontPixels - 16 < bottom &&
            top < cell.captionY + 4 * fontPixels + d.layout.captionHeight * 4 + 16)
            drawCaption(painter, d, cell, source.details);
    }
    painter.end();
    m_row = bottom;
    // Frames wholly above the next band are done with.
    for (std::size_t i = 0; i < m_held.size(); ++i) {
        if (!m_held[i])
            continue;
        const PrintedFrame& cell = d.layout.frames.at(static_cast<std::size_t>(d.frames[i].frame - 1));
        if (cell.image.bottom() <= m_row || m_row >= height()) {
            m_held[i].reset();
            if (m_hooks.progress)
                m_hooks.progress(printProgress(d.frames[i].frame, d.frameCount));
        }
    }
}

int bandHeightFor(int pageWidth)
{
    constexpr long long kBandBytes = 4LL << 20;
    const long long rows = kBandBytes / (3LL * std::max(1, pageWidth));
    return static_cast<int>(std::max<long long>(16, rows / 16 * 16));
}

imaging::Bitmap renderPageBitmap(const PageDrawing& drawing, const DrawHooks& hooks, ReadyFrames* ready)
{
    // The first photos decode while the page bitmap is taken and painted.
    PageBands bands(drawing, hooks, ready);
    imaging::Bitmap bitmap = blankPageBitmap(drawing.layout.target);
    const int step = bandHeightFor(bitmap.width());
    while (bands.rowsDone() < bands.height()) {
        imaging::BitmapView band = bitmap.view();
        band.pixels = bitmap.row(bands.rowsDone());
        band.height = std::min(step, bands.height() - bands.rowsDone());
        bands.compose(band);
    }
    return bitmap;
}

namespace {

// Thrown into the writer when the composing side has failed, so it gives up its file.
struct BandsStopped {};

} // namespace

void writePageBands(const PageDrawing& drawing, const DrawHooks& hooks, ReadyFrames* ready,
                    const std::function<void(const imaging::NextBand&)>& write, int bandHeight)
{
    PageBands bands(drawing, hooks, ready);
    const int step = bandHeight > 0 ? bandHeight : bandHeightFor(bands.width());
    const int count = (bands.height() + step - 1) / step;
    // Two bands in turn: the writer reads one while the other is composed.
    imaging::Bitmap buffers[2];
    std::mutex mutex;
    std::condition_variable changed;
    int composed = 0; // bands ready for the writer
    int given = 0;    // bands handed to the writer; all before the last are free again
    bool composerFailed = false;
    bool writerEnded = false;
    std::exception_ptr writerError;
    const imaging::NextBand next = [&]() -> imaging::ConstBitmapView {
        std::unique_lock lock(mutex);
        changed.notify_all(); // the band handed out before is free
        changed.wait(lock, [&] { return composed > given || composerFailed; });
        if (composerFailed)
            throw BandsStopped{};
        return buffers[given++ % 2].view();
    };
    std::thread writer([&] {
        try {
            write(next);
        } catch (const BandsStopped&) {
        } catch (...) {
            writerError = std::current_exception();
        }
        const std::lock_guard lock(mutex);
        writerEnded = true;
        changed.notify_all();
    });
    try {
        for (int k = 0; k < count; ++k) {
            {
                // Band k goes where band k - 2 was: the writer must have moved past it.
                std::unique_lock lock(mutex);
                while (k >= 2 && given < k && !writerEnded) {
                    changed.wait_for(lock, std::chrono::milliseconds(50));
                    if (hooks.keepAlive) {
                        lock.unlock();
                        hooks.keepAlive();
                        lock.lock();
                    }
                }
                if (writerEnded)
                    break;
            }
            const int rows = std::min(step, bands.height() - k * step);
            imaging::Bitmap& buffer = buffers[k % 2];
            if (buffer.height() != rows || buffer.width() != bands.width())
                buffer = imaging::Bitmap(bands.width(), rows);
            bands.compose(buffer.view());
            const std::lock_guard lock(mutex);
            ++composed;
            changed.notify_all();
        }
    } catch (...) {
        {
            const std::lock_guard lock(mutex);
            composerFailed = true;
            changed.notify_all();
        }
        writer.join();
        throw;
    }
    writer.join();
    if (writerError)
        std::rethrow_exception(writerError);
}

void savePageFile(const PageDrawing& drawing, const DrawHooks& hooks, ReadyFrames* ready, const std::string& path,
                  bool jpeg, int quality, int dpi)
{
    const PrintTarget& t = drawing.layout.target;
    writePageBands(drawing, hooks, ready, [&](const imaging::NextBand& next) {
        if (jpeg)
            imaging::saveJpegBands(path, t.pageWidth, t.pageHeight, std::clamp(quality, 1, 100), next, {}, dpi);
        else
            imaging::saveBmpBands(path, t.pageWidth, t.pageHeight, next, dpi);
    });
}

} // namespace printing
