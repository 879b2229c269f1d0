// Small pictures for the kernel tests, pixel by pixel, and the resampler's fast path and its
// plain reference side by side.
#pragma once

#include "imaging/kernels/imaging.h"
#include "imaging/kernels/resample_reference.h"
#include "tests/support/bitmaps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace kernelpics {

using imaging::Bitmap;
using imaging::Filter;
using imaging::ImagingError;

struct Bgr {
    int b, g, r;
    bool operator==(const Bgr&) const = default;
};

inline void setPixel(Bitmap& bmp, int x, int y, Bgr p)
{
    std::uint8_t* px = bmp.row(y) + x * bmp.bytesPerPixel();
    px[0] = static_cast<std::uint8_t>(p.b);
    px[1] = static_cast<std::uint8_t>(p.g);
    px[2] = static_cast<std::uint8_t>(p.r);
}

inline Bgr pixel(const Bitmap& bmp, int x, int y)
{
    const std::uint8_t* px = bmp.row(y) + x * bmp.bytesPerPixel();
    return {px[0], px[1], px[2]};
}

inline Bitmap filled(int w, int h, Bgr p, int bpp = 3)
{
    return support::solidBitmap(w, h, p.b, p.g, p.r, bpp);
}

// Every byte random, the padding and fourth bytes included, so a kernel that reads or
// writes what it should not shows up.
inline Bitmap randomBitmap(int w, int h, int bpp, std::mt19937& rng)
{
    Bitmap bmp(w, h, bpp);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int y = 0; y < h; ++y)
        for (std::ptrdiff_t i = 0; i < bmp.stride(); ++i)
            bmp.row(y)[i] = static_cast<std::uint8_t>(byte(rng));
    return bmp;
}

// Only the pixel bytes (not the row padding) of two bitmaps.
inline bool samePixels(const Bitmap& a, const Bitmap& b)
{
    if (a.width() != b.width() || a.height() != b.height() || a.bytesPerPixel() != b.bytesPerPixel())
        return false;
    for (int y = 0; y < a.height(); ++y)
        if (!std::equal(a.row(y), a.row(y) + a.width() * a.bytesPerPixel(), b.row(y)))
            return false;
    return true;
}

inline std::string errorOf(const std::function<void()>& fn)
{
    try {
        fn();
    } catch (const ImagingError& e) {
        return e.what();
    }
    return "(no error)";
}

inline Bitmap resampled(const Bitmap& src, int w, int h, Filter f)
{
    Bitmap dst(w, h, 3);
    imaging::ResampleBitmap(src.view(), dst.view(), f, 0.0f);
    return dst;
}

inline Bitmap referenceResampled(const Bitmap& src, int w, int h, Filter f)
{
    Bitmap dst(w, h, 3);
    imaging::reference::ResampleBitmap(src.view(), dst.view(), f, 0.0f);
    return dst;
}

// A picture of two identical rows, so the column pass passes each value through.
inline Bitmap twoRows(const std::vector<int>& levels)
{
    Bitmap bmp(static_cast<int>(levels.size()), 2, 3);
    for (int y = 0; y < 2; ++y)
        for (std::size_t x = 0; x < levels.size(); ++x)
            setPixel(bmp, static_cast<int>(x), y, {levels[x], levels[x], levels[x]});
    return bmp;
}

inline std::vector<int> firstRowBlue(const Bitmap& bmp)
{
    std::vector<int> v;
    for (int x = 0; x < bmp.width(); ++x)
        v.push_back(pixel(bmp, x, 0).b);
    return v;
}

inline const std::vector<Filter> kAllFilters = {Filter::Box,    Filter::Triangle, Filter::Hermite, Filter::Bell,
                                         Filter::Spline, Filter::Lanczos3, Filter::Mitchell};

inline std::string filterName(const testing::TestParamInfo<Filter>& info)
{
    return std::string(imaging::filterLabel(info.param));
}

} // namespace kernelpics
