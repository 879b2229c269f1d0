// The headless subcommands the program dispatches to.
#pragma once

#include "core/command.h"

#include <string_view>

namespace app {

int settingsCommand(const core::CommandArgs& args, core::CommandContext& ctx);

// The function that runs a subcommand, or null when it isn't built yet.
core::CommandFunction findCommand(std::string_view name);

} // namespace app
