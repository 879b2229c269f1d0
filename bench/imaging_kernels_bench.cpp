// In-process timings of the kernels on a 6000 x 4000 picture (24 Mpixel, 72 MB), the
// size a current camera delivers. The tone operations are held against a memcpy of the
// same bytes: they cannot beat memory bandwidth, and should stay within 2x of it.
#include "imaging/kernels/imaging.h"
#include "imaging/kernels/resample_reference.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

namespace {

using imaging::Bitmap;
using imaging::Filter;

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

// A photo-like picture: smooth gradients with noise, so nothing is flat or trivial.
const Bitmap& photo(int bpp = 3)
{
    static Bitmap pictures[2];
    Bitmap& bmp = pictures[bpp - 3];
    if (bmp.empty()) {
        bmp = Bitmap(kWidth, kHeight, bpp);
        std::mt19937 rng(1);
        std::uniform_int_distribution<int> noise(-12, 12);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                for (int c = 0; c < bpp; ++c)
                    bmp.row(y)[x * bpp + c] =
                        static_cast<std::uint8_t>(std::clamp((x * (c + 1) / 47 + y / 31) % 256 + noise(rng), 0, 255));
    }
    return bmp;
}

void setBytes(benchmark::State& state, const Bitmap& bmp)
{
    state.SetBytesProcessed(state.iterations() * bmp.stride() * bmp.height());
}

void BM_Memcpy(benchmark::State& state)
{
    const Bitmap& src = photo(static_cast<int>(state.range(0)));
    Bitmap dst(src.width(), src.height(), src.bytesPerPixel());
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), static_cast<std::size_t>(src.stride()) * src.height());
        benchmark::ClobberMemory();
    }
    setBytes(state, src);
}
BENCHMARK(BM_Memcpy)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

void BM_ToneLUT(benchmark::State& state)
{
    const Bitmap& src = photo(static_cast<int>(state.range(0)));
    Bitmap dst(src.width(), src.height(), src.bytesPerPixel());
    const imaging::ToneLUT lut = imaging::gammaLUT(2.2);
    for (auto _ : state)
        imaging::applyToneLUT(src.view(), dst.view(), lut);
    setBytes(state, src);
}
BENCHMARK(BM_ToneLUT)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

void BM_Brightness(benchmark::State& state)
{
    const Bitmap& src = photo(static_cast<int>(state.range(0)));
    Bitmap dst(src.width(), src.height(), src.bytesPerPixel());
    for (auto _ : state)
        imaging::applyBrightness(src.view(), dst.view(), 30);
    setBytes(state, src);
}
BENCHMARK(BM_Brightness)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

void BM_Greyscale(benchmark::State& state)
{
    const Bitmap& src = photo(static_cast<int>(state.range(0)));
    Bitmap dst(src.width(), src.height(), src.bytesPerPixel());
    for (auto _ : state)
        imaging::greyscale(src.view(), dst.view());
    setBytes(state, src);
}
BENCHMARK(BM_Greyscale)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

void BM_Convolve3x3Sharpen(benchmark::State& state)
{
    Bitmap bmp = photo();
    for (auto _ : state)
        imaging::Convolve3x3(0, bmp.view());
    setBytes(state, bmp);
}
BENCHMARK(BM_Convolve3x3Sharpen)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

void BM_Rotate90(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(imaging::Rotate90(270, photo().view()));
    setBytes(state, photo());
}
BENCHMARK(BM_Rotate90)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

// A copy into a new bitmap (allocation included), the floor for the turn above.
void BM_FlipReverseCopy(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(imaging::FlipReverse(false, false, photo().view()));
    setBytes(state, photo());
}
BENCHMARK(BM_FlipReverseCopy)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

// Printing's case: a camera picture down to a frame at printer resolution.
template <bool Reference>
void BM_ResampleShrink(benchmark::State& state)
{
    const auto filter = static_cast<Filter>(state.range(0));
    Bitmap dst(1126, 750, 3);
    for (auto _ : state) {
        if (Reference)
            imaging::reference::ResampleBitmap(photo().view(), dst.view(), filter);
        else
            imaging::ResampleBitmap(photo().view(), dst.view(), filter);
    }
    state.SetLabel(std::string(imaging::filterLabel(filter)));
}
BENCHMARK(BM_ResampleShrink<false>)->DenseRange(0, 6)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_ResampleShrink<true>)->Arg(5)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

void BM_ResampleEnlarge4x(benchmark::State& state)
{
    static const Bitmap small = [] {
        Bitmap b(1500, 1000, 3);
        imaging::ResampleBitmap(photo().view(), b.view(), Filter::Triangle);
        return b;
    }();
    Bitmap dst(6000, 4000, 3);
    for (auto _ : state)
        imaging::ResampleBitmap(small.view(), dst.view(), Filter::Lanczos3);
}
BENCHMARK(BM_ResampleEnlarge4x)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

} // namespace

BENCHMARK_MAIN();
