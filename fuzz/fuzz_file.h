// The decoders that read a path are fed through one file in memory (memfd), rewritten
// with every input and opened by its /proc name: no disk in the loop.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>

#include <sys/mman.h>
#include <unistd.h>

namespace fuzzing {

inline void require(bool condition)
{
    if (!condition)
        std::abort();
}

// Puts the input into the file and returns a path that opens it.
inline std::string inputFile(const std::uint8_t* data, std::size_t size)
{
    static const int fd = ::memfd_create("paginor-fuzz-input", MFD_CLOEXEC);
    require(fd >= 0 && ::ftruncate(fd, 0) == 0);
    for (std::size_t done = 0; done < size;) {
        const ssize_t n = ::pwrite(fd, data + done, size - done, static_cast<off_t>(done));
        require(n > 0);
        done += static_cast<std::size_t>(n);
    }
    return "/proc/self/fd/" + std::to_string(fd);
}

} // namespace fuzzing
