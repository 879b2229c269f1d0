// `paginor curve`: the table the curve control computes from a node text, or the one a
// curve file gives, one entry a line.
#include "imaging/cli/edit_command.h"

#include "core/messages.h"
#include "imaging/kernels/imaging.h"
#include "imaging/kernels/lut_curve.h"

#include <optional>
#include <ostream>
#include <string_view>

namespace imaging {

namespace {

constexpr std::string_view kCurveUsage =
    "usage: paginor curve --nodes TEXT [-o FILE.tcv]\n"
    "       paginor curve FILE.tcv";

struct CurveJob {
    std::optional<std::string> nodes;
    std::string output;
    std::string input;
};

std::optional<CurveJob> parseCurveArguments(const core::CommandArgs& args)
{
    CurveJob job;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--nodes" && hasValue)
            job.nodes = args[++i];
        else if (arg == "-o" && hasValue)
            job.output = args[++i];
        else if (arg.empty() || arg[0] == '-' || !job.input.empty())
            return std::nullopt;
        else
            job.input = arg;
    }
    // Either a node text (optionally written out) or a file to read, never both.
    if (job.nodes.has_value() == !job.input.empty() || (!job.nodes && !job.output.empty()))
        return std::nullopt;
    return job;
}

void printTable(std::ostream& out, const ToneLUT& lut)
{
    // What a reader applies is the low byte of each entry.
    for (const std::int32_t v : lut)
        out << (v & 0xFF) << '\n';
}

} // namespace

int curveCommand(const core::CommandArgs& args, core::CommandContext& ctx)
{
    const auto job = parseCurveArguments(args);
    if (!job) {
        ctx.messages.error(kCurveUsage);
        return 2;
    }
    try {
        ToneLUT table;
        if (job->nodes) {
            LutCurve curve;
            curve.setNodes(*job->nodes);
            table = curve.table();
            if (!job->output.empty())
                writeCurveFile(table, job->output);
        } else {
            table = readCurveFile(job->input);
        }
        printTable(ctx.out, table);
    } catch (const std::exception& e) {
        ctx.messages.error(core::messageOf(e));
        return 1;
    }
    return 0;
}

} // namespace imaging
