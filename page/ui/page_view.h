// The on-screen page: a white panel with one control per frame, the transparent layer
// under them that carries the cut marks and text marks, and the label under the page.
#pragma once

#include "page/core/page.h"

#include <QImage>
#include <QPoint>
#include <QWidget>

#include <array>
#include <functional>

class QLabel;

namespace page {

// One frame on the page. It keeps what was painted on it in its own canvas, so the empty
// look, the picture and the selection rectangle stay until something paints over them.
class FrameControl final : public QWidget {
    Q_OBJECT
public:
    FrameControl(int tag, QWidget* parent);
    int tag() const { return m_tag; }
    // Paint on it, then call update(). Sized like the control; new area is white.
    QImage& canvas() { return m_canvas; }
    const QImage& canvas() const { return m_canvas; }
    // The small warning mark of a picture that prints too coarsely: drawn over the
    // canvas on the screen only, never part of the page.
    void setLowResolution(bool low);
    bool lowResolution() const { return m_lowResolution; }

signals:
    void pressed(int tag, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint globalPos);
    void doubleClicked(int tag);
    void hovered(int tag);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    int m_tag;
    QImage m_canvas;
    bool m_lowResolution = false;
};

// The transparent layer under the frames; what is not painted on it shows the page.
class PageLayer final : public QWidget {
    Q_OBJECT
public:
    explicit PageLayer(QWidget* parent);
    QImage& canvas() { return m_canvas; }

signals:
    void hovered();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QImage m_canvas;
};

// The main window's page area. Construct it on a Page the main window owns (the page
// must outlive the view), then call buildPage with the window's size; call
// setWindowSize + redisplayPictures after a resize has settled.
class PageView final : public QWidget {
    Q_OBJECT
public:
    explicit PageView(Page& page, QWidget* parent = nullptr);

    Page& page() { return m_page; }

    // Start-up: the page layer, the frames, the margins, the layout, every frame empty.
    // False (after the message) when a control could not be made: the program ends.
    bool buildPage(int windowWidth, int windowHeight);

    bool createBackgroundImage();
    // Replaces the frame controls by FrameCount new ones (frames 1..FrameCount).
    bool createFrames();
    // Lays the page out for a main window of the given size (the window fit budgets its
    // height for the title and menu bars, the toolbar and the bottom panels).
    void sizeVisualPage(int windowWidth, int windowHeight);
    void sizeVisualPage(); // at the last window size
    void displayMarks();
    void displayTextMarks();
    void updateVisual();
    void redisplayPictures();
    // Rebuilds the page for newCount frames (1, 2, 4, 8 or 16; anything else is ignored);
    // every picture is dropped.
    void changeFrameCount(int newCount);
    // The empty look of frame n: grey, with its number in bold white.
    void paintEmptyFrame(int n);
    // Frame n emptied (record and look), as a frame-count change does it; no check for copies.
    void emptyFrame(int n);
    // Takes the frame aspect ratio from the selected frame (the last one when several are).
    void ar_BtnClick();
    // The toolbar toggles: the setting, its marks redrawn, Settings_Changed.
    void setPrintMarks(bool on);
    void setPrintProps(bool on);
    // Every frame deselected (white selection rectangles); emits selectionCleared.
    void clearSelection();

    FrameControl* FrameImage(int n) const;
    QWidget* Background() const { return m_background; }
    PageLayer* PageImage() const { return m_pageImage; }
    QLabel* Label1() const { return m_label1; }

    void setWindowSize(int windowWidth, int windowHeight);
    QSize windowSize() const;

    // A 0x00BBGGRR colour value as a colour.
    static QColor colourOf(std::int32_t bgr);

    // Whether frame n's picture prints below the resolution the user asks for; asked each
    // time a picture is painted. Empty: no frame is ever marked.
    std::function<bool(int frame)> lowResolution;

signals:
    void frameMouseDown(int frame, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint globalPos);
    void frameDoubleClicked(int frame);
    // The selection was cleared: the image buttons and the aspect-ratio button go off.
    void selectionCleared();
    // The pointer moved over frame n (0: over the page outside every frame).
    void frameHovered(int frame);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void freeFrames();
    void paintPicture(int n);
    std::vector<Rect> frameRects() const;
    void reportCreationFailure(int frameNumber, std::string_view secondLine);

    Page& m_page;
    QWidget* m_background;
    PageLayer* m_pageImage = nullptr;
    QLabel* m_label1;
    std::array<FrameControl*, kMaxFrames + 1> m_frames{};
    QSize m_windowSize;
};

} // namespace page
