// One printed page as one CUPS job. Qt's CUPS engine can neither abort a job nor report
// a failed submission, so the page is painted through the QPrinter into a spool file of
// our own and handed to CUPS only when it is complete: Stop drops the file, and a job
// CUPS refuses is an error the user sees.
#pragma once

#include "core/message.h"

#include <QPainter>
#include <QString>
#include <QTemporaryFile>

#include <memory>
#include <string>
#include <string_view>

class QPrinter;

namespace printing {

// The jobs of every user still waiting or printing on a CUPS queue. Throws
// PrintError(kQueueQueryFailed + CUPS's reason) when CUPS can't be asked: a failed
// question must never pass for an empty queue.
int activeJobCount(const QString& printerName);
bool printQueueIsEmpty(const QString& printerName);

// Whether CUPS holds the queue stopped (cupsdisable, or a failed backend), with the
// reason it gives; throws PrintError(kQueueQueryFailed + reason) when CUPS can't be asked.
struct PrinterState {
    bool stopped = false;
    std::string reason;
};
PrinterState printerState(const QString& printerName);
// "The printer NAME is stopped (reason)" + what follows from it.
core::Message printerStoppedMessage(const QString& printerName, const PrinterState& state, std::string_view consequence);

class PageJob {
public:
    // Turns the printer for the layout and starts the page. Throws PrintError when the
    // spool file or the painter can't be opened (the printer is back in portrait then).
    PageJob(QPrinter& printer, const std::string& title, bool landscape);
    // A job that was not finished is dropped; the printer is left in portrait.
    ~PageJob();
    PageJob(const PageJob&) = delete;
    PageJob& operator=(const PageJob&) = delete;

    QPainter& painter() { return m_painter; }
    // Stop: the page is never sent.
    void abort() { m_aborted = true; }
    bool aborted() const { return m_aborted; }
    // Ends the page and sends it. Returns the CUPS job id, or 0 when the job was
    // aborted or the print dialog sent the printer's output to a file. Throws PrintError with CUPS's reason when the job is refused.
    int finish();

private:
    void endPainting();

    QPrinter& m_printer;
    std::string m_title;
    QTemporaryFile m_spool;
    QPainter m_painter;
    bool m_toUserFile;
    bool m_aborted = false;
    bool m_finished = false;
};

} // namespace printing
