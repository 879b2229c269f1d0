// The window in another language: a translation built here (lrelease from a .ts written by
// the test) turns a menu caption, a message box's text, a settings caption and composed
// messages, and the program installed beside the same translation still prints the headless
// commands' messages in English.
#include "app/box_messages.h"
#include "app/main_form.h"
#include "app/session.h"
#include "app/translation.h"
#include "printing/layout_file.h"
#include "printing/print_geometry.h"
#include "settings/settings.h"
#include "settings/ui/setup_form.h"
#include "tests/test_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
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

} // namespace

class TranslationTest : public QObject {
    Q_OBJECT
private slots:
    void windowTextsAreTranslatedAndHeadlessOutputIsNot();
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
    QVERIFY(buildTranslation(folder, {{"app::TMain_Form", "&Print", "&Drucken"},
                                      {"Paginor", nothing, "Nichts zu drucken!"},
                                      {"Paginor", cantOpen, "Seitendatei nicht lesbar"},
                                      {"settings::TSetup_Form", "Ask before printing frames below it", "Vorher fragen"},
                                      {"Paginor", "Frame %1: %2 pixels per inch on %3 (below %4)",
                                       "Bild %1 auf %3: %2 Pixel je Zoll (unter %4)"},
                                      {"Paginor", "Frames %1 and %2 print below %3 pixels per inch",
                                       "Bilder %1 und %2 unter %3 Pixel je Zoll"},
                                      {"Paginor", "Print anyway?", "Trotzdem drucken?"}}));

    QVERIFY(!app::loadTranslation(*qApp, folder, QLocale(QLocale::French)));
    QVERIFY(app::loadTranslation(*qApp, folder, QLocale(QLocale::German, QLocale::Austria)));
    app::BoxMessages boxes;
    testwindow::TestWindow window(testwindow::kA4At300, {800, 640}, {}, &boxes);
    app::TMain_Form& form = *window.form;
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

    // A caption added to the settings dialog late, and messages composed with numbers and
    // names: translated whole, the parts filled in where the translation puts them.
    settings::TSetup_Form setup(session.settings, settings::SetupHooks{}, &form);
    QCOMPARE(setup.findChild<QCheckBox*>("Confirm_Low_Res")->text(), QString("Vorher fragen"));
    QCOMPARE(app::shownText("Frame 2: 76 pixels per inch on PDF (below 150)"),
             QString("Bild 2 auf PDF: 76 Pixel je Zoll (unter 150)"));
    QCOMPARE(app::shownText("Frames 1, 2 and 4 print below 150 pixels per inch\nPrint anyway?"),
             QString("Bilder 1, 2 und 4 unter 150 Pixel je Zoll\nTrotzdem drucken?"));
    // Without a translation of its form a composed text stays as it is, a "%2" in a name too.
    QCOMPARE(app::shownText("Can't load : \n/photos/50%2.jpg\nwith gimp"),
             QString("Can't load : \n/photos/50%2.jpg\nwith gimp"));
    app::setMessages(nullptr);
    for (QTranslator* t : qApp->findChildren<QTranslator*>())
        QCoreApplication::removeTranslator(t);

    // The headless program, installed beside the same translation, in a German locale.
    const QString program = home.filePath("bin/paginor");
    QVERIFY(QFile::copy(PAGINOR_EXE, program));
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANG", "LC_ALL", "LC_MESSAGES"})
        env.insert(name, "de_AT.UTF-8");
    env.insert("LANGUAGE", "de");
    run.setProcessEnvironment(env);
    run.start(program, {"layout", "show", home.filePath("missing.zip")});
    QVERIFY(run.waitForFinished(60000));
    const QString err = QString::fromUtf8(run.readAllStandardError());
    QVERIFY2(err.contains(cantOpen), qPrintable(err));
}

QTEST_MAIN(TranslationTest)
#include "translation_test.moc"
