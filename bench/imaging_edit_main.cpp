// `paginor edit` as a process of its own, for timing it against other tools with no
// more start-up than the command needs.
#include "core/command.h"
#include "core/messages.h"
#include "imaging/cli/edit_command.h"
#include "settings/core/settings.h"

#include <iostream>

int main(int argc, char** argv)
{
    settings::Settings settings;
    core::CommonOptions common;
    core::StreamMessages messages(std::cerr);
    core::CommandContext ctx{settings, common, std::cout, messages};
    const core::CommandArgs args(argv + 1, argv + argc);
    return imaging::editCommand(args, ctx);
}
