// The "Edit Image" window: a tool column of six panels that open one at a time, the
// frame's details line and a large preview of the working image. The images and their
// rules are imaging/adjust.h; what it edits comes in as an imaging::AdjustSubject.
#pragma once

#include "imaging/kernels/adjust.h"
#include "imaging/kernels/adjust_subject.h"
#include "settings/core/settings.h"

#include <QDialog>
#include <QFuture>
#include <QFutureWatcher>
#include <QTimer>

#include <array>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;
class QToolButton;

namespace imaging {

class CurveControl;

// What the window needs from the rest of the program.
struct AdjustHooks {
    // Asks for a curve file to open (save false) or to save; an empty text is Cancel.
    // Empty hook: the file dialog, in the Curve_Dir folder, for *.tcv files.
    std::function<QString(bool save)> chooseCurveFile;
    // A curve was saved: the frames' curves menu lists the files again.
    std::function<void()> curvesSaved;
};

// The tool panels in their fixed order.
enum class ToolPanel { Crop = 0, Bright, Gamma, Curve, Rgb, Filter };
inline constexpr int kToolPanelCount = 6;

class EditImageWindow final : public QDialog {
    Q_OBJECT
public:
    // The window reads the crop settings (Filter, CZ, Curve_Dir) from settings and
    // writes Filter and CZ back on OK. When the working images cannot be made, failed()
    // is true and the window must not be shown.
    EditImageWindow(AdjustSubject& subject, settings::Settings& settings, AdjustHooks hooks, QWidget* parent = nullptr);
    ~EditImageWindow() override;

    bool failed() const { return !m_images; }
    bool panelOpen(ToolPanel panel) const { return m_open[static_cast<int>(panel)]; }
    // The images as they stand, every pending slider step done.
    const AdjustImages& images();
    const ToneLUT& toneTable() const { return m_tone; }
    QRect previewRect() const;
    // Passes on the full images are running or waiting; the tool buttons are off.
    bool busy() const { return m_busy; }

signals:
    // The last pass asked for has ended (after OK, the picture is stored).
    void passesEnded();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private slots:
    void ok_btnClick();
    void BrightnessSliderChange(int value);
    void onBrightnessEdited(int value);
    void OKBrightnessSpBtnClick();
    void CancelBrightnessSpBtnClick();
    void onGammaSliderChanged(int value);
    void GammaChange(double value);
    void OkGammaSpBtnClick();
    void CancelGammaSpBtnClick();
    void colourSliderChange();
    void rgbOkSpBtnClick();
    void rgbCancelSpBtnClick();
    void ApplyClick();
    void ResetLutBtnClick();
    void onLoadCurveClicked();
    void onSaveCurveClicked();
    void CurvesOkSpBtnClick();
    void CurvesCancelspBtnClick();
    void onCurveControlChanged();
    void onZoomFactorChanged(double value);
    void onAdjustLeftChanged(int value);
    void onAdjustTopChanged(int value);
    void OkCropSpBtnClick();
    void CancelCropSpBtnClick();
    void ApplyFilterSpBtnClick();
    void FilterOKSpBtnClick();
    void FilterCancelSpBtnClick();

private:
    struct Panel {
        QFrame* frame = nullptr;
        QToolButton* button = nullptr;
        int openHeight = 0;
        int closedHeight = 25;
    };

    void buildWindow();
    void buildToolColumn();
    void buildBrightPanel();
    void buildGammaPanel();
    void buildCurvePanel();
    void buildRgbPanel();
    void buildCropPanel();
    void buildFilterPanel();
    // The crop panel's part of a commit: with a zoom other than 1 the visible part is cut
    // out, and the zoom goes back to 1.
    void commitCrop();
    void setZoomSilently(double z);
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool panEvent(QEvent* event);
    Panel& addPanel(ToolPanel which, const char* frameName, const char* buttonName, const QString& caption,
                    int openHeight);
    QPushButton* addPanelButton(ToolPanel which, const char* name, const QString& text, int left,
                                void (EditImageWindow::*slot)());
    QPushButton* addFootButtons(ToolPanel which, const char* okName, void (EditImageWindow::*ok)(), const char* cancelName,
                                void (EditImageWindow::*cancel)());
    void panelButtonClick(ToolPanel which);
    void layOutTools();
    void showControls(Panel& panel, bool shown);
    void closePanel(ToolPanel which);
    void commit();
    void resetControls();
    void fitPreview();
    void showWorking();
    // A tool's step shows on the preview at once; the full image follows once the drag
    // pauses, so a drag computes only its latest value. While a pass runs, steps only
    // replace the one waiting, which starts when the passes end.
    void schedule(ToolPass pass);
    void flush();
    void flushWhenIdle();
    void cancelPending();
    // Work on the full images, which takes seconds on a large picture, runs in a future,
    // one pass after another in the order asked; then(error) follows on the window's
    // thread (without it an error is reported). Meanwhile the preview's painting is held
    // and the buttons and fields that start or change a pass are off.
    using PassEnded = std::function<void(std::exception_ptr)>;
    void runBeside(std::function<void()> work, PassEnded then = {});
    void startNextPass();
    void passEnded();
    // Every asked pass done before returning, waiting on this thread (images(), closing).
    void finishPasses();
    void setBusy(bool busy);
    // A control's own enabled state as the tools set it; while passes run it is kept
    // and applied when they end.
    void setToolEnabled(QWidget* control, bool enabled);
    void setGammaSilently(double gamma);
    void showGammaTable();
    void resetCurveControl();
    void saveCurve();
    void restorePlacement();
    void savePlacement() const;

    AdjustSubject& m_subject;
    settings::Settings& m_settings;
    bool m_cutOut = false; // a commit cut a part out of the working image
    bool m_uncommitted = false; // a pass asked for may leave the working image unlike the baseline
    AdjustHooks m_hooks;
    float m_aspectRatio;
    std::unique_ptr<AdjustImages> m_images;
    const AdjustImages* m_imagesView = nullptr; // what the preview control paints
    ToneLUT m_tone;
    int m_previewBaseHeight = 300;
    std::array<Panel, kToolPanelCount> m_panels;
    std::array<bool, kToolPanelCount> m_open{};
    ToolPass m_pending;
    QTimer m_fullImage;
    struct Pass {
        std::function<void()> work;
        PassEnded then;
    };
    std::deque<Pass> m_passes;             // asked, not started
    PassEnded m_runningThen;               // for the pass in m_running
    bool m_passRunning = false;
    QFuture<std::exception_ptr> m_running;
    QFutureWatcher<std::exception_ptr> m_passWatcher;
    std::vector<QWidget*> m_heldOff;       // turned off by setBusy, on again when idle

    QWidget* TabHolder = nullptr;
    QWidget* OKCancelPanel = nullptr;
    QPushButton* Cancel_Btn = nullptr;
    QPushButton* ok_btn = nullptr;
    QLabel* detailsLabel = nullptr;
    QLineEdit* Edit_Details = nullptr;
    QFrame* Panel1 = nullptr;
    QWidget* adjust_image = nullptr;
    QSlider* BrightnessSlider = nullptr;
    QSpinBox* Bright_Edit = nullptr;
    QSlider* Gama_Slider = nullptr;
    QDoubleSpinBox* Gamma = nullptr;
    CurveControl* Gamma_Lut = nullptr;
    QPushButton* SaveGammaBtn = nullptr;
    std::array<QSlider*, 3> m_colourSliders{};  // red_sl, green_sl, blue_sl
    std::array<QSpinBox*, 3> m_colourEdits{};   // Adjust_R, Adjust_G, Adjust_B
    CurveControl* Manual_Lut_Control = nullptr;
    QDoubleSpinBox* Zoom_Factor = nullptr;
    QCheckBox* centre = nullptr;
    QSpinBox* Adjust_Left = nullptr;
    QSpinBox* Adjust_Top = nullptr;
    QComboBox* Filter = nullptr;
    QComboBox* Filter_Style = nullptr;
    bool m_panning = false;
    bool m_busy = false;  // a pass runs or waits
    bool m_refit = false; // the window was resized meanwhile
    QPoint m_panFrom;
    QPushButton* Apply = nullptr;
    QPushButton* Save_Curve = nullptr;
};

// An error thrown by a pass, told to the user.
void reportPassError(std::exception_ptr error);

// The file dialog for curve files: *.tcv in folder (the Curve_Dir setting).
QString chooseCurveFileWithDialog(QWidget* parent, const std::string& folder, bool save);

} // namespace imaging
