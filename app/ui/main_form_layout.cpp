// The main window's layout-file commands, "Save Frame's Image" and the EXIF details window.
#include "app/ui/main_form.h"

#include "exif/ui/exif_form.h"
#include "page/ui/frame_commands_ui.h"
#include "page/ui/page_view.h"
#include "printing/ui/layout_ui.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QSignalBlocker>
#include <QToolButton>

namespace app {

void MainWindow::buildLayoutCommands()
{
    printing::LayoutWindowHooks hooks;
    hooks.setFrameCount = [this](int count) {
        const QSignalBlocker block(m_controls.frameCount);
        m_controls.frameCount->setCurrentIndex(page::Index(count));
        m_view->changeFrameCount(count);
    };
    // The batch commands are off while a loaded page is on screen; the list itself stays.
    hooks.disableBatchCommands = [this] {
        m_controls.loadNext->setEnabled(false);
        m_controls.printNext->setEnabled(false);
        m_controls.clearList->setEnabled(false);
    };
    hooks.repaintAll = [this] { m_view->redisplayPictures(); };
    hooks.selectFrame = [this](int n) { m_frameCommands->SelectImage(n, true); };
    // Save Page and Load Page still write and read the archive on the window's thread and
    // pump between files (clicks and keys held back); the archive writer reads the frames'
    // pictures in place, so it cannot yet run in a future without a snapshot of them.
    hooks.keepAlive = [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };
    m_layout = std::make_unique<printing::LayoutCommands>(*m_page, this, std::move(hooks));

    page::FrameCommandHooks& frameHooks = m_frameCommands->hooks();
    frameHooks.saveFramesImage = [this] { onSaveFileClicked(); };
    frameHooks.extendedDetails = [this] { ViewImageDetailsClick(); };
}

void MainWindow::onSaveFileClicked()
{
    m_layout->saveFile(m_frameCommands->commands().PopupFrame);
}

void MainWindow::ViewImageDetailsClick()
{
    exif::ExifFormContent content;
    if (const int n = page::pictureSource(*m_page, m_frameCommands->commands().PopupFrame)) {
        const page::FrameRecord& f = m_page->frame(n);
        content.hasExif = f.HasExif;
        content.fileName = f.FileName;
        content.items = f.ExifTags;
    }
    exif::ExifDetailsDialog form(content, this);
    form.exec();
}

} // namespace app
