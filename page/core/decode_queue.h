// Files of a load step decoded ahead on the pool's threads. The load step takes the
// results in list order on its own thread, so frames, messages and status texts still
// happen in the order of the list; only the waiting is shortened.
#pragma once

#include "core/message.h"
#include "core/work.h"

#include "page/core/loading.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace page {

class DecodeQueue {
public:
    struct Result {
        LoadedPicture loaded;
        core::Message error{""}; // the message to show; empty when the file decoded
        bool deferred = false; // to be decoded by the taker, on its own thread
    };

    // Decodes files[first .. first + count), up to `threads` at once (0: one per core).
    // The queue keeps its own copy of the names, so the workers never read a list that
    // its owner changes.
    DecodeQueue(const std::vector<std::string>& files, std::size_t first, std::size_t count, int threads,
                int screenWidth, int screenHeight, FullDecode fullDecode = {}, OnLoadOptions options = {});
    // Other work than files by name (a layout file's members): job(i) for i in [0, count),
    // up to `threads` at once (0: one per core), each i taken with take(i). job must be
    // safe on any thread and throw nothing; a result it marks deferred is handed back as it is.
    using Job = std::function<Result(std::size_t index)>;
    DecodeQueue(std::size_t count, int threads, Job job);
    // Starts no more files and waits for those being decoded.
    ~DecodeQueue() = default;
    DecodeQueue(const DecodeQueue&) = delete;
    DecodeQueue& operator=(const DecodeQueue&) = delete;

    // One more file beyond those asked for (a file failed and its frame needs another).
    void extend();
    // The result for files[index], waiting for it; keepAlive is called every few
    // milliseconds while waiting. Each index is taken once.
    Result take(std::size_t index, const std::function<void()>& keepAlive);

private:
    Result decode(std::size_t index) const;

    const std::vector<std::string> m_files;
    std::size_t m_first;
    int m_screenWidth;
    int m_screenHeight;
    FullDecode m_fullDecode;
    OnLoadOptions m_options; // the on-load steps, done on the decoding threads
    Job m_job;
    core::work::OrderedQueue<Result> m_queue; // by index - m_first; last, so it ends first
};

} // namespace page
