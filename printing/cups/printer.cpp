#include "printing/cups/printer.h"

#include <QPageLayout>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>

#include <cups/cups.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace printing {
namespace {

// The options the print dialog's advanced page keeps on the engine (Qt's private
// PPK_CupsOptions key): pairs of name and value.
constexpr auto kCupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

QStringList cupsOptionsOf(QPrinter& printer)
{
    return printer.printEngine()->property(kCupsOptionsKey).toStringList();
}

void setCupsOptions(QPrinter& printer, const QStringList& options)
{
    printer.printEngine()->setProperty(kCupsOptionsKey, options);
}

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

CupsPrinterList::CupsPrinterList(QStringList names, QString defaultName)
    : m_names(std::move(names)), m_default(std::move(defaultName))
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

std::string CupsPrinterList::nameOf(int index) const
{
    return index >= 0 && index < count() ? m_names.at(index).toStdString() : std::string();
}

std::optional<int> CupsPrinterList::indexOf(std::string_view name) const
{
    const auto i = m_names.indexOf(QString::fromUtf8(name.data(), qsizetype(name.size())));
    if (i < 0)
        return std::nullopt;
    return int(i);
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

PrinterChoices choicesOf(QPrinter& printer)
{
    PrinterChoices c;
    c.copies = std::max(1, printer.copyCount());
    c.collate = printer.collateCopies();
    c.duplex = printer.duplex();
    c.pageSize = printer.pageLayout().pageSize();
    c.cupsOptions = cupsOptionsOf(printer);
    return c;
}

void applyChoices(QPrinter& printer, const PrinterChoices& c)
{
    printer.setCopyCount(c.copies);
    printer.setCollateCopies(c.collate);
    printer.setDuplex(c.duplex);
    if (c.pageSize.isValid() && printerPageSize(printer.printerName(), c.pageSize.key())) {
        QPageLayout layout = printer.pageLayout();
        layout.setPageSize(c.pageSize);
        layout.setMargins(layout.minimumMargins());
        printer.setPageLayout(layout);
    }
    setCupsOptions(printer, c.cupsOptions);
}

void applyStoredChoices(QPrinter& printer, const settings::Settings& s)
{
    PrinterChoices c = choicesOf(printer);
    c.duplex = static_cast<QPrinter::DuplexMode>(std::clamp(s.Printer_Duplex, 0, 3));
    if (!s.Printer_Paper.empty())
        if (auto size = printerPageSize(printer.printerName(), QString::fromStdString(s.Printer_Paper)))
            c.pageSize = *size;
    applyChoices(printer, c);
}

void storeChoices(QPrinter& printer, settings::Settings& s)
{
    s.Printer_Paper = printer.pageLayout().pageSize().key().toStdString();
    s.Printer_Duplex = static_cast<std::int32_t>(printer.duplex());
}

std::optional<QPageSize> printerPageSize(const QString& printerName, const QString& media)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
    for (const QPageSize& size : info.supportedPageSizes())
        if (size.key().compare(media, Qt::CaseInsensitive) == 0 || size.name().compare(media, Qt::CaseInsensitive) == 0)
            return size;
    // A media name in IPP's own form ("iso_a5_148x210mm"): match on the size it states.
    int w = 0;
    int h = 0;
    const QByteArray text = media.toLatin1();
    const char* dims = std::strrchr(text.constData(), '_');
    if (dims && std::sscanf(dims, "_%dx%dmm", &w, &h) == 2)
        for (const QPageSize& size : info.supportedPageSizes()) {
            const QSizeF mm = size.size(QPageSize::Millimeter);
            if (std::abs(mm.width() - w) < 1.0 && std::abs(mm.height() - h) < 1.0)
                return size;
        }
    return std::nullopt;
}

void setJobOption(QPrinter& printer, const QString& name, const QString& value)
{
    const QString key = name.trimmed().toLower();
    if (key == "copies") {
        bool ok = false;
        const int copies = value.toInt(&ok);
        if (!ok || copies < 1 || copies > 9999)
            throw std::invalid_argument("copies wants a number of 1..9999, not '" + value.toStdString() + "'");
        printer.setCopyCount(copies);
        return;
    }
    if (key == "collate") {
        printer.setCollateCopies(value.compare("false", Qt::CaseInsensitive) != 0);
        return;
    }
    if (key == "sides") {
        QPrinter::DuplexMode mode = QPrinter::DuplexNone;
        if (value == "two-sided-long-edge")
            mode = QPrinter::DuplexLongSide;
        else if (value == "two-sided-short-edge")
            mode = QPrinter::DuplexShortSide;
        else if (value != "one-sided")
            throw std::invalid_argument("sides wants one-sided, two-sided-long-edge or two-sided-short-edge, not '" +
                                        value.toStdString() + "'");
        printer.setDuplex(mode);
        // Qt drops a mode the driver doesn't list; asked for by name, it goes to CUPS as it is.
        if (printer.duplex() == mode)
            return;
    }
    if (key == "media") {
        if (auto size = printerPageSize(printer.printerName(), value)) {
            PrinterChoices c = choicesOf(printer);
            c.pageSize = *size;
            applyChoices(printer, c);
            return;
        }
    }
    QStringList options = cupsOptionsOf(printer);
    for (qsizetype i = 0; i + 1 < options.size(); i += 2)
        if (options.at(i).compare(name, Qt::CaseInsensitive) == 0) {
            options[i + 1] = value;
            setCupsOptions(printer, options);
            return;
        }
    options << name << value;
    setCupsOptions(printer, options);
}

std::vector<std::pair<QByteArray, QByteArray>> jobOptionsOf(QPrinter& printer)
{
    std::vector<std::pair<QByteArray, QByteArray>> options;
    auto set = [&options](const QByteArray& name, const QByteArray& value) {
        for (auto& [n, v] : options)
            if (n.compare(name, Qt::CaseInsensitive) == 0) {
                v = value;
                return;
            }
        options.emplace_back(name, value);
    };
    set("media", printer.pageLayout().pageSize().key().toLocal8Bit());
    const bool landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
    switch (printer.duplex()) {
    case QPrinter::DuplexNone: set("sides", "one-sided"); break;
    case QPrinter::DuplexLongSide: set("sides", "two-sided-long-edge"); break;
    case QPrinter::DuplexShortSide: set("sides", "two-sided-short-edge"); break;
    // Auto binds on the sheet's long side as the reader holds it.
    case QPrinter::DuplexAuto: set("sides", landscape ? "two-sided-short-edge" : "two-sided-long-edge"); break;
    }
    const int copies = std::max(1, printer.copyCount());
    set("copies", QByteArray::number(copies));
    if (copies > 1)
        set("multiple-document-handling", printer.collateCopies() ? "separate-documents-collated-copies"
                                                                  : "separate-documents-uncollated-copies");
    const QStringList custom = cupsOptionsOf(printer);
    for (qsizetype i = 0; i + 1 < custom.size(); i += 2)
        set(custom.at(i).toLocal8Bit(), custom.at(i + 1).toLocal8Bit());
    return options;
}

PrinterMetrics fallbackMetrics(const std::string& printerPage)
{
    PrinterMetrics m{"(no printer)", 300, 300, 2480, 3508};
    int w = 0;
    int h = 0;
    int dpi = 0;
    char end = 0;
    if (std::sscanf(printerPage.c_str(), "%dx%d@%d%c", &w, &h, &dpi, &end) == 3 && w > 0 && h > 0 && dpi >= 72 &&
        dpi <= 4800 && w <= 100 * dpi && h <= 100 * dpi) {
        m.dpiX = m.dpiY = dpi;
        m.pageWidthPx = w;
        m.pageHeightPx = h;
    }
    return m;
}

std::string printerPageText(const PrinterMetrics& m)
{
    return std::to_string(m.pageWidthPx) + "x" + std::to_string(m.pageHeightPx) + "@" + std::to_string(m.dpiX);
}

} // namespace printing
