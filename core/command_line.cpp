#include "core/command_line.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

namespace core {
namespace {

int parsePositive(const std::string& option, const std::string& text)
{
    int v = 0;
    auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || p != text.data() + text.size() || v <= 0)
        throw CommandLineError(option + ": expected a positive whole number, got '" + text + "'");
    return v;
}

std::pair<int, int> parsePage(const std::string& text)
{
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos)
        throw CommandLineError("--printer-page: expected WxH in dots, got '" + text + "'");
    return {parsePositive("--printer-page", text.substr(0, x)), parsePositive("--printer-page", text.substr(x + 1))};
}

// No printer has paper longer than this or a resolution outside 1..kMaxPrinterDpi; a page
// beyond them only sends the layout's loops and the page bitmap into the billions.
constexpr long long kMaxPaperMm = 5000;
constexpr int kMaxPrinterDpi = 10000;

void checkPrinterMetrics(const CommonOptions& c)
{
    if (c.printerDpi && *c.printerDpi > kMaxPrinterDpi)
        throw CommandLineError("--printer-dpi: " + std::to_string(*c.printerDpi) +
                               " dots per inch is beyond any printer (1.." + std::to_string(kMaxPrinterDpi) + ")");
    if (!c.printerPage)
        return;
    // Without --printer-dpi the printer's own resolution applies: judge at the highest.
    const long long dpi = c.printerDpi ? *c.printerDpi : kMaxPrinterDpi;
    const long long maxDots = kMaxPaperMm * dpi * 10 / 254;
    if (c.printerPage->first > maxDots || c.printerPage->second > maxDots)
        throw CommandLineError("--printer-page: " + std::to_string(c.printerPage->first) + "x" +
                               std::to_string(c.printerPage->second) + " dots at " + std::to_string(dpi) +
                               " dpi is more paper than any printer has (at most " + std::to_string(maxDots) +
                               " dots, 5 metres, a side)");
}

// A window argument that is no command: a path ("a.jpg", "photos/", "~/x") or anything that
// exists under that name. "frobnicate" is neither and stays an unknown command.
bool looksLikePath(const std::string& a)
{
    if (a.find_first_of("/.") != std::string::npos)
        return true;
    std::error_code ec;
    return std::filesystem::exists(a, ec);
}

const SubcommandInfo* findSubcommand(std::string_view name)
{
    for (const auto& s : subcommands())
        if (s.name == name)
            return &s;
    return nullptr;
}

bool takesValue(const SubcommandInfo* sub, std::string_view option)
{
    return sub && std::find(sub->valueOptions.begin(), sub->valueOptions.end(), option) != sub->valueOptions.end();
}

// Takes one common option at argv[i]; returns false when argv[i] is not one.
bool takeCommon(const std::vector<std::string>& argv, std::size_t& i, ParsedCommandLine& out)
{
    const std::string& a = argv[i];
    auto value = [&]() -> const std::string& {
        if (i + 1 >= argv.size())
            throw CommandLineError(a + ": missing value");
        return argv[++i];
    };
    if (a == "--set") {
        const std::string& kv = value();
        const auto eq = kv.find('=');
        if (eq == std::string::npos || eq == 0)
            throw CommandLineError("--set: expected NAME=VALUE, got '" + kv + "'");
        out.common.sets.emplace_back(kv.substr(0, eq), kv.substr(eq + 1));
    } else if (a == "--printer") {
        out.common.printer = value();
    } else if (a == "--printer-page") {
        out.common.printerPage = parsePage(value());
    } else if (a == "--printer-dpi") {
        out.common.printerDpi = parsePositive(a, value());
    } else if (a == "--no-splash") {
        out.common.noSplash = true;
    } else if (a == "--help" || a == "-h") {
        out.help = true;
    } else if (a == "--version") {
        out.version = true;
    } else {
        return false;
    }
    return true;
}

} // namespace

const std::vector<SubcommandInfo>& subcommands()
{
    static const std::vector<SubcommandInfo> list = {
        {"settings", {}, "settings [--save]            print every setting as Name=Value; --save stores them"},
        {"exif", {}, "exif [--details] FILE...     print the EXIF items of each file"},
        {"edit",
         {"-o", "--rotate", "--flip", "--resample", "--lut", "--gamma", "--brightness", "--colour", "--convolve",
          "--fit", "--cut"},
         "edit IN -o OUT OP...         apply picture operations and write OUT"},
        {"render", {"-o", "--dpi", "--layout"},
         "render -o OUT [--dpi D] [--geometry] FILE...   render pages to image files (.jpg, .bmp) or one PDF (.pdf)"},
        {"print", {"--copies", "--option", "--layout", "--from", "--log"},
         "print [--copies N] [--option NAME=VALUE]... FILE...\n"
         "                               print pages on the printer; --option is any CUPS job option\n"
         "                               [--skip-unreadable] pass over files that can't be read; [--from N]\n"
         "                               start at file N; [--log FILE] a line per page (job, outcome, files)"},
        {"layout", {"-o", "--clone"},
         "layout save -o PAGE.zip [--clone K:S]... FILE...   save a page layout file; layout show PAGE.zip"},
        {"curve", {"-o", "--nodes"},
         "curve --nodes TEXT [-o F.tcv] | curve F.tcv   print a tone curve's 256 entries"},
        {"scan", {"-o", "--source", "--scan-option"},
         "scan -o OUT.bmp [--source DEVICE] [--scan-option NAME=VALUE]...   scan every page the scanner gives"},
    };
    return list;
}

ParsedCommandLine parseCommandLine(const std::vector<std::string>& argv)
{
    ParsedCommandLine out;
    const SubcommandInfo* sub = nullptr;
    for (std::size_t i = 0; i < argv.size(); ++i) {
        const std::string& a = argv[i];
        if (takesValue(sub, a)) {
            // A subcommand's option value is always the next argument, even "-128".
            if (i + 1 >= argv.size())
                throw CommandLineError(a + ": missing value");
            out.args.push_back(a);
            out.args.push_back(argv[++i]);
        } else if (takeCommon(argv, i, out)) {
            continue;
        } else if (!sub && !out.files.empty() && !a.empty() && a[0] != '-') {
            out.files.push_back(a); // after a file, every further name is a file too
        } else if (!sub && !a.empty() && a[0] != '-') {
            sub = findSubcommand(a);
            if (!sub && looksLikePath(a)) {
                out.files.push_back(a);
                continue;
            }
            if (!sub)
                throw CommandLineError("unknown command '" + a + "' (see --help)");
            out.command = a;
        } else if (!sub) {
            throw CommandLineError("unknown option '" + a + "' (see --help)");
        } else {
            out.args.push_back(a);
        }
    }
    checkPrinterMetrics(out.common);
    return out;
}

std::string usageText()
{
    std::string text = "Usage: paginor [OPTIONS] [FILE...]         start the window (and load FILE...)\n"
                       "       paginor COMMAND [ARGS] [OPTIONS]\n\nCommands:\n";
    for (const auto& s : subcommands())
        text += "  " + std::string(s.usage) + "\n";
    text += "\nOptions (anywhere after the command):\n"
            "  --set NAME=VALUE      change a setting for this run (any setting by its name)\n"
            "  --printer NAME        use this printer\n"
            "  --printer-page WxH    the printable portrait page in dots (no printer needed)\n"
            "  --printer-dpi D       the printer's resolution in dots per inch\n"
            "  --no-splash           start the window without the splash\n"
            "  --help, --version\n";
    return text;
}

} // namespace core
