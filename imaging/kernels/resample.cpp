// Two-pass resampling with integer weights: rows first into work rows, then columns
// into the result. The rules are those of the plain reference in
// resample_reference.cpp; this version lays the data out so the loops vectorise,
// splits each pass across the cores, streams the work rows through a window of a few
// megabytes instead of holding the whole work bitmap, and gives the same bytes.
#include "imaging/kernels/imaging.h"
#include "imaging/kernels/orientation.h"
#include "imaging/kernels/parallel.h"
#include "imaging/kernels/resample_internal.h"
#include "imaging/kernels/simd.h"

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

// The picture as the row pass reads it: pixel (x, y) at base + x * pixelStep + y * rowStep.
// Steps of either sign along either axis of the stored rows stand a picture that its
// file stores turned or mirrored upright without a turned copy.
struct SourceGrid {
    const std::uint8_t* base = nullptr;
    std::ptrdiff_t pixelStep = 0;
    std::ptrdiff_t rowStep = 0;
    int width = 0; // upright
    int height = 0;
    int bytesPerPixel = 0;

    const std::uint8_t* at(int x, int y) const { return base + x * pixelStep + y * rowStep; }
};

// Upright pixel (u, v) of a picture stored in v as orientation says (see orientation.h):
// 2 mirrors the columns, 4 the rows, 3 both; 5 reads across the main diagonal (x = v,
// y = u), 6 is a quarter turn clockwise (x = v, y = H-1-u), 7 the other diagonal and 8 a
// quarter turn anticlockwise (x = W-1-v, y = u).
SourceGrid uprightGrid(ConstBitmapView v, int orientation)
{
    const std::ptrdiff_t px = v.bytesPerPixel;
    const std::ptrdiff_t lastColumn = (v.width - 1) * px;
    const std::ptrdiff_t lastRow = (v.height - 1) * v.stride;
    SourceGrid g{v.pixels, px, v.stride, v.width, v.height, v.bytesPerPixel};
    switch (orientation) {
    case 2: g = {v.pixels + lastColumn, -px, v.stride, v.width, v.height, v.bytesPerPixel}; break;
    case 3: g = {v.pixels + lastRow + lastColumn, -px, -v.stride, v.width, v.height, v.bytesPerPixel}; break;
    case 4: g = {v.pixels + lastRow, px, -v.stride, v.width, v.height, v.bytesPerPixel}; break;
    case 5: g = {v.pixels, v.stride, px, v.height, v.width, v.bytesPerPixel}; break;
    case 6: g = {v.pixels + lastRow, -v.stride, px, v.height, v.width, v.bytesPerPixel}; break;
    case 7: g = {v.pixels + lastRow + lastColumn, -v.stride, -px, v.height, v.width, v.bytesPerPixel}; break;
    case 8: g = {v.pixels + lastColumn, v.stride, -px, v.height, v.width, v.bytesPerPixel}; break;
    default: break;
    }
    return g;
}

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
    // A list without entries reads near its centre, so the rows a strip of lists reads
    // stay close together (see WorkWindow).
    const std::int32_t padPosition =
        count > 0 ? pw.position.back() : detail::mirrorPosition(static_cast<std::int64_t>(centre), srcLength);
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

// The same for pixels step bytes apart (a row of a turned or mirrored picture).
PAGINOR_VECTOR_CLONES
void stridedToFloats(const std::uint8_t* row, int width, std::ptrdiff_t step, float* out)
{
    for (int x = 0; x < width; ++x)
        for (int c = 0; c < 3; ++c)
            out[3 * x + c] = static_cast<float>(row[x * step + c]);
}

// t[x * kBlockLanes + kPixelLanes * r + c] = channel c of pixel x of row y0 + r. Rows
// past the end of a short block keep what they held; their results are never stored.
// Runs of kGatherRun pixels are converted and then interleaved while in the cache.
constexpr int kGatherRun = 128;
constexpr int kGatherLine = 3 * kGatherRun + 1; // one float of slack for the last pixel's fourth lane

void gatherRowBlock(const SourceGrid& src, int width, int y0, int rows, float* line, float* t)
{
    for (int x0 = 0; x0 < width; x0 += kGatherRun) {
        const int run = std::min(kGatherRun, width - x0);
        for (int r = 0; r < rows; ++r) {
            float* out = line + r * kGatherLine;
            if (src.pixelStep == src.bytesPerPixel)
                rowToFloats(src.at(x0, y0 + r), run, src.bytesPerPixel, out);
            else
                stridedToFloats(src.at(x0, y0 + r), run, src.pixelStep, out);
        }
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

// The row pass's output columns as far as they depend on the picture. A column whose
// weight list reads only padding (positions at or beyond the picture's width, white)
// has the same level in every work row, so only the first live columns are filtered;
// the rest are the constant levels, which the column pass takes as they are.
struct LiveColumns {
    int live = 0;      // columns 0 .. live - 1 are filtered
    int reach = 0;     // the turned block needs positions 0 .. reach - 1
    std::vector<std::uint8_t> levels; // 3 bytes for each column from live on
};

LiveColumns liveColumns(const PassWeights& pw, int dstWidth, int pictureWidth)
{
    LiveColumns c;
    for (int i = 0; i < dstWidth; ++i)
        for (int k = pw.start[i]; k < pw.start[i + 1]; ++k)
            if (pw.weight[k] != 0.0f && pw.position[k] < pictureWidth) {
                c.live = i + 1;
                break;
            }
    for (int k = 0; k < pw.start[c.live]; ++k)
        c.reach = std::max(c.reach, pw.position[k] + 1);
    // The exact sums of the white lanes: every partial sum is an integer (see
    // kMaxWeightMagnitude), so weight sum x 255 is what the filtering loop would add up.
    for (int i = c.live; i < dstWidth; ++i) {
        const float white = 255.0f * static_cast<float>(pw.weightSum[i]);
        const float acc[3] = {white, white, white};
        std::uint8_t out[3];
        finishFloat<3>(acc, pw.weightSum[i], out);
        c.levels.insert(c.levels.end(), out, out + 3);
    }
    return c;
}

// Filters source rows y0 .. y1 - 1 into work rows 0 .. y1 - y0 - 1 (their live columns).
// Positions from src.width to columns.reach are white, set once per worker in the
// turned block, which gathering never overwrites there.
void rowPass(const SourceGrid& src, int y0, int y1, const PassWeights& pw, const LiveColumns& columns,
             std::uint8_t* work, std::ptrdiff_t workStride)
{
    const int gathered = std::min(src.width, columns.reach);
    const int live = columns.live;
    const long long rowCost =
        static_cast<long long>(gathered) * 3 + static_cast<long long>(pw.start[live]) * 3;
    detail::parallelFor(
        y1 - y0, rowCost,
        [&](int begin, int end) {
            // Per worker: its own turned block and filtered block.
            std::vector<float> t(static_cast<std::size_t>(columns.reach) * kBlockLanes, 0.0f);
            std::fill(t.begin() + static_cast<std::ptrdiff_t>(gathered) * kBlockLanes, t.end(), 255.0f);
            std::vector<float> line(static_cast<std::size_t>(kRowBlock) * kGatherLine, 0.0f);
            std::vector<std::uint8_t> out(static_cast<std::size_t>(live) * kBlockLanes);
            for (int r0 = begin; r0 < end; r0 += kRowBlock) {
                const int rows = std::min(kRowBlock, end - r0);
                gatherRowBlock(src, gathered, y0 + r0, rows, line.data(), t.data());
                filterRowBlockFloat(pw, live, t.data(), out.data());
                scatterRowBlock(out.data(), live, r0, rows, work, workStride);
            }
        },
        kRowBlock);
}

// Column pass. Every byte of a row is one channel of one column, so a weight list
// filters a run of kColumnRun bytes of the work rows at once.
constexpr int kColumnRun = 64;

PAGINOR_VECTOR_CLONES
void filterColumnsFloat(const PassWeights& pw, const std::uint8_t* work, std::ptrdiff_t workStride, int firstRow,
                        int rowBytes, BitmapView dst, int i0, int i1)
{
    constexpr std::size_t kChains = 2; // enough independent sums for a run this long
    for (int i = i0; i < i1; ++i) {
        std::uint8_t* target = dst.row(i);
        const int end = pw.start[i + 1];
        for (int b = 0; b < rowBytes; b += kColumnRun) {
            float acc[kChains][kColumnRun];
            for (std::size_t g = 0; g < kChains; ++g) {
                const int k = pw.start[i] + static_cast<int>(g);
                const std::uint8_t* s = work + (pw.position[k] - firstRow) * workStride + b;
                for (int l = 0; l < kColumnRun; ++l)
                    acc[g][l] = pw.weight[k] * static_cast<float>(s[l]);
            }
            for (int k = pw.start[i] + kChains; k < end; k += kChains)
                for (std::size_t g = 0; g < kChains; ++g) {
                    const float w = pw.weight[k + g];
                    const std::uint8_t* s = work + (pw.position[k + g] - firstRow) * workStride + b;
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

// A column of constant level c sums to c x weight sum exactly (every partial sum is an
// integer), and the float quotient of that by the weight sum is c itself; weights that
// cancel give 0 x c shifted right, 0. So the columns the row pass left constant need no
// work rows.
void constantColumns(const PassWeights& pw, const std::vector<std::uint8_t>& levels, int liveBytes, BitmapView dst,
                     int i0, int i1)
{
    if (levels.empty()) // every column is live (an empty vector's data may be null)
        return;
    for (int i = i0; i < i1; ++i) {
        std::uint8_t* target = dst.row(i) + liveBytes;
        if (pw.weightSum[i] != 0)
            std::memcpy(target, levels.data(), levels.size());
        else
            std::memset(target, 0, levels.size());
    }
}

// Output rows i0 .. i1 - 1 from the work rows firstRow on, which hold every row their
// weight lists read.
void columnPass(const std::uint8_t* work, std::ptrdiff_t workStride, int firstRow, const PassWeights& pw,
                const LiveColumns& columns, BitmapView dst, int i0, int i1)
{
    const int liveBytes = columns.live * 3;
    const long long rowCost =
        static_cast<long long>(dst.width) * 3 * std::max<long long>(1, pw.position.size() / dst.height);
    detail::parallelFor(i1 - i0, rowCost, [&](int begin, int end) {
        filterColumnsFloat(pw, work, workStride, firstRow, liveBytes, dst, i0 + begin, i0 + end);
        constantColumns(pw, columns.levels, liveBytes, dst, i0 + begin, i0 + end);
    });
}

// The window of work rows the column pass is fed through: output rows are taken in
// strips whose weight lists read no more than capacity rows, so a tall picture is read,
// shrunk and dropped a strip at a time.
constexpr std::size_t kWindowBytes = std::size_t(4) << 20;

struct WorkWindow {
    struct Strip {
        int endOutput; // output rows from the strip's first to this one, exclusive
        int firstRow;  // the work rows they read
        int endRow;
    };

    WorkWindow(const PassWeights& pw, int srcHeight, int dstHeight, int liveBytes, std::size_t bytes)
        : m_outputs(dstHeight)
    {
        stride = (std::max(liveBytes, 1) + kColumnRun - 1) / kColumnRun * kColumnRun;
        m_low.resize(dstHeight);
        m_high.resize(dstHeight);
        int widest = 1;
        for (int i = 0; i < dstHeight; ++i) {
            const auto [low, high] = std::minmax_element(pw.position.begin() + pw.start[i],
                                                         pw.position.begin() + pw.start[i + 1]);
            m_low[i] = *low;
            m_high[i] = *high + 1;
            widest = std::max(widest, m_high[i] - m_low[i]);
        }
        // Never more rows than the source has: a small picture gets a small window.
        const std::size_t rows = std::min(bytes / static_cast<std::size_t>(stride), static_cast<std::size_t>(srcHeight));
        capacity = std::max(widest, static_cast<int>(rows));
    }

    // The longest strip from output row i0 whose rows fit in the window.
    Strip strip(int i0) const
    {
        Strip s{i0 + 1, m_low[i0], m_high[i0]};
        while (s.endOutput < m_outputs) {
            const int low = std::min(s.firstRow, m_low[s.endOutput]);
            const int high = std::max(s.endRow, m_high[s.endOutput]);
            if (high - low > capacity)
                break;
            s = {s.endOutput + 1, low, high};
        }
        return s;
    }

    std::ptrdiff_t stride = 0;
    int capacity = 0;

private:
    int m_outputs;
    std::vector<int> m_low;  // per output row: the first work row it reads
    std::vector<int> m_high; // and one past the last
};

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
    detail::resampleThroughWindow(src, kUpright, paddedWidth, dst, filter, support, kWindowBytes);
}

void ResampleUpright(ConstBitmapView src, int orientation, int workWidth, BitmapView dst, Filter filter, float support)
{
    detail::resampleThroughWindow(src, orientation, workWidth, dst, filter, support, kWindowBytes);
}

namespace detail {

void resampleThroughWindow(ConstBitmapView stored, int orientation, int workWidth, BitmapView dst, Filter filter,
                           float support, std::size_t windowBytes)
{
    SourceGrid src = uprightGrid(stored, orientation);
    ConstBitmapView upright = stored;
    upright.width = src.width;
    upright.height = src.height;
    detail::checkResampleSizes(upright, dst);
    if (workWidth < 1)
        throw ImagingError(kResampleTooSmall);
    // A picture wider than the work bitmap is cut at the right; a narrower one padded.
    src.width = std::min(src.width, workWidth);
    const int paddedWidth = workWidth;
    support = checkedSupport(filter, support);
    const PassWeights across = buildWeights(paddedWidth, dst.width, filter, support);
    const LiveColumns columns = liveColumns(across, dst.width, src.width);
    const PassWeights down = buildWeights(src.height, dst.height, filter, support);
    const WorkWindow window(down, src.height, dst.height, columns.live * 3, windowBytes);
    std::vector<std::uint8_t, detail::PixelAllocator<std::uint8_t>> work(static_cast<std::size_t>(window.stride) *
                                                                          window.capacity);
    // The work rows are padded so the column pass may always read whole runs; the row
    // pass writes every byte but the padding, which is zeroed so that nothing unset is read.
    for (int r = 0; r < window.capacity; ++r)
        std::memset(work.data() + r * window.stride + columns.live * 3, 0,
                    static_cast<std::size_t>(window.stride - columns.live * 3));
    // Work rows first .. held - 1 are in the window, first at its top.
    int first = 0;
    int held = 0;
    for (int i0 = 0; i0 < dst.height;) {
        const WorkWindow::Strip strip = window.strip(i0);
        if (strip.firstRow >= first && strip.firstRow < held) {
            const int kept = std::min(held, strip.firstRow + window.capacity) - strip.firstRow;
            std::memmove(work.data(), work.data() + (strip.firstRow - first) * window.stride,
                         static_cast<std::size_t>(kept) * window.stride);
            held = strip.firstRow + kept;
        } else {
            held = strip.firstRow;
        }
        first = strip.firstRow;
        if (held < strip.endRow) {
            rowPass(src, held, strip.endRow, across, columns, work.data() + (held - first) * window.stride,
                    window.stride);
            held = strip.endRow;
        }
        columnPass(work.data(), window.stride, first, down, columns, dst, i0, strip.endOutput);
        i0 = strip.endOutput;
    }
}

} // namespace detail

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
        filterColumnsFloat(s.down, s.work.data(), s.workStride, 0, rowBytes, s.dst, from + begin, from + stop);
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
    const SourceGrid grid = uprightGrid(strip, kUpright);
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
                gatherRowBlock(grid, strip.width, y0, rows, b.line.data(), b.t.data());
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
