// Loading in the window, offscreen, with real files: the open dialog (scripted), the list
// commands and their buttons, drops of files and folders on frames, the load warning and
// what the frames show afterwards.
#include "page/ui/load_ui.h"
#include "page/ui/page_view.h"

#include "core/messages.h"
#include "imaging/codecs/codecs.h"
#include "settings/ui/warning_dialog.h"
#include "tests/support/bitmaps.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QtTest>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

const page::PrinterMetrics kA4At600{"PDF", 600, 600, 4960, 7015};

// The colour of file number id: red 200, green 10 * id.
QString writeJpeg(const QString& path, int id, int w = 96, int h = 72)
{
    imaging::saveJpeg(support::solidBitmap(w, h, 0, 10 * id, 200).view(), path.toStdString(), 95);
    return path;
}

struct Window {
    Window()
    {
        core::setMessages(&messages);
        auto* column = new QVBoxLayout(&host);
        column->setContentsMargins(0, 0, 0, 0);
        column->addWidget(&view);
        host.setAcceptDrops(true);
        host.resize(800, 600);
        host.show();
        view.buildPage(800, 600);
        loader.chooseFiles = [this](QWidget*, const QString& title, const QString&) {
            titles << title;
            return chosen;
        };
        loader.confirmLoadWarning = [this](QWidget*) { return warningAnswer; };
    }
    ~Window() { core::setMessages(nullptr); }

    // The file id a frame shows, read from the middle of its on-screen canvas.
    int idShownIn(int n)
    {
        const QImage& c = view.FrameImage(n)->canvas();
        const QColor colour = c.pixelColor(c.width() / 2, c.height() / 2);
        if (colour.red() < 150)
            return 0; // grey: the empty look
        return (colour.green() + 5) / 10;
    }

    core::ScriptedMessages messages;
    settings::Settings s;
    page::Page model{s, [] { return kA4At600; }};
    QWidget host;
    page::PageView view{model};
    page::ImageLoader loader{view, &host};
    QStringList chosen;
    QStringList titles;
    bool warningAnswer = true;
};

// The load commands return while their files decode: waits for the command's end.
bool finished(page::ImageLoader& loader)
{
    if (!loader.busy())
        return true;
    QSignalSpy done(&loader, &page::ImageLoader::loadFinished);
    return done.wait(30000);
}

QString pathIn(const QTemporaryDir& dir, const QString& name)
{
    return dir.filePath(name);
}

class LoadingUiTest : public QObject {
    Q_OBJECT
private slots:
    void fiveFilesOnFourFramesThenTheRestFromTheList()
    {
        QTemporaryDir dir;
        Window w;
        // Chosen in any order; the list is sorted without regard to case.
        for (int i : {5, 3, 1, 4, 2})
            w.chosen << writeJpeg(pathIn(dir, QString("%1photo.jpg").arg(QChar('a' + i - 1))), i);
        for (int n = 1; n <= 4; ++n)
            w.model.frame(n).Selected = true;
        w.loader.tb_loadClick();
        QVERIFY(finished(w.loader));
        for (int n = 1; n <= 4; ++n)
            QCOMPARE(w.idShownIn(n), n);
        QCOMPARE(w.loader.queue().NextFileIndex, std::size_t(4));
        QVERIFY(w.loader.listButtons().loadNext);
        QVERIFY(w.loader.listButtons().printNext);
        QVERIFY(w.loader.listButtons().clearList);
        QCOMPARE(w.titles, QStringList{"Load image files - "});

        w.loader.tb_load_nextClick();
        QVERIFY(finished(w.loader));
        QCOMPARE(w.idShownIn(1), 5);
        for (int n = 2; n <= 4; ++n)
            QCOMPARE(w.idShownIn(n), 0);
        QVERIFY(w.loader.queue().FileList.empty());
        QVERIFY(!w.loader.listButtons().loadNext);
        QVERIFY(!w.loader.listButtons().clearList);
        QVERIFY(w.messages.entries().empty());
    }

    // The command returns while its files decode, and nothing reaches a frame until every
    // file of the step is decoded; a second load meanwhile is refused.
    void aLoadReturnsAtOnceAndFillsTheFramesWhenDecoded()
    {
        QTemporaryDir dir;
        Window w;
        for (int i = 1; i <= 4; ++i)
            w.chosen << writeJpeg(pathIn(dir, QString("%1.jpg").arg(i)), i, 1600, 1200);
        QSignalSpy busy(&w.loader, &page::ImageLoader::busyChanged);
        w.loader.tb_loadClick();
        QVERIFY(w.loader.busy());
        QCOMPARE(busy.count(), 1);
        QVERIFY(!w.model.frame(1).Loaded);
        w.loader.tb_loadClick();
        QCOMPARE(w.titles.size(), 1); // refused: no second dialog
        QVERIFY(finished(w.loader));
        QCOMPARE(busy.count(), 2);
        QCOMPARE(busy.at(1).at(0).toBool(), false);
        for (int n = 1; n <= 4; ++n)
            QCOMPARE(w.idShownIn(n), n);
    }

    void aCancelledDialogDeselectsAndDisablesTheListButtons()
    {
        Window w;
        w.model.frame(2).Selected = true;
        w.loader.tb_loadClick();
        QVERIFY(finished(w.loader));
        QVERIFY(!w.model.anySelected());
        QVERIFY(!w.loader.listButtons().loadNext);
        QVERIFY(!w.loader.listButtons().printNext);
        QVERIFY(w.loader.listButtons().addToList);
    }

    void noFrameSelectedWhileFramesAreLoadedIsRefused()
    {
        QTemporaryDir dir;
        Window w;
        w.chosen << writeJpeg(pathIn(dir, "one.jpg"), 1);
        w.loader.tb_loadClick(); // nothing loaded: every frame is selected
        QVERIFY(finished(w.loader));
        QCOMPARE(w.idShownIn(1), 1);
        w.chosen = {writeJpeg(pathIn(dir, "two.jpg"), 2)};
        w.loader.tb_loadClick();
        QVERIFY(finished(w.loader));
        QCOMPARE(w.messages.texts(), std::vector<std::string>{std::string(page::kNoFramesSelected)});
        QVERIFY(w.titles.size() == 1); // the dialog was not even shown
        QCOMPARE(w.idShownIn(1), 1);
    }

    void aFileDroppedOnFrameThreeGoesToTheFirstSelectedFrame()
    {
        QTemporaryDir dir;
        Window w;
        const QString file = writeJpeg(pathIn(dir, "dropped.jpg"), 6);
        w.model.frame(1).Selected = true;
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(file)});
        page::FrameControl* f3 = w.view.FrameImage(3);
        const QPointF at = f3->mapTo(&w.host, QPointF(f3->width() / 2.0, f3->height() / 2.0));
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w.host, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w.host, &drop);
        QTRY_COMPARE(w.idShownIn(1), 6);
        QCOMPARE(w.idShownIn(3), 0);
        QVERIFY(!w.model.frame(3).Selected);
        QVERIFY(w.loader.queue().FileList.empty());
    }

    // Paths on Linux run far beyond 254 characters; a dropped name is taken whole, never
    // cut to a path that names some other file or none.
    void aDroppedFileWithAPathOfMoreThan254CharactersLoadsWhole()
    {
        QTemporaryDir dir;
        Window w;
        QString folder = dir.path();
        while (folder.size() < 300)
            folder += "/" + QString(60, QChar('d'));
        QVERIFY(QDir().mkpath(folder));
        const QString file = writeJpeg(folder + "/holiday photo number seven.jpg", 7);
        QVERIFY(file.size() > 300);
        w.model.state().HotFrame = 2;
        w.loader.WMDropFiles({file});
        QVERIFY(finished(w.loader));
        QVERIFY2(w.messages.entries().empty(), w.messages.entries().empty() ? "" : w.messages.entries().front().text.c_str());
        QCOMPARE(w.idShownIn(2), 7);
        QCOMPARE(QString::fromStdString(w.model.frame(2).FileName), file);
    }

    void aSingleDropOfAnotherKindOfFileIsRefused()
    {
        QTemporaryDir dir;
        Window w;
        const QString text = pathIn(dir, "notes.txt");
        QFile(text).open(QIODevice::WriteOnly);
        w.model.state().HotFrame = 2;
        w.loader.WMDropFiles({text});
        QVERIFY(finished(w.loader));
        QCOMPARE(w.messages.texts(), std::vector<std::string>{std::string(page::kNotValidImageFile)});
        QVERIFY(!w.model.frame(2).Loaded);
    }

    void aFolderDroppedWithSubFoldersLoadsTheFolderFirst()
    {
        QTemporaryDir dir;
        Window w;
        QDir(dir.path()).mkpath("trip/day2/evening");
        QDir(dir.path()).mkpath("trip/day1");
        writeJpeg(pathIn(dir, "trip/b.jpg"), 2);
        writeJpeg(pathIn(dir, "trip/a.jpg"), 1);
        writeJpeg(pathIn(dir, "trip/day1/x.jpg"), 3);
        writeJpeg(pathIn(dir, "trip/day2/evening/y.jpg"), 5);
        writeJpeg(pathIn(dir, "trip/day2/w.jpg"), 4);
        w.s.searchSubFolders = true;
        w.loader.WMDropFiles({pathIn(dir, "trip")});
        QVERIFY(finished(w.loader));
        for (int n = 1; n <= 4; ++n)
            QCOMPARE(w.idShownIn(n), n);
        QCOMPARE(w.loader.queue().FileList.size(), std::size_t(5));
        QCOMPARE(QString::fromStdString(w.loader.queue().FileList[4]), pathIn(dir, "trip/day2/evening/y.jpg"));
    }

    void theLoadWarningCanCancelAndRemembersDontShow()
    {
        settings::Settings s;
        s.resample_on_load_Size = 50;
        s.autocentre = true;
        QVERIFY(settings::loadWarningApplies(s));
        settings::WarningDialog dialog(s);
        QCOMPARE(dialog.Label1->text(), QString("Resampled @ 50%\nAutoCentred"));
        QCOMPARE(dialog.windowTitle(), QString("Warning - Image Load Settings are active !"));
        dialog.DontShow->setChecked(true);
        QTimer::singleShot(0, dialog.BitBtn2, &QPushButton::click);
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QVERIFY(!s.OLW);
        QVERIFY(!settings::loadWarningApplies(s));

        QTemporaryDir dir;
        Window w;
        w.s.autorotate = true;
        w.warningAnswer = false;
        w.chosen << writeJpeg(pathIn(dir, "kept.jpg"), 1);
        w.loader.tb_loadClick();
        QVERIFY(finished(w.loader));
        QVERIFY(w.titles.isEmpty());
        QVERIFY(!w.model.frame(1).Loaded);
    }

    void addToListAppendsWithoutLoadingAndClearEmpties()
    {
        QTemporaryDir dir;
        Window w;
        w.chosen << writeJpeg(pathIn(dir, "z.jpg"), 1) << writeJpeg(pathIn(dir, "a.jpg"), 2);
        w.loader.Addtofilelist1Click();
        w.messages.queueAnswer(core::Answer::No); // keep what is there
        w.loader.Addtofilelist1Click();
        QCOMPARE(w.loader.queue().FileList.size(), std::size_t(4));
        QCOMPARE(w.messages.texts(), std::vector<std::string>{std::string(page::kClearFileListQuestion)});
        QVERIFY(!w.model.frame(1).Loaded);
        QVERIFY(w.loader.listButtons().loadNext);
        QVERIFY(!w.loader.listButtons().printNext); // frames are empty
        QCOMPARE(w.titles, (QStringList{"Add files to list ", "Add files to list "}));
        w.loader.ClearFilelist1Click();
        QVERIFY(w.loader.queue().FileList.empty());
        QVERIFY(!w.loader.listButtons().loadNext);
        QVERIFY(!w.loader.listButtons().clearList);
    }
};

} // namespace

QTEST_MAIN(LoadingUiTest)
#include "loading_ui_test.moc"
