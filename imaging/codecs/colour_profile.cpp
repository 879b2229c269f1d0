// Pictures that carry an ICC profile (a camera's Adobe RGB, a phone's Display P3) are
// converted to sRGB with Little CMS when they are decoded, so screen and paper show the
// colours the profile means rather than its raw numbers, which look dull as sRGB.
#include "imaging/codecs/codec_internal.h"
#include "imaging/codecs/modern_formats.h"
#include "imaging/kernels/parallel.h"

#include <memory>

#include <lcms2.h>

namespace imaging {
namespace {


struct ProfileCloser {
    void operator()(void* p) const { cmsCloseProfile(p); }
};
struct TransformDeleter {
    void operator()(void* t) const { cmsDeleteTransform(t); }
};
using ProfilePtr = std::unique_ptr<void, ProfileCloser>;
using TransformPtr = std::unique_ptr<void, TransformDeleter>;

// An sRGB profile (what most editors and many phones embed) gives the same numbers back;
// converting anyway would only cost time. A coarse cube of colours tells.
bool changesColours(cmsHTRANSFORM transform, int bytesPerPixel)
{
    constexpr int kSteps[] = {0, 51, 102, 153, 204, 255};
    std::vector<std::uint8_t> probe;
    for (int b : kSteps)
        for (int g : kSteps)
            for (int r : kSteps) {
                probe.insert(probe.end(), {std::uint8_t(b), std::uint8_t(g), std::uint8_t(r)});
                if (bytesPerPixel == 4)
                    probe.push_back(0);
            }
    std::vector<std::uint8_t> out(probe.size());
    cmsDoTransform(transform, probe.data(), out.data(), static_cast<cmsUInt32Number>(probe.size() / bytesPerPixel));
    for (std::size_t i = 0; i < probe.size(); ++i)
        if ((bytesPerPixel == 3 || i % 4 != 3) && probe[i] != out[i])
            return true;
    return false;
}

} // namespace

namespace detail {

namespace {

// The transform from icc to sRGB for pixels of bytesPerPixel, or null when the profile
// is not used: none given, not an RGB profile, or one that changes nothing.
TransformPtr transformToSrgb(std::span<const std::uint8_t> icc, int bytesPerPixel)
{
    if (icc.empty())
        return nullptr;
    // A damaged or unusable profile leaves the picture as its numbers say, as a viewer
    // without colour management would show it: the pixels themselves are sound.
    ProfilePtr source(cmsOpenProfileFromMem(icc.data(), static_cast<cmsUInt32Number>(icc.size())));
    if (!source || cmsGetColorSpace(source.get()) != cmsSigRgbData)
        return nullptr;
    ProfilePtr srgb(cmsCreate_sRGBProfile());
    const cmsUInt32Number format = bytesPerPixel == 4 ? TYPE_BGRA_8 : TYPE_BGR_8;
    // No one-pixel cache: the rows are split across threads sharing the transform.
    TransformPtr transform(cmsCreateTransform(source.get(), format, srgb.get(), format, INTENT_PERCEPTUAL,
                                              cmsFLAGS_NOCACHE | cmsFLAGS_COPY_ALPHA));
    if (!transform || !changesColours(transform.get(), bytesPerPixel))
        return nullptr;
    return transform;
}

} // namespace

std::vector<std::uint8_t> rgbProfile(const std::array<float, 8>& xy)
{
    const cmsCIExyY white{xy[6], xy[7], 1.0};
    const cmsCIExyYTRIPLE primaries{{xy[0], xy[1], 1.0}, {xy[2], xy[3], 1.0}, {xy[4], xy[5], 1.0}};
    // The sRGB curve: IEC 61966-2-1 as Little CMS's parametric type 4.
    const cmsFloat64Number srgbCurve[5] = {2.4, 1.0 / 1.055, 0.055 / 1.055, 1.0 / 12.92, 0.04045};
    cmsToneCurve* curve = cmsBuildParametricToneCurve(nullptr, 4, srgbCurve);
    if (curve == nullptr)
        return {};
    cmsToneCurve* curves[3] = {curve, curve, curve};
    ProfilePtr profile(cmsCreateRGBProfile(&white, &primaries, curves));
    cmsFreeToneCurve(curve);
    cmsUInt32Number size = 0;
    if (!profile || !cmsSaveProfileToMem(profile.get(), nullptr, &size) || size == 0)
        return {};
    std::vector<std::uint8_t> icc(size);
    if (!cmsSaveProfileToMem(profile.get(), icc.data(), &size))
        return {};
    return icc;
}

bool profileChangesColours(std::span<const std::uint8_t> icc)
{
    return transformToSrgb(icc, 3) != nullptr;
}

bool convertToSrgb(std::span<const std::uint8_t> icc, BitmapView bmp)
{
    if (bmp.pixels == nullptr || bmp.width <= 0 || bmp.height <= 0 || (bmp.bytesPerPixel != 3 && bmp.bytesPerPixel != 4))
        return false;
    const TransformPtr transform = transformToSrgb(icc, bmp.bytesPerPixel);
    if (!transform)
        return false;
    parallelFor(bmp.height, static_cast<long long>(bmp.width) * bmp.bytesPerPixel * 8, [&](int begin, int end) {
        for (int y = begin; y < end; ++y)
            cmsDoTransform(transform.get(), bmp.row(y), bmp.row(y), static_cast<cmsUInt32Number>(bmp.width));
    });
    return true;
}

SrgbConversion::SrgbConversion(std::span<const std::uint8_t> icc) : m_transform(transformToSrgb(icc, 3).release()) {}

SrgbConversion::~SrgbConversion()
{
    TransformPtr owned(m_transform);
}

void SrgbConversion::apply(BitmapView band) const
{
    if (m_transform == nullptr || band.pixels == nullptr || band.width <= 0 || band.bytesPerPixel != 3)
        return;
    parallelFor(band.height, static_cast<long long>(band.width) * 3 * 8, [&](int begin, int end) {
        for (int y = begin; y < end; ++y)
            cmsDoTransform(m_transform, band.row(y), band.row(y), static_cast<cmsUInt32Number>(band.width));
    });
}

} // namespace detail
} // namespace imaging
