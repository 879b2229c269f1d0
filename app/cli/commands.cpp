#include "app/cli/commands.h"

#include "core/messages.h"
#include "app/qt/session.h"
#include "exif/cli/exif_command.h"
#include "imaging/cli/edit_command.h"
#include "printing/cli/layout_cli.h"
#include "printing/cli/print_cli.h"
#include "settings/qt/qt_store.h"
#include "twain/cli/scan_command.h"

#include <ostream>

namespace app {

int settingsCommand(const core::CommandArgs& args, core::CommandContext& ctx)
{
    bool save = false;
    for (const auto& a : args) {
        if (a == "--save") {
            save = true;
        } else {
            ctx.messages.error({"settings: unknown argument '%1'", a});
            return 2;
        }
    }
    for (const auto& f : settings::fields())
        ctx.out << f.readName << '=' << settings::formatValue(ctx.settings, f) << '\n';
    if (save) {
        try {
            settings::QtStore store;
            printing::CupsPrinterList printers;
            const bool havePrinter = printers.select(ctx.settings.Printer);
            settings::saveSettings(ctx.settings, store, havePrinter ? &printers : nullptr);
        } catch (const std::exception& e) {
            ctx.messages.error(core::messageOf(e));
            return 1;
        }
    }
    return 0;
}

core::CommandFunction findCommand(std::string_view name)
{
    if (name == "settings")
        return &settingsCommand;
    if (name == "exif")
        return &exif::exifCommand;
    if (name == "edit")
        return &imaging::editCommand;
    if (name == "curve")
        return &imaging::curveCommand;
    if (name == "render")
        return &printing::renderCommand;
    if (name == "print")
        return &printing::printCommand;
    if (name == "layout")
        return &printing::layoutCommand;
    if (name == "scan")
        return &twain::scanCommand;
    return nullptr;
}

} // namespace app
