// The window in another language. A translation built here (lrelease from a .ts written by
// the test) turns a menu caption, a message box's text, a settings caption and messages
// composed from forms; the shipped translation of the user's locale (the test runs under a
// German and under a French LANG) turns the window's menus, a message box, the settings
// dialog's pages and the Edit Image window; the program installed beside the translations
// prints the headless commands' output byte for byte as it does in English.
#include "app/ui/box_messages.h"
#include "app/ui/main_form.h"
#include "app/qt/session.h"
#include "app/qt/translation.h"
#include "imaging/ui/bright_adjust.h"
#include "page/core/edit_frames.h"
#include "page/core/frame_commands.h"
#include "printing/layout/layout_file.h"
#include "printing/core/resolution.h"
#include "printing/core/print_geometry.h"
#include "settings/core/settings.h"
#include "settings/ui/setup_form.h"
#include "tests/support/process.h"
#include "tests/support/test_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

namespace {

QString xml(QString text)
{
    return text.replace('&', "&amp;").replace('<', "&lt;").replace('>', "&gt;");
}

// paginor_de.qm in folder, from (context, source, translation) triples.
bool buildTranslation(const QString& folder, const QList<QStringList>& entries)
{
    QString ts = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n<TS version=\"2.1\" language=\"de\">\n";
    for (const QStringList& e : entries)
        ts += "<context><name>" + e[0] + "</name><message><source>" + xml(e[1]) + "</source><translation>" +
              xml(e[2]) + "</translation></message></context>\n";
    ts += "</TS>\n";
    QFile file(folder + "/paginor_de.ts");
    if (!file.open(QIODevice::WriteOnly) || file.write(ts.toUtf8()) < 0)
        return false;
    file.close();
    return QProcess::execute(PAGINOR_LRELEASE, {"-silent", file.fileName(), "-qm", folder + "/paginor_de.qm"}) == 0;
}

// The text of the next message box the window opens, the box closed.
class BoxWatch {
public:
    BoxWatch()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                m_timer.stop();
                text = box->text();
                box->close();
            }
        });
        m_timer.start(20);
    }
    QString text;

private:
    QTimer m_timer;
};

// program run to its end with LANG, LC_ALL and LC_MESSAGES set to locale.
support::RunResult runIn(const QString& program, const QStringList& args, const QString& locale,
                         const QString& language = {})
{
    support::RunOptions options;
    for (const char* name : {"LANG", "LC_ALL", "LC_MESSAGES"})
        options.env.insert(name, locale);
    if (language.isEmpty())
        options.unset << "LANGUAGE";
    else
        options.env.insert("LANGUAGE", language);
    return support::run(program, args, options);
}

} // namespace

class TranslationTest : public QObject {
    Q_OBJECT
private slots:
    void windowTextsAreTranslatedAndHeadlessOutputIsNot();
    void shippedTranslationFollowsTheLocale();
    void headlessOutputIsTheSameInEveryLocale();
};

void TranslationTest::windowTextsAreTranslatedAndHeadlessOutputIsNot()
{
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    // An installed layout: bin/paginor and share/paginor/translations/paginor_de.qm.
    const QString folder = home.filePath("share/paginor/translations");
    QVERIFY(QDir().mkpath(folder) && QDir().mkpath(home.filePath("bin")));
    const QString nothing = QString::fromUtf8(printing::kNothingToPrint.data(), printing::kNothingToPrint.size());
    const QString cantOpen = QString::fromUtf8(printing::kCantOpenLayout.data(), printing::kCantOpenLayout.size());
    QVERIFY(buildTranslation(folder, {{"app::MainWindow", "&Print", "&Drucken"},
                                      {"Paginor", nothing, "Nichts zu drucken!"},
                                      {"Paginor", cantOpen, "Seitendatei nicht lesbar"},
                                      {"settings::SettingsDialog", "Ask before printing frames below it", "Vorher fragen"},
                                      {"Paginor", "Frame %1: %2 pixels per inch on %3 (below %4)",
                                       "Bild %1 auf %3: %2 Pixel je Zoll (unter %4)"},
                                      {"Paginor", "Frames %1 and %2 print below %3 pixels per inch",
                                       "Bilder %1 und %2 unter %3 Pixel je Zoll"},
                                      {"Paginor", "Print anyway?", "Trotzdem drucken?"},
                                      {"Paginor", "Can't load : \n%1\nwith %2", "Laden misslungen: \n%1\nmit %2"},
                                      {"Paginor", QString::fromUtf8(page::kAssociatedProgram.data(), page::kAssociatedProgram.size()),
                                       "dem Standardprogramm"}}));

    QVERIFY(!app::loadTranslation(*qApp, folder, QLocale(QLocale::French)));
    QVERIFY(app::loadTranslation(*qApp, folder, QLocale(QLocale::German, QLocale::Austria)));
    app::BoxMessages boxes;
    testwindow::TestWindow window(testwindow::kA4At300, {800, 640}, {}, &boxes);
    app::MainWindow& form = *window.form;
    app::Session& session = window.session;
    QVERIFY(form.FormCreate());
    boxes.setParent(&form);
    auto* printMenu = form.findChild<QMenu*>("Print1");
    QVERIFY(printMenu);
    QCOMPARE(printMenu->title(), QString("&Drucken"));

    QString boxText;
    QTimer watch;
    connect(&watch, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            watch.stop();
            boxText = box->text();
            box->close();
        }
    });
    watch.start(20);
    form.findChild<QAction*>("PrintPreview1")->trigger(); // nothing is loaded
    QCOMPARE(boxText, QString("Nichts zu drucken!"));
    core::setMessages(&boxes);

    // A caption added to the settings dialog late, and messages composed from forms: the
    // form translated, its numbers and names filled in where the translation puts them, a
    // part that is a fixed text translated too, and a name that holds "%2" left as it is.
    settings::SettingsDialog setup(session.settings, settings::SetupHooks{}, &form);
    QCOMPARE(setup.findChild<QCheckBox*>("Confirm_Low_Res")->text(), QString("Vorher fragen"));
    QCOMPARE(app::shownText(core::Message("Frame %1: %2 pixels per inch on %3 (below %4)", 2, 76, "PDF", 150)),
             QString("Bild 2 auf PDF: 76 Pixel je Zoll (unter 150)"));
    {
        BoxWatch watchQuestion;
        core::messages().ask(core::MessageKind::Confirmation,
                            {"%1\n%2", printing::lowResolutionMessage({1, 2, 4}, 150), core::Message(printing::kPrintAnyway)},
                            core::Buttons::YesNo);
        QCOMPARE(watchQuestion.text, QString("Bilder 1, 2 und 4 unter 150 Pixel je Zoll\nTrotzdem drucken?"));
    }
    const core::Message withProgram = page::cantLoadWithMessage("/photos/50%2.jpg", core::Message(page::kAssociatedProgram));
    QCOMPARE(app::shownText(withProgram), QString("Laden misslungen: \n/photos/50%2.jpg\nmit dem Standardprogramm"));
    QCOMPARE(withProgram.english(),
             std::string("Can't load : \n/photos/50%2.jpg\nwith the program the desktop associates with it"));
    QCOMPARE(app::shownText(page::cantLoadWithMessage("/photos/50%2.jpg", core::Message::name("Print anyway?"))),
             QString("Laden misslungen: \n/photos/50%2.jpg\nmit Print anyway?"));
    core::setMessages(nullptr);
    for (QTranslator* t : qApp->findChildren<QTranslator*>())
        QCoreApplication::removeTranslator(t);

    // The headless program, installed beside the same translation, in a German locale.
    const QString program = home.filePath("bin/paginor");
    QVERIFY(QFile::copy(PAGINOR_EXE, program));
    const QString err = runIn(program, {"layout", "show", home.filePath("missing.zip")}, "de_AT.UTF-8", "de").err;
    QVERIFY2(err.contains(cantOpen), qPrintable(err));
}

// The test runs once under LANG=de_DE.UTF-8 and once under LANG=fr_FR.UTF-8.
void TranslationTest::shippedTranslationFollowsTheLocale()
{
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    const QString language = QLocale().name().left(2);
    // A word of each language, so a file of the wrong language can't pass.
    const QMap<QString, QStringList> anchors{{"de", {"&Drucken", "Abbrechen"}}, {"fr", {"&Imprimer", "Annuler"}}};
    QVERIFY2(anchors.contains(language), qPrintable("run under a German or French LANG, not " + QLocale().name()));
    QVERIFY(app::loadTranslation(*qApp, PAGINOR_BUILD_DIR "/translations")); // the user's locale, as the program does
    const auto translated = [](const char* context, const char* english) {
        const QString t = QCoreApplication::translate(context, english);
        return t != QString::fromUtf8(english) ? t : QString();
    };

    app::BoxMessages boxes;
    testwindow::TestWindow window(testwindow::kA4At300, {800, 640}, {}, &boxes);
    app::MainWindow& form = *window.form;
    QVERIFY(form.FormCreate());
    boxes.setParent(&form);
    QCOMPARE(form.findChild<QMenu*>("Print1")->title(), anchors[language][0]);
    int menus = 0;
    for (QMenu* menu : form.findChildren<QMenu*>())
        for (QAction* a : menu->actions())
            if (!a->isSeparator() && !a->text().isEmpty()) {
                ++menus;
                QVERIFY2(translated("app::MainWindow", a->text().toUtf8().constData()).isEmpty(),
                         qPrintable("left in English: " + a->text()));
            }
    QVERIFY(menus > 10);

    {
        BoxWatch watch;
        form.findChild<QAction*>("PrintPreview1")->trigger(); // nothing is loaded
        const std::string_view nothing = printing::kNothingToPrint;
        QCOMPARE(watch.text, translated("Paginor", std::string(nothing).c_str()));
        QVERIFY(!watch.text.isEmpty());
    }

    settings::SettingsDialog setup(window.session.settings, settings::SetupHooks{}, &form);
    auto* pages = setup.findChild<QTabWidget*>("PageControl1");
    QVERIFY(pages && pages->count() >= 5);
    for (const char* english : {"General ", "Folders && Files ", "Saving Images / Pages", "On image load", "On Print "}) {
        const QString t = translated("settings::SettingsDialog", english);
        QVERIFY2(!t.isEmpty(), english);
        bool shown = false;
        for (int i = 0; i < pages->count(); ++i)
            shown = shown || pages->tabText(i) == t;
        QVERIFY2(shown, english);
    }

    page::Page& model = form.pageModel();
    page::FrameRecord& f = model.frame(1);
    page::setOwnPixels(f, imaging::Bitmap(40, 30));
    f.PictureOwner = 1;
    f.Loaded = true;
    f.AspectRatio = 4.0f / 3.0f;
    page::FrameEdit subject(model, 1);
    imaging::EditImageWindow edit(subject, model.settings(), {});
    QVERIFY(!translated("imaging::EditImageWindow", "Edit Image ").isEmpty());
    QVERIFY(edit.windowTitle().startsWith(translated("imaging::EditImageWindow", "Edit Image ")));
    bool cancelShown = false;
    for (QPushButton* b : edit.findChildren<QPushButton*>())
        cancelShown = cancelShown || b->text() == anchors[language][1];
    QVERIFY(cancelShown);
    for (QTranslator* t : qApp->findChildren<QTranslator*>())
        QCoreApplication::removeTranslator(t);
}

// Installed beside the shipped translations, the program's commands print the same bytes
// and end the same way in English and in the test's locale, the C library's error texts
// too. (EXIF values alone follow the locale's decimal separator, by design: no command here
// prints one.)
void TranslationTest::headlessOutputIsTheSameInEveryLocale()
{
    QTemporaryDir home;
    const QString folder = home.filePath("share/paginor/translations");
    QVERIFY(QDir().mkpath(folder) && QDir().mkpath(home.filePath("bin")));
    const QStringList shipped = QDir(PAGINOR_BUILD_DIR "/translations").entryList({"paginor_*.qm"});
    QVERIFY(shipped.size() >= 4);
    for (const QString& qm : shipped)
        QVERIFY(QFile::copy(PAGINOR_BUILD_DIR "/translations/" + qm, folder + "/" + qm));
    const QString program = home.filePath("bin/paginor");
    QVERIFY(QFile::copy(PAGINOR_EXE, program));
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());

    const QString missing = home.filePath("missing.jpg");
    const QList<QStringList> commands{{"--help"},
                                      {"settings"},
                                      {"layout", "show", home.filePath("missing.zip")},
                                      {"exif", missing},
                                      {"render", "-o", home.filePath("out.jpg"), "--printer-page", "2480x3508",
                                       "--printer-dpi", "300", missing},
                                      {"render", "--no-such-option"},
                                      {"edit", missing, "--rotate", "45", "-o", home.filePath("e.bmp")}};
    for (const QStringList& args : commands) {
        const support::RunResult english = runIn(program, args, "C.UTF-8");
        const support::RunResult local = runIn(program, args, QLocale().name() + ".UTF-8");
        QVERIFY2(english.exitCode >= 0 && local.exitCode >= 0, qPrintable(args.join(' ')));
        QVERIFY2(!english.out.isEmpty() || !english.err.isEmpty(), qPrintable(args.join(' ')));
        QCOMPARE(local.exitCode, english.exitCode);
        QCOMPARE(local.out, english.out);
        QCOMPARE(local.err, english.err);
    }
}

QTEST_MAIN(TranslationTest)
#include "translation_test.moc"
