#include "imaging/kernels/resample_reference.h"

#include "imaging/kernels/resample_internal.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace imaging::reference {

namespace {

using detail::Extended;

struct WeightEntry {
    std::int32_t weight;
    std::int32_t position;
};
using WeightList = std::vector<WeightEntry>;

// One list per output pixel of a pass, entries in order of source position.
std::vector<WeightList> weightLists(int srcLength, int dstLength, Filter filter, float support)
{
    const float scale = detail::passScale(srcLength, dstLength);
    std::vector<WeightList> lists(dstLength);
    for (int i = 0; i < dstLength; ++i) {
        const auto centre = static_cast<float>(Extended(i) / scale);
        const float reach = scale < 1.0f ? static_cast<float>(Extended(support) / scale) : support;
        const auto first = static_cast<std::int64_t>(std::floor(Extended(centre) - reach));
        const auto last = static_cast<std::int64_t>(std::ceil(Extended(centre) + reach));
        for (std::int64_t j = first; j <= last; ++j) {
            Extended value;
            if (scale < 1.0f)
                value = Extended(filterKernel(filter, static_cast<float>((Extended(centre) - j) * scale))) * scale;
            else
                value = filterKernel(filter, static_cast<float>(Extended(centre) - j));
            const std::int32_t weight = detail::roundHalfEven(value * 256);
            if (weight != 0)
                lists[i].push_back({weight, detail::mirrorPosition(j, srcLength)});
        }
    }
    return lists;
}

// Three channel lines, one per channel, as long as the source line of the pass.
struct ChannelLines {
    std::vector<std::int32_t> channel[3];
    explicit ChannelLines(int length)
    {
        for (auto& c : channel)
            c.assign(length, 0);
    }
};

// One output pixel: the weighted channel sums, normalised by the sum of the weights.
void outputPixel(const WeightList& list, const ChannelLines& lines, std::uint8_t* out)
{
    std::uint32_t weightSum = 0; // 32-bit sums that wrap, without undefined behaviour
    std::uint32_t sums[3] = {0, 0, 0};
    for (const WeightEntry& e : list) {
        weightSum += static_cast<std::uint32_t>(e.weight);
        for (int c = 0; c < 3; ++c)
            sums[c] += static_cast<std::uint32_t>(e.weight) * static_cast<std::uint32_t>(lines.channel[c][e.position]);
    }
    const auto divisor = static_cast<std::int32_t>(weightSum);
    for (int c = 0; c < 3; ++c) {
        std::int64_t v;
        if (divisor != 0)
            v = static_cast<std::int64_t>(static_cast<std::int32_t>(sums[c])) / divisor;
        else
            v = sums[c] >> 8;
        out[c] = static_cast<std::uint8_t>(std::clamp<std::int64_t>(v, 0, 255));
    }
}

} // namespace

void ResampleBitmap(ConstBitmapView src, BitmapView dst, Filter filter, float support)
{
    detail::checkResampleSizes(src, dst);
    if (support == 0.0f)
        support = defaultSupport(filter);
    const int sw = src.width, sh = src.height, dw = dst.width, dh = dst.height;
    Bitmap work(dw, sh, 3);

    const auto across = weightLists(sw, dw, filter, support);
    ChannelLines rowLines(sw);
    for (int y = 0; y < sh; ++y) {
        const std::uint8_t* row = src.row(y);
        for (int x = 0; x < sw; ++x)
            for (int c = 0; c < 3; ++c)
                rowLines.channel[c][x] = row[x * src.bytesPerPixel + c];
        for (int i = 0; i < dw; ++i)
            outputPixel(across[i], rowLines, work.row(y) + 3 * i);
    }

    const auto down = weightLists(sh, dh, filter, support);
    ChannelLines columnLines(sh);
    for (int x = 0; x < dw; ++x) {
        for (int y = 0; y < sh; ++y)
            for (int c = 0; c < 3; ++c)
                columnLines.channel[c][y] = work.row(y)[3 * x + c];
        for (int i = 0; i < dh; ++i)
            outputPixel(down[i], columnLines, dst.row(i) + 3 * x);
    }
}

} // namespace imaging::reference
