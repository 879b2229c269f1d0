// The "Edit Image" window: building it, laying out the tool column, fitting the preview,
// and OK / Cancel. The tools' own handlers are in bright_tools.cpp.
#include "imaging/ui/bright_adjust.h"

#include "core/messages.h"
#include "imaging/qt/qimage_adapter.h"
#include "imaging/ui/lut_control.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <QtConcurrent/QtConcurrentRun>

#include <chrono>
#include <cmath>
#include <future>
#include <utility>

namespace imaging {

namespace {

constexpr int kToolColumnWidth = 150;
constexpr int kPanelLeft = 5;
constexpr int kPanelWidth = 140;
constexpr int kFirstPanelTop = 55;
constexpr int kPreviewLeft = kToolColumnWidth + 2;
constexpr int kPreviewTop = 52;
// A slider drag shows on the screen-sized rendition at once; the full image is
// recomputed once the drag pauses this long.
constexpr int kFullImageDelayMs = 40;

// The preview image control: the working image's screen-sized rendition stretched to
// its own size; zoomed in beyond it, the part on the screen straight from the full image
// (so panning only repaints, it never recomputes).
class PreviewImage final : public QWidget {
public:
    PreviewImage(const AdjustImages* const& images, QWidget* parent) : QWidget(parent), m_images(images)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter p(this);
        const Bitmap* quick = m_images ? &m_images->preview() : nullptr;
        if (!quick || quick->empty()) {
            p.fillRect(rect(), palette().color(QPalette::Dark));
            return;
        }
        const Bitmap& full = m_images->working();
        if (full.empty() || width() * devicePixelRatioF() <= quick->width() * 1.05) {
            p.drawImage(rect(), wrapAsQImage(quick->view()));
            return;
        }
        const QRect target = event->rect();
        const double sx = double(full.width()) / width(), sy = double(full.height()) / height();
        p.drawImage(QRectF(target), wrapAsQImage(full.view()),
                    QRectF(target.x() * sx, target.y() * sy, target.width() * sx, target.height() * sy));
    }

private:
    const AdjustImages* const& m_images;
};

// Reading a large picture and making its working images take seconds: the work runs
// beside the window's thread, which meanwhile repaints and runs its timers but holds back
// clicks and keys, so no command can change the picture being read. The work's exception,
// if any, passes on. Only the constructor still pumps this way: whether the window can
// open at all is known only once the images exist, and the callers ask before exec().
template <typename Work>
auto besideTheWindow(Work work) -> decltype(work())
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    auto done = std::async(std::launch::async, std::move(work));
    while (done.wait_for(std::chrono::milliseconds(40)) != std::future_status::ready)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return done.get();
}

} // namespace

// Reported here rather than left to the event loop's last resort: an exception must not
// unwind through Qt's own signal handling.
void reportPassError(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        core::messages().error(core::messageOf(e));
    }
}

namespace {

// Beside the main window's place and size.
const char* const kPlacementKey = "bright/geometry";

} // namespace

EditImageWindow::EditImageWindow(AdjustSubject& subject, settings::Settings& settings, AdjustHooks hooks, QWidget* parent)
    : QDialog(parent), m_subject(subject), m_settings(settings), m_hooks(std::move(hooks)),
      m_aspectRatio(subject.aspectRatio()), m_tone(identityLUT())
{
    setObjectName("bright");
    if (!m_hooks.chooseCurveFile)
        m_hooks.chooseCurveFile = [this](bool save) {
            return chooseCurveFileWithDialog(this, m_settings.Curve_Dir, save);
        };
    m_fullImage.setSingleShot(true);
    m_fullImage.setInterval(kFullImageDelayMs);
    connect(&m_fullImage, &QTimer::timeout, this, &EditImageWindow::flushWhenIdle);
    connect(&m_passWatcher, &QFutureWatcherBase::finished, this, &EditImageWindow::passEnded);
    try {
        m_images = besideTheWindow([this] {
            const Bitmap& picture = m_subject.picture();
            return std::make_unique<AdjustImages>(picture.view(), m_aspectRatio);
        });
    } catch (const std::exception&) {
        // bad_alloc, a refused size or a picture that no longer decodes: the caller says so.
        m_images.reset();
        return;
    }
    buildWindow();
    Edit_Details->setText(QString::fromStdString(m_subject.details()));
    restorePlacement();
}

// A pass still running works on m_images: it is waited for; passes not started are dropped.
EditImageWindow::~EditImageWindow()
{
    m_passes.clear();
    if (m_passRunning)
        m_running.waitForFinished();
    if (m_busy)
        QApplication::restoreOverrideCursor();
}

const AdjustImages& EditImageWindow::images()
{
    finishPasses();
    return *m_images;
}

QRect EditImageWindow::previewRect() const
{
    return Panel1 ? Panel1->geometry() : QRect();
}

void EditImageWindow::buildWindow()
{
    setWindowTitle(tr("Edit Image "));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);
    buildToolColumn();

    detailsLabel = new QLabel(tr("Image details (printed in margins)"), this);
    QFont bold = detailsLabel->font();
    bold.setBold(true);
    detailsLabel->setFont(bold);
    detailsLabel->setGeometry(kPreviewLeft, 4, 400, 18);
    Edit_Details = new QLineEdit(this);
    Edit_Details->setObjectName("Edit_Details");
    Edit_Details->setGeometry(kPreviewLeft, 24, 400, 22);

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setAutoFillBackground(true);
    Panel1->setBackgroundRole(QPalette::Dark);
    m_imagesView = m_images.get();
    adjust_image = new PreviewImage(m_imagesView, Panel1);
    adjust_image->setObjectName("adjust_image");
    adjust_image->installEventFilter(this);
    resize(812, 612);
}

EditImageWindow::Panel& EditImageWindow::addPanel(ToolPanel which, const char* frameName, const char* buttonName,
                                  const QString& caption, int openHeight)
{
    Panel& p = m_panels[static_cast<int>(which)];
    p.frame = new QFrame(TabHolder);
    p.frame->setObjectName(frameName);
    p.frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    p.openHeight = openHeight;
    p.button = new QToolButton(p.frame);
    p.button->setObjectName(buttonName);
    p.button->setText(caption); // "&&" shows as "&", as in the stored captions
    p.button->setCheckable(true);
    p.button->setAutoRaise(true);
    p.button->setGeometry(0, 0, kPanelWidth, 25);
    connect(p.button, &QToolButton::clicked, this, [this, which] { panelButtonClick(which); });
    return p;
}

QPushButton* EditImageWindow::addPanelButton(ToolPanel which, const char* name, const QString& text, int left,
                                     void (EditImageWindow::*slot)())
{
    auto* b = new QPushButton(text, m_panels[static_cast<int>(which)].frame);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->resize(64, 22);
    b->move(left, 0);
    connect(b, &QPushButton::clicked, this, slot);
    return b;
}

QPushButton* EditImageWindow::addFootButtons(ToolPanel which, const char* okName, void (EditImageWindow::*ok)(),
                                     const char* cancelName, void (EditImageWindow::*cancel)())
{
    const Panel& p = m_panels[static_cast<int>(which)];
    QPushButton* okButton = addPanelButton(which, okName, tr("OK"), 5, ok);
    QPushButton* cancelButton = addPanelButton(which, cancelName, tr("Cancel"), 71, cancel);
    okButton->move(5, p.openHeight - 27);
    cancelButton->move(71, p.openHeight - 27);
    return okButton;
}

void EditImageWindow::buildToolColumn()
{
    TabHolder = new QWidget(this);
    TabHolder->setObjectName("TabHolder");
    auto* title = new QLabel(tr("Paginor "), TabHolder);
    QFont big = title->font();
    big.setPointSize(16);
    big.setBold(true);
    title->setFont(big);
    title->setStyleSheet("color: blue");
    title->setGeometry(kPanelLeft, 2, kPanelWidth, 28);
    auto* tools = new QLabel(tr("Image Tools "), TabHolder);
    QFont bold = tools->font();
    bold.setBold(true);
    tools->setFont(bold);
    tools->setGeometry(kPanelLeft, 32, kPanelWidth, 18);

    // Crop and zoom, sharpen and blur: their panels stay closed and empty for now.
    buildCropPanel();
    buildBrightPanel();
    buildGammaPanel();
    buildCurvePanel();
    buildRgbPanel();
    buildFilterPanel();

    OKCancelPanel = new QWidget(TabHolder);
    OKCancelPanel->setObjectName("OKCancelPanel");
    Cancel_Btn = new QPushButton(tr("Cancel"), OKCancelPanel);
    Cancel_Btn->setObjectName("Cancel_Btn");
    Cancel_Btn->setAutoDefault(false);
    Cancel_Btn->setGeometry(0, 0, 68, 26);
    connect(Cancel_Btn, &QPushButton::clicked, this, &QDialog::reject);
    ok_btn = new QPushButton(tr("OK"), OKCancelPanel);
    ok_btn->setObjectName("ok_btn");
    ok_btn->setDefault(true);
    ok_btn->setGeometry(72, 0, 68, 26);
    connect(ok_btn, &QPushButton::clicked, this, &EditImageWindow::ok_btnClick);
    for (Panel& p : m_panels)
        p.frame->setGeometry(kPanelLeft, 0, kPanelWidth, p.closedHeight);
    layOutTools();
}

void EditImageWindow::layOutTools()
{
    auto stack = [this] {
        int top = kFirstPanelTop;
        for (Panel& p : m_panels) {
            p.frame->move(kPanelLeft, top);
            top += p.frame->height() + 1;
        }
        const QRect last = m_panels.back().frame->geometry();
        OKCancelPanel->setGeometry(kPanelLeft, last.bottom() + 1 + 5, kPanelWidth, 26);
    };
    for (Panel& p : m_panels) {
        p.frame->resize(kPanelWidth, p.closedHeight);
        p.button->setChecked(false);
        showControls(p, false);
    }
    stack();
    for (int k = 0; k < kToolPanelCount; ++k) {
        if (!m_open[k])
            continue;
        m_panels[k].frame->resize(kPanelWidth, m_panels[k].openHeight);
        m_panels[k].button->setChecked(true);
        showControls(m_panels[k], true);
        stack();
        break;
    }
    update(); // the preview frame
}

// A closed panel is clipped to its button, but clipped controls still take Tab, arrow
// keys and the wheel: a step on a hidden brightness slider would recompute from the
// baseline and drop an uncommitted sharpen, a zoom step would make the next commit crop.
// Hidden, they take nothing; their own enabled states stay as the tools set them.
void EditImageWindow::showControls(Panel& panel, bool shown)
{
    for (QObject* o : panel.frame->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (w && w != panel.button)
            w->setVisible(shown);
    }
}

void EditImageWindow::closePanel(ToolPanel which)
{
    m_open[static_cast<int>(which)] = false;
    layOutTools();
}

void EditImageWindow::panelButtonClick(ToolPanel which)
{
    const int k = static_cast<int>(which);
    if (!m_open[k])
        m_open.fill(false);
    m_open[k] = !m_open[k];
    layOutTools();
    commit();
    switch (which) {
    case ToolPanel::Bright:
        // The committed image already holds the last offset; the slider starts again
        // from 0 so that its next step is not added on top of it.
        BrightnessSlider->blockSignals(true);
        Bright_Edit->blockSignals(true);
        BrightnessSlider->setValue(0);
        Bright_Edit->setValue(0);
        BrightnessSlider->blockSignals(false);
        Bright_Edit->blockSignals(false);
        break;
    case ToolPanel::Gamma:
        setGammaSilently(1.0);
        setToolEnabled(Save_Curve, false);
        break;
    case ToolPanel::Curve:
        resetCurveControl();
        break;
    case ToolPanel::Rgb:
        for (int c = 0; c < 3; ++c) {
            const QSignalBlocker blockSlider(m_colourSliders[c]), blockEdit(m_colourEdits[c]);
            m_colourSliders[c]->setValue(0);
            m_colourEdits[c]->setValue(0);
        }
        break;
    case ToolPanel::Filter:
    case ToolPanel::Crop:
        showWorking();
        break;
    }
}

void EditImageWindow::commit()
{
    flush();
    showWorking();
    commitCrop();
    // A panel opened or closed with nothing changed starts no pass (and turns no button off).
    if (std::exchange(m_uncommitted, false))
        runBeside([this] { m_images->commit(); });
}

void EditImageWindow::showWorking()
{
    if (adjust_image)
        adjust_image->update();
}

void EditImageWindow::schedule(ToolPass pass)
{
    // The renditions belong to the running pass until it ends.
    if (!m_busy)
        m_images->applyToPreview(pass);
    m_pending = std::move(pass);
    showWorking();
    m_fullImage.start();
}

void EditImageWindow::flush()
{
    m_fullImage.stop();
    if (!m_pending)
        return;
    runBeside([this, pass = std::move(m_pending)] { m_images->apply(pass); });
    m_pending = {};
    m_uncommitted = true;
}

void EditImageWindow::flushWhenIdle()
{
    if (!m_busy)
        flush();
}

void EditImageWindow::runBeside(std::function<void()> work, PassEnded then)
{
    m_passes.push_back({std::move(work), std::move(then)});
    if (!m_passRunning)
        startNextPass();
}

void EditImageWindow::startNextPass()
{
    if (m_passes.empty()) {
        setBusy(false);
        showWorking();
        flush(); // the latest step asked for while the passes ran
        if (!m_busy)
            emit passesEnded();
        return;
    }
    setBusy(true);
    Pass pass = std::move(m_passes.front());
    m_passes.pop_front();
    m_runningThen = std::move(pass.then);
    m_passRunning = true;
    m_running = QtConcurrent::run([work = std::move(pass.work)]() -> std::exception_ptr {
        try {
            work();
        } catch (...) {
            return std::current_exception();
        }
        return nullptr;
    });
    m_passWatcher.setFuture(m_running);
}

void EditImageWindow::passEnded()
{
    // finishPasses may have taken this pass's end already.
    if (!m_passRunning || !m_running.isFinished())
        return;
    m_passRunning = false;
    const std::exception_ptr error = m_running.result();
    if (const PassEnded then = std::exchange(m_runningThen, {}))
        then(error);
    else if (error)
        reportPassError(error);
    startNextPass();
}

void EditImageWindow::finishPasses()
{
    flush();
    while (m_passRunning) {
        m_running.waitForFinished();
        passEnded();
    }
}

void EditImageWindow::setBusy(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        adjust_image->setUpdatesEnabled(false);
        // Buttons start passes or end the window; the crop fields move the preview the
        // pass may be renewing. Sliders stay on: their steps wait as m_pending.
        std::vector<QWidget*> controls;
        for (QAbstractButton* b : TabHolder->findChildren<QAbstractButton*>())
            controls.push_back(b);
        controls.insert(controls.end(), {Filter, Filter_Style, Zoom_Factor, Adjust_Left, Adjust_Top});
        for (QWidget* w : controls) {
            if (w->isEnabled()) {
                w->setEnabled(false);
                m_heldOff.push_back(w);
            }
        }
        return;
    }
    for (QWidget* w : std::exchange(m_heldOff, {}))
        w->setEnabled(true);
    adjust_image->setUpdatesEnabled(true);
    QApplication::restoreOverrideCursor();
    if (std::exchange(m_refit, false))
        fitPreview();
}

void EditImageWindow::setToolEnabled(QWidget* control, bool enabled)
{
    if (!m_busy) {
        control->setEnabled(enabled);
        return;
    }
    std::erase(m_heldOff, control);
    control->setEnabled(false);
    if (enabled)
        m_heldOff.push_back(control);
}

void EditImageWindow::cancelPending()
{
    m_fullImage.stop();
    m_pending = {};
}

void EditImageWindow::fitPreview()
{
    if (!Panel1)
        return;
    if (m_busy) {
        m_refit = true;
        return;
    }
    // The largest preview of the frame's shape that fits right of the tool column and
    // below the details line (the old rule let tall frames run off the window).
    const int availableWidth = std::max(1, width() - kPreviewLeft - 6);
    const int availableHeight = std::max(1, height() - kPreviewTop - 6);
    const double ar = m_aspectRatio;
    int h = std::min(availableHeight, static_cast<int>(availableWidth / ar));
    while (h > 1 && std::nearbyint(h * ar) > availableWidth)
        --h;
    h = std::max(h, 1);
    const int w = std::max(1, static_cast<int>(std::nearbyint(h * ar)));
    Panel1->setGeometry(kPreviewLeft, kPreviewTop, w, h);
    adjust_image->setGeometry(0, 0, w, h);
    m_previewBaseHeight = h;
    if (Zoom_Factor->value() != 1.0)
        onZoomFactorChanged(Zoom_Factor->value());
    Edit_Details->resize(std::max(w, 200), Edit_Details->height());
    const double dpr = devicePixelRatioF();
    m_images->setPreviewSize(static_cast<int>(w * dpr), static_cast<int>(h * dpr));
    update();
}

void EditImageWindow::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    if (!Panel1 || Panel1->width() < 10)
        return;
    // The red preview frame, one pixel outside the preview panel.
    QPainter p(this);
    p.setPen(Qt::red);
    const QRect r = Panel1->geometry();
    p.drawRect(QRect(QPoint(kToolColumnWidth + 1, r.top() - 1), QPoint(r.width() + kToolColumnWidth + 3, r.bottom() + 2)));
}

void EditImageWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (TabHolder)
        TabHolder->setGeometry(0, 0, kToolColumnWidth, height());
    fitPreview();
}

void EditImageWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (failed())
        return;
    setWindowTitle(tr("Edit Image ") + QString::fromStdString(m_subject.caption()));
    layOutTools();
}

void EditImageWindow::closeEvent(QCloseEvent* event)
{
    cancelPending();
    QDialog::closeEvent(event);
}

void EditImageWindow::done(int result)
{
    // Passes and steps asked for and not started are not wanted once the window closes
    // (after OK the working image is the subject's already).
    m_passes.clear();
    m_runningThen = {};
    cancelPending();
    if (m_images)
        savePlacement();
    QDialog::done(result);
}

void EditImageWindow::mouseMoveEvent(QMouseEvent* event)
{
    unsetCursor();
    QDialog::mouseMoveEvent(event);
}

void EditImageWindow::ok_btnClick()
{
    if (panelOpen(ToolPanel::Crop))
        OkCropSpBtnClick();
    flush();
    // After every pass asked for so far.
    runBeside([] {}, [this](std::exception_ptr) {
        m_subject.store(Edit_Details->text().toStdString(), m_images->takeWorking(), m_cutOut);
        settings::Settings& s = m_settings;
        if (Filter->currentIndex() != s.Filter)
            s.Settings_Changed = true;
        s.Filter = Filter->currentIndex();
        s.CZ = centre->isChecked();
        accept();
    });
}

void EditImageWindow::restorePlacement()
{
    QSettings placement(QSettings::NativeFormat, QSettings::UserScope, "Korvan", "Paginor-window");
    if (restoreGeometry(placement.value(kPlacementKey).toByteArray()))
        return;
    resize(812, 612);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void EditImageWindow::savePlacement() const
{
    QSettings placement(QSettings::NativeFormat, QSettings::UserScope, "Korvan", "Paginor-window");
    placement.setValue(kPlacementKey, saveGeometry());
}

} // namespace imaging
