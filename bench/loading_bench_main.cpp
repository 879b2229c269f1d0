// Loads the JPEG files named on the command line into a 16-frame page in an offscreen
// window, as the load command does, and prints three figures: the time until every frame
// is painted, the time to repaint the whole page afterwards, and the peak memory.
#include "page/ui/load_ui.h"
#include "page/ui/page_view.h"

#include "core/messages.h"

#include <QApplication>
#include <QWidget>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <string_view>
#include <vector>

namespace {

const page::PrinterMetrics kA4At600{"PDF", 600, 600, 4960, 7015};

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    // --on-load: portrait pictures turned and every picture fitted to the frames on load.
    const bool onLoad = argc > 1 && std::string_view(argv[1]) == "--on-load";
    const int first = onLoad ? 2 : 1;
    if (argc <= first) {
        std::fprintf(stderr, "usage: paginor_loading_bench [--on-load] FILE...\n");
        return 2;
    }
    core::StreamMessages messages(std::cerr);
    core::setMessages(&messages);
    settings::Settings s;
    s.autorotate = s.autocentre = onLoad;
    page::Page model(s, [] { return kA4At600; });
    page::PageView view(model);
    view.resize(1280, 960);
    view.show();
    if (!view.buildPage(1280, 960))
        return 1;
    view.changeFrameCount(16);
    page::ImageLoader loader(view, nullptr);
    QApplication::processEvents();

    page::FileQueue& queue = loader.queue();
    for (int i = first; i < argc; ++i)
        queue.FileList.emplace_back(argv[i]);
    const long before = peakKilobytes();
    const auto start = std::chrono::steady_clock::now();
    loader.tb_load_nextClick(); // no frame selected: all 16 are, as for a new page
    QApplication::processEvents(); // the painted canvases reach the screen
    const double loadSeconds = secondsSince(start);

    int loaded = 0;
    for (int n = 1; n <= 16; ++n)
        loaded += model.frame(n).Loaded ? 1 : 0;

    std::vector<double> repaints;
    for (int i = 0; i < 5; ++i) {
        const auto t = std::chrono::steady_clock::now();
        view.updateVisual();
        QApplication::processEvents();
        repaints.push_back(secondsSince(t));
    }
    std::sort(repaints.begin(), repaints.end());
    std::printf("frames loaded: %d\n", loaded);
    if (const auto& r = model.frame(1).ScreenPicture; r.pixels)
        std::printf("screen rendition: %d x %d (DCT scale %d/8)\n", r.pixels->width(), r.pixels->height(), r.scaleEighths);
    std::printf("load until painted: %.3f s\n", loadSeconds);
    std::printf("repaint whole page: %.1f ms (median of 5)\n", repaints[2] * 1000.0);
    std::printf("peak memory: %.1f MB (%.1f MB before loading)\n", peakKilobytes() / 1024.0, before / 1024.0);
    core::setMessages(nullptr);
    return loaded == std::min(16, argc - first) ? 0 : 1;
}
