#include "printing/cli/print_cli.h"

#include "core/messages.h"
#include "core/text.h"
#include "page/core/loading.h"
#include "printing/core/batch_log.h"
#include "printing/core/frame_pipeline.h"
#include "printing/core/given_metrics.h"
#include "printing/core/layout_page.h"
#include "printing/ui/print_commands.h"
#include "printing/core/resolution.h"
#include "printing/render/pdf_pages.h"
#include "printing/cups/printer.h"
#include "printing/cli/stop_signals.h"

#include <QPrinter>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <ostream>

namespace printing {
namespace {

struct RenderArgs {
    std::string out;
    std::optional<int> dpi;
    bool geometry = false;
    std::string layout; // --layout PAGE.zip: the saved page instead of files
    std::vector<std::string> files;
};

std::optional<RenderArgs> parseRenderArgs(const core::CommandArgs& args, core::Messages& msgs)
{
    RenderArgs r;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if ((a == "-o" || a == "--dpi" || a == "--layout") && i + 1 < args.size()) {
            const std::string& v = args[++i];
            if (a == "-o" || a == "--layout") {
                (a == "-o" ? r.out : r.layout) = v;
                continue;
            }
            char* end = nullptr;
            const long dpi = std::strtol(v.c_str(), &end, 10);
            // The range print to file allows: beyond it the page bitmap runs to gigabytes.
            if (v.empty() || *end != '\0' || dpi < 72 || dpi > 1000) {
                msgs.error({"render: --dpi wants a resolution of 72..1000 dots per inch, not '%1'", v});
                return std::nullopt;
            }
            r.dpi = static_cast<int>(dpi);
        } else if (a == "--geometry") {
            r.geometry = true;
        } else if (!a.empty() && a[0] == '-' && a != "-") {
            msgs.error({"render: unknown option '%1'", a});
            return std::nullopt;
        } else {
            r.files.push_back(a);
        }
    }
    if (r.out.empty() || r.files.empty() == r.layout.empty()) {
        msgs.error("render: usage: render -o OUT [--dpi D] [--geometry] FILE...  |  render -o OUT [--dpi D] [--geometry] --layout PAGE.zip");
        return std::nullopt;
    }
    return r;
}

// The run's printer: the queue Printer_Name names when it is there, else the index.
QString runPrinterName(const settings::Settings& s)
{
    CupsPrinterList printers;
    if (!printers.selectByName(QString::fromStdString(s.Printer_Name)) && !printers.select(s.Printer))
        return {};
    return printers.currentName();
}

// The printer's metrics, or those of --printer-page/--printer-dpi; with both given no
// printer is asked at all.
std::optional<page::PrinterMetrics> metricsFor(const core::CommandContext& ctx)
{
    const auto askPrinter = [&]() -> std::optional<page::PrinterMetrics> {
        const QString name = runPrinterName(ctx.settings);
        if (name.isEmpty()) {
            // No printer at all: the page of the last printer, else A4 at 300 dpi, as the
            // window lays it out.
            const PrinterMetrics m = fallbackMetrics(ctx.settings.Printer_Page);
            ctx.messages.information({"No printer: the page is laid out on %1", printerPageText(m)});
            return m;
        }
        QPrinter printer(QPrinter::HighResolution);
        preparePrinter(printer, name);
        applyStoredChoices(printer, ctx.settings);
        return readPrinterMetrics(printer);
    };
    const std::optional<page::PrinterMetrics> m = givenPrinterMetrics(ctx.common, askPrinter);
    if (!m || !m->usable())
        return std::nullopt;
    return m;
}

void writeGeometry(std::ostream& out, const PageDrawing& d)
{
    out << "{\"page\":{\"width\":" << d.layout.target.pageWidth << ",\"height\":" << d.layout.target.pageHeight
        << "},\"frames\":[";
    bool first = true;
    for (const FrameSource& f : d.frames) {
        const page::Rect& r = d.layout.frames.at(static_cast<std::size_t>(f.frame - 1)).image;
        out << (first ? "" : ",") << "{\"frame\":" << f.frame << ",\"left\":" << r.left << ",\"top\":" << r.top
            << ",\"right\":" << r.right() << ",\"bottom\":" << r.bottom() << ",\"details\":" << core::jsonString(f.details)
            << '}';
        first = false;
    }
    out << "]}\n";
}

// A page laid out against the metrics as the window lays it out (margins, centring).
std::unique_ptr<page::Page> headlessPage(settings::Settings& s, const page::PrinterMetrics& m)
{
    auto page = std::make_unique<page::Page>(s, [m] { return m; });
    page->setPrintFrameReader(printFrameSize);
    page->sizeVisualPage(800, 600);
    return page;
}

PrintTarget imageFileTarget(const page::Page& page, int dpi)
{
    const page::PageState& st = page.state();
    return bitmapTarget(st.FrameCount, st.PageWidthPx, st.PageHeightPx, st.PrinterDpiX, dpi);
}

constexpr std::size_t kReadyFramesBudget = std::size_t(96) << 20;

// The shape every frame of the next page will have, known before its files load as the
// layout does not depend on them; none when the page cannot be laid out (the failure
// is reported once the files are loaded, where it always was) or is not resampled.
std::unique_ptr<ReadyFrames> readyFramesFor(const page::Page& page, int dpi)
{
    try {
        const PageDrawing d = composePage(page, Output::ImageFile, imageFileTarget(page, dpi));
        if (!d.filter || d.layout.frames.empty())
            return nullptr;
        const page::Rect& r = d.layout.frames.front().image;
        // The frames made ahead wait for their band. When the page's frames all fit in the
        // budget, every photo is decoded once; when they do not, only the first (top left,
        // which the first band needs) is kept: frames made early for rows far down the page
        // would hold the memory the bands need.
        const std::size_t frameBytes = 3 * static_cast<std::size_t>(std::max(0, r.width)) *
                                       static_cast<std::size_t>(std::max(0, r.height));
        const std::size_t all = frameBytes * d.layout.frames.size();
        FrameWork shape{{}, d.aspectRatio, d.filter, r.width, r.height};
        // The load decodes several photos at once.
        shape.besideOthers = d.layout.frames.size() > 1;
        return std::make_unique<ReadyFrames>(std::move(shape), all <= kReadyFramesBudget ? all : frameBytes);
    } catch (const std::exception&) {
        return nullptr;
    }
}

// render --layout: the one page a layout file holds.
int renderLayout(page::Page& page, const RenderArgs& r, bool jpeg, core::CommandContext& ctx)
{
    if (!loadLayout(page, r.layout).opened)
        return 1; // told why
    const int dpi = r.dpi ? *r.dpi : imageFileDpi(ctx.settings, page.state().PrinterDpiX);
    try {
        const PageDrawing drawing = composePage(page, Output::ImageFile, imageFileTarget(page, dpi));
        if (isPdfPath(r.out)) {
            PdfPages pdf(r.out);
            pdf.add(drawing, {});
            pdf.finish();
        } else {
            savePageFile(drawing, {}, nullptr, r.out, jpeg, ctx.settings.Quality, dpi);
        }
        if (r.geometry)
            writeGeometry(ctx.out, drawing);
    } catch (const std::exception& e) {
        ctx.messages.error(core::messageOf(e));
        return 1;
    }
    return 0;
}

} // namespace

std::string numberedOutput(const std::string& out, int k, int pageCount)
{
    if (pageCount <= 1)
        return out;
    // Padded to the width of the page count, so the files sort in page order.
    std::string number = std::to_string(k);
    const std::size_t width = std::to_string(pageCount).size();
    if (number.size() < width)
        number.insert(0, width - number.size(), '0');
    const std::string ext = imaging::extensionOf(out);
    return out.substr(0, out.size() - ext.size()) + "-" + number + ext;
}

int renderCommand(const core::CommandArgs& args, core::CommandContext& ctx)
{
    const auto r = parseRenderArgs(args, ctx.messages);
    if (!r)
        return 2;
    const std::string ext = imaging::lowerExtensionOf(r->out);
    const bool jpeg = ext == ".jpg" || ext == ".jpeg";
    const bool pdf = ext == ".pdf";
    if (!jpeg && !pdf && ext != ".bmp") {
        ctx.messages.error({"render: the output must end in .jpg, .jpeg, .bmp or .pdf: %1", r->out});
        return 2;
    }
    const auto metrics = metricsFor(ctx);
    if (!metrics) {
        ctx.messages.error("render: the printer gives no usable page; give --printer-page WxH and --printer-dpi D");
        return 1;
    }
    if (r->dpi)
        ctx.settings.Print_Image_Resolution = *r->dpi;
    auto page = headlessPage(ctx.settings, *metrics);
    if (!r->layout.empty())
        return renderLayout(*page, *r, jpeg, ctx);
    page::FileQueue queue;
    queue.FileList = r->files;
    const std::size_t perPage = page->state().FrameCount;
    const int pageCount = static_cast<int>((r->files.size() + perPage - 1) / perPage);
    const int dpi = r->dpi ? *r->dpi : imageFileDpi(ctx.settings, metrics->dpiX);
    int failures = 0;
    int pageNumber = 0;
    bool cutOffTold = false;
    try {
        // A page too large for memory is refused before any photo is decoded.
        composePage(*page, Output::ImageFile, imageFileTarget(*page, dpi));
        // A PDF holds every page; image files are one a page.
        std::optional<PdfPages> pdfFile;
        if (pdf)
            pdfFile.emplace(r->out);
        do {
            // Each photo is decoded once, at full size, as its file is checked by the load.
            const std::unique_ptr<ReadyFrames> ready = readyFramesFor(*page, dpi);
            page::LoadHooks hooks;
            if (ready)
                hooks.fullDecode = [&ready](const imaging::Picture& p) { ready->prepare(p); };
            failures += page::nextBatch(*page, queue, hooks).filesFailed;
            const PageDrawing drawing = composePage(*page, Output::ImageFile, imageFileTarget(*page, dpi));
            if (drawing.frames.empty())
                continue; // every file of this page failed, and each was reported
            if (const std::vector<int> cut = cutOffFrames(drawing); !cut.empty() && !cutOffTold) {
                ctx.messages.warning(cutOffMessage(cut));
                cutOffTold = true;
            }
            if (pdfFile) {
                pdfFile->add(drawing, {}, ready.get());
                ++pageNumber;
            } else {
                savePageFile(drawing, {}, ready.get(), numberedOutput(r->out, ++pageNumber, pageCount), jpeg,
                             ctx.settings.Quality, dpi);
            }
            if (r->geometry)
                writeGeometry(ctx.out, drawing);
        } while (queue.BatchInProgress);
        if (pdfFile && pageNumber > 0)
            pdfFile->finish();
    } catch (const std::exception& e) {
        ctx.messages.error(core::messageOf(e));
        return 1;
    }
    return failures > 0 || pageNumber == 0 ? 1 : 0;
}

namespace {

// The window's part in batch printing, without a window: no buttons; SIGINT and SIGTERM
// are Stop, and what the queue wait waits for goes to stderr (once, then each minute).
class HeadlessPrintWindow final : public PrintWindow {
public:
    HeadlessPrintWindow(page::Page& page, QPrinter& printer, page::FileQueue& queue, core::Messages& messages,
                        bool skipUnreadable, BatchLog* log)
        : m_page(page), m_printer(printer), m_queue(queue), m_messages(messages), m_skipUnreadable(skipUnreadable),
          m_log(log)
    {
        m_timer.setInterval(10000);
    }
    page::Page& printPage() override { return m_page; }
    QPrinter& printer() override { return m_printer; }
    QWidget* dialogParent() override { return nullptr; }
    QTimer& queueTimer() override { return m_timer; }
    void setStopEnabled(bool) override {}
    bool stopRequested() const override { return m_stop || StopSignals::received(); }
    void setStopRequested(bool stop) override { m_stop = stop; }
    bool confirmCutOff(const core::Message& message) override
    {
        m_messages.warning(message);
        return true;
    }
    void queueWaitGoesOn(const core::Message& text, bool first) override
    {
        const auto now = std::chrono::steady_clock::now();
        if (first || now - m_lastNotice >= std::chrono::minutes(1)) {
            m_lastNotice = now;
            m_messages.information(text);
        }
    }
    void saveAndDisableButtons() override {}
    void restoreButtons() override {}
    bool batchInProgress() const override { return m_queue.BatchInProgress; }
    void loadNextPage() override
    {
        page::LoadHooks hooks;
        hooks.fileFailed = [this](const std::string& path, const core::Message& error) {
            if (m_log)
                m_log->skipped(path, error);
            // Passed over either way; only an unattended run takes it as no failure.
            if (m_skipUnreadable) {
                core::messages().warning({QT_TRANSLATE_NOOP("Paginor", "Skipped: %1"), error});
                --failures;
            } else {
                core::messages().error(error);
            }
        };
        failures += page::nextBatch(m_page, m_queue, hooks).filesFailed;
    }
    // Nobody to ask: a warning line, and the page prints.
    bool confirmLowResolution(const core::Message& message, bool) override
    {
        core::messages().warning(message);
        return true;
    }

    int failures = 0;

private:
    page::Page& m_page;
    QPrinter& m_printer;
    page::FileQueue& m_queue;
    core::Messages& m_messages;
    bool m_skipUnreadable;
    BatchLog* m_log;
    QTimer m_timer;
    bool m_stop = false;
    std::chrono::steady_clock::time_point m_lastNotice;
};

} // namespace

namespace {

struct PrintArgs {
    std::vector<std::pair<QString, QString>> options; // --copies and --option, in order
    std::vector<std::string> files;
    std::string layout; // --layout PAGE.zip instead of files
    bool skipUnreadable = false;
    std::size_t from = 1; // --from N: the first file printed, counting from 1
    std::string log;
};

std::optional<PrintArgs> parsePrintArgs(const core::CommandArgs& args, core::Messages& msgs)
{
    PrintArgs p;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if ((a == "--copies" || a == "--option") && i + 1 < args.size()) {
            const QString v = QString::fromStdString(args[++i]);
            if (a == "--copies") {
                p.options.emplace_back("copies", v);
                continue;
            }
            const auto eq = v.indexOf('=');
            if (eq <= 0) {
                msgs.error({"print: --option wants NAME=VALUE, not '%1'", v.toStdString()});
                return std::nullopt;
            }
            p.options.emplace_back(v.left(eq), v.mid(eq + 1));
        } else if (a == "--layout" && i + 1 < args.size() && p.layout.empty()) {
            p.layout = args[++i];
        } else if (a == "--skip-unreadable") {
            p.skipUnreadable = true;
        } else if (a == "--log" && i + 1 < args.size()) {
            p.log = args[++i];
        } else if (a == "--from" && i + 1 < args.size()) {
            const std::string& v = args[++i];
            char* end = nullptr;
            const long n = std::strtol(v.c_str(), &end, 10);
            if (v.empty() || *end != '\0' || n < 1) {
                msgs.error({"print: --from wants a file number from 1 on, not '%1'", v});
                return std::nullopt;
            }
            p.from = static_cast<std::size_t>(n);
        } else if (!a.empty() && a[0] == '-' && a != "-") {
            msgs.error({"print: unknown option '%1'", a});
            return std::nullopt;
        } else {
            p.files.push_back(a);
        }
    }
    if (p.files.empty() == p.layout.empty()) {
        msgs.error("print: usage: print [--printer NAME] [--copies N] [--option NAME=VALUE]... "
                   "[--skip-unreadable] [--from N] [--log FILE] FILE...  |  print [OPTIONS] --layout PAGE.zip");
        return std::nullopt;
    }
    if (!p.files.empty() && p.from > p.files.size()) {
        msgs.error({"print: --from %1 is beyond the %2 files given", p.from, p.files.size()});
        return std::nullopt;
    }
    return p;
}

} // namespace

int printCommand(const core::CommandArgs& args, core::CommandContext& ctx)
{
    const auto p = parsePrintArgs(args, ctx.messages);
    if (!p)
        return 2;
    const QString name = runPrinterName(ctx.settings);
    if (name.isEmpty()) {
        ctx.messages.error(settings::kPleaseInstallPrinter);
        return 1;
    }
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, name);
    // The printer's stored choices first, then what this command line asks for.
    applyStoredChoices(printer, ctx.settings);
    try {
        for (const auto& [option, value] : p->options)
            setJobOption(printer, option, value);
    } catch (const std::invalid_argument& e) {
        ctx.messages.error({"print: %1", core::messageOf(e)});
        return 2;
    }
    page::PrinterMetrics m = readPrinterMetrics(printer);
    auto page = headlessPage(ctx.settings, m);
    std::unique_ptr<BatchLog> log;
    try {
        if (!p->log.empty())
            log = std::make_unique<BatchLog>(p->log, printer.printerName().toStdString());
    } catch (const std::exception& e) {
        ctx.messages.error({"print: %1", core::messageOf(e)});
        return 1;
    }
    page::FileQueue queue;
    HeadlessPrintWindow window(*page, printer, queue, ctx.messages, p->skipUnreadable, log.get());
    PrintCommands commands(window);
    commands.setBatchLog(log.get());
    const StopSignals stop([&commands] { commands.stopCommand(); });
    if (!p->layout.empty()) {
        if (!loadLayout(*page, p->layout).opened)
            return 1;
    } else {
        queue.FileList.assign(p->files.begin() + static_cast<std::ptrdiff_t>(p->from - 1), p->files.end());
        window.loadNextPage();
    }
    if (!StopSignals::received())
        commands.loadAndPrint();
    for (int id : commands.sentJobs())
        ctx.out << printer.printerName().toStdString() << '-' << id << '\n';
    if (StopSignals::received()) {
        ctx.messages.error("print: stopped; nothing more was sent");
        return 1;
    }
    return window.failures > 0 || commands.failures() > 0 || commands.sentJobs().empty() ? 1 : 0;
}

} // namespace printing
