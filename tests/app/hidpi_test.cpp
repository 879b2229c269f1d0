// The window on a high-density screen: run at the pixel ratio QT_SCALE_FACTOR gives (ctest
// runs it at 1 and at 2). A picture of fine detail must reach the frame at the screen's own
// pixels: drawn at logical pixels and blown up, every 2 x 2 block of the frame would be one
// colour. The print preview's page must be drawn at device pixels too: blown up from
// logical pixels, every edge of the page gets a blended step.
#include "app/ui/main_form.h"
#include "app/qt/session.h"
#include "core/messages.h"
#include "page/ui/page_view.h"
#include "settings/core/settings.h"
#include "settings/ui/resample_dialog.h"
#include "tests/support/test_window.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QSpinBox>
#include <QLabel>
#include <QRandomGenerator>
#include <QTimer>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {

// The share of aligned 2 x 2 blocks inside rect whose four pixels are the same colour.
double uniformBlockShare(const QImage& img, QRect rect)
{
    int uniform = 0;
    int blocks = 0;
    for (int y = rect.top() & ~1; y + 1 <= rect.bottom(); y += 2)
        for (int x = rect.left() & ~1; x + 1 <= rect.right(); x += 2) {
            const QRgb a = img.pixel(x, y);
            uniform += a == img.pixel(x + 1, y) && a == img.pixel(x, y + 1) && a == img.pixel(x + 1, y + 1);
            ++blocks;
        }
    return blocks == 0 ? 1.0 : static_cast<double>(uniform) / blocks;
}

// Pixels of row y that are neither near white nor near black: on a page of black pictures
// and black marks, only a blurred edge gives them.
int blendedPixels(const QImage& img, int y)
{
    int blended = 0;
    for (int x = 0; x < img.width(); ++x) {
        const int g = qGray(img.pixel(x, y));
        blended += g > 48 && g < 207;
    }
    return blended;
}

} // namespace

class HiDpiTest : public QObject {
    Q_OBJECT
private slots:
    void picturesAndToolbarIconsAreDrawnAtDevicePixels();
    void previewPageIsDrawnAtDevicePixels();
    void resampleDialogShowsEveryTextWhole();
};

// Every text of the resample dialog shows whole: each label, button, list and spin box
// gets at least the size its text asks for, inside the dialog.
void HiDpiTest::resampleDialogShowsEveryTextWhole()
{
    settings::Settings s;
    s.Manual_Resamp_Size = 1000; // the widest value
    settings::ResampleDialog dialog(s);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    int checked = 0;
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        if (!w->isVisible() || !(qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
                                 qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w)))
            continue;
        ++checked;
        const QSize wanted = w->sizeHint();
        QVERIFY2(w->width() >= wanted.width() && w->height() >= wanted.height(),
                 qPrintable(QString("%1 is %2x%3, its text needs %4x%5")
                                .arg(w->objectName())
                                .arg(w->width()).arg(w->height()).arg(wanted.width()).arg(wanted.height())));
        QVERIFY2(dialog.rect().contains(QRect(w->mapTo(&dialog, QPoint(0, 0)), w->size())), qPrintable(w->objectName()));
    }
    QCOMPARE(checked, 9); // five labels, the spin box, the list and the two buttons
    QVERIFY(dialog.width() >= 230 && dialog.height() >= 150);
}

void HiDpiTest::picturesAndToolbarIconsAreDrawnAtDevicePixels()
{
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    QImage noise(1600, 1200, QImage::Format_RGB32);
    QRandomGenerator rng(7);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, rng.bounded(2) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    const QString photo = home.filePath("noise.png");
    QVERIFY(noise.save(photo));

    testwindow::TestWindow window(testwindow::kA4At300, {900, 700});
    app::MainWindow& form = *window.form;
    QVERIFY(form.FormCreate());
    form.openFiles({photo});
    QTRY_VERIFY(form.pageModel().frame(1).Loaded);

    QWidget* frame = form.pageView()->FrameImage(1);
    const qreal dpr = frame->devicePixelRatioF();
    const QImage shot = frame->grab().toImage();
    QCOMPARE(shot.width(), qRound(frame->width() * dpr));
    // The middle of the frame, away from the border and the frame number.
    const QRect middle(shot.width() / 4, shot.height() / 4, shot.width() / 2, shot.height() / 2);
    const double share = uniformBlockShare(shot, middle);
    QVERIFY2(share < 0.5, qPrintable(QString("%1 of the 2x2 blocks are one colour at pixel ratio %2").arg(share).arg(dpr)));

    const QToolButton* print = form.toolButton("tb_print");
    const QPixmap icon = print->icon().pixmap(QSize(25, 21), dpr);
    QCOMPARE(icon.size(), QSize(qRound(25 * dpr), qRound(21 * dpr)));
    core::setMessages(nullptr);
}

void HiDpiTest::previewPageIsDrawnAtDevicePixels()
{
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    QImage black(800, 600, QImage::Format_RGB32);
    black.fill(Qt::black);
    const QString photo = home.filePath("black.png");
    QVERIFY(black.save(photo));

    testwindow::TestWindow window(testwindow::kA4At300, {900, 700}, [](settings::Settings& s) {
        s.PrintMarks = true;
        s.PrintProps = false;
    });
    app::MainWindow& form = *window.form;
    QVERIFY(form.FormCreate());
    form.openFiles({photo});
    QTRY_VERIFY(form.pageModel().frame(1).Loaded);

    QImage shot;
    QSize control;
    qreal dpr = 0;
    // The window runs modally: look for it while the page is drawn and once it shows.
    QTimer watch;
    connect(&watch, &QTimer::timeout, [&] {
        QWidget* preview = QApplication::activeModalWidget();
        if (!preview || preview->objectName() != "previewing_form")
            return;
        watch.stop();
        if (auto* image = preview->findChild<QLabel*>("Image1")) {
            dpr = image->devicePixelRatioF();
            control = image->size();
            shot = image->grab().toImage();
        }
        preview->close();
    });
    watch.start(20);
    QAction* previewCommand = form.findChild<QAction*>("PrintPreview1");
    QVERIFY(previewCommand);
    previewCommand->trigger();
    QVERIFY2(!shot.isNull(), "the preview window did not open");
    QCOMPARE(shot.size(), control * dpr);
    // Rows through the frames' middle cross the frames' edges and the cut marks.
    int blended = 0;
    for (int y = shot.height() / 3; y < 2 * shot.height() / 3; y += shot.height() / 12)
        blended += blendedPixels(shot, y);
    QVERIFY2(blended <= 4, qPrintable(QString("%1 blurred pixels at pixel ratio %2").arg(blended).arg(dpr)));
    core::setMessages(nullptr);
}

QTEST_MAIN(HiDpiTest)
#include "hidpi_test.moc"
