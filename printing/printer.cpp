#include "printing/printer.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

#include <cups/cups.h>

#include <algorithm>
#include <memory>

namespace printing {
namespace {

struct DestDeleter {
    void operator()(cups_dest_t* d) const { cupsFreeDests(1, d); }
};
struct InfoDeleter {
    void operator()(cups_dinfo_t* i) const { cupsFreeDestInfo(i); }
};

// "600dpi", "600x600dpi", "300x600dpi" -> the horizontal figure.
int parseResolutionOption(const char* text)
{
    if (!text)
        return 0;
    return std::atoi(text);
}

int cupsDefaultResolution(const QString& printerName)
{
    const QByteArray name = printerName.toLocal8Bit();
    std::unique_ptr<cups_dest_t, DestDeleter> dest(cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr));
    if (!dest)
        return 0;
    if (int chosen = parseResolutionOption(cupsGetOption("Resolution", dest->num_options, dest->options)))
        return chosen;
    std::unique_ptr<cups_dinfo_t, InfoDeleter> info(cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest.get()));
    if (!info)
        return 0;
    ipp_attribute_t* attr = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest.get(), info.get(), "printer-resolution");
    if (!attr)
        return 0;
    int y = 0;
    ipp_res_t units = IPP_RES_PER_INCH;
    const int x = ippGetResolution(attr, 0, &y, &units);
    return units == IPP_RES_PER_CM ? int(x * 2.54 + 0.5) : x;
}

} // namespace

CupsPrinterList::CupsPrinterList()
    : m_names(QPrinterInfo::availablePrinterNames()), m_default(QPrinterInfo::defaultPrinterName())
{
}

int CupsPrinterList::count() const
{
    return int(m_names.size());
}

std::optional<int> CupsPrinterList::defaultIndex() const
{
    const auto i = m_names.indexOf(m_default);
    if (m_default.isEmpty() || i < 0)
        return std::nullopt;
    return int(i);
}

bool CupsPrinterList::select(int index)
{
    if (index < 0 || index >= count())
        return false;
    m_current = index;
    return true;
}

int CupsPrinterList::current() const
{
    return m_current;
}

QString CupsPrinterList::currentName() const
{
    return m_current >= 0 && m_current < count() ? m_names.at(m_current) : QString();
}

bool CupsPrinterList::selectByName(const QString& name)
{
    return select(int(m_names.indexOf(name)));
}

int printerResolution(const QString& printerName)
{
    const QList<int> supported = QPrinterInfo::printerInfo(printerName).supportedResolutions();
    int dpi = cupsDefaultResolution(printerName);
    if (!supported.isEmpty() && !supported.contains(dpi)) {
        // Keep to what the printer supports: the nearest of its own resolutions.
        const int wanted = dpi > 0 ? dpi : 300;
        dpi = *std::min_element(supported.begin(), supported.end(),
                                [&](int a, int b) { return std::abs(a - wanted) < std::abs(b - wanted); });
    }
    return dpi > 0 ? dpi : 300;
}

void preparePrinter(QPrinter& printer, const QString& printerName)
{
    printer.setPrinterName(printerName);
    printer.setFullPage(false);
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setResolution(printerResolution(printerName));
    // Qt starts with margins of its own; the printable page is the paper less only the
    // margins the printer itself can't print on.
    QPageLayout layout = printer.pageLayout();
    layout.setMargins(layout.minimumMargins());
    printer.setPageLayout(layout);
}

PrinterMetrics readPrinterMetrics(QPrinter& printer)
{
    printer.setPageOrientation(QPageLayout::Portrait);
    PrinterMetrics m;
    m.name = printer.printerName().toStdString();
    m.dpiX = printer.logicalDpiX();
    m.dpiY = printer.logicalDpiY();
    const QRect paint = printer.pageLayout().paintRectPixels(printer.resolution());
    m.pageWidthPx = paint.width();
    m.pageHeightPx = paint.height();
    return m;
}

} // namespace printing
