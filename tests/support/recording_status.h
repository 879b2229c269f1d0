// A page's status display that keeps everything it is told, for the tests to read.
#pragma once

#include "page/core/page.h"

#include <string>
#include <vector>

namespace support {

class RecordingStatus : public page::StatusDisplay {
public:
    void setPrinterLine(const std::string& line) override { printerLine = line; }
    void setStatus(const std::string& text) override { statuses.push_back(text); }
    void setProgress(int percent) override { progress.push_back(percent); }
    void setProgressVisible(bool visible) override { progressVisible = visible; }
    std::string printerLine;
    std::vector<std::string> statuses;
    std::vector<int> progress;
    bool progressVisible = false;
};

} // namespace support
