#include "page/core/decode_queue.h"

#include "imaging/codecs/registry.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <fstream>
#include <new>

namespace page {
namespace {

// How long the load step waits for a decode before it lets the window breathe.
constexpr auto kKeepAliveInterval = std::chrono::milliseconds(15);

// Decoding is CPU-bound; more workers than this only add memory in flight.
constexpr int kMaxWorkers = 8;

DecodeQueue::Result decodeOne(const std::string& path, int screenWidth, int screenHeight,
                              const FullDecode& fullDecode, const OnLoadOptions& options)
{
    DecodeQueue::Result r;
    try {
        r.loaded = loadImageFile(path, screenWidth, screenHeight, fullDecode, options);
    } catch (const std::bad_alloc&) {
        r.error = {QT_TRANSLATE_NOOP("Paginor", "Not enough memory to load %1"), path};
    } catch (const std::exception& e) {
        r.error = app::messageOf(e);
    }
    if (r.error.empty() && (!r.loaded.picture || r.loaded.picture->empty()))
        r.error = {QT_TRANSLATE_NOOP("Paginor", "%1 '%2'"), app::Message(kNotValidImageFile), path};
    return r;
}

// A file that names itself JPEG and starts like one (a PNG saved as .jpg goes to Qt).
bool onlyJpeg(const std::string& path)
{
    const imaging::Codec* named = imaging::codecNamedBy(path);
    return named != nullptr && named->keptAs == imaging::KeptAs::FileData && imaging::sniffFile(path) == named;
}

} // namespace

DecodeQueue::DecodeQueue(const std::vector<std::string>& files, std::size_t first, std::size_t count, int threads,
                         int screenWidth, int screenHeight, FullDecode fullDecode, OnLoadOptions options)
    : m_files(files), m_first(first), m_end(std::min(files.size(), first + count)), m_next(first),
      m_screenWidth(screenWidth), m_screenHeight(screenHeight), m_fullDecode(std::move(fullDecode)), m_options(options)
{
    m_slots.resize(files.size() > first ? files.size() - first : 0);
    startWorkers(threads);
}

DecodeQueue::DecodeQueue(std::size_t count, int threads, Job job)
    : m_first(0), m_end(count), m_next(0), m_screenWidth(0), m_screenHeight(0), m_job(std::move(job))
{
    m_slots.resize(count);
    startWorkers(threads);
}

void DecodeQueue::startWorkers(int threads)
{
    int workers = threads > 0 ? threads : static_cast<int>(std::thread::hardware_concurrency());
    workers = std::clamp(workers, 1, kMaxWorkers);
    workers = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(workers), m_end - std::min(m_end, m_first)));
    for (int i = 0; i < workers; ++i)
        m_workers.emplace_back([this] { work(); });
}

DecodeQueue::Result DecodeQueue::run(std::size_t index)
{
    return m_job ? m_job(index) : decodeOne(m_files[index], m_screenWidth, m_screenHeight, m_fullDecode, m_options);
}

DecodeQueue::~DecodeQueue()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    for (std::thread& t : m_workers)
        t.join();
}

void DecodeQueue::extend()
{
    {
        std::lock_guard lock(m_mutex);
        if (m_end < m_files.size())
            ++m_end;
    }
    // With no worker left (all finished before the failure), the taker decodes itself.
    m_changed.notify_all();
}

void DecodeQueue::work()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stop || m_next < m_end; });
        if (m_stop)
            return;
        const std::size_t index = m_next++;
        lock.unlock();
        // Only libjpeg is known to be safe on any thread; Qt's readers and ImageMagick
        // keep process-wide state, so their files are decoded by the load step itself.
        Result r;
        if (m_job || onlyJpeg(m_files[index]))
            r = run(index);
        else
            r.deferred = true;
        lock.lock();
        m_slots[index - m_first] = Slot{true, std::move(r)};
        m_changed.notify_all();
    }
}

DecodeQueue::Result DecodeQueue::take(std::size_t index, const std::function<void()>& keepAlive)
{
    std::unique_lock lock(m_mutex);
    Slot& slot = m_slots.at(index - m_first);
    // A file no worker will reach (beyond what was asked for) is decoded here.
    if (!slot.done && index >= m_next) {
        if (index == m_next)
            ++m_next;
        lock.unlock();
        return run(index);
    }
    while (!slot.done) {
        m_changed.wait_for(lock, kKeepAliveInterval, [&] { return slot.done; });
        if (!slot.done && keepAlive) {
            lock.unlock();
            keepAlive();
            lock.lock();
        }
    }
    Result r = std::move(slot.result);
    slot.result = {};
    lock.unlock();
    if (r.deferred && !m_job)
        r = decodeOne(m_files[index], m_screenWidth, m_screenHeight, m_fullDecode, m_options);
    return r;
}

} // namespace page
