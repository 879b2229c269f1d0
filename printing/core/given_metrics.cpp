#include "printing/core/given_metrics.h"

namespace printing {

std::optional<page::PrinterMetrics>
givenPrinterMetrics(const core::CommonOptions& options,
                    const std::function<std::optional<page::PrinterMetrics>()>& askPrinter)
{
    std::optional<page::PrinterMetrics> m;
    if (options.printerPage && options.printerDpi)
        m = page::PrinterMetrics{.name = "--printer-page"};
    else
        m = askPrinter();
    if (!m)
        return std::nullopt;
    if (options.printerPage) {
        m->pageWidthPx = options.printerPage->first;
        m->pageHeightPx = options.printerPage->second;
    }
    if (options.printerDpi)
        m->dpiX = m->dpiY = *options.printerDpi;
    return m;
}

} // namespace printing
