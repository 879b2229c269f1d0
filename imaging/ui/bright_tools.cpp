// The tools of the "Edit Image" window: brightness, gamma, colour balance and the
// contrast curves with their curve files. Every step recomputes the working image from
// the baseline; the panel's OK commits it, its Cancel goes back to the baseline.
#include "imaging/ui/bright_adjust.h"

#include "core/messages.h"
#include "imaging/ui/lut_control.h"

#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

#include <cmath>

namespace imaging {

namespace {

QSlider* slider(QWidget* parent, const char* name, int low, int high, int step, QRect at)
{
    auto* s = new QSlider(Qt::Horizontal, parent);
    s->setObjectName(name);
    s->setRange(low, high);
    s->setSingleStep(step);
    s->setPageStep(step * 8);
    s->setGeometry(at);
    return s;
}

QSpinBox* spinEdit(QWidget* parent, const char* name, int low, int high, QRect at)
{
    auto* s = new QSpinBox(parent);
    s->setObjectName(name);
    s->setRange(low, high);
    s->setGeometry(at);
    return s;
}

// The two curve controls of the window: 121 x 105, grey grid, black line, blue nodes.
CurveControl* curveControl(QWidget* parent, const char* name, QRect at)
{
    auto* c = new CurveControl(parent);
    c->setObjectName(name);
    c->setGeometry(at);
    c->setGridColor(qRgba(127, 127, 127, 255));
    c->setLineColor(qRgba(0, 0, 0, 255));
    c->setNodeColor(qRgba(0, 0, 255, 255));
    c->setGridCols(8);
    c->setGridRows(8);
    return c;
}

QLabel* endLabel(QWidget* parent, const QString& text, const char* colour, QRect at, Qt::Alignment align)
{
    auto* l = new QLabel(text, parent);
    l->setStyleSheet(QString("color: %1").arg(colour));
    l->setAlignment(align);
    l->setGeometry(at);
    return l;
}

} // namespace

void EditImageWindow::buildBrightPanel()
{
    const Panel& p = addPanel(ToolPanel::Bright, "BrightPanel", "BrightSpBtn", tr("Brightness"), 138);
    BrightnessSlider = slider(p.frame, "BrightnessSlider", -128, 128, 2, {5, 32, 130, 24});
    Bright_Edit = spinEdit(p.frame, "Bright_Edit", -128, 128, {40, 62, 64, 22});
    connect(BrightnessSlider, &QSlider::valueChanged, this, &EditImageWindow::BrightnessSliderChange);
    connect(Bright_Edit, &QSpinBox::valueChanged, this, &EditImageWindow::onBrightnessEdited);
    addFootButtons(ToolPanel::Bright, "OKBrightnessSpBtn", &EditImageWindow::OKBrightnessSpBtnClick, "CancelBrightnessSpBtn",
                   &EditImageWindow::CancelBrightnessSpBtnClick);
}

void EditImageWindow::buildGammaPanel()
{
    const Panel& p = addPanel(ToolPanel::Gamma, "GammaPanel", "GammaSpBtn", tr("Gamma Curve"), 261);
    Gama_Slider = slider(p.frame, "Gama_Slider", 10, 500, 5, {5, 30, 130, 24});
    Gama_Slider->setValue(100);
    Gamma = new QDoubleSpinBox(p.frame);
    Gamma->setObjectName("Gamma");
    Gamma->setRange(0.1, 6.0);
    Gamma->setSingleStep(0.05);
    Gamma->setDecimals(2);
    Gamma->setValue(1.0);
    Gamma->setGeometry(35, 56, 72, 22);
    Gamma_Lut = curveControl(p.frame, "Gamma_Lut", {10, 82, 121, 105});
    Gamma_Lut->setEnabled(false);
    Gamma_Lut->LoadTable(m_tone);
    SaveGammaBtn = new QPushButton(tr("Save Curve "), p.frame);
    SaveGammaBtn->setObjectName("SaveGammaBtn");
    SaveGammaBtn->setAutoDefault(false);
    SaveGammaBtn->setGeometry(20, 194, 100, 24);
    connect(SaveGammaBtn, &QPushButton::clicked, this, &EditImageWindow::saveCurve);
    connect(Gama_Slider, &QSlider::valueChanged, this, &EditImageWindow::onGammaSliderChanged);
    connect(Gamma, &QDoubleSpinBox::valueChanged, this, &EditImageWindow::GammaChange);
    addFootButtons(ToolPanel::Gamma, "OkGammaSpBtn", &EditImageWindow::OkGammaSpBtnClick, "CancelGammaSpBtn",
                   &EditImageWindow::CancelGammaSpBtnClick);
}

void EditImageWindow::buildCurvePanel()
{
    const Panel& p = addPanel(ToolPanel::Curve, "CurvePanel", "CurveSpBtn", tr("Contrast Curves"), 260);
    Manual_Lut_Control = curveControl(p.frame, "Manual_Lut_Control", {10, 30, 121, 105});
    Manual_Lut_Control->setToolTip(tr("Edit me!"));
    connect(Manual_Lut_Control, &CurveControl::OnChange, this, &EditImageWindow::onCurveControlChanged);
    addPanelButton(ToolPanel::Curve, "Load_Curve", tr("Load"), 5, &EditImageWindow::onLoadCurveClicked)->move(5, 140);
    Save_Curve = addPanelButton(ToolPanel::Curve, "Save_Curve", tr("Save"), 71, &EditImageWindow::onSaveCurveClicked);
    Save_Curve->move(71, 140);
    setToolEnabled(Save_Curve, false);
    Apply = addPanelButton(ToolPanel::Curve, "Apply", tr("Apply"), 5, &EditImageWindow::ApplyClick);
    Apply->move(5, 166);
    addPanelButton(ToolPanel::Curve, "ResetLutBtn", tr("Reset"), 71, &EditImageWindow::ResetLutBtnClick)->move(71, 166);
    addFootButtons(ToolPanel::Curve, "CurvesOkSpBtn", &EditImageWindow::CurvesOkSpBtnClick, "CurvesCancelspBtn",
                   &EditImageWindow::CurvesCancelspBtnClick);
}

void EditImageWindow::buildRgbPanel()
{
    const Panel& p = addPanel(ToolPanel::Rgb, "RgbPanel", "RgbSpBtn", tr("Adjust Color    "), 300);
    struct Channel {
        const char *slider, *edit, *left, *leftColour, *right, *rightColour;
    };
    const Channel channels[3] = {{"red_sl", "Adjust_R", QT_TR_NOOP("Cyan"), "cyan", QT_TR_NOOP("Red"), "red"},
                                 {"green_sl", "Adjust_G", QT_TR_NOOP("Magenta"), "magenta", QT_TR_NOOP("Green"), "green"},
                                 {"blue_sl", "Adjust_B", QT_TR_NOOP("Yellow"), "#c0a000", QT_TR_NOOP("Blue"), "blue"}};
    for (int c = 0; c < 3; ++c) {
        const int top = 30 + 78 * c;
        endLabel(p.frame, tr(channels[c].left), channels[c].leftColour, {5, top, 64, 16}, Qt::AlignLeft);
        endLabel(p.frame, tr(channels[c].right), channels[c].rightColour, {71, top, 64, 16}, Qt::AlignRight);
        m_colourSliders[c] = slider(p.frame, channels[c].slider, -256, 256, 2, {5, top + 16, 130, 24});
        m_colourEdits[c] = spinEdit(p.frame, channels[c].edit, -256, 256, {40, top + 42, 64, 22});
        QSlider* s = m_colourSliders[c];
        QSpinBox* e = m_colourEdits[c];
        connect(s, &QSlider::valueChanged, this, [this, e](int v) {
            const QSignalBlocker block(e);
            e->setValue(v);
            colourSliderChange();
        });
        connect(e, &QSpinBox::valueChanged, s, &QSlider::setValue);
    }
    addFootButtons(ToolPanel::Rgb, "rgbOkSpBtn", &EditImageWindow::rgbOkSpBtnClick, "rgbCancelSpBtn",
                   &EditImageWindow::rgbCancelSpBtnClick);
}

// ---- brightness ----------------------------------------------------------------------

void EditImageWindow::BrightnessSliderChange(int value)
{
    Bright_Edit->setValue(value);
}

void EditImageWindow::onBrightnessEdited(int value)
{
    {
        const QSignalBlocker block(BrightnessSlider);
        BrightnessSlider->setValue(value);
    }
    schedule(brightnessPass(value));
}

void EditImageWindow::OKBrightnessSpBtnClick()
{
    commit();
    closePanel(ToolPanel::Bright);
    const QSignalBlocker blockSlider(BrightnessSlider), blockEdit(Bright_Edit);
    BrightnessSlider->setValue(0);
    Bright_Edit->setValue(0);
}

void EditImageWindow::resetControls()
{
    cancelPending();
    const QSignalBlocker b1(BrightnessSlider), b2(Bright_Edit);
    BrightnessSlider->setValue(0);
    Bright_Edit->setValue(0);
    for (int c = 0; c < 3; ++c) {
        const QSignalBlocker s(m_colourSliders[c]), e(m_colourEdits[c]);
        m_colourSliders[c]->setValue(0);
        m_colourEdits[c]->setValue(0);
    }
    setGammaSilently(1.0);
    setZoomSilently(1.0);
    // Every control back at its neutral value recomputes to the baseline itself.
    m_uncommitted = false;
    runBeside([this] { m_images->restoreBaseline(); });
}

void EditImageWindow::CancelBrightnessSpBtnClick()
{
    resetControls();
    closePanel(ToolPanel::Bright);
}

// ---- gamma ---------------------------------------------------------------------------

void EditImageWindow::onGammaSliderChanged(int value)
{
    Gamma->setValue(value / 100.0);
}

void EditImageWindow::GammaChange(double value)
{
    {
        const QSignalBlocker block(Gama_Slider);
        Gama_Slider->setValue(static_cast<int>(std::nearbyint(value * 100.0)));
    }
    m_tone = gammaLUT(value);
    showGammaTable();
    schedule(tonePass(m_tone));
}

void EditImageWindow::setGammaSilently(double gamma)
{
    const QSignalBlocker b1(Gamma), b2(Gama_Slider);
    Gamma->setValue(gamma);
    Gama_Slider->setValue(static_cast<int>(std::nearbyint(gamma * 100.0)));
    m_tone = gammaLUT(gamma);
    showGammaTable();
}

void EditImageWindow::showGammaTable()
{
    Gamma_Lut->LoadTable(m_tone);
    Gamma_Lut->update();
}

void EditImageWindow::OkGammaSpBtnClick()
{
    commit();
    closePanel(ToolPanel::Gamma);
    setGammaSilently(1.0);
    m_uncommitted = false;
    runBeside([this] { m_images->restoreBaseline(); });
}

void EditImageWindow::CancelGammaSpBtnClick()
{
    resetControls();
    setToolEnabled(Save_Curve, false);
    closePanel(ToolPanel::Gamma);
}

// ---- colour balance ------------------------------------------------------------------

void EditImageWindow::colourSliderChange()
{
    schedule(colourPass(m_colourSliders[0]->value(), m_colourSliders[1]->value(), m_colourSliders[2]->value()));
}

void EditImageWindow::rgbOkSpBtnClick()
{
    commit();
    closePanel(ToolPanel::Rgb);
}

void EditImageWindow::rgbCancelSpBtnClick()
{
    resetControls();
    closePanel(ToolPanel::Rgb);
}

// ---- contrast curves -----------------------------------------------------------------

void EditImageWindow::resetCurveControl()
{
    Manual_Lut_Control->setColor(palette().color(QPalette::Button));
    Manual_Lut_Control->setEnabled(true);
    Manual_Lut_Control->ResetToDefaultLine();
    Manual_Lut_Control->setMode(CurveMode::lmNodes);
    setToolEnabled(Save_Curve, false);
}

void EditImageWindow::onCurveControlChanged()
{
    setToolEnabled(Apply, true);
}

void EditImageWindow::ApplyClick()
{
    cancelPending();
    Manual_Lut_Control->ReadTable(m_tone);
    m_uncommitted = true;
    runBeside([this, pass = tonePass(m_tone)] { m_images->apply(pass); });
    setToolEnabled(Save_Curve, true);
}

void EditImageWindow::ResetLutBtnClick()
{
    resetCurveControl();
}

void EditImageWindow::onLoadCurveClicked()
{
    const QString name = m_hooks.chooseCurveFile ? m_hooks.chooseCurveFile(false) : QString();
    if (!name.isEmpty()) {
        try {
            // A short file replaces only the leading entries of the window's table.
            m_tone = readCurveFile(name.toStdString(), m_tone);
            Manual_Lut_Control->LoadTable(m_tone);
            Manual_Lut_Control->setColor(Qt::red); // a loaded curve, not editable
        } catch (const std::exception& e) {
            core::messages().error(core::messageOf(e));
        }
    }
    setToolEnabled(Save_Curve, false);
    setToolEnabled(Apply, true);
    Manual_Lut_Control->setEnabled(false);
}

void EditImageWindow::saveCurve()
{
    const QString name = m_hooks.chooseCurveFile ? m_hooks.chooseCurveFile(true) : QString();
    if (!name.isEmpty()) {
        try {
            writeCurveFile(m_tone, name.toStdString());
            if (m_hooks.curvesSaved)
                m_hooks.curvesSaved();
        } catch (const std::exception& e) {
            core::messages().error(core::messageOf(e));
        }
    }
    setToolEnabled(Save_Curve, false);
}

void EditImageWindow::onSaveCurveClicked()
{
    saveCurve();
}

void EditImageWindow::CurvesOkSpBtnClick()
{
    commit();
    closePanel(ToolPanel::Curve);
}

void EditImageWindow::CurvesCancelspBtnClick()
{
    resetCurveControl();
    Manual_Lut_Control->ReadTable(m_tone);
    resetControls();
    setToolEnabled(Save_Curve, false);
    closePanel(ToolPanel::Curve);
}

// The file dialog for curve files, in the curves folder.
QString chooseCurveFileWithDialog(QWidget* parent, const std::string& folder, bool save)
{
    QFileDialog dialog(parent, save ? QCoreApplication::translate("Paginor", "Save Curve as ") : QCoreApplication::translate("Paginor", "Open Curve"),
                       QString::fromStdString(folder), QCoreApplication::translate("Paginor", "Paginor Curves (*.tcv)"));
    dialog.setDefaultSuffix("tcv");
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

} // namespace imaging
