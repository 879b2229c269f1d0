// Times a page of the JPEG files named on the command line (16 frames) through the layout
// file in process: the normal load step, Save_Page into a new archive, and loadLayout back,
// both loads giving each frame the screen rendition of a 250 x 190 frame. Prints the medians
// of RUNS rounds (the first argument) in seconds; bench/layout_bench.sh sets them against
// zip and unzip.
#include "printing/layout_page.h"

#include "core/messages.h"
#include "page/loading.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
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
    app::StreamMessages messages(std::cerr);
    app::setMessages(&messages);
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
    for (int r = 0; r < runs; ++r) {
        page::Page page(s, [] { return page::PrinterMetrics{}; });
        page::FileQueue queue;
        queue.FileList = files;
        load.push_back(timed([&] { page::Next_Batch(page, queue, hooks); }));
        std::filesystem::remove(archive);
        save.push_back(timed([&] { printing::Save_Page(page, archive); }));
        page::Page back(s, [] { return page::PrinterMetrics{}; });
        reload.push_back(timed([&] { printing::loadLayout(back, archive, layoutHooks); }));
        if (back.pictureShownIn(16) == nullptr) {
            std::fprintf(stderr, "the page did not come back whole\n");
            return 1;
        }
    }
    std::printf("load step: %.3f s\nsave page: %.3f s\nload page: %.3f s\n", median(load), median(save),
                median(reload));
    return 0;
}
