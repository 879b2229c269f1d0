#include "page/ui/page_view.h"

#include "core/messages.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <new>

namespace page {
namespace {

const QColor kGrey(0x80, 0x80, 0x80);
// The page layer is as large as any page can get, so marks are never cut by the layer.
constexpr int kPageLayerWidth = 2400;
constexpr int kPageLayerHeight = 1600;

// The layout loops step one pixel at a time; show that the program is busy.
class WaitCursor {
public:
    WaitCursor()
    {
        if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            m_set = true;
        }
    }
    ~WaitCursor()
    {
        if (m_set)
            QApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool m_set = false;
};

QRect toQRect(const Rect& r)
{
    return {r.left, r.top, r.width, r.height};
}

// A view of the picture's first `columns` columns, valid while the bitmap lives and is
// not resized; no pixels are copied.
QImage imageOf(const imaging::Bitmap& b, int columns)
{
    const QImage::Format format = b.bytesPerPixel() == 4 ? QImage::Format_RGB32 : QImage::Format_BGR888;
    return QImage(b.data(), columns, b.height(), static_cast<qsizetype>(b.stride()), format);
}

// Area-averaged scaling reads every source pixel; a camera picture is first brought down
// to four times the frame by sampling, which keeps repainting a full page quick.
QImage scaledForFrame(const QImage& source, QSize target)
{
    QImage work = source;
    if (source.width() > 4 * target.width() && source.height() > 4 * target.height())
        work = source.scaled(target * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return work.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// A widget's canvas holds device pixels: on a screen of pixel ratio 2 every logical pixel
// is four, so pictures, lines and numbers are drawn at the screen's own sharpness. Painters
// on it work in logical pixels; what was painted before is kept.
QImage grownCanvas(const QImage& old, QSize logical, qreal dpr, QImage::Format format, Qt::GlobalColor fill)
{
    // A frame squeezed to nothing keeps a canvas of one pixel, so painters on it still work.
    logical = logical.expandedTo(QSize(1, 1));
    if (old.devicePixelRatio() == dpr && old.deviceIndependentSize().toSize() == logical)
        return old;
    QImage grown(logical * dpr, format);
    grown.setDevicePixelRatio(dpr);
    grown.fill(fill);
    QPainter p(&grown);
    p.drawImage(0, 0, old);
    return grown;
}

// Lines are drawn as a pen moved from the first point to the second: the end point is
// left out, so lines meeting end to start do not ink the meeting point twice.
void drawMoveToLine(QPainter& p, const Line& l)
{
    const int dx = (l.x2 > l.x1) - (l.x2 < l.x1);
    const int dy = (l.y2 > l.y1) - (l.y2 < l.y1);
    if (dx == 0 && dy == 0)
        return;
    p.drawLine(l.x1, l.y1, l.x2 - dx, l.y2 - dy);
}

// Marks and frame numbers are small print at 8 points, whatever the desktop's font size:
// the text marks rely on it to show only the lower edge of their glyphs.
QFont markFont(QFont base)
{
    base.setPointSize(8);
    return base;
}

void drawNumber(QPainter& p, int n, const QFont& font)
{
    p.setFont(font);
    p.drawText(QPoint(0, QFontMetrics(font).ascent()), QString::number(n));
}

// A rebuild may be asked for from inside a frame's own mouse handler (a popup command, a
// double-click), so the old controls are hidden and cut off now and deleted once their
// events are over.
void retire(QWidget* w, QObject* receiver)
{
    if (!w)
        return;
    w->hide();
    QObject::disconnect(w, nullptr, receiver, nullptr);
    w->deleteLater();
}

} // namespace

FrameControl::FrameControl(int tag, QWidget* parent) : QWidget(parent), m_tag(tag)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FrameControl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, m_canvas);
    if (!m_lowResolution)
        return;
    // A small amber triangle with "!" in the top right-hand corner.
    const int side = std::max(10, std::min(16, width() / 6));
    const QPointF corner(width() - side - 3, 3);
    const QPolygonF triangle{corner + QPointF(side / 2.0, 0), corner + QPointF(side, side), corner + QPointF(0, side)};
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(255, 176, 0));
    p.drawPolygon(triangle);
    QFont f = font();
    f.setBold(true);
    f.setPixelSize(std::max(6, side * 2 / 3));
    p.setFont(f);
    p.drawText(QRectF(corner.x(), corner.y() + side / 4.0, side, side * 3 / 4.0), Qt::AlignCenter, "!");
}

void FrameControl::setLowResolution(bool low)
{
    if (low == m_lowResolution)
        return;
    m_lowResolution = low;
    update();
}

void FrameControl::resizeEvent(QResizeEvent*)
{
    m_canvas = grownCanvas(m_canvas, size(), devicePixelRatioF(), QImage::Format_RGB32, Qt::white);
}

void FrameControl::mousePressEvent(QMouseEvent* event)
{
    emit pressed(m_tag, event->button(), event->modifiers(), event->globalPosition().toPoint());
}

void FrameControl::mouseDoubleClickEvent(QMouseEvent*)
{
    emit doubleClicked(m_tag);
}

void FrameControl::mouseMoveEvent(QMouseEvent*)
{
    emit hovered(m_tag);
}

PageLayer::PageLayer(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
}

void PageLayer::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, m_canvas);
}

void PageLayer::resizeEvent(QResizeEvent*)
{
    m_canvas = grownCanvas(m_canvas, size(), devicePixelRatioF(), QImage::Format_ARGB32_Premultiplied, Qt::transparent);
}

void PageLayer::mouseMoveEvent(QMouseEvent*)
{
    emit hovered();
}

PageView::PageView(Page& page, QWidget* parent)
    : QWidget(parent), m_page(page), m_background(new QWidget(this)), m_label1(new QLabel(this))
{
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    m_background->setObjectName("Background");
    m_background->setAutoFillBackground(true);
    m_background->setPalette(white);
    m_background->installEventFilter(this);
    m_background->move(kBackgroundStartLeft, kBackgroundTop);
    // The label lies behind the page and takes no clicks, so it never covers a frame.
    m_label1->setObjectName("Label1");
    m_label1->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_label1->lower();
}

bool PageView::buildPage(int windowWidth, int windowHeight)
{
    if (!createBackgroundImage() || !createFrames())
        return false;
    m_page.setPageMargin(m_page.settings().margin_mm);
    sizeVisualPage(windowWidth, windowHeight);
    for (int n = 1; n <= m_page.state().FrameCount; ++n)
        emptyFrame(n);
    return true;
}

void PageView::reportCreationFailure(int frameNumber, std::string_view secondLine)
{
    core::messages().error({"%1\n%2",
                           core::Message(QT_TRANSLATE_NOOP("Paginor", "Sorry - This applcation failed whilst initalising frame number %1"),
                                        frameNumber),
                           core::Message(secondLine)});
}

bool PageView::createBackgroundImage()
{
    retire(m_pageImage, this);
    m_pageImage = nullptr;
    try {
        m_pageImage = new PageLayer(m_background);
    } catch (const std::bad_alloc&) {
        // The page layer has no frame number; 0 says so.
        reportCreationFailure(0, kNotEnoughResources);
        return false;
    }
    m_pageImage->setGeometry(0, 0, 800, 800);
    m_pageImage->lower();
    m_pageImage->show();
    connect(m_pageImage, &PageLayer::hovered, this, [this] {
        m_page.state().HotFrame = 0;
        emit frameHovered(0);
    });
    return true;
}

void PageView::freeFrames()
{
    for (auto& f : m_frames) {
        retire(f, this);
        f = nullptr;
    }
}

bool PageView::createFrames()
{
    freeFrames();
    const int count = m_page.state().FrameCount;
    try {
        for (int n = 1; n <= count; ++n) {
            auto* f = new FrameControl(n, m_background);
            f->setGeometry(0, 0, 0, 0);
            connect(f, &FrameControl::pressed, this, &PageView::frameMouseDown);
            connect(f, &FrameControl::doubleClicked, this, &PageView::frameDoubleClicked);
            connect(f, &FrameControl::hovered, this,
                    [this](int tag) {
                        m_page.state().HotFrame = static_cast<std::uint8_t>(tag);
                        emit frameHovered(tag);
                    });
            f->show();
            m_frames[static_cast<std::size_t>(n)] = f;
        }
    } catch (const std::bad_alloc&) {
        // The check below names the first frame that is missing.
    }
    for (int n = 1; n <= count; ++n) {
        if (!m_frames[static_cast<std::size_t>(n)]) {
            reportCreationFailure(n, kNotEnoughResourcesTryLess);
            return false;
        }
    }
    return true;
}

FrameControl* PageView::FrameImage(int n) const
{
    return n >= 1 && n <= kMaxFrames ? m_frames[static_cast<std::size_t>(n)] : nullptr;
}

void PageView::setWindowSize(int windowWidth, int windowHeight)
{
    m_windowSize = QSize(windowWidth, windowHeight);
}

QSize PageView::windowSize() const
{
    if (m_windowSize.isValid())
        return m_windowSize;
    return window() ? window()->size() : size();
}

QColor PageView::colourOf(std::int32_t bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

void PageView::sizeVisualPage()
{
    const QSize s = windowSize();
    sizeVisualPage(s.width(), s.height());
}

void PageView::sizeVisualPage(int windowWidth, int windowHeight)
{
    m_windowSize = QSize(windowWidth, windowHeight);
    ScreenLayout layout;
    {
        WaitCursor busy;
        layout = m_page.sizeVisualPage(windowWidth, windowHeight);
    }
    if (m_pageImage) {
        QPainter p(&m_pageImage->canvas());
        p.fillRect(0, 0, windowWidth, windowHeight, Qt::white);
    }
    // The progress bar stays docked in the main window's bottom panel; it is not moved
    // under the page, where it would leave that panel.
    m_background->setGeometry(toQRect(layout.background));
    for (std::size_t i = 0; i < layout.frames.size(); ++i)
        if (FrameControl* f = FrameImage(static_cast<int>(i) + 1))
            f->setGeometry(toQRect(layout.frames[i]));
    m_label1->setGeometry(toQRect(layout.label1));
    m_label1->clear();
    displayTextMarks();
    displayMarks();
}

std::vector<Rect> PageView::frameRects() const
{
    std::vector<Rect> rects;
    for (int n = 1; n <= m_page.state().FrameCount; ++n) {
        const FrameControl* f = FrameImage(n);
        if (!f)
            return {};
        rects.push_back({f->x(), f->y(), f->width(), f->height()});
    }
    return rects;
}

void PageView::displayMarks()
{
    if (!m_pageImage)
        return;
    m_pageImage->setGeometry(0, 0, kPageLayerWidth, kPageLayerHeight);
    const settings::Settings& s = m_page.settings();
    const PageState& st = m_page.state();
    // Marks that are off are drawn white: invisible on the page, and they wipe out the
    // coloured marks drawn before at the same places.
    QPen pen(s.PrintMarks ? colourOf(s.tcol) : QColor(Qt::white), 1, Qt::DashDotLine);
    QPainter p(&m_pageImage->canvas());
    p.setPen(pen);
    const Size bg{st.Background.width, st.Background.height};
    for (const Line& l : cutMarks(st.FrameCount, frameRects(), bg, st.ScreenGap, st.ScreenLeftOffset))
        drawMoveToLine(p, l);
    m_pageImage->update();
}

void PageView::displayTextMarks()
{
    if (!m_pageImage)
        return;
    const settings::Settings& s = m_page.settings();
    const QColor colour = s.PrintProps ? colourOf(s.tcol) : QColor(Qt::white);
    const QString text = QStringLiteral("  ") + QString::fromUtf8(kVersionLabel.data(), kVersionLabel.size()) +
                         QString(9, QLatin1Char(' '));
    QPainter p(&m_pageImage->canvas());
    p.setFont(markFont(font()));
    const int ascent = QFontMetrics(p.font()).ascent();
    for (const TextMark& m : textMarks(frameRects())) {
        const QRect clip = toQRect(m.clip);
        p.setClipRect(clip);
        p.fillRect(clip, Qt::white);
        p.setPen(colour);
        p.drawText(QPoint(m.originX, m.originY + ascent), text);
    }
    m_pageImage->update();
}

void PageView::paintEmptyFrame(int n)
{
    FrameControl* f = FrameImage(n);
    FrameControl* f1 = FrameImage(1);
    if (!f || !f1)
        return;
    QPainter p(&f->canvas());
    p.fillRect(toQRect(emptyFillRect({f1->width(), f1->height()})), kGrey);
    // The number is written on the grey of the fill, also where it reaches the border.
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(kGrey);
    p.setPen(Qt::white);
    QFont bold = markFont(font());
    bold.setBold(true);
    drawNumber(p, n, bold);
    f->setLowResolution(false);
    f->update();
}

void PageView::emptyFrame(int n)
{
    m_page.emptyFrame(n);
    paintEmptyFrame(n);
}

void PageView::paintPicture(int n)
{
    FrameControl* f = FrameImage(n);
    if (!f || !m_page.pictureShownIn(n))
        return;
    const float ownerRatio = m_page.frame(m_page.frame(n).PictureOwner).AspectRatio;
    const Rect r = pictureRect(f->height(), ownerRatio);
    // A JPEG picture is drawn from its screen rendition, decoded at the smallest DCT scale
    // that still covers the frame at the screen's pixel density.
    const qreal dpr = devicePixelRatioF();
    const imaging::Bitmap* picture = nullptr;
    try {
        picture = m_page.screenBitmap(n, static_cast<int>(std::ceil(r.width * dpr)),
                                      static_cast<int>(std::ceil(r.height * dpr)));
    } catch (const std::exception& e) {
        core::messages().error(core::messageOf(e));
    }
    if (!picture || picture->empty())
        return;
    f->setLowResolution(lowResolution && lowResolution(n));
    QPainter p(&f->canvas());
    // Only the part left of the frame's right edge is scaled: a picture far wider than
    // its frame (a 10000 x 1 strip) would otherwise be scaled to millions of columns.
    const int visible = std::min(r.width, f->width() - r.left);
    if (visible > 0 && r.height > 0) {
        const auto columns = static_cast<int>(
            std::clamp<long long>(std::llround(static_cast<double>(picture->width()) * visible / r.width), 1,
                                  picture->width()));
        // Scaled to the device pixels the frame covers, then placed in logical pixels.
        const qreal canvasDpr = f->canvas().devicePixelRatio();
        const QSize device(static_cast<int>(std::ceil(visible * canvasDpr)), static_cast<int>(std::ceil(r.height * canvasDpr)));
        QImage scaled = scaledForFrame(imageOf(*picture, columns), device);
        scaled.setDevicePixelRatio(canvasDpr);
        p.drawImage(QPoint(r.left, r.top), scaled);
    }
    QFont tiny = font();
    tiny.setBold(true);
    tiny.setPointSize(1);
    p.setPen(colourOf(m_page.settings().tcol));
    drawNumber(p, n, tiny);
    f->update();
}

void PageView::clearSelection()
{
    m_page.clearSelection();
    if (FrameControl* f1 = FrameImage(1)) {
        const QRect frameRect(1, 1, f1->width() - 1, f1->height() - 1);
        for (int n = 1; n <= m_page.state().FrameCount; ++n) {
            if (FrameControl* f = FrameImage(n)) {
                QPainter p(&f->canvas());
                p.setPen(Qt::white);
                p.setBrush(Qt::NoBrush);
                p.drawRect(frameRect.adjusted(0, 0, -1, -1));
                f->update();
            }
        }
    }
    emit selectionCleared();
}

void PageView::updateVisual()
{
    clearSelection();
    StatusDisplay& status = m_page.status();
    status.showStatus(QT_TRANSLATE_NOOP("Paginor", "Updating..."));
    status.setProgressVisible(true);
    const int count = m_page.state().FrameCount;
    for (int n = 1; n <= count; ++n) {
        status.setProgress(progressPercent(n, count));
        if (m_page.frame(n).Loaded)
            paintPicture(n);
    }
    status.setProgressVisible(false);
    status.setStatus("");
}

void PageView::redisplayPictures()
{
    if (m_page.anySelected())
        clearSelection();
    if (!createFrames())
        core::messages().error(kRebuildFailed);
    sizeVisualPage();
    for (int n = 1; n <= m_page.state().FrameCount; ++n)
        paintEmptyFrame(n);
    updateVisual();
    m_page.status().setProgressVisible(false);
}

void PageView::changeFrameCount(int newCount)
{
    if (!isFrameCount(newCount))
        return;
    const int oldCount = m_page.state().FrameCount;
    freeFrames();
    // Every picture goes, also those of frames beyond the new count and of frames that
    // were copies' sources; nothing on the page refers to them any more.
    m_page.dropAllPictures();
    m_page.setFrameCount(newCount);
    createFrames();
    sizeVisualPage();
    for (int n = 1; n <= newCount; ++n)
        emptyFrame(n);
    m_page.status().setStatus("");
    if (newCount != oldCount)
        m_page.settings().Settings_Changed = true;
    emit selectionCleared();
}

void PageView::ar_BtnClick()
{
    const AspectChoice choice = m_page.aspectRatioFromSelection();
    if (choice.ratio) {
        m_page.setGlobalAspectRatio(*choice.ratio);
        redisplayPictures();
        m_page.settings().Settings_Changed = true;
    }
    if (choice.rejected)
        core::messages().warning(kNegativeAspectRatio);
}

void PageView::setPrintMarks(bool on)
{
    m_page.settings().PrintMarks = on;
    displayMarks();
    m_page.settings().Settings_Changed = true;
}

void PageView::setPrintProps(bool on)
{
    m_page.settings().PrintProps = on;
    displayTextMarks();
    m_page.settings().Settings_Changed = true;
}

bool PageView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_background && (event->type() == QEvent::Enter || event->type() == QEvent::Leave))
        m_page.state().HotFrame = 0;
    return QWidget::eventFilter(watched, event);
}

} // namespace page
