// One SANE device as our source manager drives it: its options by name and text, and one
// page read into memory. Reading may run on another thread; nothing here touches Qt.
#pragma once

#include <sane/sane.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace twain::dsm {

class SaneError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct DeviceInfo {
    std::string name;
    std::string description; // vendor, model and type as the backend gives them
};

// The devices SANE finds (sane_init must have been called); throws SaneError when it cannot look.
std::vector<DeviceInfo> listDevices();

// A scanned page: rows top to bottom, 1 byte a pixel (grey) or 3 (red, green, blue).
struct ScannedPage {
    int width = 0;
    int height = 0;
    bool grey = false;
    std::vector<std::uint8_t> pixels;
};

// The page as a packed DIB in a malloc'd block (8-bit grey with its colour table, or
// 24-bit), which the receiver frees with free(). Null when memory runs out.
void* packedDib(const ScannedPage& page);

class SaneDevice {
public:
    explicit SaneDevice(const std::string& name); // throws SaneError
    ~SaneDevice();
    SaneDevice(const SaneDevice&) = delete;
    SaneDevice& operator=(const SaneDevice&) = delete;

    const std::string& name() const { return m_name; }
    bool hasOption(const std::string& name) const;
    // Sets an option from text ("Color", "75", "yes"); throws SaneError saying why not.
    void setOption(const std::string& name, const std::string& value);
    std::string optionText(const std::string& name) const;
    // The choices of a string-list option, or the steps of a resolution range / word list.
    std::vector<std::string> optionChoices(const std::string& name) const;
    // The source option names a document feeder: a page may follow a page.
    bool feeder() const;

    SANE_Status start();
    // Reads the frames of one page after a successful start. progress gets 0..100.
    SANE_Status readPage(ScannedPage& page, const std::function<void(int)>& progress);
    void cancel();

private:
    int optionIndex(const std::string& name) const;

    std::string m_name;
    SANE_Handle m_handle = nullptr;
};

} // namespace twain::dsm
