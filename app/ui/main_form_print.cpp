// The main window's side of unattended batches and of the print resolution check.
#include "app/ui/main_form.h"

#include "core/messages.h"
#include "page/ui/load_ui.h"
#include "page/ui/page_view.h"
#include "printing/ui/print_commands.h"
#include "printing/core/resolution.h"

namespace app {

void MainWindow::loadNextPage()
{
    std::function<void(const std::string&, const core::Message&)> passOver;
    // Unattended: the file is named in the status line and the batch goes on, where a
    // message box would hold every later page until someone comes to close it.
    if (m_page->settings().Batch_Skip_Unreadable)
        passOver = [this](const std::string&, const core::Message& error) {
            showStatus({QT_TRANSLATE_NOOP("Paginor", "Skipped: %1"), error});
        };
    // Inside the batch, which pumps the window's events while it prints anyway.
    m_loader->loadNextPage(passOver, [this] { PrintWindow::keepAlive(); });
}

bool MainWindow::confirmLowResolution(const core::Message& message, bool accepted)
{
    if (accepted || !m_page->settings().Confirm_Low_Resolution)
        return true;
    return core::messages().ask(core::MessageKind::Confirmation, {"%1\n%2", message, core::Message(printing::kPrintAnyway)},
                          core::Buttons::YesNo) == core::Answer::Yes;
}

void MainWindow::buildResolutionWatch()
{
    m_view->lowResolution = [this](int frame) {
        const int threshold = m_page->settings().Min_Print_Resolution;
        if (threshold <= 0)
            return false;
        const std::optional<int> ppi = printing::effectiveResolution(*m_page, frame);
        return ppi && *ppi < threshold;
    };
    connect(m_view, &page::PageView::frameHovered, this, &MainWindow::showFrameResolution);
}

void MainWindow::showFrameResolution(int frame)
{
    // Once per frame entered: the status line also carries the progress of commands.
    if (frame == m_resolutionShownFor || m_printing->busy())
        return;
    m_resolutionShownFor = frame;
    if (frame == 0)
        return;
    const core::Message text = printing::resolutionStatus(*m_page, frame, m_printer.printerName().toStdString());
    if (!text.empty())
        showStatus(text);
}

} // namespace app
