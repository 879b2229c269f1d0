// The headless commands `paginor render` and `paginor print`: files loaded into pages by
// the load step, each page drawn by the same code as print to file and batch printing.
#pragma once

#include "core/command.h"
#include "page/core/page.h"

#include <optional>
#include <string>

namespace printing {

// render -o OUT [--dpi D] [--geometry] FILE...
int renderCommand(const core::CommandArgs& args, core::CommandContext& ctx);
// print [--copies N] [--option NAME=VALUE]... FILE... (--printer is a common option)
int printCommand(const core::CommandArgs& args, core::CommandContext& ctx);

// The page file of page k of pageCount: OUT itself for a single page, else OUT with k,
// padded to the width of pageCount, before its extension ("out.jpg" -> "out-02.jpg").
std::string numberedOutput(const std::string& out, int k, int pageCount);

} // namespace printing
