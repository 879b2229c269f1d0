// Splitting a kernel's rows (or columns) across the machine's cores. Each piece is one
// contiguous range, so results never depend on how the work was split.
#pragma once

#include <functional>

namespace imaging::detail {

// How many workers parallelFor uses for count items of about itemCost bytes of work each.
int workerCount(long long count, long long itemCost);

// Runs body(begin, end) over workerCount contiguous ranges covering [0, count), each
// range a multiple of align long (except the last), on the pool's threads and the
// calling thread, which always runs the first range. The ranges depend only on count, itemCost and align, never on which
// threads are free. An exception thrown by a range reaches the caller after all ranges
// have ended.
void parallelFor(int count, long long itemCost, const std::function<void(int begin, int end)>& body,
                 int align = 1);

} // namespace imaging::detail
