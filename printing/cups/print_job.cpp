#include "printing/cups/print_job.h"

#include "printing/core/print_geometry.h"
#include "printing/cups/printer.h"

#include <QDir>
#include <QPageLayout>
#include <QPrinter>

#include <cups/cups.h>

#include <cstdlib>
#include <utility>
#include <vector>

namespace printing {
namespace {

struct OptionList {
    std::vector<std::pair<QByteArray, QByteArray>> pairs;
    std::vector<cups_option_t> raw;

    cups_option_t* data()
    {
        raw.clear();
        for (auto& [n, v] : pairs)
            raw.push_back({n.data(), v.data()});
        return raw.empty() ? nullptr : raw.data();
    }
};

} // namespace

int activeJobCount(const QString& printerName)
{
    const QByteArray name = printerName.section('/', 0, 0).toLocal8Bit();
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, name.constData(), 0, CUPS_WHICHJOBS_ACTIVE);
    cupsFreeJobs(count > 0 ? count : 0, jobs);
    if (count < 0)
        throw PrintError({QT_TRANSLATE_NOOP("Paginor", "Can't ask the printer for its queue: %1"), cupsLastErrorString()});
    return count;
}

bool printQueueIsEmpty(const QString& printerName)
{
    return activeJobCount(printerName) == 0;
}

PrinterState printerState(const QString& printerName)
{
    const QByteArray name = printerName.section('/', 0, 0).toLocal8Bit();
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr);
    if (!dest)
        throw PrintError({QT_TRANSLATE_NOOP("Paginor", "Can't ask the printer for its queue: %1"), cupsLastErrorString()});
    PrinterState state;
    const char* value = cupsGetOption("printer-state", dest->num_options, dest->options);
    state.stopped = value && std::atoi(value) == IPP_PSTATE_STOPPED;
    if (const char* message = cupsGetOption("printer-state-message", dest->num_options, dest->options))
        state.reason = message;
    cupsFreeDests(1, dest);
    return state;
}

core::Message printerStoppedMessage(const QString& printerName, const PrinterState& state, std::string_view consequence)
{
    const std::string name = printerName.section('/', 0, 0).toStdString();
    if (!state.reason.empty())
        return {QT_TRANSLATE_NOOP("Paginor", "The printer %1 is stopped (%2): %3"), name, state.reason,
                core::Message(consequence)};
    return {QT_TRANSLATE_NOOP("Paginor", "The printer %1 is stopped: %2"), name, core::Message(consequence)};
}

PageJob::PageJob(QPrinter& printer, const std::string& title, bool landscape)
    : m_printer(printer), m_title(title), m_spool(QDir::temp().filePath("paginor-page-XXXXXX.spool")),
      m_toUserFile(!printer.outputFileName().isEmpty())
{
    // "Print to file" chosen in the print dialog: the page goes to the user's file only.
    if (!m_toUserFile) {
        // Not ".pdf": that name would swap the CUPS engine for the plain PDF writer, and
        // the printer's own page and resolution with it.
        if (!m_spool.open())
            throw PrintError({QT_TRANSLATE_NOOP("Paginor", "Can't create the print spool file: %1"), m_spool.errorString().toStdString()});
        m_spool.close();
        m_printer.setOutputFileName(m_spool.fileName());
    }
    m_printer.setDocName(QString::fromStdString(title));
    m_printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (!m_painter.begin(&m_printer)) {
        if (!m_toUserFile)
            m_printer.setOutputFileName(QString());
        m_printer.setPageOrientation(QPageLayout::Portrait);
        throw PrintError({QT_TRANSLATE_NOOP("Paginor", "Can't start printing on %1"), m_printer.printerName().toStdString()});
    }
}

PageJob::~PageJob()
{
    endPainting();
}

void PageJob::endPainting()
{
    if (m_painter.isActive())
        m_painter.end();
    if (!m_toUserFile)
        m_printer.setOutputFileName(QString());
    m_printer.setPageOrientation(QPageLayout::Portrait);
}

int PageJob::finish()
{
    if (m_finished)
        return 0;
    m_finished = true;
    const bool landscape = m_printer.pageLayout().orientation() == QPageLayout::Landscape;
    OptionList options{jobOptionsOf(m_printer), {}};
    if (landscape)
        options.pairs.emplace_back("landscape", "");
    const QByteArray name = m_printer.printerName().section('/', 0, 0).toLocal8Bit();
    endPainting();
    if (m_aborted || m_toUserFile)
        return 0;
    const QByteArray file = QFile::encodeName(m_spool.fileName());
    const int id = cupsPrintFile2(CUPS_HTTP_DEFAULT, name.constData(), file.constData(), m_title.c_str(),
                                  static_cast<int>(options.pairs.size()), options.data());
    if (id == 0)
        throw PrintError({QT_TRANSLATE_NOOP("Paginor", "The printer %1 refused the page: %2"), name.toStdString(), cupsLastErrorString()});
    return id;
}

} // namespace printing
