// The frame commands in a window, offscreen, on real image files: mouse selection, the
// popup menu's entries, the Ctrl keys on the frame-count list, Frame Paste, the system
// clipboard, reloading an edited "!" file, export to a chosen program, and the picture
// commands with their status texts.
#include "page/ui/frame_commands_ui.h"

#include "core/messages.h"
#include "app/ui/main_form.h"
#include "app/qt/session.h"
#include "page/core/loading.h"
#include "page/ui/load_ui.h"
#include "page/ui/page_view.h"
#include "settings/ui/resample_dialog.h"
#include "exif/ui/exif_form.h"
#include "printing/ui/layout_ui.h"
#include "tests/support/test_window.h"
#include "tests/support/recording_status.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QSignalSpy>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include <memory>

namespace {

// The load commands return while their files decode: waits for the command's end.
bool loadFinished(page::ImageLoader* loader)
{
    if (!loader->busy())
        return true;
    QSignalSpy done(loader, &page::ImageLoader::loadFinished);
    return done.wait(30000);
}


const page::PrinterMetrics kA4At600{"PDF", 600, 600, 4960, 7015};
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kWhite = qRgb(255, 255, 255);

using support::RecordingStatus;

QImage solid(int w, int h, QColor colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Every pixel different, so a copy that loses or moves one is caught.
QImage gradient(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 11 % 256, (x + y) % 256));
    return image;
}

QImage pixelsOf(const imaging::Bitmap& bmp)
{
    return QImage(bmp.data(), bmp.width(), bmp.height(), static_cast<qsizetype>(bmp.stride()),
                  bmp.bytesPerPixel() == 4 ? QImage::Format_RGB32 : QImage::Format_BGR888)
        .convertToFormat(QImage::Format_RGB32);
}

// A main window as the frame commands see it: the toolbar buttons, the Select and Files
// menu entries and the frame-count list by their names, and a page of four frames.
struct Window {
    Window()
    {
        core::setMessages(&messages);
        for (const char* name : {"tb_load", "tb_load_next", "tb_bin", "tb_rotate", "tb_flip_Vert", "tb_flip_horiz",
                                 "tb_ar", "Centre_btn", "Text_Button", "Page_Button", "tb_stop", "tb_print", "tb_print_next"}) {
            auto* b = new QToolButton(&window);
            b->setObjectName(name);
            b->setEnabled(false);
        }
        for (const char* name : {"All1", "DeSelectAll1", "Delete1", "ClearFilelist1"}) {
            auto* a = new QAction(name, &window);
            a->setObjectName(name);
            a->setEnabled(false);
        }
        selFrames = new QComboBox(&window);
        selFrames->setObjectName("Sel_Frames");
        selFrames->addItems({"1", "2", "4", "8", "16"});
        view = new page::PageView(model, &window);
        view->setGeometry(0, 40, 800, 600);
        window.resize(800, 700);
        window.show();
        built = view->buildPage(800, 600);
        page::FrameCommandHooks hooks;
        hooks.loadFile = [this](const std::string& path) { loadStep({path}); };
        hooks.settings = [this] { ++settingsOpened; };
        ui = std::make_unique<page::FrameCommandsUi>(*view, &window, hooks);
    }
    ~Window()
    {
        ui.reset();
        core::setMessages(nullptr);
    }

    // One load step on files, into the selected frames, as the window runs it.
    void loadStep(std::vector<std::string> files)
    {
        queue.FileList = std::move(files);
        queue.NextFileIndex = 0;
        page::LoadHooks hooks;
        hooks.frameEmptied = [this](int n) { view->paintEmptyFrame(n); };
        hooks.repaintAll = [this] { view->updateVisual(); };
        page::loadFiles(model, queue, hooks);
    }
    void loadInto(int frame, const QString& path)
    {
        model.clearSelection();
        model.frame(frame).Selected = true;
        loadStep({path.toStdString()});
    }
    QString write(const QString& name, const QImage& image)
    {
        const QString path = dir.filePath(name);
        image.save(path);
        return path;
    }

    void click(int frame, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseClick(view->FrameImage(frame), Qt::LeftButton, modifiers, QPoint(20, 20));
    }
    void rightClick(int frame)
    {
        QTest::mouseClick(view->FrameImage(frame), Qt::RightButton, Qt::NoModifier, QPoint(20, 20));
        ui->popupMenu()->hide();
    }
    QAction* entry(const char* name) { return ui->popupAction(QString::fromLatin1(name)); }
    QToolButton* button(const char* name) { return window.findChild<QToolButton*>(name); }
    QRgb border(int frame) { return view->FrameImage(frame)->canvas().pixel(1, 1); }
    QRgb middle(int frame)
    {
        const QImage& c = view->FrameImage(frame)->canvas();
        return c.pixel(c.width() / 4, c.height() / 2);
    }
    const imaging::Bitmap& pixels(int frame) { return model.pictureShownIn(frame)->bitmap(); }

    core::ScriptedMessages messages;
    settings::Settings s;
    RecordingStatus status;
    page::Page model{s, [] { return kA4At600; }, &status};
    QWidget window;
    QComboBox* selFrames = nullptr;
    page::PageView* view = nullptr;
    std::unique_ptr<page::FrameCommandsUi> ui;
    page::FileQueue queue;
    QTemporaryDir dir;
    int settingsOpened = 0;
    bool built = false;
};

class FrameCommandsUiTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QGuiApplication::clipboard()->clear(); }

    void shiftClickAddsAFrameAndAPlainOrCtrlClickSelectsItAlone()
    {
        Window w;
        QVERIFY(w.built);
        w.click(1);
        w.click(3, Qt::ShiftModifier);
        QVERIFY(w.model.frame(1).Selected && w.model.frame(3).Selected);
        QCOMPARE(w.border(1), kRed);
        QCOMPARE(w.border(3), kRed);
        QCOMPARE(w.status.statuses.back(), std::string()); // two selected: the line is cleared
        w.click(2, Qt::ControlModifier);
        QVERIFY(!w.model.frame(1).Selected && !w.model.frame(3).Selected && w.model.frame(2).Selected);
        QCOMPARE(w.border(1), kWhite);
        QCOMPARE(w.status.statuses.back(), std::string("Frame 2: No file loaded"));
    }

    void rightClickAddsToTheSelectionAndOffersWhatALoadedFrameAllows()
    {
        Window w;
        const QString photo = w.write("photo.png", solid(40, 30, Qt::red));
        w.loadInto(1, photo);
        w.click(2);
        QTest::mouseClick(w.view->FrameImage(1), Qt::RightButton, Qt::NoModifier, QPoint(20, 20));
        QVERIFY(w.ui->popupMenu()->isVisible());
        w.ui->popupMenu()->hide();
        QVERIFY(w.model.frame(1).Selected && w.model.frame(2).Selected);
        QCOMPARE(w.ui->commands().PopupFrame, std::uint8_t(1));
        for (const char* on : {"Copy1", "Remove1", "Special_Copy", "Rotate1", "VerticalFlip1", "HorizontalFlip1",
                               "RunShell1", "GrayScale", "Resample1", "Reload1"})
            QVERIFY2(w.entry(on)->isEnabled(), on);
        // Nothing recorded, nothing on the clipboard, no EXIF, and commands not in this window.
        for (const char* off : {"Paste1", "Special_Paste", "ExtendedImageDetails1", "EditImage1", "Load2"})
            QVERIFY2(!w.entry(off)->isEnabled(), off);
        QVERIFY(w.button("tb_rotate")->isEnabled());

        w.rightClick(3); // empty
        for (const char* off : {"Copy1", "Remove1", "Special_Copy", "Rotate1", "RunShell1", "GrayScale", "Reload1"})
            QVERIFY2(!w.entry(off)->isEnabled(), off);
        QVERIFY(!w.button("tb_rotate")->isEnabled());
    }

    void theCopyFramesPopupOffersRemoveButNoPictureCommand()
    {
        Window w;
        w.loadInto(1, w.write("a.png", solid(40, 30, Qt::red)));
        w.rightClick(1);
        w.entry("Copy1")->trigger();
        w.click(2);
        w.rightClick(2);
        QVERIFY(w.entry("Paste1")->isEnabled());
        w.entry("Paste1")->trigger();
        w.rightClick(2);
        QVERIFY(w.entry("Remove1")->isEnabled());
        QVERIFY(w.entry("Special_Copy")->isEnabled());
        for (const char* off : {"Copy1", "Paste1", "Rotate1", "VerticalFlip1", "HorizontalFlip1", "GrayScale",
                                "Resample1", "RunShell1", "Reload1"})
            QVERIFY2(!w.entry(off)->isEnabled(), off);
    }

    void framePasteIntoTwoFramesShowsTheSourcesPictureAndGuardsTheSource()
    {
        Window w;
        const QString photo = w.write("red.png", solid(40, 30, Qt::red));
        w.loadInto(1, photo);
        w.rightClick(1);
        w.entry("Copy1")->trigger();
        w.click(2);
        w.click(3, Qt::ShiftModifier);
        w.rightClick(3);
        w.entry("Paste1")->trigger();
        for (int n : {2, 3}) {
            QCOMPARE(w.model.frame(n).FileName, "* Copy of Frame 1* " + photo.toStdString());
            QCOMPARE(w.middle(n), kRed);
        }
        QVERIFY(!w.model.frame(1).Selected); // the repaint deselects all
        w.click(1);
        QVERIFY(w.window.findChild<QAction*>("Delete1")->isEnabled());
        w.window.findChild<QAction*>("Delete1")->trigger();
        QCOMPARE(w.messages.texts(), std::vector<std::string>{page::clonedFrameMessage(1)});
        QVERIFY(w.model.frame(1).Loaded);
        w.click(2);
        w.click(3, Qt::ShiftModifier);
        w.button("tb_bin")->click();
        QVERIFY(!w.model.frame(2).Loaded && !w.model.frame(3).Loaded);
        QCOMPARE(w.middle(2), qRgb(0x80, 0x80, 0x80));
        QCOMPARE(w.border(2), kRed); // still selected after emptying
        w.click(1);
        w.button("tb_bin")->click();
        QVERIFY(!w.model.frame(1).Loaded);
    }

    void ctrlKeysOnTheFrameCountListAndPlainKeysThatDoNothing()
    {
        Window w;
        w.loadInto(4, w.write("a.png", solid(40, 30, Qt::red)));
        w.selFrames->setFocus();
        QTest::keyClick(w.selFrames, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(page::selectedCount(w.model), 4);
        QCOMPARE(w.border(2), kRed);
        QVERIFY(w.button("tb_rotate")->isEnabled());
        QTest::keyClick(w.selFrames, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(page::selectedCount(w.model), 0);
        QVERIFY(!w.button("tb_rotate")->isEnabled());
        QTest::keyClick(w.selFrames, Qt::Key_A);
        QCOMPARE(page::selectedCount(w.model), 0);
        QCOMPARE(w.selFrames->currentIndex(), 0);
        QTest::keyClick(w.selFrames, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(page::selectedCount(w.model), 0);
        QTest::keyClick(w.selFrames, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(w.settingsOpened, 1);
        w.click(4);
        QTest::keyClick(w.selFrames, Qt::Key_R, Qt::ControlModifier);
        QVERIFY(!w.model.frame(4).Loaded);
    }

    void doubleClickAndCtrlKeysReachTheLoadEditAndPrintCommands()
    {
        Window w;
        std::vector<std::string> calls;
        w.ui->hooks().openImages = [&](bool withDialog) { calls.push_back(withDialog ? "open dialog" : "open"); };
        w.ui->hooks().editImage = [&] { calls.push_back("edit"); };
        w.ui->hooks().print = [&] { calls.push_back("print"); };
        w.loadInto(2, w.write("a.png", solid(40, 30, Qt::red)));
        // A double-click's first press selects the frame alone.
        for (int frame : {3, 2}) {
            w.click(frame);
            QTest::mouseDClick(w.view->FrameImage(frame), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
        }
        w.selFrames->setFocus();
        for (Qt::Key key : {Qt::Key_L, Qt::Key_E, Qt::Key_P})
            QTest::keyClick(w.selFrames, key, Qt::ControlModifier);
        QCOMPARE(calls, (std::vector<std::string>{"open dialog", "edit", "open dialog", "edit", "print"}));
        w.rightClick(2);
        QVERIFY(w.entry("EditImage1")->isEnabled() && w.entry("Load2")->isEnabled());
    }

    void copyWithSeveralFramesSelectedSaysWhichOneGoes()
    {
        Window w;
        w.loadInto(3, w.write("a.png", gradient(12, 8)));
        w.click(1);
        w.click(3, Qt::ShiftModifier);
        w.rightClick(3);
        w.entry("Special_Copy")->trigger();
        QCOMPARE(w.messages.texts(), std::vector<std::string>{page::copyOneImageMessage(3)});
        QCOMPARE(qvariant_cast<QImage>(QGuiApplication::clipboard()->mimeData()->imageData()).size(), QSize(12, 8));
        // Export acts on the first selected picture, which may be a pasted one with no file
        // for another program even when the frame clicked has one.
        w.s.app_assos = false;
        w.s.Image_Editor_App = "gimp";
        w.click(1);
        w.rightClick(1);
        w.entry("Special_Paste")->trigger();
        w.click(1);
        w.click(3, Qt::ShiftModifier);
        w.rightClick(3);
        QVERIFY(w.entry("RunShell1")->isEnabled());
        w.entry("RunShell1")->trigger();
        QCOMPARE(w.messages.texts().back(), page::cantExportPastedMessage("gimp"));
    }

    void theSelectMenuSelectsAndDeselectsEveryFrame()
    {
        Window w;
        auto* all = w.window.findChild<QAction*>("All1");
        QVERIFY(all->isEnabled());
        all->trigger();
        QCOMPARE(page::selectedCount(w.model), 4);
        w.window.findChild<QAction*>("DeSelectAll1")->trigger();
        QCOMPARE(page::selectedCount(w.model), 0);
        QCOMPARE(w.border(3), kWhite);
    }

    void clipboardRoundTripKeepsEveryPixelAndOffersTheDesktopsTypes()
    {
        Window w;
        const QImage original = gradient(37, 23);
        w.loadInto(1, w.write("g.png", original));
        w.click(1);
        w.rightClick(1);
        w.entry("Special_Copy")->trigger();
        const QMimeData* offered = QGuiApplication::clipboard()->mimeData();
        QVERIFY(offered);
        for (const char* type : {"image/png", "image/bmp", "image/x-bmp", "image/jpeg"})
            QVERIFY2(offered->hasFormat(type), type);
        QCOMPARE(QImage::fromData(offered->data("image/png")).convertToFormat(QImage::Format_RGB32), original);
        QCOMPARE(QImage::fromData(offered->data("image/bmp")).convertToFormat(QImage::Format_RGB32), original);

        w.click(2);
        w.click(4, Qt::ShiftModifier);
        w.rightClick(4);
        QVERIFY(w.entry("Special_Paste")->isEnabled());
        w.entry("Special_Paste")->trigger();
        for (int n : {2, 4}) {
            QCOMPARE(w.model.frame(n).FileName, std::string("* Pasted image *"));
            QVERIFY(w.model.frame(n).NotFromFile);
            QCOMPARE(pixelsOf(w.pixels(n)), original);
        }
    }

    void aBitmapFromAnotherProgramIsPastedAndTextIsNot()
    {
        Window w;
        const QImage picture = gradient(16, 9);
        QByteArray bmp;
        QBuffer buffer(&bmp);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "BMP");
        auto* foreign = new QMimeData;
        foreign->setData("image/x-MS-bmp", bmp);
        QGuiApplication::clipboard()->setMimeData(foreign);
        w.click(3);
        w.rightClick(3);
        QVERIFY(w.entry("Special_Paste")->isEnabled());
        w.entry("Special_Paste")->trigger();
        QCOMPARE(pixelsOf(w.pixels(3)), picture);
        QCOMPARE(w.model.frame(3).AspectRatio, 16.0f / 9.0f);

        QGuiApplication::clipboard()->setText("not a picture");
        w.rightClick(2);
        QVERIFY(!w.entry("Special_Paste")->isEnabled());

        // A type that promises a picture but holds none is reported and changes nothing.
        auto* broken = new QMimeData;
        broken->setData("image/png", QByteArray("\x89PNG\r\n\x1a\n broken", 16));
        QGuiApplication::clipboard()->setMimeData(broken);
        w.rightClick(2);
        w.entry("Special_Paste")->trigger();
        QCOMPARE(w.messages.texts(), std::vector<std::string>{std::string(page::kClipboardUnreadable)});
        QVERIFY(!w.model.frame(2).Loaded);
    }

    void reloadPicksUpTheFileAnEditorSavedWithAnExclamationMark()
    {
        Window w;
        const QString photo = w.write("holiday.png", solid(40, 30, Qt::red));
        w.loadInto(2, photo);
        w.click(1); // an empty frame before it in the selection
        w.click(2, Qt::ShiftModifier);
        w.rightClick(2);
        QMenu* reload = w.ui->popupMenu()->findChild<QMenu*>("Reload");
        QVERIFY(reload);
        emit reload->aboutToShow();
        QCOMPARE(w.entry("Original1")->text(), QString("Original (holiday.png)"));
        QVERIFY(!w.entry("Modified1")->isEnabled());

        const QString edited = w.write("!holiday.png", solid(30, 40, Qt::blue));
        emit reload->aboutToShow();
        QVERIFY(w.entry("Modified1")->isEnabled());
        QCOMPARE(w.entry("Modified1")->text(), QString("Modified (!holiday.png)"));
        // The editor's file went away while the menu was open.
        QFile::rename(edited, edited + ".moved");
        w.entry("Modified1")->trigger();
        QCOMPARE(w.messages.texts(), std::vector<std::string>{page::modifiedMissingMessage(edited.toStdString())});
        QCOMPARE(w.model.frame(2).FileName, photo.toStdString());
        QFile::rename(edited + ".moved", edited);
        w.entry("Modified1")->trigger();
        // Back into frame 2, not into the empty frame 1 that was selected first.
        QCOMPARE(w.model.frame(2).FileName, edited.toStdString());
        QVERIFY(!w.model.frame(1).Loaded);
        QCOMPARE(w.pixels(2).width(), 30);
        QCOMPARE(pixelsOf(w.pixels(2)).pixel(5, 5), qRgb(0, 0, 255));
        QCOMPARE(w.model.frame(2).AspectRatio, 0.75f);
        QVERIFY(!w.window.findChild<QAction*>("ClearFilelist1")->isEnabled());

        w.click(2);
        w.entry("Original1")->trigger();
        QCOMPARE(w.model.frame(2).FileName, edited.toStdString()); // the edited file is now the frame's file
    }

    void exportHandsTheFileToTheChosenProgram()
    {
        Window w;
        const QString record = w.dir.filePath("argument.txt");
        const QString script = w.dir.filePath("editor.sh");
        QFile f(script);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\nprintf '%s' \"$1\" > '" + record.toUtf8() + "'\n");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString photo = w.write("it's a \"photo\".png", solid(40, 30, Qt::red));
        w.loadInto(1, photo);
        w.s.app_assos = false;
        w.s.Image_Editor_App = "\"" + script.toStdString() + "\"";
        w.click(1);
        w.rightClick(1);
        w.entry("RunShell1")->trigger();
        auto recorded = [&] {
            QFile file(record);
            return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
        };
        QTRY_COMPARE(recorded(), photo);
        QVERIFY(w.messages.texts().empty());

        // A program given with options of its own.
        QFile::remove(record);
        w.s.Image_Editor_App = "/bin/sh " + script.toStdString();
        w.entry("RunShell1")->trigger();
        QTRY_COMPARE(recorded(), photo);

        w.s.Image_Editor_App = w.dir.filePath("no-such-editor").toStdString();
        w.entry("RunShell1")->trigger();
        QCOMPARE(w.messages.texts(), std::vector<std::string>{"Can't load : \n" + photo.toStdString() + "\nwith " +
                                                              w.s.Image_Editor_App});
    }

    void exportWithTheDesktopsProgramOpensTheFilesUrl()
    {
        Window w;
        QList<QUrl> opened;
        w.ui->hooks().openUrl = [&](const QUrl& url) {
            opened << url;
            return false;
        };
        const QString photo = w.write("b.png", solid(40, 30, Qt::red));
        w.loadInto(1, photo);
        w.click(1);
        w.rightClick(1);
        w.entry("RunShell1")->trigger();
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(photo)});
        QCOMPARE(w.messages.texts().size(), std::size_t(1)); // the opener said it failed
    }

    void rotateAndFlipFromTheToolbarWithTheirStatusText()
    {
        Window w;
        QImage halves = solid(40, 20, Qt::red);
        for (int y = 0; y < 20; ++y)
            for (int x = 20; x < 40; ++x)
                halves.setPixel(x, y, qRgb(0, 0, 255));
        w.loadInto(1, w.write("halves.png", halves));
        w.click(1);
        w.status.statuses.clear();
        QSignalSpy turned(w.ui.get(), &page::FrameCommandsUi::turnFinished);
        w.button("tb_rotate")->click();
        QVERIFY(turned.count() == 1 || turned.wait(30000));
        QCOMPARE(w.pixels(1).width(), 20);
        QCOMPARE(w.model.frame(1).AspectRatio, 0.5f);
        // Turned clockwise: the left (red) half is now on top.
        QCOMPARE(pixelsOf(w.pixels(1)).pixel(10, 5), kRed);
        QCOMPARE(w.status.statuses.front(), std::string("Image being processed"));
        QVERIFY(!w.status.progressVisible);
        QVERIFY(!w.model.frame(1).Selected);
        QVERIFY(!w.button("tb_rotate")->isEnabled());
        w.click(1);
        w.button("tb_flip_Vert")->click();
        QVERIFY(turned.count() == 2 || turned.wait(30000));
        QCOMPARE(pixelsOf(w.pixels(1)).pixel(10, 5), qRgb(0, 0, 255));
        w.click(1);
        w.button("tb_flip_horiz")->click();
        QVERIFY(turned.count() == 3 || turned.wait(30000));
        QCOMPARE(pixelsOf(w.pixels(1)).pixel(10, 5), qRgb(0, 0, 255));
        QCOMPARE(w.model.frame(1).AspectRatio, 0.5f);
    }

    void resampleThroughItsDialogAndGreyscaleFromThePopup()
    {
        Window w;
        w.loadInto(1, w.write("a.png", gradient(80, 60)));
        w.loadInto(3, w.write("b.png", solid(40, 30, QColor(30, 60, 120))));
        w.click(1);
        w.click(3, Qt::ShiftModifier);
        w.rightClick(3);
        w.status.statuses.clear();
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<settings::ResampleDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->findChild<QSpinBox*>("Manual_Resamp_Size")->setValue(50);
            dialog->findChild<QPushButton*>("BitBtn1")->click();
        });
        // Resample returns while the pixels are resampled; the frames change when it ends.
        QSignalSpy resampled(w.ui.get(), &page::FrameCommandsUi::resampleFinished);
        w.entry("Resample1")->trigger();
        QVERIFY(resampled.count() == 1 || resampled.wait(30000));
        QCOMPARE(w.s.Manual_Resamp_Size, 50);
        QVERIFY(w.s.Settings_Changed);
        QCOMPARE(w.pixels(1).width(), 40);
        QCOMPARE(w.pixels(3).height(), 15);
        QCOMPARE(w.status.statuses[0], std::string("Resampling image 1 to 50% of original image size"));
        QCOMPARE(w.status.statuses[1], std::string("Resampling image 3 to 50% of original image size"));

        w.click(3);
        w.rightClick(3);
        QSignalSpy greyed(w.ui.get(), &page::FrameCommandsUi::greyscaleFinished);
        w.entry("GrayScale")->trigger();
        QVERIFY(greyed.count() == 1 || greyed.wait(30000));
        const QImage grey = pixelsOf(w.pixels(3));
        QCOMPARE(grey.pixel(3, 3), qRgb(70, 70, 70)); // (30 + 60 + 120) div 3
        QVERIFY(qRed(pixelsOf(w.pixels(1)).pixel(10, 10)) != qBlue(pixelsOf(w.pixels(1)).pixel(10, 10)));
    }

    void theResampleDialogKeepsItsValuesHoweverItCloses()
    {
        settings::Settings s;
        s.Manual_Resamp_Filter = 42; // a damaged setting
        settings::ResampleDialog dialog(s);
        auto* filter = dialog.findChild<QComboBox*>("Resamp_onload_Filter");
        QCOMPARE(filter->currentText(), QString("Lanczos3"));
        QVERIFY(!s.Settings_Changed);
        filter->setCurrentIndex(0);
        QVERIFY(s.Settings_Changed);
        dialog.findChild<QSpinBox*>("Manual_Resamp_Size")->setValue(2000);
        dialog.reject();
        QCOMPARE(s.Manual_Resamp_Filter, 0);
        QCOMPARE(s.Manual_Resamp_Size, 1000);
    }

    void theMainWindowRoutesClicksKeysAndButtonsToTheFrameCommands()
    {
        testwindow::TestWindow window(kA4At600);
        app::MainWindow& form = *window.form;
        QVERIFY(form.FormCreate());
        // The page is rebuilt (and deselected) once the window's size has settled.
        QTRY_VERIFY(!form.resizeTimer()->isActive());
        page::PageView* view = form.pageView();
        page::FrameCommandsUi* commands = form.frameCommands();
        QVERIFY(commands);

        QTemporaryDir dir;
        const QString photo = dir.filePath("wide.png");
        solid(60, 20, Qt::red).save(photo);
        QTest::mouseClick(view->FrameImage(2), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
        commands->hooks().loadFile(photo.toStdString()); // through the window's loader
        QVERIFY(loadFinished(form.imageLoader()));
        QCOMPARE(form.pageModel().frame(2).FileName, photo.toStdString());

        form.frameSelector()->setFocus();
        QTest::keyClick(form.frameSelector(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(page::selectedCount(form.pageModel()), 4);
        QVERIFY(form.toolButton("tb_rotate")->isEnabled());
        QSignalSpy turned(commands, &page::FrameCommandsUi::turnFinished);
        form.toolButton("tb_rotate")->click();
        QVERIFY(turned.count() == 1 || turned.wait(30000));
        QCOMPARE(form.pageModel().pictureShownIn(2)->width(), 20);

        QTest::mouseClick(view->FrameImage(2), Qt::RightButton, Qt::NoModifier, QPoint(20, 20));
        QVERIFY(commands->popupMenu()->isVisible());
        QVERIFY(commands->popupAction("Reload1")->isEnabled());
        QVERIFY(commands->popupAction("Load2")->isEnabled());
        commands->popupMenu()->hide();
        form.menuAction("Delete1")->trigger();
        QVERIFY(!form.pageModel().frame(2).Loaded);
        core::setMessages(nullptr);
    }

    // A copy shows its source's picture, so Save Frame's Image and the EXIF details from
    // a copy's popup act on the source, whatever else is selected, and a copy selected
    // alone is no "Selection Error".
    void aCopysSaveAndDetailsActOnItsSourcesPicture()
    {
        testwindow::TestWindow window(kA4At600);
        app::MainWindow& form = *window.form;
        QVERIFY(form.FormCreate());
        QTRY_VERIFY(!form.resizeTimer()->isActive());
        page::PageView* view = form.pageView();
        page::FrameCommandsUi* commands = form.frameCommands();
        QTemporaryDir dir;
        const QString wide = dir.filePath("wide.png"), square = dir.filePath("square.png");
        solid(60, 20, Qt::red).save(wide);
        solid(16, 16, Qt::blue).save(square);
        auto rightClick = [&](int frame, const char* entry) {
            QTest::mouseClick(view->FrameImage(frame), Qt::RightButton, Qt::NoModifier, QPoint(20, 20));
            commands->popupMenu()->hide();
            QAction* a = commands->popupAction(QString::fromLatin1(entry));
            QVERIFY2(a->isEnabled(), entry);
            a->trigger();
        };
        QTest::mouseClick(view->FrameImage(1), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
        commands->hooks().loadFile(wide.toStdString());
        QVERIFY(loadFinished(form.imageLoader()));
        QTest::mouseClick(view->FrameImage(3), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
        commands->hooks().loadFile(square.toStdString());
        QVERIFY(loadFinished(form.imageLoader()));
        form.pageModel().frame(1).HasExif = true;
        form.pageModel().frame(1).ExifTags = {{271, "Make", "Maker"}};
        rightClick(1, "Copy1");
        QTest::mouseClick(view->FrameImage(2), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
        rightClick(2, "Paste1");
        QCOMPARE(form.pageModel().frame(2).CloneOf, 1);

        QStringList presets;
        const QString target = dir.filePath("out.bmp");
        form.layoutCommands()->chooseImageFile = [&](QWidget*, const QString& preset) {
            presets << preset;
            QFile::remove(target);
            return std::optional<printing::ChosenImageFile>({target, true});
        };
        QString detailsOf;
        auto readDetails = [&] {
            auto* poll = new QTimer;
            poll->setInterval(10);
            QObject::connect(poll, &QTimer::timeout, [&detailsOf, poll] {
                if (auto* form = dynamic_cast<exif::ExifDetailsDialog*>(QApplication::activeModalWidget())) {
                    poll->deleteLater();
                    poll->stop();
                    detailsOf = form->SortGrid1()->item(0, 1)->text();
                    form->reject();
                }
            });
            poll->start();
        };
        for (bool withOwnFrame : {true, false}) {
            QTest::mouseClick(view->FrameImage(withOwnFrame ? 3 : 2), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
            rightClick(2, "SaveFramesImage1");
            QCOMPARE(presets.takeLast(), QString("Frame_1"));
            QCOMPARE(QImage(target).size(), QSize(60, 20));
            readDetails();
            rightClick(2, "ExtendedImageDetails1");
            QCOMPARE(detailsOf, QString("wide.png"));
        }
        QVERIFY(window.messages.texts().empty());
        core::setMessages(nullptr);
    }

    void curvesFromTheFolderAndFittingFromTheCentreButton()
    {
        Window w;
        QTemporaryDir curves;
        w.s.Curve_Dir = curves.path().toStdString();
        w.ui->addCurvesToMenu();
        QVERIFY(!w.ui->curvesMenu()->menuAction()->isEnabled()); // no curve files
        imaging::ToneLUT invert{};
        for (int v = 0; v < 256; ++v)
            invert[static_cast<std::size_t>(v)] = 255 - v;
        imaging::writeCurveFile(invert, curves.filePath("b invert.tcv").toStdString());
        imaging::writeCurveFile(imaging::identityLUT(), curves.filePath("a same.TCV").toStdString());
        QFile(curves.filePath("notes.txt")).open(QIODevice::WriteOnly);
        w.ui->addCurvesToMenu();
        const QList<QAction*> entries = w.ui->curvesMenu()->actions();
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0]->text(), QString("a same.TCV"));
        QVERIFY(w.ui->curvesMenu()->menuAction()->isEnabled());

        w.loadInto(1, w.write("red.png", solid(40, 20, Qt::red)));
        w.click(1);
        entries[1]->trigger();
        QCOMPARE(pixelsOf(w.pixels(1)).pixel(5, 5), qRgb(0, 255, 255));
        QVERIFY(!w.model.frame(1).Selected);
        // A file gone since the menu was built: told, and nothing changes.
        QFile::remove(curves.filePath("a same.TCV"));
        w.click(1);
        entries[0]->trigger();
        QCOMPARE(w.messages.texts().back(), "Error - Can't open " + curves.filePath("a same.TCV").toStdString());
        QCOMPARE(pixelsOf(w.pixels(1)).pixel(5, 5), qRgb(0, 255, 255));

        w.click(1);
        QVERIFY(w.button("Centre_btn")->isEnabled());
        w.status.statuses.clear();
        w.button("Centre_btn")->click();
        QCOMPARE(w.pixels(1).width(), 27); // round(20 x 1.333333), the 40-pixel picture cut
        QCOMPARE(w.status.statuses.front(), std::string("Image being processed"));
    }

    void printingFreezesTheToolbarAndGivesItBack()
    {
        Window w;
        for (const char* name : {"tb_load", "tb_stop", "Page_Button"})
            w.button(name)->setEnabled(true);
        w.ui->saveButtonState();
        w.ui->disableButtons();
        QVERIFY(!w.button("tb_load")->isEnabled());
        QVERIFY(!w.button("Page_Button")->isEnabled());
        QVERIFY(w.button("tb_stop")->isEnabled());
        w.button("tb_stop")->setEnabled(false);
        w.ui->restoreButtonState();
        QVERIFY(w.button("tb_load")->isEnabled());
        QVERIFY(w.button("tb_stop")->isEnabled());
        QVERIFY(w.button("Page_Button")->isEnabled());
        QVERIFY(!w.button("tb_print")->isEnabled());
    }
};

} // namespace

QTEST_MAIN(FrameCommandsUiTest)
#include "frame_commands_ui_test.moc"
