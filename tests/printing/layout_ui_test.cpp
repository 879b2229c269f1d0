// The window side of layout files, "Save Frame's Image" and the EXIF details window, with
// scripted dialogs and answers, offscreen.
#include "exif/ui/exif_form.h"
#include "printing/layout/layout_file.h"
#include "printing/ui/layout_ui.h"

#include "core/messages.h"
#include "imaging/codecs/codecs.h"
#include "tests/support/files.h"
#include "tests/support/process.h"

#include <QHeaderView>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using support::readText;

void givePicture(page::Page& p, int n, int w, int h)
{
    page::FrameRecord& f = p.frame(n);
    f.PictureHolder = std::make_shared<imaging::Picture>(imaging::Picture::fromBitmap(imaging::Bitmap(w, h)));
    f.PictureOwner = n;
    f.Loaded = true;
    f.AspectRatio = float(w) / float(h);
    f.Details = "frame " + std::to_string(n);
}

QStringList column(QTableWidget* grid, int c)
{
    QStringList out;
    for (int r = 0; r < grid->rowCount(); ++r)
        out << (grid->item(r, c) ? grid->item(r, c)->text() : QString());
    return out;
}

} // namespace

class LayoutUiTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_home;
    core::ScriptedMessages m_messages;
    settings::Settings m_settings;

private slots:
    void initTestCase()
    {
        // The window placement store lives here, never in the user's own configuration.
        qputenv("XDG_CONFIG_HOME", (m_home.path() + "/config").toUtf8());
        core::setMessages(&m_messages);
    }
    void cleanupTestCase() { core::setMessages(nullptr); }
    void init() { m_messages.clear(); }

    void exifWindowSortsWithoutRegardToCaseAndKeepsColumnWidths()
    {
        exif::ExifFormContent c;
        c.hasExif = true;
        c.fileName = "/photos/IMG_1.JPG";
        c.items = {{271, "Make", "Maker"}, {0x9003, "apple", "2001"}, {0x110, "Banana", "x"}};
        {
            exif::ExifDetailsDialog form(c);
            QTableWidget* grid = form.SortGrid1();
            QCOMPARE(grid->rowCount(), 4);
            QCOMPARE(column(grid, 1).front(), QString("IMG_1.JPG"));
            QCOMPARE(column(grid, 2), QStringList({"N/A", "$ 010F", "$ 9003", "$ 0110"}));
            emit grid->horizontalHeader()->sectionClicked(0);
            QCOMPARE(column(grid, 0), QStringList({"apple", "Banana", "File name", "Make"}));
            emit grid->horizontalHeader()->sectionClicked(2);
            QCOMPARE(column(grid, 2), QStringList({"$ 010F", "$ 0110", "$ 9003", "N/A"}));
            grid->setColumnWidth(1, 321);
            form.done(QDialog::Accepted);
        }
        exif::ExifDetailsDialog again(exif::ExifFormContent{});
        QCOMPARE(again.SortGrid1()->columnWidth(1), 321);
        QCOMPARE(again.SortGrid1()->columnWidth(0), 182);
        QCOMPARE(again.SortGrid1()->rowCount(), 2);
        QVERIFY(again.SortGrid1()->item(0, 0) == nullptr);
    }

    void saveFrameImageProposesTheFrameAndAsksBeforeOverwriting()
    {
        page::Page p(m_settings, [] { return page::PrinterMetrics{}; });
        printing::LayoutCommands commands(p, nullptr, {});
        QStringList presets;
        const std::string target = (m_home.path() + "/out.jpg").toStdString();
        commands.chooseImageFile = [&](QWidget*, const QString& preset) {
            presets << preset;
            return std::optional<printing::ChosenImageFile>({QString::fromStdString(target), false});
        };
        commands.saveFile();
        QCOMPARE(m_messages.texts(), std::vector<std::string>{"Selection Error"});
        QVERIFY(presets.isEmpty());

        givePicture(p, 2, 8, 6);
        givePicture(p, 3, 4, 4);
        p.frame(2).Selected = p.frame(3).Selected = true;
        p.frame(2).CloneOf = 1; // a copy is never the frame saved
        support::writeText(target, "keep");
        m_messages.clear();
        m_messages.queueAnswer(core::Answer::No);
        commands.saveFile();
        QCOMPARE(presets, QStringList({"Frame_3"}));
        QCOMPARE(readText(target), std::string("keep"));
        QCOMPARE(m_messages.texts().front(), "The file " + target + " already exists on the disk.\nDo you want to overwrite this file ?");

        p.frame(3).Selected = true;
        m_messages.queueAnswer(core::Answer::Yes);
        commands.saveFile();
        QCOMPARE(imaging::loadBitmap(target).width(), 4);
        QCOMPARE(readText((m_home.path() + "/out.vdt").toStdString()), std::string("frame 3\r\n"));
    }

    void loadPageKeepsThePageWhenCancelledAndMenusFollowThePage()
    {
        page::Page p(m_settings, [] { return page::PrinterMetrics{}; });
        bool batchOff = false;
        printing::LayoutWindowHooks hooks;
        hooks.disableBatchCommands = [&] { batchOff = true; };
        printing::LayoutCommands commands(p, nullptr, hooks);
        m_settings.Zip_Available = true;
        QVERIFY(commands.canLoadPage());
        QVERIFY(!commands.canSavePage());
        givePicture(p, 1, 4, 4);
        QVERIFY(commands.canSavePage());
        m_settings.Zip_Available = false;
        QVERIFY(!commands.canSavePage() && !commands.canLoadPage());

        // Cancelled: the page and the batch commands stay as they were.
        commands.chooseOpenLayout = [](QWidget*, const QString&) { return QString(); };
        commands.load_page();
        QVERIFY(!batchOff);
        QVERIFY(p.frame(1).Loaded);

        // A file that is refused (a margin past the settings' range) keeps the page too.
        const QString bad = m_home.path() + "/bad.zip";
        const std::string make = "python3 -c \"import zipfile; z = zipfile.ZipFile('" + bad.toStdString() +
                                 "', 'w'); z.writestr('layout.vdt', '#Paginor Layout File\\r\\nFrames=2\\r\\nAR=1.5\\r\\n"
                                 "margin=1e39\\r\\n#End of file\\r\\n'); z.close()\"";
        QCOMPARE(support::shell(make), 0);
        const float margin = m_settings.margin_mm;
        commands.chooseOpenLayout = [&](QWidget*, const QString&) { return bad; };
        commands.load_page();
        QVERIFY(p.frame(1).Loaded);
        QCOMPARE(int(p.state().FrameCount), 4);
        QCOMPARE(m_settings.margin_mm, margin);
        QCOMPARE(m_messages.texts().size(), std::size_t(1));
        QVERIFY(m_messages.texts().front().find("1e39") != std::string::npos);
        m_messages.clear();

        // Saved, then loaded over a changed page from the dialog's choice.
        const QString zip = m_home.path() + "/page.zip";
        commands.chooseSaveLayout = [&](QWidget*, const QString& title) {
            return title == "Save Page" ? zip : QString();
        };
        commands.savePageArchive();
        givePicture(p, 2, 5, 5);
        commands.chooseOpenLayout = [&](QWidget*, const QString& title) {
            return title == "Load Page" ? zip : QString();
        };
        commands.load_page();
        QVERIFY(p.frame(1).Loaded);
        QVERIFY(!p.frame(2).Loaded);
        QCOMPARE(p.frame(1).FileName, "* Loaded page " + zip.toStdString());
        QVERIFY(batchOff);
        QVERIFY(m_messages.texts().empty());
    }

    void savePageOverAnArchiveHoldsThisPageAlone()
    {
        // The save dialog asked whether to replace the file: the archive then holds the
        // page being saved and nothing of the one before.
        page::Page p(m_settings, [] { return page::PrinterMetrics{}; });
        printing::LayoutCommands commands(p, nullptr, {});
        const QString zip = m_home.path() + "/replaced.zip";
        commands.chooseSaveLayout = [&](QWidget*, const QString&) { return zip; };
        const auto members = [&] {
            QStringList names = support::run("unzip", {"-Z1", zip}).out.split('\n', Qt::SkipEmptyParts);
            names.sort();
            return names;
        };
        m_settings.store_as_Jpg = false;
        givePicture(p, 1, 4, 4);
        givePicture(p, 2, 6, 4);
        commands.savePageArchive();
        QCOMPARE(members(), QStringList({"1.bmp", "2.bmp", "layout.vdt"}));
        p.emptyFrame(2);
        m_settings.store_as_Jpg = true;
        commands.savePageArchive();
        QCOMPARE(members(), QStringList({"1.jpg", "layout.vdt"}));
        QVERIFY(m_messages.texts().empty());
    }

    void layoutFilterShowsArchivesWhateverTheCaseOfTheirNames()
    {
        // The patterns as a file dialog reads them out of the filter, matched as the
        // desktop's dialog does, letter case and all.
        const QString filter = QCoreApplication::translate("Paginor", std::string(printing::kLayoutFilter).c_str());
        const QString patterns = filter.mid(filter.lastIndexOf('(') + 1).chopped(1);
        const auto shown = [&](const QString& name) {
            for (const QString& pattern : patterns.split(' ', Qt::SkipEmptyParts))
                if (QRegularExpression::fromWildcard(pattern, Qt::CaseSensitive).match(name).hasMatch())
                    return true;
            return false;
        };
        QVERIFY(shown("page.zip"));
        QVERIFY(shown("PAGE.ZIP"));
        QVERIFY(!shown("page.jpg"));
        QVERIFY(!shown("page.zip.txt"));
    }
};

QTEST_MAIN(LayoutUiTest)
#include "layout_ui_test.moc"
