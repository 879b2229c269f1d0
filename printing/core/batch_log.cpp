#include "printing/core/batch_log.h"

#include "core/message.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace printing {
namespace {

// Tabs and line breaks in a name or a message would split the line's fields.
std::string field(const std::string& text)
{
    std::string out = text;
    for (char& c : out)
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    return out;
}

} // namespace

BatchLog::BatchLog(const std::string& path, std::string printerName)
    : m_out(path, std::ios::app), m_printer(std::move(printerName))
{
    if (!m_out)
        throw core::MessageError({QT_TRANSLATE_NOOP("Paginor", "Can't open the log file %1: %2"), path, std::strerror(errno)});
}

void BatchLog::page(int number, const std::vector<std::string>& files, int jobId, const std::string& outcome)
{
    std::vector<std::string> fields{"page", std::to_string(number), "job",
                                    jobId > 0 ? m_printer + "-" + std::to_string(jobId) : "-", outcome};
    fields.insert(fields.end(), files.begin(), files.end());
    line(fields);
}

void BatchLog::skipped(const std::string& file, const std::string& reason)
{
    line({"skipped", file, reason});
}

void BatchLog::line(const std::vector<std::string>& fields)
{
    for (std::size_t i = 0; i < fields.size(); ++i)
        m_out << (i ? "\t" : "") << field(fields[i]);
    m_out << '\n';
    m_out.flush();
}

} // namespace printing
