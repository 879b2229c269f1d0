// The printer metrics a headless run takes from --printer-page WxH and --printer-dpi D.
#pragma once

#include "core/command.h"
#include "page/core/page.h"

#include <functional>
#include <optional>

namespace printing {

// The metrics a run lays its pages out on. Each of --printer-page and --printer-dpi that
// is given stands in for what the printer says (the command line checks a page given
// alone against the highest resolution for that reason). With both given no printer is
// asked: askPrinter is not called and the metrics are named "--printer-page". Otherwise
// they are askPrinter's with the one given put over them, and nullopt when it has none.
std::optional<page::PrinterMetrics>
givenPrinterMetrics(const core::CommonOptions& options,
                    const std::function<std::optional<page::PrinterMetrics>()>& askPrinter);

} // namespace printing
