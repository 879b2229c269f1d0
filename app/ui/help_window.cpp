#include "app/ui/help_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeySequence>
#include <QPointer>
#include <QProcess>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

namespace app {

HelpWindow::HelpWindow(const QString& topic, QWidget* parent) : QMainWindow(parent)
{
    setObjectName("HelpWindow");
    setAttribute(Qt::WA_DeleteOnClose);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName("HelpBrowser");
    // Links to other pages of the guide stay in the window; mail and web addresses go to
    // whatever the desktop has for them.
    m_browser->setOpenLinks(false);
    connect(m_browser, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.isLocalFile() || url.isRelative())
            m_browser->setSource(m_browser->source().resolved(url));
        else
            openExternal(url);
    });
    setCentralWidget(m_browser);

    QToolBar* bar = addToolBar(QCoreApplication::translate("Paginor", "Help"));
    bar->setObjectName("HelpToolbar");
    bar->setMovable(false);
    m_back = bar->addAction(QCoreApplication::translate("Paginor", "Back"), m_browser, &QTextBrowser::backward);
    m_back->setShortcut(QKeySequence::Back);
    m_forward = bar->addAction(QCoreApplication::translate("Paginor", "Forward"), m_browser, &QTextBrowser::forward);
    m_forward->setShortcut(QKeySequence::Forward);
    QAction* contents = bar->addAction(QCoreApplication::translate("Paginor", "Contents"));
    connect(contents, &QAction::triggered, this, [this, home = topic] { showTopic(home); });
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::updateTitle);

    resize(820, 680);
    showTopic(topic);
}

void HelpWindow::showTopic(const QString& topic)
{
    m_browser->setSearchPaths({QFileInfo(topic).absolutePath()});
    m_browser->setSource(QUrl::fromLocalFile(QFileInfo(topic).absoluteFilePath()));
}

void HelpWindow::openExternal(const QUrl& url)
{
    QDesktopServices::openUrl(url);
}

void HelpWindow::updateTitle()
{
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? QCoreApplication::translate("Paginor", "Paginor help") : title);
}

bool desktopShowsHtml()
{
    if (!qEnvironmentVariableIsEmpty("BROWSER"))
        return true;
    QProcess query;
    query.start("xdg-mime", {"query", "default", "text/html"});
    if (!query.waitForStarted(3000))
        return true; // no xdg-utils: leave it to Qt's own search for a browser
    if (!query.waitForFinished(3000))
        return true;
    return query.exitCode() == 0 && !query.readAllStandardOutput().trimmed().isEmpty();
}

HelpWindow* showHelpWindow(const QString& topic, QWidget* parent)
{
    static QPointer<HelpWindow> window;
    if (!window)
        window = new HelpWindow(topic, parent);
    else
        window->showTopic(topic);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace app
