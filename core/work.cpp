#include "core/work.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <limits>
#include <mutex>
#include <new>
#include <stdexcept>
#include <system_error>
#include <thread>

namespace core::work {
namespace {

thread_local bool t_onPoolThread = false;

// The threads and their two lists of tasks. Pieces go before queue items: a piece is part
// of a job some thread is already waiting for, and it is short.
class Pool {
public:
    static Pool& instance()
    {
        static Pool pool;
        return pool;
    }

    int size() const { return static_cast<int>(m_threads.size()); }

    void post(std::function<void()> task, bool piece)
    {
        {
            const std::lock_guard lock(m_mutex);
            (piece ? m_pieces : m_items).push_back(std::move(task));
        }
        m_wake.notify_one();
    }

private:
    Pool()
    {
        const int cores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
        try {
            for (int i = 0; i < cores; ++i)
                m_threads.emplace_back([this] { work(); });
        } catch (const std::system_error&) {
            // No thread to be had (a process limit): callers do the work themselves.
        }
    }

    ~Pool()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        for (std::thread& t : m_threads)
            if (t.get_id() != std::this_thread::get_id())
                t.join();
            else
                t.detach();
    }

    void work()
    {
        t_onPoolThread = true;
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [this] { return m_stop || !m_pieces.empty() || !m_items.empty(); });
            if (m_stop)
                return;
            std::deque<std::function<void()>>& from = m_pieces.empty() ? m_items : m_pieces;
            std::function<void()> task = std::move(from.front());
            from.pop_front();
            lock.unlock();
            task();
            task = nullptr; // what it holds goes before the lock is taken again
            lock.lock();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_pieces;
    std::deque<std::function<void()>> m_items;
    bool m_stop = false;
    std::vector<std::thread> m_threads;
};

// One runPieces call, shared with the pool tasks that help it: a task that starts after
// every piece was claimed finds nothing to do, whenever it runs.
struct Pieces {
    explicit Pieces(int count, const std::function<void(int)>& piece) : count(count), piece(piece), errors(count) {}

    // Claims and runs pieces until none is left unclaimed.
    void runSome()
    {
        for (int i = next.fetch_add(1); i < count; i = next.fetch_add(1))
            run(i);
    }

    void run(int i)
    {
        try {
            piece(i);
        } catch (...) {
            errors[i] = std::current_exception();
        }
        const std::lock_guard lock(mutex);
        if (++ended == count)
            allEnded.notify_all();
    }

    const int count;
    const std::function<void(int)>& piece; // called only for a claimed piece: never once runPieces returned
    std::vector<std::exception_ptr> errors;
    std::atomic<int> next{1}; // piece 0 is the caller's
    std::mutex mutex;
    std::condition_variable allEnded;
    int ended = 0;
};

} // namespace

int poolThreads()
{
    return Pool::instance().size();
}

void runPieces(int count, const std::function<void(int)>& piece)
{
    if (count <= 0)
        return;
    auto job = std::make_shared<Pieces>(count, piece);
    Pool& pool = Pool::instance();
    const int helpers = std::min(count - 1, pool.size());
    try {
        for (int i = 0; i < helpers; ++i)
            pool.post([job] { job->runSome(); }, true);
    } catch (const std::bad_alloc&) {
        // Fewer helpers: the caller runs what they would have.
    }
    job->run(0);
    job->runSome();
    {
        // Every piece is claimed; those still running are running, never waiting to start.
        std::unique_lock lock(job->mutex);
        job->allEnded.wait(lock, [&] { return job->ended == count; });
    }
    for (const std::exception_ptr& e : job->errors)
        if (e)
            std::rethrow_exception(e);
}

namespace detail {

struct Sequence::State {
    enum class Item : std::uint8_t { Waiting, Running, Made, PassedOver };

    std::mutex mutex;
    std::condition_variable changed;
    std::function<void(std::size_t)> make;
    std::vector<Item> items;
    std::vector<std::exception_ptr> errors;
    std::size_t count;
    std::size_t next = 0;  // items before it are started or passed over
    std::size_t taken = 0; // items before it are taken or passed over
    std::size_t lookahead;
    int atOnce;
    int running = 0; // being made, on any thread
    int posted = 0;  // pool tasks not started yet
    bool cancelled = false;
    std::chrono::milliseconds keepAliveEvery;

    // One past the last item that may start now.
    std::size_t limit() const
    {
        const std::size_t ahead =
            taken > std::numeric_limits<std::size_t>::max() - lookahead ? std::numeric_limits<std::size_t>::max()
                                                                        : taken + lookahead;
        return std::min(count, ahead);
    }

    // Hands the pool one task for each item that may start now and has none yet.
    void postTasks(const std::shared_ptr<State>& self)
    {
        while (!cancelled && running + posted < atOnce && next + static_cast<std::size_t>(posted) < limit()) {
            Pool::instance().post([self] { self->startNext(self); }, false);
            ++posted; // counted once it is on the pool, which cannot start it before the lock is let go
        }
    }

    // A pool task: makes the next item, if it may still start.
    void startNext(const std::shared_ptr<State>& self)
    {
        std::unique_lock lock(mutex);
        --posted;
        if (cancelled || running >= atOnce || next >= limit())
            return;
        makeItem(lock, next++);
        postTasks(self);
    }

    // Items from taken up to index are not wanted: those not started never will be, and
    // those being made are waited for, so their results may be dropped.
    void passOver(std::unique_lock<std::mutex>& lock, std::size_t index)
    {
        const auto from = static_cast<std::ptrdiff_t>(taken);
        const auto to = static_cast<std::ptrdiff_t>(index);
        std::replace(items.begin() + from, items.begin() + to, Item::Waiting, Item::PassedOver);
        next = std::max(next, index);
        changed.wait(lock, [&] {
            return std::find(items.begin() + from, items.begin() + to, Item::Running) == items.begin() + to;
        });
        std::fill(errors.begin() + from, errors.begin() + to, nullptr);
        taken = index;
    }

    void makeItem(std::unique_lock<std::mutex>& lock, std::size_t index)
    {
        items[index] = Item::Running;
        ++running;
        lock.unlock();
        std::exception_ptr error;
        try {
            make(index);
        } catch (...) {
            error = std::current_exception();
        }
        lock.lock();
        errors[index] = std::move(error);
        items[index] = Item::Made;
        --running;
        changed.notify_all();
    }
};

Sequence::Sequence(std::size_t count, std::size_t capacity, QueueOptions options, std::function<void(std::size_t)> make)
    : m(std::make_shared<State>())
{
    m->make = std::move(make);
    m->items.assign(std::max(count, capacity), State::Item::Waiting);
    m->errors.resize(m->items.size());
    m->count = count;
    m->lookahead = std::max<std::size_t>(1, options.items);
    m->atOnce = options.atOnce > 0 ? options.atOnce : std::max(1, poolThreads());
    m->keepAliveEvery = options.keepAliveEvery;
    const std::lock_guard lock(m->mutex);
    m->postTasks(m);
}

Sequence::~Sequence()
{
    std::unique_lock lock(m->mutex);
    m->cancelled = true;
    m->changed.wait(lock, [this] { return m->running == 0; });
    // Tasks still on the pool only see the cancel; what make holds goes now.
    m->make = nullptr;
}

void Sequence::extend()
{
    const std::lock_guard lock(m->mutex);
    if (m->count < m->items.size())
        ++m->count;
    m->postTasks(m);
}

void Sequence::cancel()
{
    {
        const std::lock_guard lock(m->mutex);
        m->cancelled = true;
    }
    m->changed.notify_all();
}

Sequence::Outcome Sequence::wait(std::size_t index, const std::function<void()>& keepAlive)
{
    State& s = *m;
    std::unique_lock lock(s.mutex);
    if (index >= s.items.size())
        throw std::out_of_range("no such item in the queue");
    if (index < s.taken)
        throw std::logic_error("an item of the queue taken twice");
    s.passOver(lock, index);
    s.count = std::max(s.count, index + 1); // wanted, so part of the work
    s.postTasks(m);
    // A pool thread waiting for an item no other worker may get to would hold up the
    // pool; a consumer with nothing to keep alive may as well do the work itself.
    const bool makeHere = t_onPoolThread || !keepAlive || Pool::instance().size() == 0;
    while (s.items[index] != State::Item::Made) {
        if (s.items[index] == State::Item::Waiting) {
            if (s.cancelled) {
                s.taken = index + 1;
                return {};
            }
            if (makeHere) {
                s.next = index + 1;
                s.makeItem(lock, index);
                continue;
            }
        }
        s.changed.wait_for(lock, s.keepAliveEvery, [&] {
            return s.items[index] == State::Item::Made || (s.items[index] == State::Item::Waiting && s.cancelled);
        });
        if (keepAlive && s.items[index] != State::Item::Made) {
            lock.unlock();
            keepAlive();
            lock.lock();
        }
    }
    s.taken = index + 1;
    s.postTasks(m);
    return {true, std::exchange(s.errors[index], nullptr)};
}

} // namespace detail

void runBeside(const std::function<void()>& work, const std::function<void()>& keepAlive,
               std::chrono::milliseconds every)
{
    detail::Sequence sequence(1, 1, {.items = 1, .atOnce = 1, .keepAliveEvery = every}, [&](std::size_t) { work(); });
    if (const std::exception_ptr error = sequence.wait(0, keepAlive).error)
        std::rethrow_exception(error);
}

} // namespace core::work
