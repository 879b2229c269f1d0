// Times a page of the JPEG files named on the command line (16 frames) through the layout
// file in process: the normal load step, savePageArchive into a new archive, and loadLayout back,
// both loads giving each frame the screen rendition of a 250 x 190 frame. Prints the medians
// of RUNS rounds (the first argument) in seconds; bench/layout_bench.sh sets them against
// zip and unzip. Also prints how far the resident memory rose while the page was saved,
// beside the archive's size and the largest member's: a save should take at most the
// finished archive and one member.
#include "printing/core/layout_page.h"

#include "core/messages.h"
#include "page/core/loading.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

template <typename F>
double timed(F&& f)
{
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A line of /proc/self/status in kB ("VmRSS", "VmHWM").
long statusKb(const std::string& field)
{
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind(field + ":", 0) == 0)
            return std::atol(line.c_str() + field.size() + 1);
    return -1;
}

// How far the resident memory rose above what it was before f ran, in bytes: the peak
// mark is reset to the present size first (writing 5 to clear_refs).
template <typename F>
long peakRise(F&& f)
{
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = statusKb("VmRSS");
    f();
    return (statusKb("VmHWM") - before) * 1024;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: paginor_layout_bench RUNS ARCHIVE FILE...\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    const std::string archive = argv[2];
    const std::vector<std::string> files(argv + 3, argv + argc);
    core::StreamMessages messages(std::cerr);
    core::setMessages(&messages);
    settings::Settings s;
    s.NumberOfFrames = 16;
    s.store_as_Jpg = true;
    page::LoadHooks hooks;
    hooks.screenWidth = 250;
    hooks.screenHeight = 190;
    printing::LayoutLoadHooks layoutHooks;
    layoutHooks.screenWidth = hooks.screenWidth;
    layoutHooks.screenHeight = hooks.screenHeight;

    std::vector<double> load, save, reload;
    long savePeak = 0;
    long updatePeak = 0;
    for (int r = 0; r < runs; ++r) {
        page::Page page(s, [] { return page::PrinterMetrics{}; });
        page::FileQueue queue;
        queue.FileList = files;
        load.push_back(timed([&] { page::nextBatch(page, queue, hooks); }));
        std::filesystem::remove(archive);
        if (r == 0) {
            // The memory a save takes beyond the page it saves: into a new archive, and
            // over the one just written (the path of the window's Save Page and of
            // `layout save` into an existing file).
            savePeak = peakRise([&] { printing::savePageArchive(page, archive); });
            updatePeak = peakRise([&] { printing::savePageArchive(page, archive); });
            std::filesystem::remove(archive);
        }
        save.push_back(timed([&] { printing::savePageArchive(page, archive); }));
        page::Page back(s, [] { return page::PrinterMetrics{}; });
        reload.push_back(timed([&] { printing::loadLayout(back, archive, layoutHooks); }));
        if (back.pictureShownIn(16) == nullptr) {
            std::fprintf(stderr, "the page did not come back whole\n");
            return 1;
        }
    }
    std::printf("load step: %.3f s\nsave page: %.3f s\nload page: %.3f s\n", median(load), median(save),
                median(reload));
    std::uintmax_t largest = 0;
    for (const std::string& f : files)
        largest = std::max(largest, std::filesystem::file_size(f));
    const double mb = 1024.0 * 1024.0;
    std::printf("save peak memory: %.1f MB new archive, %.1f MB over an existing one "
                "(archive %.1f MB, largest member %.1f MB)\n",
                double(savePeak) / mb, double(updatePeak) / mb, double(std::filesystem::file_size(archive)) / mb,
                double(largest) / mb);
    return 0;
}
