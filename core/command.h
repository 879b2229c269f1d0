// What a headless subcommand receives: its own arguments (the common options already
// taken out), the settings of this run, and where to write.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace settings { struct Settings; }

namespace core {

class Messages;

// Options every subcommand takes, wherever they stand after the subcommand.
struct CommonOptions {
    std::vector<std::pair<std::string, std::string>> sets; // --set NAME=VALUE, in order
    std::optional<std::string> printer;                    // --printer NAME
    std::optional<std::pair<int, int>> printerPage;        // --printer-page WxH (portrait, dots)
    std::optional<int> printerDpi;                         // --printer-dpi D (LOGPIXELSX = LOGPIXELSY)
    bool noSplash = false;                                 // --no-splash (window only)
};

struct CommandContext {
    settings::Settings& settings;  // defaults, then the store, then --set
    const CommonOptions& common;
    std::ostream& out;             // stdout
    Messages& messages;            // messages and questions: stderr
};

// A subcommand's arguments; an option's value is always the next argument, even when
// it begins with '-'.
using CommandArgs = std::vector<std::string>;

// A subcommand returns the process exit code.
using CommandFunction = int (*)(const CommandArgs& args, CommandContext& ctx);

} // namespace core
