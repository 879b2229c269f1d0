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

// Decoding is CPU-bound; more files at once than this only add memory in flight.
constexpr int kMaxAtOnce = 8;

DecodeQueue::Result decodeOne(const std::string& path, int screenWidth, int screenHeight,
                              const FullDecode& fullDecode, const OnLoadOptions& options)
{
    DecodeQueue::Result r;
    try {
        r.loaded = loadImageFile(path, screenWidth, screenHeight, fullDecode, options);
    } catch (const std::bad_alloc&) {
        r.error = {QT_TRANSLATE_NOOP("Paginor", "Not enough memory to load %1"), path};
    } catch (const std::exception& e) {
        r.error = core::messageOf(e);
    }
    if (r.error.empty() && (!r.loaded.picture || r.loaded.picture->empty()))
        r.error = {QT_TRANSLATE_NOOP("Paginor", "%1 '%2'"), core::Message(kNotValidImageFile), path};
    return r;
}

// A file that names itself JPEG and starts like one (a PNG saved as .jpg goes to Qt).
bool onlyJpeg(const std::string& path)
{
    const imaging::Codec* named = imaging::codecNamedBy(path);
    return named != nullptr && named->keptAs == imaging::KeptAs::FileData && imaging::sniffFile(path) == named;
}

// The files from first on: all a queue may be extended to.
std::size_t filesFrom(const std::vector<std::string>& files, std::size_t first)
{
    return files.size() - std::min(first, files.size());
}

core::work::QueueOptions decodingAtOnce(int threads)
{
    const int atOnce = threads > 0 ? threads : core::work::poolThreads();
    return {.atOnce = std::clamp(atOnce, 1, kMaxAtOnce), .keepAliveEvery = kKeepAliveInterval};
}

} // namespace

DecodeQueue::DecodeQueue(const std::vector<std::string>& files, std::size_t first, std::size_t count, int threads,
                         int screenWidth, int screenHeight, FullDecode fullDecode, OnLoadOptions options)
    : m_files(files), m_first(first), m_screenWidth(screenWidth), m_screenHeight(screenHeight),
      m_fullDecode(std::move(fullDecode)), m_options(options),
      m_queue(std::min(count, filesFrom(files, first)), [this](std::size_t i) { return decode(i); },
              decodingAtOnce(threads), filesFrom(files, first))
{
}

DecodeQueue::DecodeQueue(std::size_t count, int threads, Job job)
    : m_first(0), m_screenWidth(0), m_screenHeight(0), m_job(std::move(job)),
      m_queue(count, [this](std::size_t i) { return decode(i); }, decodingAtOnce(threads))
{
}

DecodeQueue::Result DecodeQueue::decode(std::size_t index) const
{
    if (m_job)
        return m_job(index);
    // Only libjpeg is known to be safe on any thread; Qt's readers and ImageMagick keep
    // process-wide state, so their files are decoded by the load step itself.
    const std::string& path = m_files[m_first + index];
    if (!onlyJpeg(path)) {
        Result r;
        r.deferred = true;
        return r;
    }
    return decodeOne(path, m_screenWidth, m_screenHeight, m_fullDecode, m_options);
}

void DecodeQueue::extend()
{
    m_queue.extend();
}

DecodeQueue::Result DecodeQueue::take(std::size_t index, const std::function<void()>& keepAlive)
{
    std::optional<Result> r = m_queue.take(index - m_first, keepAlive);
    if (!r) // only a cancelled queue gives nothing, and this one is not cancelled
        return m_job ? m_job(index) : decodeOne(m_files[index], m_screenWidth, m_screenHeight, m_fullDecode, m_options);
    if (r->deferred && !m_job)
        r = decodeOne(m_files[index], m_screenWidth, m_screenHeight, m_fullDecode, m_options);
    return std::move(*r);
}

} // namespace page
