// The printers of this machine as CUPS lists them, read through Qt Print Support: which
// one is current, its own resolution and its printable page.
#pragma once

#include "page/core/page.h"
#include "settings/core/settings.h"

#include <QPageSize>
#include <QPrinter>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace printing {

// What the page needs to know of a printer: its resolution and its printable page in
// dots, portrait. The printable page is the paper less the printer's own unprintable margins.
using PrinterMetrics = page::PrinterMetrics;

// The CUPS printer list in its own order; an index into it is the `Printer` setting.
class CupsPrinterList final : public settings::PrinterList {
public:
    CupsPrinterList();
    // A given list, in place of the machine's (tests: no default, no printer at all).
    CupsPrinterList(QStringList names, QString defaultName);
    int count() const override;
    std::optional<int> defaultIndex() const override;
    bool select(int index) override;
    int current() const override;
    std::string nameOf(int index) const override;
    std::optional<int> indexOf(std::string_view name) const override;

    QString currentName() const;
    const QStringList& names() const { return m_names; }
    // Selects a printer by name; false when there is none of that name.
    bool selectByName(const QString& name);

private:
    QStringList m_names;
    QString m_default;
    int m_current = -1;
};

// The printer's own resolution: the user's chosen "Resolution" option when there is one,
// else the queue's default, kept to the resolutions the printer supports.
int printerResolution(const QString& printerName);

// Points printer at printerName, portrait, at the printer's own resolution, with the
// margins the printer can't print on and no more.
void preparePrinter(QPrinter& printer, const QString& printerName);

// Reads the metrics of a prepared printer.
PrinterMetrics readPrinterMetrics(QPrinter& printer);

// What the user chose for a printer in "&Printer Setup" (or `paginor print` on its
// command line): every job on that printer carries them.
struct PrinterChoices {
    int copies = 1;
    bool collate = true;
    QPrinter::DuplexMode duplex = QPrinter::DuplexNone;
    QPageSize pageSize;
    // The driver's own options and any other CUPS job option, as name, value, name, ...
    QStringList cupsOptions;
};
PrinterChoices choicesOf(QPrinter& printer);
// Puts choices back on printer; a paper the printer doesn't offer is left as it is.
void applyChoices(QPrinter& printer, const PrinterChoices& choices);

// The choices kept between runs (paper and duplex) from the settings, and back.
void applyStoredChoices(QPrinter& printer, const settings::Settings& s);
void storeChoices(QPrinter& printer, settings::Settings& s);

// One CUPS job option as `lp -o NAME=VALUE` takes it. copies, collate, sides and media
// (a paper the printer offers) go onto the printer itself, so the page is laid out on that
// paper; any other option is sent with every job as it stands. Throws std::invalid_argument
// for a copies or sides value CUPS would refuse.
void setJobOption(QPrinter& printer, const QString& name, const QString& value);

// The options every job on printer is sent with: paper, sides, copies and collation,
// then the driver's and the user's own options (a later value of a name wins).
std::vector<std::pair<QByteArray, QByteArray>> jobOptionsOf(QPrinter& printer);

// The page size key (as the printer lists it) for a CUPS media name or a key such as
// "A5"; none when the printer offers no such paper.
std::optional<QPageSize> printerPageSize(const QString& printerName, const QString& media);

// The page a run lays out against when no printer is left: the last printer's page as
// Printer_Page keeps it, else A4 at 300 dpi with no unprintable margins.
PrinterMetrics fallbackMetrics(const std::string& printerPage);
std::string printerPageText(const PrinterMetrics& m);

} // namespace printing
