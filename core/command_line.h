// Splits the command line into the subcommand, the options every subcommand takes, and
// the subcommand's own arguments (kept in order).
#pragma once

#include "core/command.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace core {

class CommandLineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ParsedCommandLine {
    std::string command; // empty: the window
    CommonOptions common;
    CommandArgs args;
    std::vector<std::string> files; // the window's: files and folders to load, as a drop of them
    bool help = false;
    bool version = false;
};

// The subcommands and the options of theirs that take a value.
struct SubcommandInfo {
    std::string_view name;
    std::vector<std::string_view> valueOptions;
    std::string_view usage;
};
const std::vector<SubcommandInfo>& subcommands();

// argv without the program name. Throws CommandLineError with a clear message.
ParsedCommandLine parseCommandLine(const std::vector<std::string>& argv);

std::string usageText();

} // namespace core
