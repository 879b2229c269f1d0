// `paginor layout save` and `paginor layout show`: layout files without the window, on
// the same load step, frame paste, save and load as the window's commands.
#pragma once

#include "core/command.h"

namespace printing {

// layout save -o PAGE.zip [--clone K:S]... FILE...
// layout show PAGE.zip
int layoutCommand(const core::CommandArgs& args, core::CommandContext& ctx);

} // namespace printing
