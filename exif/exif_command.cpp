#include "exif_command.h"

#include "app/core/messages.h"
#include "settings/settings.h"

#include <ostream>

namespace exif {
namespace {

void printFile(const std::string& file, bool withDetails, app::CommandContext& ctx)
{
    ReadOptions options;
    options.messages = &ctx.messages;
    const ReadResult r = Read_Exif(file, options);
    ctx.out << "result: " << r.result << '\n';
    for (const ExifItem& item : r.items)
        ctx.out << item.tag << '\t' << item.label << '\t' << item.value << '\n';
    if (withDetails)
        ctx.out << "details: " << buildDetails(detailsOptionsFrom(ctx.settings), file, r).details << '\n';
}

} // namespace

DetailsOptions detailsOptionsFrom(const settings::Settings& s)
{
    DetailsOptions o;
    o.incFilename = s.Inc_Filename;
    o.incTime = s.Inc_Time;
    o.incDMY = s.Inc_DMY;
    o.incMDY = s.Inc_MDY;
    o.incExposure = s.Inc_Exposure;
    o.incThisText = s.Inc_This_Text;
    o.incFlash = s.Inc_Flash;
    o.getCameraDetails = s.Get_Camera_Details;
    o.incText = s.Inc_Text;
    return o;
}

int exifCommand(const app::CommandArgs& args, app::CommandContext& ctx)
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
            ctx.messages.error("unknown option for exif: " + a + "\n" + std::string(kExifUsage));
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
