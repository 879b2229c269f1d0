#include "printing/ui/preview_form.h"

#include "imaging/kernels/imaging.h"
#include "imaging/qt/qimage_adapter.h"
#include "page/core/geometry.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QVBoxLayout>

namespace printing {
namespace {

// Kept beside the main window's placement, apart from the settings key.
QSettings placementStore()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Korvan", "Paginor-window");
}

QImage turned(const QImage& image, int angle)
{
    QImage source = image.convertToFormat(QImage::Format_BGR888);
    QImage result = imaging::toQImage(imaging::Rotate90(angle, imaging::viewOf(source)).view());
    result.setDevicePixelRatio(image.devicePixelRatio());
    return result;
}

// The picture on a white canvas of exactly the control's device pixels, so that showing it
// at its own size maps one pixel to one pixel; the page bitmap, made at the same resolution
// but rounded on its own, may differ from the control by a pixel.
QImage onCanvas(const QImage& picture, QSize control, qreal ratio)
{
    const QSize pixels(qRound(control.width() * ratio), qRound(control.height() * ratio));
    if (picture.size() == pixels)
        return picture;
    QImage canvas(pixels, QImage::Format_BGR888);
    canvas.setDevicePixelRatio(ratio);
    canvas.fill(Qt::white);
    QPainter p(&canvas);
    p.drawImage(0, 0, picture);
    return canvas;
}

bool portraitLayout(int frameCount)
{
    return frameCount == 2 || frameCount == 8;
}

} // namespace

PreviewWindow::PreviewWindow(const QImage& page, int frameCount, int pageWidthPx, int pageHeightPx,
                                   int printerDpiX, QWidget* parent)
    : QDialog(parent), m_page(page.copy()), m_frameCount(frameCount)
{
    setObjectName("previewing_form");
    setWindowTitle(tr("Printer Preview"));
    setModal(true);
    buildMenus();
    m_scroll = new QScrollArea(this);
    m_scroll->setBackgroundRole(QPalette::Dark); // the workspace colour around the page
    Image1 = new QLabel;
    Image1->setObjectName("Image1");
    m_scroll->setWidget(Image1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setMenuBar(m_menu);
    column->addWidget(m_scroll);
    // A landscape page at 72 dpi.
    const long double dpi = printerDpiX > 0 ? printerDpiX : 72;
    Image1->resize(page::roundToInt(pageHeightPx / dpi * 72), page::roundToInt(pageWidthPx / dpi * 72));
    FormStorage1RestorePlacement();
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::buildMenus()
{
    auto* bar = new QMenuBar(this);
    bar->setObjectName("MainMenu1");
    m_menu = bar;
    QMenu* view = bar->addMenu(tr("&View"));
    ActualSize1 = view->addAction(tr("&Actual Size"), this, &PreviewWindow::ActualSize1Click);
    ActualSize1->setObjectName("ActualSize1");
    ActualSize1->setCheckable(true);
    FittoWindow1 = view->addAction(tr("&Fit to Window"), this, &PreviewWindow::FittoWindow1Click);
    FittoWindow1->setObjectName("FittoWindow1");
    FittoWindow1->setCheckable(true);
    Rotate90ACW1 = view->addAction(tr("Rotate 90 "), this, &PreviewWindow::Rotate90ACW1Click);
    Rotate90ACW1->setObjectName("Rotate90ACW1");
    QMenu* prefs = bar->addMenu(tr("Prefs"));
    AutoRotatePortrait1 = prefs->addAction(tr("Auto rotate portrait pages to landscape"), this,
                                           &PreviewWindow::AutoRotatePortrait1Click);
    AutoRotatePortrait1->setObjectName("AutoRotatePortrait1");
    AutoRotatePortrait1->setCheckable(true);
    AutoRotatePortrait1->setChecked(true);
    QAction* quit = bar->addAction(tr("&Quit"), this, &PreviewWindow::Quit1Click);
    quit->setObjectName("Quit1");
}

QAction* PreviewWindow::action(const QString& objectName) const
{
    return findChild<QAction*>(objectName);
}

void PreviewWindow::FormStorage1RestorePlacement()
{
    QSettings store = placementStore();
    store.beginGroup("PreviewPlacement");
    if (!restoreGeometry(store.value("geometry").toByteArray())) {
        resize(800, 600);
        if (QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
    }
    FittoWindow1->setChecked(store.value("FittoWindow1", false).toBool());
    ActualSize1->setChecked(store.value("ActualSize1", false).toBool());
    AutoRotatePortrait1->setChecked(store.value("AutoRotatePortrait1", true).toBool());
    store.endGroup();
    showPicture();
}

void PreviewWindow::showPicture()
{
    const qreal ratio = m_page.devicePixelRatio();
    if (portraitLayout(m_frameCount) && AutoRotatePortrait1->isChecked()) {
        m_picture = onCanvas(turned(m_page, 90), Image1->size(), ratio);
    } else {
        if (portraitLayout(m_frameCount))
            Image1->resize(Image1->height(), Image1->width());
        // The page drawn onto the control's own canvas one pixel in from its corner.
        m_picture = onCanvas(QImage(), Image1->size(), ratio);
        QPainter p(&m_picture);
        p.drawImage(1, 1, m_page);
    }
    Image1->setPixmap(QPixmap::fromImage(m_picture));
    Image1->setScaledContents(true);
    ActualHeight = Image1->height();
    ActualWidth = Image1->width();
    if (FittoWindow1->isChecked())
        fitToWindow();
    m_rotated = false;
}

void PreviewWindow::fitToWindow()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const float r = static_cast<float>(Image1->height()) / static_cast<float>(std::max(1, Image1->width()));
    const int maxW = width();
    const int maxH = height() - 50;
    QScreen* screen = QGuiApplication::primaryScreen();
    int w = screen ? screen->geometry().width() : 1024;
    int h = 0;
    // Four pixels of width at a time, until the picture is inside the window.
    do {
        w -= 4;
        h = page::truncToInt(static_cast<long double>(w) * r);
    } while (w > 0 && !(w < maxW && h < maxH));
    Image1->resize(std::max(1, w), std::max(1, h));
    QApplication::restoreOverrideCursor();
}

void PreviewWindow::ActualSize1Click()
{
    ActualSize1->setChecked(true);
    FittoWindow1->setChecked(false);
    if (m_rotated)
        Image1->resize(ActualHeight, ActualWidth);
    else
        Image1->resize(ActualWidth, ActualHeight);
}

void PreviewWindow::FittoWindow1Click()
{
    FittoWindow1->setChecked(true);
    ActualSize1->setChecked(false);
    fitToWindow();
}

void PreviewWindow::Rotate90ACW1Click()
{
    m_rotated = !m_rotated;
    m_picture = turned(m_picture, 270);
    Image1->setPixmap(QPixmap::fromImage(m_picture));
    Image1->resize(Image1->height(), Image1->width());
    if (FittoWindow1->isChecked())
        fitToWindow();
}

void PreviewWindow::AutoRotatePortrait1Click()
{
    // The checkable action has already toggled itself; it shows at the next preview.
}

void PreviewWindow::Quit1Click()
{
    close();
}

void PreviewWindow::savePlacement() const
{
    QSettings store = placementStore();
    store.beginGroup("PreviewPlacement");
    store.setValue("geometry", saveGeometry());
    store.setValue("FittoWindow1", FittoWindow1->isChecked());
    store.setValue("ActualSize1", ActualSize1->isChecked());
    store.setValue("AutoRotatePortrait1", AutoRotatePortrait1->isChecked());
    store.endGroup();
}

void PreviewWindow::done(int result)
{
    // Every way out (Quit, the close box, Escape) keeps the placement.
    if (!m_saved) {
        m_saved = true;
        savePlacement();
    }
    QDialog::done(result);
}

} // namespace printing
