// `paginor scan -o OUT.bmp [--source DEVICE] [--scan-option NAME=VALUE]...`: one
// acquisition on the scanner session without the source's dialog; every image the source
// gives becomes a 24-bit BMP (OUT.bmp for one, OUT-1.bmp, OUT-2.bmp, ... for several) and
// a line "image K: WxH" on the output. Returns 0, 2 for bad arguments, 1 for a failure.
#pragma once

#include "core/command.h"

#include <string>

namespace twain {

int scanCommand(const core::CommandArgs& args, core::CommandContext& ctx);

// OUT for the only image, OUT with "-K" before its extension for image K of several.
std::string scanOutputName(const std::string& out, int k, int count);

} // namespace twain
