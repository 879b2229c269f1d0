// The scanner session on Qt: a hidden proxy window, the interface thread's events as the
// session's messages, and where the program keeps its source manager library.
#pragma once

#include "twain/core/source_manager.h"
#include "twain/core/twain.h"

#include <string>
#include <vector>

namespace twain {

class QtPlatform final : public Platform {
public:
    bool isWindow(Window w) override;
    Window createProxyWindow() override;
    void destroyProxyWindow(Window w) override;
    void enableWindow(Window w, bool on) override;
    bool getMessage(void*& msg) override;
    void dispatchMessage(void* msg) override;

private:
    PlatformMessage m_message;
};

// The program's library folders: beside the program (the build folder) and
// ../lib/paginor from it (installed). PAGINOR_TWAIN_DSM, when set, names another source
// manager library (for example an installed libtwaindsm) that is tried first.
std::vector<std::string> programSourceManagerCandidates();

} // namespace twain
