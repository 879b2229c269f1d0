#include "printing/ui/layout_ui.h"

#include "core/messages.h"
#include "page/core/frame_commands.h"
#include "printing/core/layout_page.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>

namespace printing {
namespace {

QString fromStd(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// A fixed text marked for translation, in the user's language.
QString shown(std::string_view s)
{
    return QCoreApplication::translate("Paginor", std::string(s).c_str());
}

QString jpegFilter()
{
    return QCoreApplication::translate("Paginor", "Jpeg files (*.jpg)");
}

QString bitmapFilter()
{
    return QCoreApplication::translate("Paginor", "Bitmap files (*.bmp)");
}

QString layoutDialog(QWidget* parent, const QString& title, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(shown(kLayoutFilter));
    dialog.setDefaultSuffix("zip");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

std::optional<ChosenImageFile> imageDialog(QWidget* parent, const QString& presetName)
{
    QFileDialog dialog(parent, shown(kSaveImageTitle));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The program asks its own overwrite question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters({jpegFilter(), bitmapFilter()});
    dialog.setDefaultSuffix("jpg");
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& f) { dialog.setDefaultSuffix(f == bitmapFilter() ? "bmp" : "jpg"); });
    dialog.selectFile(presetName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return ChosenImageFile{dialog.selectedFiles().front(), dialog.selectedNameFilter() == bitmapFilter()};
}

} // namespace

LayoutCommands::LayoutCommands(page::Page& page, QWidget* parent, LayoutWindowHooks hooks)
    : m_page(page), m_parent(parent), m_hooks(std::move(hooks))
{
}

bool LayoutCommands::canSavePage() const
{
    return canLoadPage() && page::loadedCount(m_page) > 0;
}

bool LayoutCommands::canLoadPage() const
{
    return m_page.settings().Zip_Available;
}

void LayoutCommands::savePageArchive()
{
    const QString title = shown(kSavePageTitle);
    const QString path = chooseSaveLayout ? chooseSaveLayout(m_parent, title)
                                          : layoutDialog(m_parent, title, QFileDialog::AcceptSave);
    if (path.isEmpty())
        return;
    try {
        // The dialog asked before an existing file was chosen: it is replaced, not
        // added to, so nothing of an earlier page travels with this one.
        printing::savePageArchive(m_page, path.toStdString(), m_hooks.keepAlive, ArchiveWrite::Replace);
    } catch (const std::exception& e) {
        core::messages().error(core::messageOf(e));
    }
    if (m_hooks.repaintAll)
        m_hooks.repaintAll();
    if (m_hooks.selectFrame)
        m_hooks.selectFrame(1);
}

void LayoutCommands::load_page()
{
    const QString title = shown(kLoadPageTitle);
    const QString path = chooseOpenLayout ? chooseOpenLayout(m_parent, title)
                                          : layoutDialog(m_parent, title, QFileDialog::AcceptOpen);
    // The page and the batch commands change only once a file is chosen and its
    // description read: a cancelled dialog or a refused file keeps both as they were.
    if (path.isEmpty())
        return;
    LayoutLoadHooks hooks;
    hooks.setFrameCount = m_hooks.setFrameCount;
    hooks.keepAlive = m_hooks.keepAlive;
    hooks.framePainted = [this](int) {
        if (m_hooks.keepAlive)
            m_hooks.keepAlive();
    };
    hooks.screenWidth = m_hooks.screenWidth;
    hooks.screenHeight = m_hooks.screenHeight;
    if (loadLayout(m_page, path.toStdString(), hooks).opened && m_hooks.disableBatchCommands)
        m_hooks.disableBatchCommands();
    if (m_hooks.repaintAll)
        m_hooks.repaintAll();
    if (m_hooks.selectFrame)
        m_hooks.selectFrame(1);
}

void LayoutCommands::saveFile(int clicked)
{
    const int n = page::pictureSource(m_page, clicked);
    if (n == 0) {
        core::messages().error(kSelectionError);
        return;
    }
    const QString preset = fromStd(kFrameNamePreset) + QString::number(n);
    const std::optional<ChosenImageFile> chosen =
        chooseImageFile ? chooseImageFile(m_parent, preset) : imageDialog(m_parent, preset);
    if (!chosen || chosen->path.isEmpty())
        return;
    const std::string path = chosen->path.toStdString();
    if (QFileInfo::exists(chosen->path)) {
        const core::Message question{"%1\n%2",
                                    core::Message(QT_TRANSLATE_NOOP("Paginor", "The file %1 already exists on the disk."), path),
                                    core::Message(QT_TRANSLATE_NOOP("Paginor", "Do you want to overwrite this file ?"))};
        if (core::messages().ask(core::MessageKind::Warning, question, core::Buttons::YesNo) != core::Answer::Yes)
            return;
    }
    page::StatusDisplay& status = m_page.status();
    status.showStatus(chosen->bitmap ? kSavingBitmapImage : kSavingImage);
    status.setProgressVisible(true);
    status.setProgress(chosen->bitmap ? 0 : 1);
    if (m_hooks.keepAlive)
        m_hooks.keepAlive();
    const auto progress = [this, &status](int percent) {
        status.setProgress(percent);
        if (m_hooks.keepAlive)
            m_hooks.keepAlive();
    };
    try {
        saveFrameImage(m_page, n, path, chosen->bitmap ? FrameImageFormat::Bmp : FrameImageFormat::Jpeg, progress);
    } catch (const std::exception& e) {
        core::messages().error(core::messageOf(e));
    }
    status.setProgress(0);
    status.setProgressVisible(false);
    status.setStatus("");
    if (m_hooks.repaintAll)
        m_hooks.repaintAll();
    if (m_hooks.selectFrame)
        m_hooks.selectFrame(n);
}

} // namespace printing
