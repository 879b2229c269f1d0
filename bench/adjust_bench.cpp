// One slider step of the "Edit Image" window on a 24-megapixel working image: brightness,
// gamma and curve passes (each reads the baseline and writes the working image, so the
// copy is part of the pass) as ratios to memcpy of the same bytes; the screen-sized
// rendition a drag shows first; and one repaint of the preview in the window.
//
//   build/bench/adjust_bench [runs]
#include "imaging/kernels/adjust.h"
#include "imaging/kernels/crop.h"
#include "imaging/kernels/lut_curve.h"
#include "imaging/ui/bright_adjust.h"
#include "page/core/edit_frames.h"
#include "page/core/frame_commands.h"

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

namespace {

// Each run of body timed right after a memcpy of the same bytes, so a machine shared with
// other work slows both alike; the median of the ratios.
double medianRatio(int runs, const std::function<void()>& copy, const std::function<void()>& body)
{
    std::vector<double> ratios;
    for (int r = 0; r < runs; ++r) {
        auto start = std::chrono::steady_clock::now();
        copy();
        const double copyMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        start = std::chrono::steady_clock::now();
        body();
        ratios.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() /
                         copyMs);
    }
    std::sort(ratios.begin(), ratios.end());
    return ratios[ratios.size() / 2];
}

double medianMs(int runs, const std::function<void()>& body)
{
    std::vector<double> times;
    for (int r = 0; r < runs; ++r) {
        const auto start = std::chrono::steady_clock::now();
        body();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

imaging::Bitmap photo(int w, int h)
{
    imaging::Bitmap bmp = imaging::Bitmap::uninitialized(w, h, 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < 3 * w; ++x)
            bmp.row(y)[x] = static_cast<std::uint8_t>((x * 7 + y * 13) >> 3);
    return bmp;
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    const int w = 6000, h = 4000;
    imaging::Bitmap picture = photo(w, h);
    imaging::AdjustImages images(picture.view(), 1.5f);
    const std::size_t bytes = static_cast<std::size_t>(images.working().stride()) * h;

    std::vector<std::uint8_t> from(bytes, 1), to(bytes, 2);
    const auto memcpyOnce = [&] { std::memcpy(to.data(), from.data(), bytes); };
    const double copy = medianMs(runs, memcpyOnce);
    std::printf("24 MP working image, %zu MB; memcpy %.1f ms (one core)\n", bytes >> 20, copy);

    imaging::LutCurve s;
    s.setNodes("(0, 0), (64, 40), (192, 215), (255, 255)");
    const struct {
        const char* name;
        imaging::ToolPass pass;
    } steps[] = {{"brightness step", imaging::brightnessPass(30)},
                 {"gamma step", imaging::tonePass(imaging::gammaLUT(1.8))},
                 {"curve step", imaging::tonePass(s.table())}};
    bool met = true;
    for (const auto& step : steps) {
        const double ratio = medianRatio(runs, memcpyOnce, [&] { images.apply(step.pass); });
        met = met && ratio <= 3.0;
        std::printf("%-16s %6.2f x memcpy   (target <= 3x)\n", step.name, ratio);
    }
    // The crop panel's cut-out (zoom 2, Lanczos3) and a sharpen pass, against the same
    // kernels called directly plus the copies they need.
    {
        const imaging::Bitmap& working = images.working();
        const imaging::PreviewPlacement shown = imaging::zoomPreview(2.0, 400, 1.5f, 0, 0, true);
        const double cut = medianMs(3, [&] { imaging::cutOut(working.view(), 2.0, shown, 1.5f, 6); });
        const double kernels = medianMs(3, [&] {
            imaging::Bitmap part = imaging::Bitmap::uninitialized(working.width() / 2, working.height() / 2, 4);
            for (int y = 0; y < part.height(); ++y)
                std::memcpy(part.row(y), working.row(y + working.height() / 4) + 4 * (working.width() / 4),
                            static_cast<std::size_t>(part.width()) * 4);
            imaging::Bitmap back = imaging::Bitmap::uninitialized(working.width(), working.height(), 3);
            imaging::ResampleBitmap(part.view(), back.view(), imaging::Filter::Lanczos3);
            imaging::Bitmap wide = imaging::to24Bit(back.view());
        });
        std::printf("%-16s %6.2f x the kernels plus copies\n", "cut-out Lanczos3", cut / kernels);
        imaging::Bitmap target = working;
        const double sharpen = medianMs(3, [&] {
            images.changeWorking([](imaging::BitmapView v) { imaging::Convolve3x3(0, v); });
        });
        const double plain = medianMs(3, [&] {
            std::memcpy(target.data(), working.data(), bytes);
            imaging::Convolve3x3(0, target.view());
        });
        std::printf("%-16s %6.2f x the kernel plus a copy\n", "sharpen pass", sharpen / plain);
    }
    images.setPreviewSize(640, 427);
    const double quick = medianRatio(runs, memcpyOnce, [&] { images.applyToPreview(steps[0].pass); });
    std::printf("%-16s %6.3f x memcpy   (what a drag shows first)\n", "rendition step", quick);

    // The window's own preview repaint, through its paint event.
    settings::Settings settings;
    page::Page model(settings, [] { return page::PrinterMetrics{"bench", 600, 600, 4960, 7015}; });
    model.setGlobalAspectRatio(1.5f);
    page::FrameRecord& f = model.frame(1);
    page::setOwnPixels(f, std::move(picture));
    f.PictureOwner = 1;
    f.Loaded = f.Selected = true;
    page::FrameEdit subject(model, 1);
    imaging::EditImageWindow window(subject, settings, {});
    window.resize(812, 612);
    window.show();
    QWidget* preview = window.findChild<QWidget*>("adjust_image");
    QImage surface(preview->size(), QImage::Format_RGB32);
    const double repaint = medianMs(runs, [&] { preview->render(&surface); });
    std::printf("%-16s %6.2f ms         (target < 20 ms, %dx%d)\n", "preview repaint", repaint, preview->width(),
                preview->height());
    met = met && repaint < 20.0;
    std::printf("%s\n", met ? "targets met" : "TARGET MISSED");
    return met ? 0 : 1;
}
