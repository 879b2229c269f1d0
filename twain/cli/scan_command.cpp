#include "twain/cli/scan_command.h"

#include "twain/qt/qt_platform.h"
#include "twain/core/twain.h"

#include "core/messages.h"
#include "imaging/codecs/codecs.h"

#include <filesystem>
#include <ostream>

namespace twain {

std::string scanOutputName(const std::string& out, int k, int count)
{
    if (count == 1)
        return out;
    const std::filesystem::path p(out);
    return (p.parent_path() / (p.stem().string() + "-" + std::to_string(k) + p.extension().string())).string();
}

int scanCommand(const core::CommandArgs& args, core::CommandContext& ctx)
{
    std::string out;
    AcquireOptions options;
    options.showUI = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "-o" && hasValue) {
            out = args[++i];
        } else if (a == "--source" && hasValue) {
            options.device = args[++i];
        } else if (a == "--scan-option" && hasValue) {
            const std::string& v = args[++i];
            const auto eq = v.find('=');
            if (eq == std::string::npos || eq == 0) {
                ctx.messages.error({"scan: --scan-option wants NAME=VALUE, not '%1'", v});
                return 2;
            }
            options.saneOptions.emplace_back(v.substr(0, eq), v.substr(eq + 1));
        } else {
            ctx.messages.error({"scan: unknown argument '%1'", a});
            return 2;
        }
    }
    if (out.empty()) {
        ctx.messages.error("scan: -o OUT.bmp is required");
        return 2;
    }

    QtPlatform platform;
    LibraryLoader loader(programSourceManagerCandidates());
    MultiTWAIN session(platform, loader, ctx.messages);
    session.acquireImages(nullptr, 0, options);
    const int count = session.acquiredImageCount();
    if (session.lastError() != 0)
        return 1;
    if (count == 0) {
        ctx.messages.error("scan: the scanner sent no image");
        return 1;
    }
    for (int k = 1; k <= count; ++k) {
        ImageHandle image = session.acquiredImage(k - 1);
        try {
            const imaging::Bitmap bmp = DibToImage(image);
            imaging::saveBmp(bmp.view(), scanOutputName(out, k, count));
            ctx.out << "image " << k << ": " << bmp.width() << 'x' << bmp.height() << '\n';
        } catch (const std::exception& e) {
            ctx.messages.error(core::messageOf(e));
            return 1;
        }
        session.releaseAcquiredImage(image);
    }
    return 0;
}

} // namespace twain
