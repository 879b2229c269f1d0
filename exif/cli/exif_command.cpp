#include "exif/cli/exif_command.h"

#include "core/messages.h"
#include "exif/core/details_options.h"
#include "settings/core/settings.h"

#include <ostream>

namespace exif {
namespace {

void printFile(const std::string& file, bool withDetails, core::CommandContext& ctx)
{
    ReadOptions options;
    options.messages = &ctx.messages;
    const ReadResult r = readCameraData(file, options, ctx.settings.Any_Jpeg_Camera_Data);
    ctx.out << "result: " << r.result << '\n';
    for (const ExifItem& item : r.items)
        ctx.out << item.tag << '\t' << item.label << '\t' << item.value << '\n';
    // The text a load gives the file: its side file's first line when it has one.
    if (withDetails) {
        const std::optional<std::string> side = readSideFile(file);
        ctx.out << "details: " << (side ? *side : buildDetails(detailsOptionsFrom(ctx.settings), file, r).details)
                << '\n';
    }
}

} // namespace

int exifCommand(const core::CommandArgs& args, core::CommandContext& ctx)
{
    bool withDetails = false;
    bool optionsEnded = false;
    std::vector<std::string> files;
    for (const std::string& a : args) {
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && a == "--details") {
            withDetails = true;
        } else if (!optionsEnded && a.size() > 1 && a[0] == '-') {
            ctx.messages.error({"unknown option for exif: %1\n%2", a, core::Message(kExifUsage)});
            return kUsageExit;
        } else {
            files.push_back(a);
        }
    }
    if (files.empty()) {
        ctx.messages.error(kExifUsage);
        return kUsageExit;
    }
    for (const std::string& file : files)
        printFile(file, withDetails, ctx);
    ctx.out << std::flush;
    return 0;
}

} // namespace exif
