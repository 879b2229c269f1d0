// The help pages in a window of the program's own, for a desktop where no web browser
// can be started: links between the pages and their pictures work as in a browser.
#pragma once

#include <QMainWindow>

class QTextBrowser;
class QAction;

namespace app {

class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    // topic: the page to show first, a file in the help folder.
    explicit HelpWindow(const QString& topic, QWidget* parent = nullptr);
    QTextBrowser* browser() const { return m_browser; }
    void showTopic(const QString& topic);

private:
    void openExternal(const QUrl& url);
    void updateTitle();

    QTextBrowser* m_browser = nullptr;
    QAction* m_back = nullptr;
    QAction* m_forward = nullptr;
};

// False when the desktop has no program for web pages: no $BROWSER and xdg-mime names
// none for text/html. The desktop's launcher itself reports success as soon as it starts,
// browser or not, so it cannot be asked.
bool desktopShowsHtml();

// Opens (or raises) the one help window of the program at topic.
HelpWindow* showHelpWindow(const QString& topic, QWidget* parent);

} // namespace app
