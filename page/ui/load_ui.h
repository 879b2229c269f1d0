// The window side of loading: the open dialog, the load warning, the file-list commands
// and files or folders dropped on the main window, on top of the load step (loading.h).
#pragma once

#include "core/message.h"

#include "page/core/load_step.h"
#include "page/core/loading.h"

#include <QObject>
#include <QStringList>

#include <functional>

class QWidget;

namespace page {

class PageView;

// Which of the main window's list commands may be used now.
struct ListButtons {
    bool loadNext = false;  // tb_load_next
    bool clearList = false; // "Clear File list"
    bool printNext = false; // tb_print_next
    bool addToList = true;  // "Add to file list"

    friend bool operator==(const ListButtons&, const ListButtons&) = default;
};

class ImageLoader final : public QObject {
    Q_OBJECT
public:
    // window receives the drops (it must accept drops) and parents the dialogs.
    ImageLoader(PageView& view, QWidget* window);

    FileQueue& queue() { return m_queue; }
    const ListButtons& listButtons() const { return m_buttons; }
    // True while a load runs (its dialog is up or its files decode); further loads and
    // drops are refused until it ends. The load commands return at once; the files decode
    // on other threads while the window's own loop turns, and go into their frames when
    // all are decoded. A command still busy when it returns sends loadFinished() at its end.
    bool busy() const { return m_busy; }
    // The hooks the load step runs with in this window (batch printing uses them too).
    LoadHooks hooks();

    // The open-picture dialog: multi-select, existing files only. Returns the chosen
    // files; empty when cancelled. Tests replace it.
    std::function<QStringList(QWidget* parent, const QString& title, const QString& folder)> chooseFiles;
    // The load warning; true to go on. Tests replace it.
    std::function<bool(QWidget* parent)> confirmLoadWarning;

    void openImageFiles(bool withDialog);
    // tb_load, "&Load Selected" (which also enables "Add to file list"), popup "Load".
    void tb_loadClick();
    void Load1Click();
    void tb_load_nextClick();
    // Reload: one load step of path alone into the first selected frame. Refused, like
    // every other load, while a load runs.
    void loadFile(const std::string& path);
    // The next page of the list into every live frame (emptied first), as one load step;
    // nothing while a load runs. Given fileFailed, a file that can't be decoded is told
    // there instead of in a message box. Unlike the other commands it returns when the
    // page is loaded, calling keepAlive while files decode: batch printing goes on with
    // the page at once.
    void loadNextPage(const std::function<void(const std::string& path, const core::Message& error)>& fileFailed,
                      const std::function<void()>& keepAlive);
    void Addtofilelist1Click();
    void ClearFilelist1Click();
    // Local paths dropped on the window; the frame under the pointer is the page's HotFrame.
    void WMDropFiles(const QStringList& paths);

signals:
    void listButtonsChanged(const page::ListButtons& buttons);
    // Work of a load command began or ended beside the window (the window turns its
    // commands off and on).
    void busyChanged(bool busy);
    // A load command ended, whether it loaded anything or not.
    void loadFinished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // openImageFiles with `then` run after the load step (before loadFinished).
    void openImagesThen(bool withDialog, std::function<void()> then);
    // Starts one load step whose files decode on another thread; the step ends, then
    // `then` runs, when they are decoded.
    void startStep(const LoadHooks& hooks, std::function<void()> then);
    // Ends a load command that started a step or searched folders.
    void endCommand();
    void setButtons(const ListButtons& buttons);
    void followBatch(); // the list buttons follow BatchInProgress
    QString titleSuffix() const;
    // The drop's files then those its folders hold, found on another thread; then `then`.
    void appendDropped(const QStringList& paths, std::function<void()> then);
    int frameAt(QPoint windowPos) const;
    bool everyLiveFrameLoaded() const;

    PageView& m_view;
    QWidget* m_window;
    FileQueue m_queue;
    ListButtons m_buttons;
    bool m_busy = false;
};

// The open dialog's file filter: every accepted extension, then one entry per format.
QString imageFileFilter();

} // namespace page
