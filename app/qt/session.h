// What every run of the program sets up first: the settings (defaults, the stored key,
// then --set) and the printer, by the same rules for the window and the headless commands.
#pragma once

#include "core/command.h"
#include "printing/cups/printer.h"
#include "settings/core/settings.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace settings { class Store; }

namespace app {


struct Session {
    settings::Settings settings;
    std::unique_ptr<printing::CupsPrinterList> printers; // null when the machine has none
    std::unique_ptr<settings::Store> store;
    settings::Environment env;
    // Stored values that were refused (the default is used), each reported once.
    std::vector<core::Message> warnings;
    // Set when the machine has printers but none is the default: which one was taken.
    core::Message printerNote{""};
};

// Where the printer list comes from: the machine's CUPS list, or a given one in tests.
using PrinterListSource = std::function<std::unique_ptr<printing::CupsPrinterList>()>;

// Where the defaults come from on this machine: the curve folder in the user's data
// folder (the program's own folder is read-only here) and the temporary folder.
settings::Environment defaultEnvironment();

enum class PrinterUse {
    Required, // the run prints: no printer ends it
    Window,   // the window: without a printer it says so and lays pages out all the same
    Optional, // the printer list is read when there is one (the Printer setting stays an index)
    Unused,   // the run never looks at a printer: CUPS is not asked at all
};

// Builds the session. A missing printer ends a run that requires one with the message
// of the settings store. Returns null (after telling the user through msgs) when the run
// can't go on.
std::unique_ptr<Session> openSession(const core::CommonOptions& common, PrinterUse use, core::Messages& msgs,
                                     const PrinterListSource& source = {});

// Metrics of the session's printer, or those given by --printer-page/--printer-dpi.
// Null when neither is available.
std::optional<printing::PrinterMetrics> sessionMetrics(const Session& session, const core::CommonOptions& common);

} // namespace app
