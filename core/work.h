// The program's one pool of worker threads, one per core, and the two shapes of work
// that run on it: pieces of one job that the caller waits for (a kernel's bands), and
// an ordered queue whose items are made ahead of a consumer that takes them in order
// (the pictures of a load step, the frames of a page). Nothing else starts threads.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace core::work {

// The number of threads in the pool: one per core, fewer only when the system refuses
// threads.
int poolThreads();

// Runs piece(0) .. piece(count - 1), each once, on the pool and on the calling thread,
// and returns when all have ended. Piece 0 always runs on the calling thread (a piece
// that reports progress to it). The caller runs other pieces too rather than only
// waiting, so a call from inside a pool worker (a queue item whose kernel splits its
// rows) completes even when every other worker is busy. The exception of the lowest
// piece that threw reaches the caller, after every piece has ended.
void runPieces(int count, const std::function<void(int piece)>& piece);

// How far an ordered queue runs ahead of its consumer, and how the consumer waits.
struct QueueOptions {
    // Items started or finished beyond those taken, the one being waited for included:
    // this bounds how many results are alive at once.
    std::size_t items = SIZE_MAX;
    // Items made at the same time; 0: one per pool thread.
    int atOnce = 0;
    // While the consumer waits, its keepAlive runs this often.
    std::chrono::milliseconds keepAliveEvery{15};
};

namespace detail {

// The order, the bounds and the waiting of an ordered queue, whatever its results are.
// make(index) makes item index and keeps its result. It runs on a pool thread, or on the
// consumer's when the consumer wants an item not started yet and either has nothing to
// keep alive or is itself a pool thread (which must not wait for the pool).
class Sequence {
public:
    Sequence(std::size_t count, std::size_t capacity, QueueOptions options, std::function<void(std::size_t)> make);
    // Cancels, then waits for the items being made.
    ~Sequence();
    Sequence(const Sequence&) = delete;
    Sequence& operator=(const Sequence&) = delete;

    void extend();
    void cancel();

    struct Outcome {
        bool made = false;        // false: cancelled before it started
        std::exception_ptr error; // what making it threw
    };
    // Waits until item index is made. Items before it not taken yet are passed over:
    // those not started never start, and those being made have ended when this returns.
    Outcome wait(std::size_t index, const std::function<void()>& keepAlive);

private:
    struct State;
    std::shared_ptr<State> m;
};

} // namespace detail

// Runs work on the pool while the caller runs keepAlive every `every` (the window stays
// alive), and returns when the work has ended; what the work threw reaches the caller.
// Without a keepAlive the caller may run the work itself.
void runBeside(const std::function<void()>& work, const std::function<void()>& keepAlive,
               std::chrono::milliseconds every);

// Items 0 .. count - 1 made on the pool ahead of the consumer, within the lookahead, and
// taken in their order. make must be safe on any thread; what it throws is kept and
// rethrown by the take of that item.
template <class T>
class OrderedQueue {
public:
    using Make = std::function<T(std::size_t index)>;

    // capacity: how many items extend() may grow the queue to.
    OrderedQueue(std::size_t count, Make make, QueueOptions options = {}, std::size_t capacity = 0)
        : m_make(std::move(make)), m_results(std::max(count, capacity)),
          m_sequence(count, m_results.size(), options, [this](std::size_t i) { m_results[i].emplace(m_make(i)); })
    {
    }
    OrderedQueue(const OrderedQueue&) = delete;
    OrderedQueue& operator=(const OrderedQueue&) = delete;

    // One more item, when the capacity allows.
    void extend() { m_sequence.extend(); }
    // No item starts from now on; those being made are finished.
    void cancel() { m_sequence.cancel(); }

    // Item index, waiting for it; keepAlive runs while waiting. Items are taken once each,
    // in increasing order; an item passed over is dropped. Empty when the queue was
    // cancelled before the item started.
    std::optional<T> take(std::size_t index, const std::function<void()>& keepAlive = {})
    {
        const detail::Sequence::Outcome outcome = m_sequence.wait(index, keepAlive);
        for (; m_taken < index; ++m_taken)
            m_results[m_taken].reset();
        m_taken = index + 1;
        std::optional<T> out = std::move(m_results[index]);
        m_results[index].reset();
        if (outcome.error)
            std::rethrow_exception(outcome.error);
        return out;
    }

private:
    Make m_make;
    std::vector<std::optional<T>> m_results; // each written only by the thread making it
    std::size_t m_taken = 0;
    detail::Sequence m_sequence; // destroyed first: no item is being made once it is gone
};

} // namespace core::work
