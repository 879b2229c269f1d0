// Batch printing through the main window, as tb_print_next runs it: the window loads
// FILE... as the open dialog would, prints page after page on the queue, then says how
// many pages went out and the process's peak memory (VmHWM). bench/batch_soak.sh runs
// it at two batch sizes.
//
//   paginor_batch_soak QUEUE FRAMES FILE...
#include "app/ui/main_form.h"
#include "app/qt/session.h"
#include "core/messages.h"
#include "page/ui/load_ui.h"
#include "printing/ui/print_commands.h"
#include "printing/cups/printer.h"
#include "settings/core/settings.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QToolButton>

#include <fstream>
#include <iostream>
#include <string>

namespace {

long peakKib()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::cerr << "usage: paginor_batch_soak QUEUE FRAMES FILE...\n";
        return 2;
    }
    QApplication qapp(argc, argv);
    app::Session session;
    session.store = std::make_unique<settings::MemoryStore>();
    settings::readDefaults(session.settings, nullptr, session.env);
    session.settings.NumberOfFrames = std::stoi(argv[2]);
    session.settings.Wait_For_Empty_Q = false;
    session.settings.OLW = false;
    auto printers = std::make_unique<printing::CupsPrinterList>();
    if (!printers->selectByName(argv[1])) {
        std::cerr << "no CUPS queue " << argv[1] << "\n";
        return 1;
    }
    session.settings.Printer_Name = argv[1];
    session.printers = std::move(printers);
    core::ScriptedMessages messages;
    core::setMessages(&messages);
    QStringList files;
    for (int i = 3; i < argc; ++i)
        files << QString::fromLocal8Bit(argv[i]);

    app::MainWindow::Options options;
    options.splash = false;
    app::MainWindow form(session, options);
    form.resize(800, 640);
    form.show();
    if (!form.FormCreate())
        return 1;
    while (form.resizeTimer()->isActive())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    page::ImageLoader* loader = form.imageLoader();
    loader->chooseFiles = [&files](QWidget*, const QString&, const QString&) { return files; };
    form.toolButton("tb_load")->click();
    // The load returns while its files decode; the batch starts from the loaded page.
    QEventLoop loading;
    QObject::connect(loader, &page::ImageLoader::loadFinished, &loading, &QEventLoop::quit);
    if (loader->busy())
        loading.exec();
    const long afterLoad = peakKib();
    form.toolButton("tb_print_next")->click();
    const auto jobs = form.printCommands()->sentJobs().size();
    std::cout << "files " << files.size() << " jobs " << jobs << " messages " << messages.entries().size()
              << " peak_after_first_page_kib " << afterLoad << " peak_kib " << peakKib() << "\n";
    for (const auto& e : messages.entries())
        std::cerr << e.text << "\n";
    core::setMessages(nullptr);
    return jobs > 0 ? 0 : 1;
}
