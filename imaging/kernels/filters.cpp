#include "imaging/kernels/imaging.h"
#include "imaging/kernels/resample_internal.h"

#include "core/translatable.h"

#include <array>
#include <cmath>
#include <numbers>

namespace imaging {

namespace {

using detail::Extended;

struct FilterInfo {
    std::string_view label;
    float support;
};

constexpr std::array<FilterInfo, kFilterCount> kFilters{{
    {QT_TRANSLATE_NOOP("Paginor", "Box"), 0.5f},
    {QT_TRANSLATE_NOOP("Paginor", "Triangle"), 1.0f},
    {QT_TRANSLATE_NOOP("Paginor", "Hermitite"), 1.0f},
    {QT_TRANSLATE_NOOP("Paginor", "Bell"), 1.5f},
    {QT_TRANSLATE_NOOP("Paginor", "Spline"), 2.0f},
    {QT_TRANSLATE_NOOP("Paginor", "Lanczos3"), 3.0f},
    {QT_TRANSLATE_NOOP("Paginor", "Mitchell"), 2.0f},
}};

// sin(pi x), the argument first reduced by whole quarter turns (exactly: x is a float),
// so the library only sees angles up to pi / 4.
template <typename Real>
Real sinPi(float x)
{
    const long long quarters = std::llrint(Real(2) * x);
    const Real angle = std::numbers::pi_v<Real> * (Real(x) - Real(quarters) / 2);
    switch (quarters & 3) {
    case 0: return std::sin(angle);
    case 1: return std::cos(angle);
    case 2: return -std::sin(angle);
    default: return -std::cos(angle);
    }
}

// sin(pi x) / (pi x) computed in extended precision and narrowed to a float, as the
// Lanczos kernel stores it. glibc's extended sine is slow enough that building the
// weights cost as much as filtering with them, so double precision is tried first:
// its result lies within 2^-45 of the extended one, and when the whole of that
// interval narrows to the same float, that float is the extended result too.
float sinc(float x)
{
    if (x == 0.0f)
        return 1.0f;
    const double quick = sinPi<double>(x) / (std::numbers::pi * x);
    constexpr double kMargin = 0x1p-45;
    const auto narrowed = static_cast<float>(quick);
    if (static_cast<float>(quick * (1 + kMargin)) == narrowed && static_cast<float>(quick * (1 - kMargin)) == narrowed)
        return narrowed;
    return static_cast<float>(sinPi<Extended>(x) / (std::numbers::pi_v<Extended> * x));
}

float bell(float a)
{
    if (a < 0.5f)
        return static_cast<float>(Extended(0.75) - Extended(a) * a);
    if (a < 1.5f) {
        const Extended t = Extended(a) - 1.5L;
        return static_cast<float>(0.5L * t * t);
    }
    return 0.0f;
}

float spline(float a)
{
    const Extended x = a;
    if (a < 1.0f)
        return static_cast<float>(0.5L * x * x * x - x * x + 2.0L / 3.0L);
    if (a < 2.0f) {
        const Extended t = 2.0L - x;
        return static_cast<float>(t * t * t / 6.0L);
    }
    return 0.0f;
}

float lanczos3(float a)
{
    if (a >= 3.0f)
        return 0.0f;
    const float near = sinc(a);
    const float far = sinc(static_cast<float>(Extended(a) / 3.0L));
    return static_cast<float>(Extended(near) * far);
}

float mitchell(float a)
{
    const Extended x = a;
    if (a < 1.0f)
        return static_cast<float>((7.0L * x * x * x - 12.0L * x * x + 16.0L / 3.0L) / 6.0L);
    if (a < 2.0f)
        return static_cast<float>((-(7.0L / 3.0L) * x * x * x + 12.0L * x * x - 20.0L * x + 32.0L / 3.0L) / 6.0L);
    return 0.0f;
}

} // namespace

Filter filterFromIndex(int index)
{
    if (index < 0 || index >= kFilterCount)
        throw ImagingError(kBadFilter);
    return static_cast<Filter>(index);
}

std::string_view filterLabel(Filter filter)
{
    return kFilters.at(static_cast<std::size_t>(filter)).label;
}

float defaultSupport(Filter filter)
{
    return kFilters.at(static_cast<std::size_t>(filter)).support;
}

float filterKernel(Filter filter, float x)
{
    const float a = std::fabs(x);
    switch (filter) {
    case Filter::Box:
        return (x > -0.5f && x <= 0.5f) ? 1.0f : 0.0f;
    case Filter::Triangle:
        return a < 1.0f ? static_cast<float>(1.0L - a) : 0.0f;
    case Filter::Hermite:
        return a < 1.0f ? static_cast<float>((2.0L * a - 3.0L) * a * a + 1.0L) : 0.0f;
    case Filter::Bell:
        return bell(a);
    case Filter::Spline:
        return spline(a);
    case Filter::Lanczos3:
        return lanczos3(a);
    case Filter::Mitchell:
        return mitchell(a);
    }
    throw ImagingError(kBadFilter);
}

} // namespace imaging
