#include "printing/page_render.h"

#include "imaging/qimage_adapter.h"
#include "page/page.h"
#include "printing/frame_pipeline.h"

#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cctype>
#include <cstring>

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

void drawCaption(QPainter& painter, const PageDrawing& d, const PrintedFrame& f, const std::string& text)
{
    if (text.empty())
        return;
    QFont font(d.fontName);
    // tsz points at the target's resolution: the same size on paper and in the file.
    font.setPixelSize(std::max(1, page::roundToInt(static_cast<long double>(d.tsz) * d.layout.target.dpi / 72)));
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
        const page::TFrameRec& f = page.frame(k);
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
    FramePipeline pipeline(frameWork(d));
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
    const long long pixels = static_cast<long long>(t.pageWidth) * t.pageHeight;
    if (t.bitmap && (t.pageWidth < 1 || t.pageHeight < 1 || pixels > imaging::kMaxResultPixels))
        throw PrintError(kPageTooLarge);
    if (!d.filter || d.direct)
        return;
    // Each frame is resampled to its rectangle; the frames share one shape, so one check.
    for (const PrintedFrame& f : d.layout.frames)
        if (static_cast<long long>(f.image.width) * f.image.height > imaging::kMaxResultPixels)
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

imaging::Bitmap renderPageBitmap(const PageDrawing& drawing, const DrawHooks& hooks, ReadyFrames* ready)
{
    std::vector<FrameWork> work = frameWork(drawing);
    if (ready)
        ready->attachTo(work);
    // The first photos decode while the page bitmap, a hundred megabytes at 600 dpi,
    // is taken and painted white.
    FramePipeline pipeline(std::move(work));
    imaging::Bitmap bitmap = blankPageBitmap(drawing.layout.target);
    // Painted in place: the QImage shares the bitmap's memory.
    QImage canvas(bitmap.data(), bitmap.width(), bitmap.height(), static_cast<qsizetype>(bitmap.stride()),
                  QImage::Format_BGR888);
    QPainter painter(&canvas);
    drawPage(painter, drawing, hooks, pipeline, &bitmap);
    painter.end();
    return bitmap;
}

} // namespace printing
