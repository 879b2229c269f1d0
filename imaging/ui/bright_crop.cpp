// The crop-and-zoom and sharpen-and-blur panels of the "Edit Image" window: zooming and
// panning the preview, cutting the visible part out at commit, and the 3 x 3 filters.
#include "imaging/ui/bright_adjust.h"

#include "core/messages.h"
#include "imaging/kernels/crop.h"

#include <QCoreApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>

namespace imaging {

namespace {

QLabel* label(QWidget* parent, const QString& text, QRect at)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(at);
    return l;
}

QSpinBox* positionEdit(QWidget* parent, const char* name, QRect at)
{
    auto* s = new QSpinBox(parent);
    s->setObjectName(name);
    // No limits: the preview may be panned anywhere.
    s->setRange(-1000000, 1000000);
    s->setSingleStep(5);
    s->setGeometry(at);
    s->setToolTip(QCoreApplication::translate("Paginor", "Hint - \r\nYou can also use the mouse to\r\nchange the image position.  "));
    s->setEnabled(false);
    return s;
}

} // namespace

void EditImageWindow::buildCropPanel()
{
    const Panel& p = addPanel(ToolPanel::Crop, "CropPanel", "CropSpbtn", tr("Crop && Zoom "), 205);
    label(p.frame, tr("Zoom"), {5, 32, 40, 20});
    Zoom_Factor = new QDoubleSpinBox(p.frame);
    Zoom_Factor->setObjectName("Zoom_Factor");
    // The cut-out divides by the factor: 0 and below are refused by the range.
    Zoom_Factor->setRange(0.1, 10.0);
    Zoom_Factor->setSingleStep(0.1);
    Zoom_Factor->setDecimals(1);
    Zoom_Factor->setValue(1.0);
    Zoom_Factor->setGeometry(45, 30, 60, 22);
    centre = new QCheckBox(tr("Centre"), p.frame);
    centre->setObjectName("centre");
    centre->setChecked(m_settings.CZ);
    centre->setGeometry(5, 56, 120, 20);
    label(p.frame, tr("Position"), {5, 78, 60, 18});
    label(p.frame, tr("X"), {5, 98, 12, 20});
    Adjust_Left = positionEdit(p.frame, "Adjust_Left", {18, 96, 50, 22});
    label(p.frame, tr("Y"), {72, 98, 12, 20});
    Adjust_Top = positionEdit(p.frame, "Adjust_Top", {85, 96, 50, 22});
    label(p.frame, tr("Resample Filter "), {5, 122, 130, 18});
    Filter = new QComboBox(p.frame);
    Filter->setObjectName("Filter");
    for (int item = 0; item < kCropFilterItems; ++item)
        Filter->addItem(QCoreApplication::translate("Paginor", std::string(cropFilterLabel(item)).c_str()));
    Filter->setCurrentIndex(std::clamp(m_settings.Filter, 0, kCropFilterItems - 1));
    Filter->setGeometry(5, 142, 130, 22);
    connect(Zoom_Factor, &QDoubleSpinBox::valueChanged, this, &EditImageWindow::onZoomFactorChanged);
    connect(Adjust_Left, &QSpinBox::valueChanged, this, &EditImageWindow::onAdjustLeftChanged);
    connect(Adjust_Top, &QSpinBox::valueChanged, this, &EditImageWindow::onAdjustTopChanged);
    addFootButtons(ToolPanel::Crop, "OkCropSpBtn", &EditImageWindow::OkCropSpBtnClick, "CancelCropSpBtn",
                   &EditImageWindow::CancelCropSpBtnClick);
}

void EditImageWindow::buildFilterPanel()
{
    const Panel& p = addPanel(ToolPanel::Filter, "FilterPAnel", "FilterSpBtn", tr("Sharpen && Blur"), 130);
    Filter_Style = new QComboBox(p.frame);
    Filter_Style->setObjectName("Filter_Style");
    Filter_Style->setEditable(true);
    Filter_Style->addItems({tr("Sharpen"), tr("Enhance Edges "), tr("Soften "), tr("Blur ")});
    Filter_Style->setCurrentIndex(0);
    Filter_Style->setGeometry(5, 32, 130, 22);
    addPanelButton(ToolPanel::Filter, "ApplyFilterSpBtn", tr("Apply"), 38, &EditImageWindow::ApplyFilterSpBtnClick)->move(38, 60);
    addFootButtons(ToolPanel::Filter, "FilterOKSpBtn", &EditImageWindow::FilterOKSpBtnClick, "FilterCancelSpBtn",
                   &EditImageWindow::FilterCancelSpBtnClick);
}

// ---- crop and zoom -------------------------------------------------------------------

void EditImageWindow::onZoomFactorChanged(double z)
{
    const PreviewPlacement p =
        zoomPreview(z, m_previewBaseHeight, m_aspectRatio, Adjust_Left->value(), Adjust_Top->value(), centre->isChecked());
    adjust_image->setGeometry(p.left, p.top, p.width, p.height);
    {
        const QSignalBlocker l(Adjust_Left), t(Adjust_Top);
        Adjust_Left->setValue(p.left);
        Adjust_Top->setValue(p.top);
    }
    setToolEnabled(Adjust_Left, z != 1.0);
    setToolEnabled(Adjust_Top, z != 1.0);
    update();
}

void EditImageWindow::onAdjustLeftChanged(int value)
{
    adjust_image->move(value, adjust_image->y());
    update();
}

void EditImageWindow::onAdjustTopChanged(int value)
{
    adjust_image->move(adjust_image->x(), value);
    update();
}

void EditImageWindow::setZoomSilently(double z)
{
    {
        const QSignalBlocker block(Zoom_Factor);
        Zoom_Factor->setValue(z);
    }
    const QSignalBlocker l(Adjust_Left), t(Adjust_Top);
    Adjust_Left->setValue(0);
    Adjust_Top->setValue(0);
    const bool centred = centre->isChecked();
    centre->blockSignals(true);
    centre->setChecked(false);
    onZoomFactorChanged(z);
    centre->setChecked(centred);
    centre->blockSignals(false);
}

void EditImageWindow::commitCrop()
{
    const double z = Zoom_Factor->value();
    if (z == 1.0)
        return;
    const QRect g = adjust_image->geometry();
    const PreviewPlacement shown{g.x(), g.y(), g.width(), g.height()};
    const int filter = Filter->currentIndex();
    auto cut = std::make_shared<CutOut>();
    m_uncommitted = true;
    runBeside(
        [this, cut, z, shown, filter] {
            *cut = cutOut(m_images->working().view(), z, shown, m_aspectRatio, filter);
            // The cut is dropped on bad_alloc; the working image and its baseline stay as
            // they were.
            m_images->setWorking(std::move(cut->image));
        },
        [this, cut](std::exception_ptr error) {
            if (error) {
                try {
                    std::rethrow_exception(error);
                } catch (const std::bad_alloc&) {
                    core::messages().error(kNoResourcesToAdjust);
                } catch (...) {
                    reportPassError(std::current_exception());
                }
            } else {
                m_cutOut = true;
                if (cut->failure)
                    core::messages().error(*cut->failure);
            }
            setZoomSilently(1.0);
        });
}

void EditImageWindow::OkCropSpBtnClick()
{
    commit();
    closePanel(ToolPanel::Crop);
}

void EditImageWindow::CancelCropSpBtnClick()
{
    resetControls();
    closePanel(ToolPanel::Crop);
}

bool EditImageWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == adjust_image && panelOpen(ToolPanel::Crop) && Zoom_Factor->value() != 1.0 && panEvent(event))
        return true;
    return QDialog::eventFilter(watched, event);
}

// Panning: each move follows the pointer on one axis, the horizontal one first. The
// point grabbed is relative to the image, which moves with the pointer, so it stays.
bool EditImageWindow::panEvent(QEvent* event)
{
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return false;
    if (type == QEvent::MouseButtonRelease) {
        m_panning = false;
        return true;
    }
    if (m_busy)
        return true; // a pass may be replacing the working image
    const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
    const int W = m_images->working().width(), H = m_images->working().height();
    const bool inside = mulDiv(at.x(), W, adjust_image->width()) < W && mulDiv(at.y(), H, adjust_image->height()) < H;
    if (type == QEvent::MouseButtonPress) {
        update();
        adjust_image->setCursor(Qt::ClosedHandCursor);
        if (inside) {
            m_panning = true;
            m_panFrom = at;
        }
        return true;
    }
    adjust_image->setCursor(Qt::OpenHandCursor);
    if (!inside || !m_panning)
        return true;
    adjust_image->setCursor(Qt::ClosedHandCursor);
    if (at.x() == m_panFrom.x())
        Adjust_Top->setValue(adjust_image->y() + at.y() - m_panFrom.y());
    else
        Adjust_Left->setValue(adjust_image->x() + at.x() - m_panFrom.x());
    return true;
}

// ---- sharpen and blur ----------------------------------------------------------------

void EditImageWindow::ApplyFilterSpBtnClick()
{
    // A typed text that names no style filters nothing.
    const int style = Filter_Style->findText(Filter_Style->currentText(), Qt::MatchExactly);
    if (style < 0)
        return;
    flush();
    m_uncommitted = true;
    runBeside([this, style] { m_images->changeWorking([style](BitmapView v) { Convolve3x3(style, v); }); });
}

void EditImageWindow::FilterOKSpBtnClick()
{
    commit();
    closePanel(ToolPanel::Filter);
}

void EditImageWindow::FilterCancelSpBtnClick()
{
    resetControls();
    closePanel(ToolPanel::Filter);
}

} // namespace imaging
