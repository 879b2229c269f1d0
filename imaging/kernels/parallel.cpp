#include "imaging/kernels/parallel.h"

#include "core/work.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace imaging::detail {

namespace {
// Below this much work per worker a thread costs more than it saves.
constexpr long long kMinBytesPerWorker = 256 * 1024;
constexpr int kMaxWorkers = 16;
} // namespace

int workerCount(long long count, long long itemCost)
{
    const int cores = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, kMaxWorkers);
    const long long byWork = std::max(1LL, count * std::max(1LL, itemCost) / kMinBytesPerWorker);
    return static_cast<int>(std::min<long long>({cores, byWork, std::max(1LL, count)}));
}

void parallelFor(int count, long long itemCost, const std::function<void(int, int)>& body, int align)
{
    if (count <= 0)
        return;
    const int workers = workerCount(count, itemCost);
    if (workers == 1) {
        body(0, count);
        return;
    }
    // Ranges of whole alignment units, as even as the units allow.
    const int units = (count + align - 1) / align;
    std::vector<int> bounds(workers + 1);
    for (int w = 0; w <= workers; ++w)
        bounds[w] = std::min(count, static_cast<int>(static_cast<long long>(units) * w / workers) * align);

    core::work::runPieces(workers, [&](int w) {
        if (bounds[w] < bounds[w + 1])
            body(bounds[w], bounds[w + 1]);
    });
}

} // namespace imaging::detail
