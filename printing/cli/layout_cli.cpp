#include "printing/cli/layout_cli.h"

#include "core/messages.h"
#include "core/text.h"
#include "page/core/frame_commands.h"
#include "page/core/loading.h"
#include "printing/core/given_metrics.h"
#include "printing/core/layout_page.h"
#include "printing/core/resolution.h"

#include <cstdio>
#include <memory>
#include <ostream>

namespace printing {
namespace {

constexpr const char* kUsage =
    "layout: usage: layout save -o PAGE.zip [--clone K:S]... FILE...  |  layout show PAGE.zip";

// Neither command lays the page out for a printer: without --printer-page and
// --printer-dpi the page has no printer, and nothing they do needs one.
std::unique_ptr<page::Page> layoutPage(const core::CommandContext& ctx)
{
    const auto noPrinter = [] { return std::optional<page::PrinterMetrics>(); };
    const page::PrinterMetrics m = givenPrinterMetrics(ctx.common, noPrinter).value_or(page::PrinterMetrics{});
    auto page = std::make_unique<page::Page>(ctx.settings, [m] { return m; });
    page->setPrintFrameReader(printFrameSize);
    return page;
}

struct Clone {
    int frame = 0;
    int source = 0;
};

std::optional<Clone> parseClone(const std::string& v)
{
    Clone c;
    char tail = 0;
    if (std::sscanf(v.c_str(), "%d:%d%c", &c.frame, &c.source, &tail) != 2)
        return std::nullopt;
    return c;
}

int saveCommand(const core::CommandArgs& args, core::CommandContext& ctx)
{
    std::string out;
    std::vector<Clone> clones;
    std::vector<std::string> files;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if ((a == "-o" || a == "--clone") && i + 1 < args.size()) {
            const std::string& v = args[++i];
            if (a == "-o") {
                out = v;
            } else if (const auto c = parseClone(v)) {
                clones.push_back(*c);
            } else {
                ctx.messages.error({"layout save: --clone wants K:S (frame K a copy of frame S), not '%1'", v});
                return 2;
            }
        } else if (!a.empty() && a[0] == '-') {
            ctx.messages.error({"layout save: unknown option '%1'", a});
            return 2;
        } else {
            files.push_back(a);
        }
    }
    if (out.empty() || files.empty()) {
        ctx.messages.error(kUsage);
        return 2;
    }
    auto page = layoutPage(ctx);
    const int frames = page->state().FrameCount;
    if (files.size() > static_cast<std::size_t>(frames)) {
        ctx.messages.error({"layout save: %1 files for a page of %2 frames", files.size(), frames});
        return 2;
    }
    try {
        page::FileQueue queue;
        queue.FileList = files;
        if (page::nextBatch(*page, queue).filesFailed > 0)
            return 1; // each failure was reported; no page with a hole in it is written
        page::FrameCommands commands(*page);
        for (const Clone& c : clones) {
            if (c.frame < 1 || c.frame > frames || c.source < 1 || c.source > frames || c.frame == c.source ||
                !page->frame(c.source).Loaded) {
                ctx.messages.error({"layout save: --clone %1:%2 does not name two frames of the page, the second loaded", c.frame, c.source});
                return 2;
            }
            page->clearSelection();
            page->frame(c.frame).Selected = true;
            commands.CopiedFrame = static_cast<std::uint8_t>(c.source);
            if (commands.framePaste().empty())
                return 1; // refused and told why
        }
        page->clearSelection();
        savePageArchive(*page, out);
    } catch (const std::exception& e) {
        ctx.messages.error(core::messageOf(e));
        return 1;
    }
    return 0;
}

int showCommand(const core::CommandArgs& args, core::CommandContext& ctx)
{
    if (args.size() != 2) {
        ctx.messages.error(kUsage);
        return 2;
    }
    auto page = layoutPage(ctx);
    const LayoutLoadResult r = loadLayout(*page, args[1]);
    if (!r.opened || r.problems > 0)
        return 1;
    ctx.out << "{\"frames\":" << int(page->state().FrameCount)
            << ",\"aspect\":" << layoutNumber(page->state().Global_AspectRatio)
            << ",\"margin\":" << layoutNumber(ctx.settings.margin_mm) << ",\"items\":[";
    bool first = true;
    for (int k = 1; k <= page->state().FrameCount; ++k) {
        const page::FrameRecord& f = page->frame(k);
        const imaging::Picture* p = page->pictureShownIn(k);
        if (!f.Loaded || !p)
            continue;
        ctx.out << (first ? "" : ",") << "{\"frame\":" << k << ",\"member\":" << core::jsonString(r.members[k])
                << ",\"details\":" << core::jsonString(f.Details) << ",\"clone_of\":" << f.CloneOf
                << ",\"width\":" << p->width() << ",\"height\":" << p->height() << '}';
        first = false;
    }
    ctx.out << "]}\n";
    return 0;
}

} // namespace

int layoutCommand(const core::CommandArgs& args, core::CommandContext& ctx)
{
    if (!args.empty() && args[0] == "save")
        return saveCommand(args, ctx);
    if (!args.empty() && args[0] == "show")
        return showCommand(args, ctx);
    ctx.messages.error(kUsage);
    return 2;
}

} // namespace printing
