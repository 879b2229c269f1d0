#include "page/ui/load_ui.h"

#include "page/core/folder_search.h"
#include "page/ui/page_view.h"
#include "page/ui/when_finished.h"

#include "core/messages.h"
#include "settings/ui/warning_dialog.h"

#include <QCoreApplication>
#include <QDragMoveEvent>
#include <QtConcurrent/QtConcurrentRun>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <algorithm>
#include <filesystem>
#include <set>

namespace page {
namespace {

QStringList chooseWithDesktopDialog(QWidget* parent, const QString& title, const QString& folder)
{
    // Existing files only is the dialog's default for getOpenFileNames.
    return QFileDialog::getOpenFileNames(parent, title, folder, imageFileFilter());
}

// Busy for the life of the object; a load that starts while another runs is refused
// rather than nested.
class BusyScope {
public:
    explicit BusyScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~BusyScope() { m_flag = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& m_flag;
};

QStringList localPaths(const QMimeData* mime)
{
    QStringList paths;
    if (!mime)
        return paths;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    return paths;
}

} // namespace

QString imageFileFilter()
{
    QStringList all;
    QStringList each;
    std::set<std::string> seen;
    for (const imaging::FormatInfo& f : imaging::acceptedFormats()) {
        const QString ext = QString::fromUtf8(f.extension.data(), static_cast<qsizetype>(f.extension.size())).toLower();
        // Linux names are case-sensitive: list both cases so IMG_0001.JPG shows too.
        all << "*" + ext << "*" + ext.toUpper();
        if (seen.insert(std::string(f.description)).second)
            each << QString::fromStdString(std::string(f.description)) + " (*" + ext + " *" + ext.toUpper() + ")";
    }
    return QCoreApplication::translate("Paginor", "All images") + " (" + all.join(' ') + ");;" + each.join(";;") + ";;" +
           QCoreApplication::translate("Paginor", "All files") + " (*)";
}

ImageLoader::ImageLoader(PageView& view, QWidget* window) : QObject(window), m_view(view), m_window(window)
{
    chooseFiles = chooseWithDesktopDialog;
    confirmLoadWarning = [this](QWidget* parent) {
        return settings::confirmLoadSettings(m_view.page().settings(), parent);
    };
    if (m_window)
        m_window->installEventFilter(this);
}

LoadHooks ImageLoader::hooks()
{
    LoadHooks h;
    h.frameEmptied = [this](int n) { m_view.paintEmptyFrame(n); };
    h.repaintAll = [this] { m_view.updateVisual(); };
    if (FrameControl* f1 = m_view.FrameImage(1)) {
        const qreal dpr = f1->devicePixelRatioF();
        h.screenWidth = static_cast<int>(f1->width() * dpr);
        h.screenHeight = static_cast<int>(f1->height() * dpr);
    }
    return h;
}

void ImageLoader::setButtons(const ListButtons& buttons)
{
    m_buttons = buttons;
    emit listButtonsChanged(m_buttons);
}

void ImageLoader::followBatch()
{
    ListButtons b = m_buttons;
    b.loadNext = b.clearList = b.printNext = m_queue.BatchInProgress;
    setButtons(b);
}

QString ImageLoader::titleSuffix() const
{
    const settings::Settings& s = m_view.page().settings();
    QString suffix;
    if (s.resample_on_load_Size != 100)
        suffix += tr(" Resample @ %1% ").arg(s.resample_on_load_Size);
    if (s.En_CurveOnLoad)
        suffix += tr(" Using '%1' contrast curve")
                      .arg(QString::fromStdString(std::filesystem::path(s.ApplyCurve).filename().string()));
    return suffix;
}

void ImageLoader::startStep(const LoadHooks& hooks, std::function<void()> then)
{
    // The window's commands are off from here until the step ends, so nothing changes the
    // list or the settings under it; the page is only repainted meanwhile.
    emit busyChanged(true);
    auto step = std::make_shared<LoadStep>(beginLoadStep(m_view.page(), m_queue, hooks));
    whenFinished(this, QtConcurrent::run([step] { decodeLoadStep(*step); }),
                 [this, step, hooks, then = std::move(then)](const QFuture<void>&) {
                     try {
                         finishLoadStep(m_view.page(), m_queue, hooks, *step);
                         if (then)
                             then();
                     } catch (const std::exception& e) {
                         core::messages().error(core::messageOf(e));
                     }
                     endCommand();
                 });
}

void ImageLoader::endCommand()
{
    m_busy = false;
    emit busyChanged(false);
    emit loadFinished();
}

void ImageLoader::openImageFiles(bool withDialog)
{
    openImagesThen(withDialog, {});
}

void ImageLoader::openImagesThen(bool withDialog, std::function<void()> then)
{
    auto refused = [this, &then](bool wasBusy) {
        m_busy = wasBusy;
        if (then)
            then();
    };
    if (m_busy)
        return refused(true);
    m_busy = true;
    if (withDialog)
        m_queue.FileList.clear();
    ListButtons b = m_buttons;
    b.loadNext = b.clearList = false;
    setButtons(b);
    m_queue.NextFileIndex = 0;

    if (settings::loadWarningApplies(m_view.page().settings()) && !confirmLoadWarning(m_window))
        return refused(false);
    // Checked on every load, warning or not: a load with no frame selected would
    // otherwise take nothing and leave the files queued without a word.
    if (!checkSelectionForLoad(m_view.page()))
        return refused(false);

    if (withDialog) {
        const QString title = QCoreApplication::translate("Paginor", "Load image files - ") + titleSuffix();
        QStringList chosen = chooseFiles(m_window, title, QString::fromStdString(m_view.page().settings().start_dir));
        std::stable_sort(chosen.begin(), chosen.end(),
                         [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
        for (const QString& f : chosen)
            m_queue.FileList.push_back(f.toStdString());
    }
    b.loadNext = b.printNext = b.clearList = true;
    setButtons(b);
    m_queue.NextFileIndex = 0;
    startStep(hooks(), [this, then = std::move(then)] {
        ListButtons after = m_buttons;
        after.addToList = true;
        setButtons(after);
        followBatch();
        m_view.page().status().setStatus(" ");
        if (then)
            then();
    });
}

void ImageLoader::tb_loadClick()
{
    openImagesThen(true, [this] { m_view.page().status().setStatus(""); });
}

void ImageLoader::Load1Click()
{
    openImagesThen(true, [this] {
        m_view.page().status().setStatus("");
        ListButtons b = m_buttons;
        b.addToList = true;
        setButtons(b);
    });
}

void ImageLoader::tb_load_nextClick()
{
    if (m_busy)
        return;
    m_busy = true;
    const LoadHooks h = hooks();
    selectForNextBatch(m_view.page(), h);
    startStep(h, [this] {
        followBatch();
        m_view.page().status().setStatus(" ");
    });
}

void ImageLoader::loadFile(const std::string& path)
{
    if (m_busy)
        return;
    m_busy = true;
    m_queue.FileList = {path};
    m_queue.NextFileIndex = 0;
    startStep(hooks(), {});
}

void ImageLoader::loadNextPage(const std::function<void(const std::string&, const core::Message&)>& fileFailed,
                               const std::function<void()>& keepAlive)
{
    if (m_busy)
        return;
    BusyScope busy(m_busy);
    Page& page = m_view.page();
    LoadHooks h = hooks();
    h.fileFailed = fileFailed;
    h.keepAlive = keepAlive;
    for (int n = 1; n <= page.state().FrameCount; ++n) {
        if (emptyFrameForLoad(page, n) && h.frameEmptied)
            h.frameEmptied(n);
        page.frame(n).Selected = true;
    }
    loadFiles(page, m_queue, h);
}

bool ImageLoader::everyLiveFrameLoaded() const
{
    const Page& p = m_view.page();
    for (int n = 1; n <= p.state().FrameCount; ++n)
        if (!p.frame(n).Loaded)
            return false;
    return true;
}

void ImageLoader::Addtofilelist1Click()
{
    if (m_busy)
        return;
    if (!m_queue.FileList.empty() &&
        core::messages().ask(core::MessageKind::Confirmation, kClearFileListQuestion, core::Buttons::YesNo) ==
            core::Answer::Yes) {
        m_queue.FileList.clear();
        m_queue.NextFileIndex = 0;
    }
    // In the order the dialog gives them: nothing is loaded now, and the list is loaded
    // later in this order.
    const QStringList chosen =
        chooseFiles(m_window, QCoreApplication::translate("Paginor", "Add files to list "), QString::fromStdString(m_view.page().settings().start_dir));
    for (const QString& f : chosen)
        m_queue.FileList.push_back(f.toStdString());
    ListButtons b = m_buttons;
    b.loadNext = b.clearList = true;
    b.printNext = everyLiveFrameLoaded();
    setButtons(b);
}

void ImageLoader::ClearFilelist1Click()
{
    if (m_busy)
        return;
    m_queue.FileList.clear();
    m_queue.NextFileIndex = 0;
    m_queue.BatchInProgress = false;
    ListButtons b = m_buttons;
    b.loadNext = b.clearList = b.printNext = false;
    setButtons(b);
}

void ImageLoader::appendDropped(const QStringList& paths, std::function<void()> then)
{
    const settings::Settings& s = m_view.page().settings();
    FolderScan scan;
    scan.mask = s.DroppedSearchString.empty() ? "*.*" : s.DroppedSearchString;
    std::vector<std::string> dropped;
    bool anyFolder = false;
    for (const QString& p : paths) {
        dropped.push_back(p.toStdString());
        anyFolder = anyFolder || QFileInfo(p).isDir();
    }
    const bool subFolders = s.searchSubFolders && anyFolder;
    if (subFolders)
        m_view.page().status().showStatus(kSearchingFolders);
    emit busyChanged(true);
    // Only the file system is read on the other thread.
    auto search = [dropped, scan, subFolders] {
        std::vector<std::string> files;
        for (const std::string& path : dropped) {
            std::error_code error;
            if (!std::filesystem::is_directory(path, error)) {
                files.push_back(path);
                continue;
            }
            FindAllFiles(path, scan, files);
            if (subFolders)
                DoSearch(path, scan, files);
        }
        return files;
    };
    whenFinished(this, QtConcurrent::run(search),
                 [this, subFolders, then = std::move(then)](const QFuture<std::vector<std::string>>& found) {
                     const std::vector<std::string> files = found.result();
                     m_queue.FileList.insert(m_queue.FileList.end(), files.begin(), files.end());
                     if (subFolders)
                         m_view.page().status().showStatus(kFinishedSearching);
                     emit busyChanged(false);
                     then();
                 });
}

void ImageLoader::WMDropFiles(const QStringList& paths)
{
    if (m_busy || paths.isEmpty())
        return;
    if (!m_queue.FileList.empty() &&
        core::messages().ask(core::MessageKind::Confirmation, kClearImageListQuestion, core::Buttons::YesNo) ==
            core::Answer::Yes) {
        m_queue.FileList.clear();
        m_queue.NextFileIndex = 0;
    }
    Page& page = m_view.page();
    const int hot = page.state().HotFrame;
    if (paths.size() == 1 && hot != 0 && hot <= page.state().FrameCount && !QFileInfo(paths.front()).isDir()) {
        if (!imaging::hasAcceptedExtension(paths.front().toStdString())) {
            core::messages().warning(kNotValidImageFile);
            return;
        }
        m_queue.FileList = {paths.front().toStdString()};
        page.frame(hot).Selected = true;
        openImageFiles(false);
        return;
    }
    m_busy = true;
    appendDropped(paths, [this] {
        Page& page = m_view.page();
        bool anyLoaded = false;
        for (int n = 1; n <= page.state().FrameCount; ++n)
            anyLoaded = anyLoaded || page.frame(n).Loaded;
        if (!page.anySelected() && !anyLoaded)
            for (int n = 1; n <= page.state().FrameCount; ++n)
                page.frame(n).Selected = true;
        m_busy = false;
        openImagesThen(false, {});
        // A load refused at once (no frame selected) still ends the drop's command.
        if (!m_busy)
            emit loadFinished();
    });
}

int ImageLoader::frameAt(QPoint windowPos) const
{
    for (QWidget* w = m_window ? m_window->childAt(windowPos) : nullptr; w; w = w->parentWidget())
        if (auto* f = qobject_cast<FrameControl*>(w))
            return f->tag();
    return 0;
}

bool ImageLoader::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_window)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (m_busy || localPaths(drag->mimeData()).isEmpty())
            return false;
        // The pointer over a frame during a drag gives no mouse moves; the drag's own
        // position says which frame the drop will be on.
        m_view.page().state().HotFrame = static_cast<std::uint8_t>(frameAt(drag->position().toPoint()));
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList paths = localPaths(drop->mimeData());
        if (paths.isEmpty())
            return false;
        const auto hot = static_cast<std::uint8_t>(frameAt(drop->position().toPoint()));
        drop->acceptProposedAction();
        // The drag source waits until the drop event returns; questions and the load
        // come after that.
        QMetaObject::invokeMethod(
            this,
            [this, paths, hot] {
                m_view.page().state().HotFrame = hot;
                WMDropFiles(paths);
            },
            Qt::QueuedConnection);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace page
