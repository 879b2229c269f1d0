// Two-pass resampling with integer weights: rows first into a work bitmap, then
// columns into the result. The rules are those of the plain reference in
// resample_reference.cpp; this version lays the data out so the loops vectorise and
// splits each pass across the cores, and gives the same bytes.
#include "imaging/imaging.h"
#include "imaging/parallel.h"
#include "imaging/resample_internal.h"
#include "imaging/simd.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>
#include <vector>

namespace imaging {

namespace detail {

void checkResampleSizes(ConstBitmapView src, BitmapView dst)
{
    if ((src.bytesPerPixel != 3 && src.bytesPerPixel != 4) || dst.bytesPerPixel != 3)
        throw ImagingError(kNeeds24Or32Bit);
    // The column pass needs two rows to step between and a column to run down.
    if (src.width < 1 || src.height < 2 || dst.width < 1 || dst.height < 2 || !src.pixels || !dst.pixels)
        throw ImagingError(kResampleTooSmall);
}

} // namespace detail

namespace {

using detail::Extended;

// One pass's weight lists, flattened: the entries of output i are [start[i], start[i+1]).
struct PassWeights {
    std::vector<std::int32_t> start;
    std::vector<std::int32_t> position;
    std::vector<float> weight;          // the integer weights, exactly
    std::vector<std::int32_t> weightSum; // per output, as a 32-bit sum
};

// The filtering sums weight x level in floats. While the weights of a list add up to
// less than 2^24 / 255 in magnitude, every partial sum is an integer below 2^24, which
// a float holds exactly, in any order of addition; and the float quotient of two such
// integers truncates to the integer quotient. The kernels are at most 1 and vanish
// beyond their reach, so a list's weights add up to a few hundred at most; the bound
// is checked all the same.
constexpr std::int64_t kMaxWeightMagnitude = ((std::int64_t(1) << 24) - 1) / 255;

// The filtering loops take weight entries this many at a time, each into its own
// sum: float sums of integers below 2^24 are exact in any order, and independent sums
// keep the vector units from waiting on each other's latency.
constexpr std::size_t kEntryGroup = 4;

void appendWeights(PassWeights& pw, int i, int srcLength, Filter filter, float support, float scale)
{
    const float centre = static_cast<float>(Extended(i) / scale);
    const bool shrinking = scale < 1.0f;
    const float reach = shrinking ? static_cast<float>(Extended(support) / scale) : support;
    const auto first = static_cast<std::int64_t>(std::floor(Extended(centre) - reach));
    const auto last = static_cast<std::int64_t>(std::ceil(Extended(centre) + reach));
    std::uint32_t sum = 0;
    std::int64_t magnitude = 0;
    for (std::int64_t j = first; j <= last; ++j) {
        std::int32_t w;
        if (shrinking) {
            const auto x = static_cast<float>((Extended(centre) - j) * scale);
            w = detail::roundHalfEven(Extended(filterKernel(filter, x)) * scale * 256);
        } else {
            const auto x = static_cast<float>(Extended(centre) - j);
            w = detail::roundHalfEven(Extended(filterKernel(filter, x)) * 256);
        }
        if (w == 0)
            continue;
        pw.position.push_back(detail::mirrorPosition(j, srcLength));
        pw.weight.push_back(static_cast<float>(w));
        sum += static_cast<std::uint32_t>(w);
        magnitude += std::abs(static_cast<std::int64_t>(w));
    }
    // Entries of weight 0 add nothing to any sum; they pad each list to whole groups
    // so the filtering loops need no remainder steps.
    const std::size_t count = pw.position.size() - static_cast<std::size_t>(pw.start[i]);
    const std::int32_t padPosition = count > 0 ? pw.position.back() : 0;
    for (std::size_t n = count; n == 0 || n % kEntryGroup != 0; ++n) {
        pw.position.push_back(padPosition);
        pw.weight.push_back(0.0f);
    }
    pw.weightSum[i] = static_cast<std::int32_t>(sum);
    if (magnitude > kMaxWeightMagnitude)
        throw ImagingError(kBadSupport);
}

PassWeights buildWeights(int srcLength, int dstLength, Filter filter, float support)
{
    PassWeights pw;
    const float scale = detail::passScale(srcLength, dstLength);
    pw.start.resize(static_cast<std::size_t>(dstLength) + 1);
    pw.weightSum.resize(dstLength);
    for (int i = 0; i < dstLength; ++i) {
        pw.start[i] = static_cast<std::int32_t>(pw.position.size());
        appendWeights(pw, i, srcLength, filter, support, scale);
    }
    pw.start[dstLength] = static_cast<std::int32_t>(pw.position.size());
    return pw;
}

// Turns n channel sums of one weight list into clamped levels.
template <int N>
PAGINOR_INLINE void finishFloat(const float* acc, std::int32_t weightSum, std::uint8_t* out)
{
    if (weightSum != 0) {
        const auto d = static_cast<float>(weightSum);
        for (int l = 0; l < N; ++l) {
            // Quotients stay below 2^24 in magnitude, so the conversion cannot overflow;
            // integer clamps vectorise more simply than float ones.
            const auto level = static_cast<std::int32_t>(acc[l] / d);
            out[l] = static_cast<std::uint8_t>(std::clamp(level, 0, 255));
        }
    } else {
        // A list whose weights cancel: the sum read as unsigned, less its 8 fraction bits.
        for (int l = 0; l < N; ++l) {
            const auto v = static_cast<std::uint32_t>(static_cast<std::int32_t>(acc[l])) >> 8;
            out[l] = static_cast<std::uint8_t>(std::min<std::uint32_t>(v, 255));
        }
    }
}

// Row pass. A block of rows is turned on its side so that one weight list filters
// kRowBlock rows and three channels with one vector operation per weight entry. The
// turned block holds floats, converted once per pixel instead of once per weight,
// four lanes per pixel (the fourth is never stored) so a pixel moves as one unit.
constexpr int kRowBlock = 8;
constexpr int kPixelLanes = 4;
constexpr int kBlockLanes = kPixelLanes * kRowBlock;

// A row's first three channels of each pixel as floats, side by side.
PAGINOR_VECTOR_CLONES
void rowToFloats(const std::uint8_t* row, int width, int bpp, float* out)
{
    if (bpp == 3) {
        for (int b = 0; b < 3 * width; ++b)
            out[b] = static_cast<float>(row[b]);
        return;
    }
    for (int x = 0; x < width; ++x)
        for (int c = 0; c < 3; ++c)
            out[3 * x + c] = static_cast<float>(row[4 * x + c]);
}

// t[x * kBlockLanes + kPixelLanes * r + c] = channel c of pixel x of row y0 + r. Rows
// past the end of a short block keep what they held; their results are never stored.
// Runs of kGatherRun pixels are converted and then interleaved while in the cache.
constexpr int kGatherRun = 128;
constexpr int kGatherLine = 3 * kGatherRun + 1; // one float of slack for the last pixel's fourth lane

void gatherRowBlock(ConstBitmapView src, int y0, int rows, float* line, float* t)
{
    for (int x0 = 0; x0 < src.width; x0 += kGatherRun) {
        const int run = std::min(kGatherRun, src.width - x0);
        for (int r = 0; r < rows; ++r)
            rowToFloats(src.row(y0 + r) + x0 * src.bytesPerPixel, run, src.bytesPerPixel, line + r * kGatherLine);
        for (int x = 0; x < run; ++x) {
            float* lane = t + static_cast<std::ptrdiff_t>(x0 + x) * kBlockLanes;
            for (int r = 0; r < rows; ++r)
                std::memcpy(lane + kPixelLanes * r, line + r * kGatherLine + 3 * x, kPixelLanes * sizeof(float));
        }
    }
}

PAGINOR_VECTOR_CLONES
void filterRowBlockFloat(const PassWeights& pw, int dstLength, const float* t, std::uint8_t* out)
{
    for (int i = 0; i < dstLength; ++i) {
        const int end = pw.start[i + 1];
        float acc[kEntryGroup][kBlockLanes];
        for (std::size_t g = 0; g < kEntryGroup; ++g) {
            const int k = pw.start[i] + static_cast<int>(g);
            const float* s = t + static_cast<std::ptrdiff_t>(pw.position[k]) * kBlockLanes;
            for (int l = 0; l < kBlockLanes; ++l)
                acc[g][l] = pw.weight[k] * s[l];
        }
        for (int k = pw.start[i] + kEntryGroup; k < end; k += kEntryGroup)
            for (std::size_t g = 0; g < kEntryGroup; ++g) {
                const float w = pw.weight[k + g];
                const float* s = t + static_cast<std::ptrdiff_t>(pw.position[k + g]) * kBlockLanes;
                for (int l = 0; l < kBlockLanes; ++l)
                    acc[g][l] += w * s[l];
            }
        for (int l = 0; l < kBlockLanes; ++l)
            acc[0][l] += acc[1][l] + acc[2][l] + acc[3][l];
        finishFloat<kBlockLanes>(acc[0], pw.weightSum[i], out + static_cast<std::ptrdiff_t>(i) * kBlockLanes);
    }
}

// Puts a filtered block back upright into the work rows y0 .. y0 + rows - 1.
void scatterRowBlock(const std::uint8_t* out, int dstLength, int y0, int rows, std::uint8_t* work,
                     std::ptrdiff_t workStride)
{
    std::uint8_t* row[kRowBlock];
    for (int r = 0; r < rows; ++r)
        row[r] = work + (y0 + r) * workStride;
    for (int i = 0; i < dstLength; ++i) {
        const std::uint8_t* lane = out + static_cast<std::ptrdiff_t>(i) * kBlockLanes;
        for (int r = 0; r < rows; ++r)
            std::memcpy(row[r] + 3 * i, lane + kPixelLanes * r, 3);
    }
}

// srcWidth may exceed src.width: the columns beyond it are white, set once per worker
// in the turned block, which gathering never overwrites there.
void rowPass(ConstBitmapView src, int srcWidth, int dstWidth, const PassWeights& pw, std::uint8_t* work,
             std::ptrdiff_t workStride)
{
    const long long rowCost = static_cast<long long>(src.width) * 3 + static_cast<long long>(pw.position.size()) * 3;
    detail::parallelFor(
        src.height, rowCost,
        [&](int begin, int end) {
            // Per worker: its own turned block and filtered block.
            std::vector<float> t(static_cast<std::size_t>(srcWidth) * kBlockLanes, 0.0f);
            std::fill(t.begin() + static_cast<std::ptrdiff_t>(src.width) * kBlockLanes, t.end(), 255.0f);
            std::vector<float> line(static_cast<std::size_t>(kRowBlock) * kGatherLine, 0.0f);
            std::vector<std::uint8_t> out(static_cast<std::size_t>(dstWidth) * kBlockLanes);
            for (int y0 = begin; y0 < end; y0 += kRowBlock) {
                const int rows = std::min(kRowBlock, end - y0);
                gatherRowBlock(src, y0, rows, line.data(), t.data());
                filterRowBlockFloat(pw, dstWidth, t.data(), out.data());
                scatterRowBlock(out.data(), dstWidth, y0, rows, work, workStride);
            }
        },
        kRowBlock);
}

// Column pass. Every byte of a row is one channel of one column, so a weight list
// filters a run of kColumnRun bytes of the work rows at once.
constexpr int kColumnRun = 64;

PAGINOR_VECTOR_CLONES
void filterColumnsFloat(const PassWeights& pw, const std::uint8_t* work, std::ptrdiff_t workStride, int rowBytes,
                        BitmapView dst, int i0, int i1)
{
    constexpr std::size_t kChains = 2; // enough independent sums for a run this long
    for (int i = i0; i < i1; ++i) {
        std::uint8_t* target = dst.row(i);
        const int end = pw.start[i + 1];
        for (int b = 0; b < rowBytes; b += kColumnRun) {
            float acc[kChains][kColumnRun];
            for (std::size_t g = 0; g < kChains; ++g) {
                const int k = pw.start[i] + static_cast<int>(g);
                const std::uint8_t* s = work + pw.position[k] * workStride + b;
                for (int l = 0; l < kColumnRun; ++l)
                    acc[g][l] = pw.weight[k] * static_cast<float>(s[l]);
            }
            for (int k = pw.start[i] + kChains; k < end; k += kChains)
                for (std::size_t g = 0; g < kChains; ++g) {
                    const float w = pw.weight[k + g];
                    const std::uint8_t* s = work + pw.position[k + g] * workStride + b;
                    for (int l = 0; l < kColumnRun; ++l)
                        acc[g][l] += w * static_cast<float>(s[l]);
                }
            for (int l = 0; l < kColumnRun; ++l)
                acc[0][l] += acc[1][l];
            std::uint8_t out[kColumnRun];
            finishFloat<kColumnRun>(acc[0], pw.weightSum[i], out);
            std::memcpy(target + b, out, static_cast<std::size_t>(std::min(kColumnRun, rowBytes - b)));
        }
    }
}

void columnPass(const std::uint8_t* work, std::ptrdiff_t workStride, const PassWeights& pw, BitmapView dst)
{
    const int rowBytes = dst.width * 3;
    const long long rowCost = static_cast<long long>(rowBytes) * std::max<long long>(1, pw.position.size() / dst.height);
    detail::parallelFor(dst.height, rowCost,
                        [&](int begin, int end) { filterColumnsFloat(pw, work, workStride, rowBytes, dst, begin, end); });
}

float checkedSupport(Filter filter, float support)
{
    if (support == 0.0f)
        return defaultSupport(filter);
    // A reach beyond this has no use and would make weight lists without bound.
    if (!(support > 0.0f && support <= 64.0f))
        throw ImagingError(kBadSupport);
    return support;
}

} // namespace

void ResampleBitmap(ConstBitmapView src, BitmapView dst, Filter filter, float support)
{
    ResamplePadded(src, src.width, dst, filter, support);
}

void ResamplePadded(ConstBitmapView src, int paddedWidth, BitmapView dst, Filter filter, float support)
{
    detail::checkResampleSizes(src, dst);
    if (paddedWidth < src.width)
        throw ImagingError(kSizeMismatch);
    support = checkedSupport(filter, support);
    const PassWeights across = buildWeights(paddedWidth, dst.width, filter, support);
    // Work rows are padded so the column pass may always read whole runs; the row pass
    // writes every byte but the padding, which is zeroed so that nothing unset is read.
    const std::ptrdiff_t rowBytes = static_cast<std::ptrdiff_t>(dst.width) * 3;
    const std::ptrdiff_t workStride = (rowBytes + kColumnRun - 1) / kColumnRun * kColumnRun;
    std::vector<std::uint8_t, detail::PixelAllocator<std::uint8_t>> work(static_cast<std::size_t>(workStride) * src.height);
    for (int y = 0; y < src.height; ++y)
        std::memset(work.data() + y * workStride + rowBytes, 0, static_cast<std::size_t>(workStride - rowBytes));
    rowPass(src, paddedWidth, dst.width, across, work.data(), workStride);
    const PassWeights down = buildWeights(src.height, dst.height, filter, support);
    columnPass(work.data(), workStride, down, dst);
}

// Source rows are filtered in runs ending at multiples of this.
constexpr int kRingRun = 64;

struct StripResampler::State {
    int srcWidth;
    int srcHeight;
    int paddedWidth;
    BitmapView dst;
    Filter filter;
    float support;
    bool oneThread;
    PassWeights across;
    // The column pass's lists, their positions taken modulo ring: the work rows are a
    // ring of that many rows, and each result row is made as soon as its rows are in.
    PassWeights down;
    std::vector<std::int32_t> last; // per result row, the last source row it reads
    int ring = 0;
    int made = 0; // result rows made so far
    std::ptrdiff_t workStride = 0;
    std::vector<std::uint8_t, detail::PixelAllocator<std::uint8_t>> work;
    int rows = 0; // source rows filtered so far
    // Each worker's turned block, gathering line and filtered block, kept from strip to
    // strip; taken from and given back to this pool.
    struct Blocks {
        std::vector<float> t;
        std::vector<float> line;
        std::vector<std::uint8_t> out;
    };
    std::mutex mutex;
    std::vector<Blocks> pool;
};

StripResampler::StripResampler(int srcWidth, int srcHeight, int paddedWidth, BitmapView dst, Filter filter,
                               float support, bool oneThread)
    : m(std::make_unique<State>())
{
    m->oneThread = oneThread;
    if (dst.bytesPerPixel != 3)
        throw ImagingError(kNeeds24Or32Bit);
    if (srcWidth < 1 || srcHeight < 2 || dst.width < 1 || dst.height < 2 || !dst.pixels)
        throw ImagingError(kResampleTooSmall);
    if (paddedWidth < srcWidth)
        throw ImagingError(kSizeMismatch);
    m->srcWidth = srcWidth;
    m->srcHeight = srcHeight;
    m->paddedWidth = paddedWidth;
    m->dst = dst;
    m->filter = filter;
    m->support = checkedSupport(filter, support);
    m->across = buildWeights(paddedWidth, dst.width, filter, m->support);
    m->down = buildWeights(srcHeight, dst.height, filter, m->support);
    // The rows each result row reads (entries of weight 0 read nothing that matters).
    std::vector<std::int32_t> first(static_cast<std::size_t>(dst.height), srcHeight);
    m->last.assign(static_cast<std::size_t>(dst.height), -1);
    for (int i = 0; i < dst.height; ++i)
        for (int k = m->down.start[i]; k < m->down.start[i + 1]; ++k)
            if (m->down.weight[k] != 0.0f) {
                first[i] = std::min(first[i], m->down.position[k]);
                m->last[i] = std::max(m->last[i], m->down.position[k]);
            }
    // Rows come in runs that end at each multiple of kRingRun (see add); a result row is
    // made at the end of the run that brings its last row, and the ring must then still
    // hold its first.
    int ring = 0;
    for (int i = 0, end = 0; i < dst.height; ++i) {
        while (end <= m->last[i])
            end = std::min(srcHeight, (end / kRingRun + 1) * kRingRun);
        if (first[i] <= m->last[i])
            ring = std::max(ring, end - first[i]);
    }
    ring = (ring + kRingRun - 1) / kRingRun * kRingRun;
    m->ring = std::clamp(ring, 1, srcHeight);
    for (std::int32_t& p : m->down.position)
        p %= m->ring;
    // As ResamplePadded lays out its work rows.
    const std::ptrdiff_t rowBytes = static_cast<std::ptrdiff_t>(dst.width) * 3;
    m->workStride = (rowBytes + kColumnRun - 1) / kColumnRun * kColumnRun;
    m->work.resize(static_cast<std::size_t>(m->workStride) * m->ring);
    for (int y = 0; y < m->ring; ++y)
        std::memset(m->work.data() + y * m->workStride + rowBytes, 0, static_cast<std::size_t>(m->workStride - rowBytes));
}

StripResampler::~StripResampler() = default;

void StripResampler::add(ConstBitmapView strip)
{
    State& s = *m;
    if ((strip.bytesPerPixel != 3 && strip.bytesPerPixel != 4) || !strip.pixels)
        throw ImagingError(kNeeds24Or32Bit);
    if (strip.width < s.srcWidth || strip.height < 0 || strip.height > s.srcHeight - s.rows)
        throw ImagingError(kSizeMismatch);
    strip.width = s.srcWidth;
    // In runs that never cross a multiple of kRingRun, each filling whole ring rows one
    // after another, and the result rows they complete made at once.
    while (strip.height > 0) {
        ConstBitmapView run = strip;
        run.height = std::min(strip.height, (s.rows / kRingRun + 1) * kRingRun - s.rows);
        addRun(run);
        strip.pixels += run.height * strip.stride;
        strip.height -= run.height;
        int end = s.made;
        while (end < s.dst.height && s.last[end] < s.rows)
            ++end;
        makeRows(end);
    }
}

void StripResampler::makeRows(int end)
{
    State& s = *m;
    if (end <= s.made)
        return;
    const int rowBytes = s.dst.width * 3;
    const long long rowCost =
        static_cast<long long>(rowBytes) * std::max<long long>(1, s.down.position.size() / s.dst.height);
    const int from = s.made;
    const auto body = [&](int begin, int stop) {
        filterColumnsFloat(s.down, s.work.data(), s.workStride, rowBytes, s.dst, from + begin, from + stop);
    };
    if (s.oneThread)
        body(0, end - from);
    else
        detail::parallelFor(end - from, rowCost, body);
    s.made = end;
}

void StripResampler::addRun(ConstBitmapView strip)
{
    State& s = *m;
    const int slot = s.rows % s.ring;
    const long long rowCost =
        static_cast<long long>(strip.width) * 3 + static_cast<long long>(s.across.position.size()) * 3;
    const auto body = [&](int begin, int end) {
            State::Blocks b;
            {
                const std::lock_guard lock(s.mutex);
                if (!s.pool.empty()) {
                    b = std::move(s.pool.back());
                    s.pool.pop_back();
                }
            }
            if (b.t.empty()) {
                b.t.assign(static_cast<std::size_t>(s.paddedWidth) * kBlockLanes, 0.0f);
                std::fill(b.t.begin() + static_cast<std::ptrdiff_t>(s.srcWidth) * kBlockLanes, b.t.end(), 255.0f);
                b.line.assign(static_cast<std::size_t>(kRowBlock) * kGatherLine, 0.0f);
                b.out.resize(static_cast<std::size_t>(s.dst.width) * kBlockLanes);
            }
            for (int y0 = begin; y0 < end; y0 += kRowBlock) {
                const int rows = std::min(kRowBlock, end - y0);
                gatherRowBlock(strip, y0, rows, b.line.data(), b.t.data());
                filterRowBlockFloat(s.across, s.dst.width, b.t.data(), b.out.data());
                scatterRowBlock(b.out.data(), s.dst.width, slot + y0, rows, s.work.data(), s.workStride);
            }
            const std::lock_guard lock(s.mutex);
            s.pool.push_back(std::move(b));
        };
    if (s.oneThread)
        body(0, strip.height);
    else
        detail::parallelFor(strip.height, rowCost, body, kRowBlock);
    s.rows += strip.height;
}

void StripResampler::finish()
{
    State& s = *m;
    if (s.rows != s.srcHeight)
        throw ImagingError(kSizeMismatch);
    s.pool.clear();
    makeRows(s.dst.height);
}

void ResampleBitmap(int newWidth, int newHeight, int filterIndex, Bitmap& bitmap, float support)
{
    const Filter filter = filterFromIndex(filterIndex);
    if (newWidth < 1 || newHeight < 2)
        throw ImagingError(kResampleTooSmall);
    if (static_cast<std::int64_t>(newWidth) * newHeight > kMaxResultPixels)
        throw ImagingError(kResampleTooLarge);
    Bitmap result = Bitmap::uninitialized(newWidth, newHeight, 3);
    ResampleBitmap(bitmap.view(), result.view(), filter, support);
    bitmap = std::move(result);
}

} // namespace imaging
