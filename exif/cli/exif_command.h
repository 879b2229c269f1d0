// `paginor exif [--details] FILE...`: what the reader makes of each file, for scripts and tests.
#pragma once

#include "core/command.h"
#include "exif/core/exif.h"

namespace settings { struct Settings; }

namespace exif {

// Exit code when the arguments make no sense (no FILE, an unknown option).
inline constexpr int kUsageExit = 2;
inline constexpr std::string_view kExifUsage = "usage: paginor exif [--details] FILE...";

// For each FILE: "result: N", one "TAG<TAB>LABEL<TAB>VALUE" line per item (TAG in
// decimal, values as their bytes) and, with --details, "details: TEXT". A file that
// cannot be read is result -1, not a failure: the exit code is 0 once every FILE has
// been examined. "--" ends the options, for names that begin with '-'.
int exifCommand(const core::CommandArgs& args, core::CommandContext& ctx);

} // namespace exif
