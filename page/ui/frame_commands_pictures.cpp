// The picture commands of the frame popup: Frame Copy and Paste with the system clipboard,
// reload and export to other programs, turning, flipping, greyscale and resampling.
#include "page/ui/frame_commands_ui.h"
#include "page/ui/frame_commands_ui_parts.h"

#include "core/messages.h"
#include "imaging/qt/qimage_adapter.h"
#include "page/core/geometry.h"
#include "page/ui/page_view.h"
#include "page/ui/when_finished.h"
#include "settings/ui/resample_dialog.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QMenu>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHash>
#include <QMimeData>
#include <QProcess>
#include <QUrl>
#include <QtConcurrent/QtConcurrentRun>

#include <exception>
#include <utility>

namespace page {
namespace clipboard {
namespace {

const QString kQtImage = QStringLiteral("application/x-qt-image");

// Which encoder each offered type uses. Desktop programs ask for PNG first; older ones
// (and some Wine programs) for one of the bitmap names.
const QList<QPair<QString, const char*>> kOffered = {
    {QStringLiteral("image/png"), "PNG"},      {QStringLiteral("image/bmp"), "BMP"},
    {QStringLiteral("image/x-bmp"), "BMP"},    {QStringLiteral("image/x-MS-bmp"), "BMP"},
    {QStringLiteral("image/jpeg"), "JPG"},
};

// The order a paste tries the types in: lossless before lossy.
const QStringList kAccepted = {"image/png",  "image/bmp",  "image/x-bmp", "image/x-MS-bmp", "image/x-win-bitmap",
                               "image/tiff", "image/webp", "image/gif",   "image/jpeg",     "image/x-portable-pixmap"};

// A photo encoded as PNG takes a second or more; nothing is encoded until a program
// actually asks for that type, and each type is encoded once.
class PictureMimeData final : public QMimeData {
public:
    explicit PictureMimeData(QImage image) : m_image(std::move(image)) {}

    QStringList formats() const override
    {
        QStringList list{kQtImage};
        for (const auto& offered : kOffered)
            list << offered.first;
        return list;
    }

    bool hasFormat(const QString& mimeType) const override { return formats().contains(mimeType); }

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override
    {
        if (mimeType == kQtImage)
            return m_image;
        for (const auto& offered : kOffered)
            if (offered.first == mimeType)
                return encoded(offered.first, offered.second);
        return QMimeData::retrieveData(mimeType, type);
    }

private:
    QByteArray encoded(const QString& mimeType, const char* format) const
    {
        auto it = m_encoded.find(mimeType);
        if (it != m_encoded.end())
            return *it;
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        m_image.save(&buffer, format, qstrcmp(format, "JPG") == 0 ? 95 : -1);
        m_encoded.insert(mimeType, bytes);
        return bytes;
    }

    QImage m_image;
    mutable QHash<QString, QByteArray> m_encoded;
};

} // namespace

QMimeData* mimeDataFor(const QImage& image)
{
    return new PictureMimeData(image);
}

bool holdsBitmap(const QMimeData* data)
{
    if (!data)
        return false;
    if (data->hasImage())
        return true;
    for (const QString& f : data->formats())
        if (f.startsWith(QLatin1String("image/")))
            return true;
    return false;
}

QImage imageFrom(const QMimeData* data)
{
    if (!data)
        return {};
    if (data->hasImage()) {
        QImage image = qvariant_cast<QImage>(data->imageData());
        if (!image.isNull())
            return image;
    }
    QStringList order = kAccepted;
    for (const QString& f : data->formats())
        if (f.startsWith(QLatin1String("image/")) && !order.contains(f))
            order << f;
    for (const QString& f : order) {
        if (!data->hasFormat(f))
            continue;
        // The reader's own allocation limit refuses a header that announces a huge picture.
        QImage image;
        if (image.loadFromData(data->data(f)) && !image.isNull())
            return image;
    }
    return {};
}

} // namespace clipboard

using namespace commands_ui;

void FrameCommandsUi::Copy1Click()
{
    m_commands.frameCopy();
    if (QAction* paste = popupAction("Paste1"))
        paste->setEnabled(m_commands.CopiedFrame != 0);
}

void FrameCommandsUi::Paste1Click()
{
    const std::vector<int> pasted = m_commands.framePaste();
    // The copy may be narrower than what the frame showed before.
    for (int n : pasted)
        m_view.paintEmptyFrame(n);
    m_view.updateVisual();
}

void FrameCommandsUi::onSpecialCopyClicked()
{
    const FrameCommands::CopySource source = m_commands.copySource();
    if (source.frame == 0)
        return;
    if (source.severalSelected)
        core::messages().information(copyOneImageMessage(source.frame));
    try {
        const imaging::Bitmap& pixels = ownPixels(m_view.page().frame(source.owner));
        QGuiApplication::clipboard()->setMimeData(clipboard::mimeDataFor(imaging::toQImage(pixels.view())));
    } catch (const std::exception& e) {
        core::messages().error(core::messageOf(e));
    }
}

void FrameCommandsUi::onSpecialPasteClicked()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!clipboard::holdsBitmap(data))
        return;
    std::vector<int> pasted;
    try {
        const QImage image = clipboard::imageFrom(data);
        if (image.isNull()) {
            core::messages().error(kClipboardUnreadable);
            return;
        }
        pasted = m_commands.pasteBitmap(imaging::fromQImage(image));
    } catch (const std::exception& e) {
        core::messages().error(core::messageOf(e));
        return;
    }
    for (int n : pasted)
        m_view.paintEmptyFrame(n);
    m_view.updateVisual();
}

void FrameCommandsUi::ReloadClick()
{
    const int f = find_selected(m_view.page());
    if (f == 0)
        return;
    const ReloadNames names = reloadNames(m_view.page().frame(f).FileName);
    popupAction("Original1")->setText(tr("Original (%1)").arg(qs(names.name)));
    QAction* modified = popupAction("Modified1");
    modified->setEnabled(QFileInfo(qs(names.editedPath)).isFile());
    modified->setText(tr("Modified (!%1)").arg(qs(names.name)));
}

void FrameCommandsUi::reloadFrom(int frame, const std::string& path)
{
    if (!m_hooks.loadFile)
        return;
    for (const char* name : {"tb_load_next", "ClearFilelist1", "tb_print_next"})
        setButtonEnabled(name, false);
    // The load step fills the first selected frames; the file goes back where it came
    // from only when that frame is the one selected.
    SelectImage(frame, true);
    m_hooks.loadFile(path);
}

void FrameCommandsUi::OriginalClick()
{
    if (m_hooks.loadWarningAccepted && !m_hooks.loadWarningAccepted())
        return;
    const int f = find_selected(m_view.page());
    if (f == 0)
        return;
    reloadFrom(f, m_view.page().frame(f).FileName);
}

void FrameCommandsUi::Modified1Click()
{
    const int f = find_selected(m_view.page());
    if (f == 0)
        return;
    const ReloadNames names = reloadNames(m_view.page().frame(f).FileName);
    if (!QFileInfo(qs(names.editedPath)).isFile()) {
        core::messages().warning(modifiedMissingMessage(names.editedPath));
        return;
    }
    reloadFrom(f, names.editedPath);
}

void FrameCommandsUi::RunShell1Click()
{
    const ExportPlan plan = m_commands.exportPlan();
    switch (plan.kind) {
    case ExportPlan::Kind::Nothing:
        return;
    case ExportPlan::Kind::Refused:
        core::messages().information(plan.message);
        return;
    case ExportPlan::Kind::Associated: {
        const QUrl url = QUrl::fromLocalFile(qs(plan.file));
        const bool started = m_hooks.openUrl ? m_hooks.openUrl(url) : QDesktopServices::openUrl(url);
        if (!started)
            core::messages().error(cantLoadWithMessage(plan.file, core::Message(kAssociatedProgram)));
        return;
    }
    case ExportPlan::Kind::Program: {
        // The file goes as one argument, never through a shell, whatever characters it holds.
        QString program = qs(plan.program);
        QStringList args;
        // A program named with options of its own ("flatpak run org.gimp.GIMP") is split as
        // a shell would; a path that exists is taken whole, spaces and all.
        if (!QFileInfo::exists(program)) {
            args = QProcess::splitCommand(program);
            program = args.isEmpty() ? QString() : args.takeFirst();
        }
        args << qs(plan.file);
        const bool started = m_hooks.startProgram ? m_hooks.startProgram(program, args)
                                                  : QProcess::startDetached(program, args);
        if (!started)
            core::messages().error(cantLoadWithMessage(plan.file, core::Message::name(plan.program)));
        return;
    }
    }
}

void FrameCommandsUi::Load2Click()
{
    if (m_hooks.openImages)
        m_hooks.openImages(true);
    setStatus("");
}

struct FrameCommandsUi::TurnRun {
    RotateMode mode = RotateMode::Rotate;
    std::vector<int> frames;
    std::size_t next = 0;
    int frameCount = 0;
    int passed = 0;   // frames counted into the progress
    int position = 1; // the progress bar's position

    // The bar moves by a share for every frame, turned or not, and by 10 for each turned
    // one; the steps add up to more than 100 when most frames are turned, and it stops at its end.
    void advance(int by, StatusDisplay& status)
    {
        position = std::min(100, position + by);
        status.setProgress(position);
    }
};

void FrameCommandsUi::RotateBitmap(int mode)
{
    Page& page = m_view.page();
    auto run = std::make_shared<TurnRun>();
    run->mode = static_cast<RotateMode>(mode);
    run->frames = framesToChange(page);
    run->frameCount = page.state().FrameCount;
    StatusDisplay& status = page.status();
    status.showStatus(core::Message(kImageBeingProcessed));
    status.setProgress(1);
    status.setProgressVisible(true);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    emit busyChanged(true);
    turnNext(run);
}

void FrameCommandsUi::turnNext(const std::shared_ptr<TurnRun>& run)
{
    struct Job {
        PixelsTake take;
        RotateMode mode;
        std::exception_ptr error;
    };
    StatusDisplay& status = m_view.page().status();
    while (run->next < run->frames.size()) {
        const int n = run->frames[run->next++];
        for (; run->passed < n; ++run->passed)
            run->advance(100 / run->frameCount, status);
        std::optional<PixelsTake> take;
        try {
            take = takeFramePixels(m_view.page(), n);
        } catch (const std::exception& e) {
            return endTurn(core::messageOf(e));
        }
        if (!take)
            continue;
        auto job = std::make_shared<Job>(Job{std::move(*take), run->mode, nullptr});
        auto work = [job] {
            try {
                turnTaken(job->take, job->mode);
            } catch (...) {
                job->error = std::current_exception();
            }
        };
        whenFinished(this, QtConcurrent::run(work), [this, run, job](const QFuture<void>&) {
            if (job->error) {
                // The frames turned before it keep their new shape; the rest are left alone.
                try {
                    std::rethrow_exception(job->error);
                } catch (const std::exception& e) {
                    return endTurn(core::messageOf(e));
                }
            }
            run->advance(10, m_view.page().status());
            putTurned(m_view.page(), std::move(job->take), run->mode, [this](int k) { m_view.paintEmptyFrame(k); });
            turnNext(run);
        });
        return;
    }
    endTurn(std::nullopt);
}

void FrameCommandsUi::endTurn(const std::optional<core::Message>& error)
{
    StatusDisplay& status = m_view.page().status();
    status.setProgress(0);
    status.setProgressVisible(false);
    status.setStatus("");
    QApplication::restoreOverrideCursor();
    if (error)
        core::messages().error(*error);
    // Also after a failure: the frames turned before it show their new shape.
    deselectAllImages();
    m_view.updateVisual();
    emit busyChanged(false);
    emit turnFinished();
}

void FrameCommandsUi::addCurvesToMenu()
{
    m_curves->clear();
    std::size_t leftOut = 0;
    const std::string folder = m_view.page().settings().Curve_Dir;
    for (const std::string& name : curveFilesIn(folder, leftOut)) {
        // The caption is the file name: an "&" in it is no accelerator.
        QAction* a = m_curves->addAction(qs(name).replace('&', "&&"));
        a->setData(qs(name));
        connect(a, &QAction::triggered, this, [this, a] { PopupHandler(a->data().toString()); });
    }
    m_curves->menuAction()->setEnabled(!m_curves->isEmpty());
    if (leftOut > 0)
        setStatus({QT_TRANSLATE_NOOP("Paginor", "%1 more curve files were left out of \"Apply Curves\""), leftOut});
}

void FrameCommandsUi::PopupHandler(const QString& caption)
{
    const std::string folder = m_view.page().settings().Curve_Dir;
    const std::string path = (folder.empty() || folder.back() == '/' ? folder : folder + "/") + caption.toStdString();
    try {
        applyCurveFileToSelected(m_view.page(), path, keepAlive);
    } catch (const std::exception& e) {
        core::messages().error(core::messageOf(e));
    }
    deselectAllImages();
    m_view.updateVisual();
}

void FrameCommandsUi::onCropToFrameClicked()
{
    try {
        cropToFrame(m_view.page(), keepAlive);
    } catch (const std::exception& e) {
        core::messages().error(core::messageOf(e));
    }
    deselectAllImages();
    m_view.updateVisual();
}

struct FrameCommandsUi::GreyscaleRun {
    std::vector<int> frames;
    std::size_t next = 0;
    int frameCount = 0; // when the command began, for the progress
};

void FrameCommandsUi::GrayScaleClick()
{
    auto run = std::make_shared<GreyscaleRun>();
    run->frames = framesToChange(m_view.page());
    run->frameCount = m_view.page().state().FrameCount;
    StatusDisplay& status = m_view.page().status();
    status.showStatus(core::Message(kImageBeingProcessed));
    status.setProgress(1);
    status.setProgressVisible(true);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    emit busyChanged(true);
    greyNext(run);
}

void FrameCommandsUi::greyNext(const std::shared_ptr<GreyscaleRun>& run)
{
    struct Job {
        PixelsTake take;
        std::exception_ptr error;
    };
    while (run->next < run->frames.size()) {
        const int n = run->frames[run->next++];
        std::optional<PixelsTake> take;
        try {
            take = takeFramePixels(m_view.page(), n);
        } catch (...) {
            reportGreyscaleFailure(std::current_exception());
            return endGreyscale();
        }
        if (!take)
            continue;
        auto job = std::make_shared<Job>(Job{std::move(*take), nullptr});
        auto work = [job] {
            try {
                greyTaken(job->take);
            } catch (...) {
                job->error = std::current_exception();
            }
        };
        whenFinished(this, QtConcurrent::run(work), [this, run, job, n](const QFuture<void>&) {
            if (job->error) {
                // The frames already done stay grey; the rest keep their pictures.
                reportGreyscaleFailure(job->error);
                return endGreyscale();
            }
            putGreyed(m_view.page(), std::move(job->take));
            m_view.page().status().setProgress(roundToInt(static_cast<long double>(n) / run->frameCount * 100));
            greyNext(run);
        });
        return;
    }
    endGreyscale();
}

void FrameCommandsUi::endGreyscale()
{
    StatusDisplay& status = m_view.page().status();
    status.setProgress(0);
    status.setProgressVisible(false);
    status.setStatus("");
    QApplication::restoreOverrideCursor();
    deselectAllImages();
    m_view.updateVisual();
    emit busyChanged(false);
    emit greyscaleFinished();
}

struct FrameCommandsUi::ResampleRun {
    std::vector<int> frames;
    std::size_t next = 0;
    int percent = 100;
    int filterIndex = 0;
    int selected = 0;
};

void FrameCommandsUi::Resample1Click()
{
    settings::Settings& s = m_view.page().settings();
    auto run = std::make_shared<ResampleRun>();
    {
        settings::ResampleDialog dialog(s, m_window);
        const int result = dialog.exec();
        if (result == settings::ResampleDialog::kOkResult && s.Manual_Resamp_Size == 100)
            return;
        if (result != settings::ResampleDialog::kOkResult)
            return endResample(std::nullopt);
    }
    run->percent = s.Manual_Resamp_Size;
    run->filterIndex = s.Manual_Resamp_Filter;
    run->selected = selectedCount(m_view.page());
    try {
        run->frames = framesToResample(m_view.page(), run->filterIndex);
    } catch (const std::exception& e) {
        return endResample(core::messageOf(e));
    }
    StatusDisplay& status = m_view.page().status();
    status.setProgress(1);
    status.setProgressVisible(true);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_resampling = true;
    emit busyChanged(true);
    resampleNext(run);
}

void FrameCommandsUi::resampleNext(const std::shared_ptr<ResampleRun>& run)
{
    struct Job {
        ResampleTake take;
        int filterIndex = 0;
        std::exception_ptr error;
    };
    while (run->next < run->frames.size()) {
        const int n = run->frames[run->next++];
        std::optional<ResampleTake> take;
        try {
            take = takeForResample(m_view.page(), n, run->percent, run->selected);
        } catch (const std::exception& e) {
            return endResample(core::messageOf(e));
        }
        if (!take)
            continue;
        auto job = std::make_shared<Job>(Job{std::move(*take), run->filterIndex, nullptr});
        auto work = [job] {
            try {
                resampleTaken(job->take, job->filterIndex);
            } catch (...) {
                job->error = std::current_exception();
            }
        };
        whenFinished(this, QtConcurrent::run(work), [this, run, job](const QFuture<void>&) {
            if (job->error) {
                // The frame keeps its picture, and the frames after it theirs.
                try {
                    std::rethrow_exception(job->error);
                } catch (const std::exception& e) {
                    return endResample(core::messageOf(e));
                }
            }
            putResampled(m_view.page(), std::move(job->take));
            resampleNext(run);
        });
        return;
    }
    endResample(std::nullopt);
}

void FrameCommandsUi::endResample(const std::optional<core::Message>& error)
{
    StatusDisplay& status = m_view.page().status();
    if (m_resampling) {
        status.setProgress(0);
        status.setProgressVisible(false);
        status.setStatus("");
        QApplication::restoreOverrideCursor();
    }
    if (error)
        core::messages().error(*error);
    status.setProgressVisible(false);
    m_view.redisplayPictures();
    if (std::exchange(m_resampling, false))
        emit busyChanged(false);
    emit resampleFinished();
}

} // namespace page
