// Help on a desktop without a web browser, on a real X server (Xvfb): the guide opens in
// the program's own window, and its links and pictures work there.
#include "app/ui/help_window.h"
#include "app/ui/main_form.h"
#include "tests/support/test_window.h"

#include <QAction>
#include <QApplication>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>

#include <cstdio>

namespace {

int failures = 0;

void check(bool ok, const QString& what)
{
    if (!ok) {
        std::printf("FAIL: %s\n", qPrintable(what));
        ++failures;
    }
}

// The links and pictures of the page the browser shows.
QStringList referencesOf(QTextBrowser* browser, const QString& pattern)
{
    QStringList found;
    const QRegularExpression re(pattern);
    for (auto it = re.globalMatch(browser->toHtml()); it.hasNext();)
        found << it.next().captured(1);
    return found;
}

} // namespace

int main(int argc, char** argv)
{
    const QByteArray display = qgetenv("PAGINOR_XVFB_DISPLAY");
    if (display.isEmpty()) {
        std::puts("SKIP: PAGINOR_XVFB_DISPLAY is not set (scripts/test.sh starts Xvfb)");
        return 77;
    }
    // A desktop with no browser: nothing on the search path, no $BROWSER.
    QTemporaryDir emptyPath;
    qputenv("PATH", emptyPath.path().toUtf8());
    qunsetenv("BROWSER");
    qputenv("DISPLAY", display);
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication application(argc, argv);

    testwindow::TestWindow w;
    if (!QTest::qWaitForWindowExposed(w.form.get()) || !w.form->FormCreate()) {
        std::puts("FAIL: the window did not come up");
        return 1;
    }
    w.form->menuAction("Help1")->trigger();
    QTest::qWait(300);
    auto* help = application.findChild<app::HelpWindow*>();
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* h = qobject_cast<app::HelpWindow*>(top))
            help = h;
    check(help && help->isVisible(), "Help opened no window of its own");
    check(w.messages.entries().empty(), "Help showed a message instead of the guide");
    if (!help)
        return 1;
    QTextBrowser* browser = help->browser();
    check(browser->source().fileName() == app::kHelpTopic, "the help window does not show the contents page");
    check(help->windowTitle().contains("Contents"), "the help window's title is not the page's: " + help->windowTitle());

    // Every page the contents page links to opens in the window, with its pictures.
    const QStringList pages = referencesOf(browser, R"re(href="([^"#:]+\.html)[^"]*")re");
    check(pages.size() >= 10, QString("the contents page links to %1 pages").arg(pages.size()));
    const QUrl contents = browser->source();
    int pictures = 0;
    for (const QString& page : pages) {
        emit browser->anchorClicked(QUrl(page));
        QTest::qWait(20);
        check(browser->source().fileName() == page, "the link to " + page + " did not open it");
        check(!browser->toPlainText().trimmed().isEmpty(), page + " shows nothing");
        for (const QString& image : referencesOf(browser, R"re(<img[^>]*src="([^"]+)")re")) {
            const QVariant shown = browser->document()->resource(QTextDocument::ImageResource, browser->source().resolved(QUrl(image)));
            check(shown.isValid() && !qvariant_cast<QImage>(shown).isNull(), page + ": picture " + image + " is not shown");
            ++pictures;
        }
        browser->setSource(contents);
    }
    check(pictures > 0, "no page showed a picture");
    browser->backward();
    std::printf("%lld pages and %d pictures shown in the help window\n", static_cast<long long>(pages.size()), pictures);
    return failures ? 1 : 0;
}
