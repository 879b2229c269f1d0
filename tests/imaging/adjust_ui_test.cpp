// The "Edit Image" window and the curve control offscreen: opening from the main
// window, the tools' sliders and panels, OK and Cancel, curve files through the panel,
// and mouse editing of the curve.
#include "imaging/ui/bright_adjust.h"
#include "imaging/ui/lut_control.h"

#include "app/ui/application.h"
#include "app/ui/main_form.h"
#include "app/qt/session.h"
#include "core/messages.h"
#include "page/core/edit_frames.h"
#include "page/ui/edit_ui.h"
#include "page/core/frame_commands.h"
#include "page/ui/frame_commands_ui.h"
#include "page/ui/page_view.h"

#include <QMenu>
#include "settings/core/settings.h"
#include "tests/support/bitmaps.h"
#include "tests/support/test_window.h"

#include <QAction>
#include <QCheckBox>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolButton>

#include <cstring>
#include <functional>
#include <future>

namespace {

using imaging::Bitmap;
using imaging::EditImageWindow;

const page::PrinterMetrics kA4At600{"PDF", 600, 600, 4960, 7015};

Bitmap solid(int w, int h, int red, int green, int blue)
{
    return support::solidBitmap(w, h, blue, green, red);
}

// Blue, green and red of the pixel at (x, y).
std::vector<int> bgr(const Bitmap& bmp, int x = 0, int y = 0)
{
    return {bmp.row(y)[bmp.bytesPerPixel() * x], bmp.row(y)[bmp.bytesPerPixel() * x + 1],
            bmp.row(y)[bmp.bytesPerPixel() * x + 2]};
}

// Runs act on the modal window once it is up (exec() does not return until act closes it).
void whenModal(std::function<void(EditImageWindow&)> act)
{
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        if (auto* w = qobject_cast<EditImageWindow*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            act(*w);
        }
    });
    poll->start();
}

template <typename T>
T* child(QWidget& w, const char* name)
{
    return w.findChild<T*>(QString::fromLatin1(name));
}

struct EditPage {
    EditPage() { core::setMessages(&messages); }
    ~EditPage() { core::setMessages(nullptr); }

    void load(int n, Bitmap bmp, float frameRatio)
    {
        model.setGlobalAspectRatio(frameRatio);
        page::FrameRecord& f = model.frame(n);
        f.AspectRatio = float(bmp.width()) / float(bmp.height());
        page::setOwnPixels(f, std::move(bmp));
        f.PictureOwner = n;
        f.Loaded = true;
        f.Selected = true;
        f.FileName = "/photos/p.jpg";
        f.Details = "old details";
    }

    core::ScriptedMessages messages;
    settings::Settings s;
    page::Page model{s, [] { return kA4At600; }};
};

// A picture that can only be had while the window's thread goes on turning its event
// loop: read on that thread itself, it notes so and is had at once rather than hang.
class TurningSubject final : public imaging::AdjustSubject {
public:
    explicit TurningSubject(Bitmap picture) : m_picture(std::move(picture)) {}

    const Bitmap& picture() override
    {
        if (QThread::currentThread() == qApp->thread()) {
            readOnWindowThread = true;
            return m_picture;
        }
        std::promise<void> turned;
        QMetaObject::invokeMethod(qApp, [&turned] { turned.set_value(); }, Qt::QueuedConnection);
        turned.get_future().wait();
        return m_picture;
    }
    float aspectRatio() const override { return 1.5f; }
    std::string details() const override { return {}; }
    std::string caption() const override { return {}; }
    void store(const std::string&, Bitmap, bool) override {}

    bool readOnWindowThread = false;

private:
    Bitmap m_picture;
};

} // namespace

class AdjustUiTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        static QTemporaryDir home;
        qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    }

    void brightnessStepsStartFromTheBaselineAndPanelsCommit()
    {
        EditPage p;
        p.load(1, solid(40, 30, 200, 10, 128), 4.0f / 3.0f);
        page::FrameEdit subject(p.model, 1);
        EditImageWindow w(subject, p.s, {});
        w.show();
        QTest::mouseClick(child<QToolButton>(w, "BrightSpBtn"), Qt::LeftButton);
        QVERIFY(w.panelOpen(imaging::ToolPanel::Bright));
        QCOMPARE(child<QFrame>(w, "GammaPanel")->y(), 55 + 26 + 139);
        auto* slider = child<QSlider>(w, "BrightnessSlider");
        for (int step = 0; step < 10; ++step)
            QTest::keyClick(slider, Qt::Key_Right);
        QCOMPARE(bgr(w.images().working()), (std::vector<int>{148, 30, 220}));
        for (int step = 0; step < 5; ++step)
            QTest::keyClick(slider, Qt::Key_Right);
        QCOMPARE(child<QSpinBox>(w, "Bright_Edit")->value(), 30);
        QCOMPARE(bgr(w.images().working()), (std::vector<int>{158, 40, 230}));
        // A second press closes the panel and commits: the baseline holds the +30.
        QTest::mouseClick(child<QToolButton>(w, "BrightSpBtn"), Qt::LeftButton);
        QVERIFY(!w.panelOpen(imaging::ToolPanel::Bright));
        QCOMPARE(w.images().baseline(), w.images().working());
        QTest::mouseClick(child<QToolButton>(w, "BrightSpBtn"), Qt::LeftButton);
        QCOMPARE(slider->value(), 0);
        child<QSpinBox>(w, "Bright_Edit")->setValue(128);
        QCOMPARE(bgr(w.images().working()), (std::vector<int>{255, 168, 255}));
        QTest::mouseClick(child<QPushButton>(w, "CancelBrightnessSpBtn"), Qt::LeftButton);
        QCOMPARE(bgr(w.images().working()), (std::vector<int>{158, 40, 230}));
        QVERIFY(!w.panelOpen(imaging::ToolPanel::Bright));
    }

    void gammaAndColourRecomputeAndCancelGoesBack()
    {
        EditPage p;
        p.load(1, solid(40, 30, 64, 0, 255), 4.0f / 3.0f);
        page::FrameEdit subject(p.model, 1);
        EditImageWindow w(subject, p.s, {});
        w.show();
        QTest::mouseClick(child<QToolButton>(w, "GammaSpBtn"), Qt::LeftButton);
        child<QSlider>(w, "Gama_Slider")->setValue(200);
        QCOMPARE(child<QDoubleSpinBox>(w, "Gamma")->value(), 2.0);
        QCOMPARE(bgr(w.images().working()), (std::vector<int>{255, 0, 128}));
        QCOMPARE(child<imaging::CurveControl>(w, "Gamma_Lut")->curve().table()[64], 128);
        QTest::mouseClick(child<QPushButton>(w, "CancelGammaSpBtn"), Qt::LeftButton);
        QCOMPARE(bgr(w.images().working()), (std::vector<int>{255, 0, 64}));
        QCOMPARE(child<QDoubleSpinBox>(w, "Gamma")->value(), 1.0);

        // Opening the colour panel closes nothing else; the colour OK keeps the offsets.
        QTest::mouseClick(child<QToolButton>(w, "RgbSpBtn"), Qt::LeftButton);
        child<QSpinBox>(w, "Adjust_R")->setValue(-100);
        child<QSlider>(w, "blue_sl")->setValue(-56);
        QCOMPARE(child<QSpinBox>(w, "Adjust_B")->value(), -56);
        QCOMPARE(bgr(w.images().working()), (std::vector<int>{199, 0, 0}));
        QTest::mouseClick(child<QPushButton>(w, "rgbOkSpBtn"), Qt::LeftButton);
        QCOMPARE(w.images().baseline(), w.images().working());
    }

    void okStoresTheReshapedPictureAndCancelChangesNothing()
    {
        EditPage p;
        p.load(1, solid(400, 300, 1, 2, 3), 0.75f);
        const auto before = p.model.frame(1).PictureHolder;
        whenModal([](EditImageWindow& w) {
            QCOMPARE(w.windowTitle(), QString("Edit Image  - Frame # 1- /photos/p.jpg"));
            QTest::mouseClick(child<QToolButton>(w, "BrightSpBtn"), Qt::LeftButton);
            child<QSpinBox>(w, "Bright_Edit")->setValue(50);
            child<QLineEdit>(w, "Edit_Details")->setText("changed");
            w.move(33, 44);
            w.resize(900, 640);
            QTest::keyClick(&w, Qt::Key_Escape);
        });
        QVERIFY(!page::Properties1Click(p.model, nullptr));
        QCOMPARE(p.model.frame(1).PictureHolder, before);
        QCOMPARE(p.model.frame(1).PictureHolder->width(), 400);
        QCOMPARE(p.model.frame(1).Details, std::string("old details"));
        // The unchanged picture keeps its own shape, or the page would show it stretched.
        QCOMPARE(p.model.frame(1).AspectRatio, 4.0f / 3.0f);

        // OK without any panel still stores the reshaped picture and the details.
        whenModal([](EditImageWindow& w) {
            QCOMPARE(w.size(), QSize(900, 640)); // remembered from the last opening
            QVERIFY(QRect(QPoint(0, 0), w.size()).contains(w.previewRect()));
            child<QLineEdit>(w, "Edit_Details")->setText("new details");
            QTest::mouseClick(child<QPushButton>(w, "ok_btn"), Qt::LeftButton);
        });
        QVERIFY(page::Properties1Click(p.model, nullptr));
        const Bitmap& stored = page::ownPixels(p.model.frame(1));
        QCOMPARE(stored.width(), 225);
        QCOMPARE(stored.height(), 300);
        QCOMPARE(stored.bytesPerPixel(), 4);
        QCOMPARE(p.model.frame(1).Details, std::string("new details"));
        QCOMPARE(p.model.frame(1).AspectRatio, 0.75f);
    }

    void refusedOpeningsSayWhyAndOpenNothing()
    {
        EditPage p;
        QVERIFY(!page::Properties1Click(p.model, nullptr));
        p.load(1, solid(40, 30, 0, 0, 0), 1.5f);
        p.load(2, solid(40, 30, 0, 0, 0), 1.5f);
        QVERIFY(!page::Properties1Click(p.model, nullptr));
        p.model.frame(2).Selected = false;
        p.model.frame(1).AspectRatio = 4.0f / 3.0f;
        imaging::setWorkingImageBudget(100);
        QVERIFY(!page::Properties1Click(p.model, nullptr));
        imaging::setWorkingImageBudget(0);
        QCOMPARE(p.messages.texts(), (std::vector<std::string>{"No images selected",
                                                               "2 images selected \nYou can only adjust 1 image at a time",
                                                               "Not enough resources available to adjust image"}));
        QCOMPARE(p.model.frame(1).AspectRatio, 4.0f / 3.0f);
        QCOMPARE(page::ownPixels(p.model.frame(1)).bytesPerPixel(), 3);
    }

    // A large picture takes seconds to read and copy: the window stays alive meanwhile.
    void openingReadsThePictureWhileTheWindowThreadTurns()
    {
        TurningSubject subject(solid(40, 30, 1, 2, 3));
        settings::Settings s;
        EditImageWindow window(subject, s, {});
        QVERIFY(!subject.readOnWindowThread);
        QVERIFY(!window.failed());
        QCOMPARE(window.images().working().width(), 45);
        QCOMPARE(bgr(window.images().working(), 3), (std::vector<int>{3, 2, 1}));
    }

    void curvesPanelAppliesSavesAndLoadsCurveFiles()
    {
        EditPage p;
        p.load(1, solid(40, 30, 64, 128, 192), 4.0f / 3.0f);
        QTemporaryDir dir;
        QString chosen;
        int saved = 0;
        imaging::AdjustHooks hooks;
        hooks.chooseCurveFile = [&](bool) { return chosen; };
        hooks.curvesSaved = [&] { ++saved; };
        page::FrameEdit subject(p.model, 1);
        EditImageWindow w(subject, p.s, hooks);
        w.show();
        QTest::mouseClick(child<QToolButton>(w, "CurveSpBtn"), Qt::LeftButton);
        auto* control = child<imaging::CurveControl>(w, "Manual_Lut_Control");
        auto* save = child<QPushButton>(w, "Save_Curve");
        control->setNodes("(0, 0), (64, 32), (192, 224), (255, 255)");
        const imaging::ToneLUT s = control->curve().table();
        QVERIFY(!save->isEnabled());
        QTest::mouseClick(child<QPushButton>(w, "Apply"), Qt::LeftButton);
        QCOMPARE(bgr(w.images().working()), (std::vector<int>{s[192], s[128], s[64]}));
        QVERIFY(save->isEnabled());
        chosen = dir.filePath("s.tcv");
        QTest::mouseClick(save, Qt::LeftButton);
        QCOMPARE(saved, 1);
        QVERIFY(!save->isEnabled());
        QCOMPARE(QFile(chosen).size(), 1024);

        // Cancel goes back to the baseline; the loaded file then shows in custom mode.
        QTest::mouseClick(child<QPushButton>(w, "CurvesCancelspBtn"), Qt::LeftButton);
        QCOMPARE(bgr(w.images().working()), (std::vector<int>{192, 128, 64}));
        QTest::mouseClick(child<QToolButton>(w, "CurveSpBtn"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(w, "Load_Curve"), Qt::LeftButton);
        QCOMPARE(control->curve().table(), s);
        QCOMPARE(control->Mode(), imaging::CurveMode::lmCustom);
        QCOMPARE(control->Color(), QColor(Qt::red));
        QVERIFY(!control->isEnabled());
        QTest::mouseClick(child<QPushButton>(w, "Apply"), Qt::LeftButton);
        QCOMPARE(bgr(w.images().working()), (std::vector<int>{s[192], s[128], s[64]}));

        // A failed write names the file and leaves no file behind.
        chosen = dir.filePath("missing/x.tcv");
        QTest::mouseClick(save, Qt::LeftButton);
        QCOMPARE(p.messages.texts().back(), "Can't write file " + chosen.toStdString());
        QCOMPARE(saved, 1);
    }

    void cropPanelZoomsPansOneAxisAtATimeAndCutsOut()
    {
        EditPage p;
        p.s.Filter = 4;
        // Blue at the left and right quarters, red between: a centred zoom of 2 keeps red.
        Bitmap picture = solid(300, 200, 0, 0, 255);
        for (int y = 0; y < 200; ++y)
            for (int x = 75; x < 225; ++x)
                std::memcpy(picture.row(y) + 3 * x, "\0\0\xff", 3);
        p.load(1, std::move(picture), 1.5f);
        p.model.frame(3) = p.model.frame(1);
        p.model.frame(3).PictureHolder.reset();
        p.model.frame(3).CloneOf = 1;
        p.model.frame(3).Selected = false;
        p.model.frame(3).AspectRatio = 2.0f;
        page::FrameEdit subject(p.model, 1);
        EditImageWindow w(subject, p.s, {});
        w.show();
        QTest::mouseClick(child<QToolButton>(w, "CropSpbtn"), Qt::LeftButton);
        auto* zoom = child<QDoubleSpinBox>(w, "Zoom_Factor");
        auto* left = child<QSpinBox>(w, "Adjust_Left");
        auto* top = child<QSpinBox>(w, "Adjust_Top");
        QWidget* image = child<QWidget>(w, "adjust_image");
        // Zoom 1 commits nothing and keeps the position edits disabled.
        QTest::mouseClick(child<QPushButton>(w, "OkCropSpBtn"), Qt::LeftButton);
        QCOMPARE(w.images().working().width(), 300);
        QVERIFY(!left->isEnabled());

        QTest::mouseClick(child<QToolButton>(w, "CropSpbtn"), Qt::LeftButton);
        const QSize base = image->size();
        zoom->setValue(2.0);
        QVERIFY(left->isEnabled());
        QCOMPARE(image->size(), base * 2);
        QCOMPARE(QPoint(left->value(), top->value()), QPoint(-base.width() / 2, -base.height() / 2));
        const QPoint start = image->pos();
        QTest::mousePress(image, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
        QTest::mouseMove(image, QPoint(130, 140));
        QCOMPARE(image->pos(), start + QPoint(30, 0)); // the horizontal axis first
        QTest::mouseMove(image, QPoint(100, 140));
        QCOMPARE(image->pos(), start + QPoint(30, 40));
        QTest::mouseRelease(image, Qt::LeftButton, Qt::NoModifier, QPoint(100, 140));
        QCOMPARE(QPoint(left->value(), top->value()), image->pos());
        // Back to the centre, and the window's OK commits the open panel.
        zoom->setValue(1.5);
        zoom->setValue(2.0);
        QTest::mouseClick(child<QPushButton>(w, "ok_btn"), Qt::LeftButton);
        QTRY_COMPARE(w.result(), int(QDialog::Accepted));
        const Bitmap& cut = page::ownPixels(p.model.frame(1));
        QCOMPARE(cut.width(), 300);
        for (int x : {0, 150, 299})
            QCOMPARE(bgr(cut, x, 100), (std::vector<int>{0, 0, 255}));
        QCOMPARE(p.model.frame(1).AspectRatio, 1.5f);
        QCOMPARE(p.model.frame(3).AspectRatio, 1.5f);
        QVERIFY(!p.s.Settings_Changed);
    }

    // A closed panel shows only its button. Its controls must not take the keyboard
    // either: a brightness step on a hidden slider would drop an uncommitted sharpen, a
    // zoom step would make the next commit crop. Tab goes round the whole window.
    void closedPanelsTakeNoKeyboardFocus()
    {
        EditPage p;
        p.load(1, solid(40, 30, 9, 9, 9), 4.0f / 3.0f);
        page::FrameEdit subject(p.model, 1);
        EditImageWindow w(subject, p.s, {});
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const char* const panels[] = {"CropPanel", "BrightPanel", "GammaPanel", "CurvePanel", "RgbPanel", "FilterPAnel"};
        for (const char* open : {"FilterSpBtn", "CropSpbtn"}) {
            QTest::mouseClick(child<QToolButton>(w, open), Qt::LeftButton);
            child<QLineEdit>(w, "Edit_Details")->setFocus();
            int inOpenPanel = 0;
            for (int step = 0; step < 60; ++step) {
                QWidget* focus = QApplication::focusWidget();
                QVERIFY(focus);
                for (const char* name : panels) {
                    auto* panel = child<QFrame>(w, name);
                    if (!panel->isAncestorOf(focus) || qobject_cast<QToolButton*>(focus))
                        continue;
                    const bool isOpen = panel->height() > 25;
                    QVERIFY2(isOpen, qPrintable(QString("focus on %1 in closed %2").arg(focus->objectName(), name)));
                    ++inOpenPanel;
                }
                QTest::keyClick(focus, Qt::Key_Tab);
            }
            QVERIFY(inOpenPanel > 0); // the open panel's own controls are still reachable
        }
    }

    void sharpenAndBlurFiltersAgainOnEachApply()
    {
        EditPage p;
        Bitmap dot = solid(9, 9, 0, 0, 0);
        std::memset(dot.row(4) + 3 * 4, 255, 3);
        p.load(1, std::move(dot), 1.0f);
        page::FrameEdit subject(p.model, 1);
        EditImageWindow w(subject, p.s, {});
        w.show();
        QTest::mouseClick(child<QToolButton>(w, "FilterSpBtn"), Qt::LeftButton);
        auto* style = child<QComboBox>(w, "Filter_Style");
        QCOMPARE(style->currentText(), QString("Sharpen"));
        style->setCurrentIndex(3);
        QTest::mouseClick(child<QPushButton>(w, "ApplyFilterSpBtn"), Qt::LeftButton);
        QCOMPARE(bgr(w.images().working(), 4, 4), (std::vector<int>{63, 63, 63}));
        QCOMPARE(bgr(w.images().working(), 3, 4), (std::vector<int>{23, 23, 23}));
        QTest::mouseClick(child<QPushButton>(w, "ApplyFilterSpBtn"), Qt::LeftButton);
        QVERIFY(bgr(w.images().working(), 4, 4)[0] < 63);
        const Bitmap twice = w.images().working();
        style->setEditText("Blurry");
        QTest::mouseClick(child<QPushButton>(w, "ApplyFilterSpBtn"), Qt::LeftButton);
        QCOMPARE(w.images().working(), twice);
        QTest::mouseClick(child<QPushButton>(w, "FilterCancelSpBtn"), Qt::LeftButton);
        QCOMPARE(bgr(w.images().working(), 4, 4), (std::vector<int>{255, 255, 255}));
        // The window's OK keeps the crop panel's filter and centring as settings.
        child<QComboBox>(w, "Filter")->setCurrentIndex(6);
        child<QCheckBox>(w, "centre")->setChecked(false);
        QTest::mouseClick(child<QPushButton>(w, "ok_btn"), Qt::LeftButton);
        QTRY_COMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(p.s.Filter, 6);
        QVERIFY(!p.s.CZ);
        QVERIFY(p.s.Settings_Changed);
    }

    // An exception that leaves a slot reaches the event loop's edge: the user is told,
    // and the window and the page go on. A baseline that does not fit after a cut-out is
    // the window's own "Not enough resources" case: the cut is dropped, nothing breaks.
    void errorsInToolsAreReportedAndTheWindowGoesOn()
    {
        EditPage p;
        p.load(1, solid(301, 200, 10, 20, 30), 301.0f / 200.0f);
        page::FrameEdit subject(p.model, 1);
        EditImageWindow w(subject, p.s, {});
        w.show();
        QTest::mouseClick(child<QToolButton>(w, "FilterSpBtn"), Qt::LeftButton);
        auto* style = child<QComboBox>(w, "Filter_Style");
        style->addItem("Blurry"); // as the editable list takes a typed text
        style->setCurrentIndex(4);
        const Bitmap before = w.images().working();
        QTest::mouseClick(child<QPushButton>(w, "ApplyFilterSpBtn"), Qt::LeftButton);
        QTRY_VERIFY(!w.busy());
        QCOMPARE(p.messages.texts(), std::vector<std::string>{"Unknown filter style"});
        QCOMPARE(w.images().working(), before);
        QVERIFY(w.isVisible());

        QTest::mouseClick(child<QToolButton>(w, "CropSpbtn"), Qt::LeftButton);
        QTRY_VERIFY(!w.busy());
        child<QDoubleSpinBox>(w, "Zoom_Factor")->setValue(2.0);
        imaging::setWorkingImageBudget(300 * 200 * 8 - 1); // the cut-out comes back 300 wide: no room for it
        QTest::mouseClick(child<QPushButton>(w, "OkCropSpBtn"), Qt::LeftButton);
        QTRY_VERIFY(!w.busy());
        imaging::setWorkingImageBudget(0);
        QCOMPARE(p.messages.texts().back(), std::string("Not enough resources available to adjust image"));
        QCOMPARE(w.images().working(), before);
        QCOMPARE(w.images().baseline(), before);
        QCOMPARE(child<QDoubleSpinBox>(w, "Zoom_Factor")->value(), 1.0);
        QTest::mouseClick(child<QPushButton>(w, "ok_btn"), Qt::LeftButton);
        QTRY_COMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(page::ownPixels(p.model.frame(1)), before);
    }

    // The full image's pass runs in a future: OK returns at once with the window's buttons
    // off and the slider still live, and the picture is stored when the pass ends.
    void okReturnsBeforeThePassEndsAndStoresAfterIt()
    {
        EditPage p;
        p.load(1, solid(40, 30, 100, 100, 100), 4.0f / 3.0f);
        page::FrameEdit subject(p.model, 1);
        EditImageWindow w(subject, p.s, {});
        w.show();
        const Bitmap before = page::ownPixels(p.model.frame(1));
        QTest::mouseClick(child<QToolButton>(w, "BrightSpBtn"), Qt::LeftButton);
        child<QSpinBox>(w, "Bright_Edit")->setValue(30);
        QTest::mouseClick(child<QPushButton>(w, "ok_btn"), Qt::LeftButton);
        QVERIFY(w.busy());
        for (const char* name : {"ok_btn", "Cancel_Btn", "CancelBrightnessSpBtn"})
            QVERIFY2(!child<QPushButton>(w, name)->isEnabled(), name);
        QVERIFY(child<QSlider>(w, "BrightnessSlider")->isEnabled());
        QCOMPARE(page::ownPixels(p.model.frame(1)), before);
        QTRY_COMPARE(w.result(), int(QDialog::Accepted));
        QVERIFY(!w.busy());
        QCOMPARE(bgr(page::ownPixels(p.model.frame(1))), (std::vector<int>{130, 130, 130}));
    }

    void curveControlEditsNodesWithTheMouse()
    {
        imaging::CurveControl c;
        c.show();
        QCOMPARE(c.size(), QSize(131, 131));
        int changes = 0;
        connect(&c, &imaging::CurveControl::OnChange, [&] { ++changes; });
        c.setNodes("(0, 0), (128, 128), (200, 200), (255, 255)");
        // Curve level v lies at pixel 1 + v * 128 / 255 on this control.
        auto at = [](int x, int y) { return QPoint(1 + x * 128 / 255, 1 + (255 - y) * 128 / 255); };
        QTest::mousePress(&c, Qt::LeftButton, Qt::NoModifier, at(130, 126));
        QTest::mouseMove(&c, at(250, 60));
        QTest::mouseRelease(&c, Qt::LeftButton, Qt::NoModifier, at(250, 60));
        QCOMPARE(c.curve().nodes().size(), std::size_t(4));
        QCOMPARE(c.curve().nodes()[1].x, 199);
        QVERIFY(changes >= 2);
        QTest::mouseClick(&c, Qt::RightButton, Qt::NoModifier, at(199, 60));
        QCOMPARE(c.Nodes(), QString("(0, 0), (200, 200), (255, 255)"));
        // Nodes are drawn in the node colour at their place.
        QCOMPARE(c.grab().toImage().pixel(at(200, 200)), qRgba(0, 0, 255, 255));
        QVERIFY_THROWS_EXCEPTION(imaging::CurveError, c.setGridCols(-1));
        QVERIFY_THROWS_EXCEPTION(imaging::CurveError, c.setNodeSize(17));
        c.setGridRows(0);
        c.grab();
    }

    void editImageOpensFromTheKeyboardDoubleClickAndPopup()
    {
        testwindow::TestWindow window(kA4At600);
        app::MainWindow& form = *window.form;
        QVERIFY(form.FormCreate());
        page::FrameRecord& f = form.pageModel().frame(2);
        page::setOwnPixels(f, solid(40, 30, 9, 9, 9));
        f.PictureOwner = 2;
        f.Loaded = true;
        f.FileName = "/photos/two.jpg";
        form.frameCommands()->SelectImage(2, true);
        int opened = 0;
        auto cancel = [&](EditImageWindow& w) {
            ++opened;
            QVERIFY(w.windowTitle().endsWith("Frame # 2- /photos/two.jpg"));
            w.reject();
        };
        whenModal(cancel);
        QTest::keyClick(form.frameSelector(), Qt::Key_E, Qt::ControlModifier);
        whenModal(cancel);
        QWidget* frame = form.pageView()->FrameImage(2);
        // The double-click's first press selects the frame alone.
        QTest::mouseClick(frame, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
        QTest::mouseDClick(frame, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
        whenModal(cancel);
        QTest::mouseClick(frame, Qt::RightButton, Qt::NoModifier, QPoint(20, 20));
        form.frameCommands()->popupMenu()->hide();
        form.frameCommands()->popupAction("EditImage1")->trigger();
        QCOMPARE(opened, 3);
        core::setMessages(nullptr);
    }
};

// The program's own application object, so that exceptions meet its event-loop edge.
int main(int argc, char** argv)
{
    app::Application application(argc, argv);
    AdjustUiTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "adjust_ui_test.moc"
