// The log of an unattended batch: one line per page (its number, the CUPS job, the
// outcome, its files) and one per file passed over, each written and flushed at once so
// that a batch that dies part-way still says where to resume (`print --from N`).
//
//     page<TAB>3<TAB>job<TAB>PDF-57<TAB>printed<TAB>a.jpg<TAB>b.jpg
//     skipped<TAB>c.jpg<TAB>Corrupt JPEG data: ...
#pragma once

#include <fstream>
#include <string>
#include <vector>

namespace printing {

class BatchLog {
public:
    // Appends to path; throws std::runtime_error when it can't be opened.
    BatchLog(const std::string& path, std::string printerName);

    // jobId 0: nothing was sent (the job id field then reads "-").
    void page(int number, const std::vector<std::string>& files, int jobId, const std::string& outcome);
    void skipped(const std::string& file, const std::string& reason);

private:
    void line(const std::vector<std::string>& fields);

    std::ofstream m_out;
    std::string m_printer;
};

} // namespace printing
