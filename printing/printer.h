// The printers of this machine as CUPS lists them, read through Qt Print Support: which
// one is current, its own resolution and its printable page.
#pragma once

#include "page/page.h"
#include "settings/settings.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>

class QPrinter;

namespace printing {

// What the page needs to know of a printer: its resolution and its printable page in
// dots, portrait. The printable page is the paper less the printer's own unprintable margins.
using PrinterMetrics = page::PrinterMetrics;

// The CUPS printer list in its own order; an index into it is the `Printer` setting.
class CupsPrinterList final : public settings::PrinterList {
public:
    CupsPrinterList();
    int count() const override;
    std::optional<int> defaultIndex() const override;
    bool select(int index) override;
    int current() const override;

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

} // namespace printing
