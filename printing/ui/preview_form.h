// The print preview window: the page bitmap at 72 dpi, at its own size or fitted to the
// window, turned by quarter turns; its placement and check marks are kept between runs.
// A page bitmap with a device pixel ratio is shown at the screen's own pixels.
#pragma once

#include <QDialog>
#include <QImage>

class QAction;
class QLabel;
class QMenuBar;
class QScrollArea;

namespace printing {

class PreviewWindow : public QDialog {
    Q_OBJECT
public:
    // page: the page bitmap (copied); the printer's portrait page and resolution size
    // the picture control the way the printed page would be.
    PreviewWindow(const QImage& page, int frameCount, int pageWidthPx, int pageHeightPx, int printerDpiX,
                     QWidget* parent = nullptr);
    ~PreviewWindow() override;

    QLabel* imageControl() const { return Image1; }
    QImage shownPicture() const { return m_picture; }
    bool rotated() const { return m_rotated; }
    QAction* action(const QString& objectName) const;

    // Fits the picture control into the window (the Fit to Window command's step).
    void fitToWindow();

private slots:
    void ActualSize1Click();
    void FittoWindow1Click();
    void Rotate90ACW1Click();
    void AutoRotatePortrait1Click();
    void Quit1Click();

protected:
    void done(int result) override;

private:
    void buildMenus();
    void FormStorage1RestorePlacement();
    void showPicture();
    void savePlacement() const;

    QImage m_page;
    int m_frameCount;
    QImage m_picture;
    QMenuBar* m_menu = nullptr;
    QScrollArea* m_scroll = nullptr;
    QLabel* Image1 = nullptr;
    QAction* ActualSize1 = nullptr;
    QAction* FittoWindow1 = nullptr;
    QAction* Rotate90ACW1 = nullptr;
    QAction* AutoRotatePortrait1 = nullptr;
    int ActualHeight = 0;
    int ActualWidth = 0;
    bool m_rotated = false;
    bool m_saved = false;
};

} // namespace printing
