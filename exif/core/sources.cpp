#include "exif/core/exif.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace exif {

FileSource::FileSource(const std::filesystem::path& path)
{
    // O_NONBLOCK keeps open() from waiting for a writer when path names a FIFO; such
    // files are refused below anyway.
    m_fd.reset(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!m_fd.isOpen())
        return;
    struct stat st {};
    if (::fstat(m_fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0) {
        m_fd.reset();
        return;
    }
    m_size = static_cast<std::uint64_t>(st.st_size);
}

bool FileSource::readAt(std::uint64_t offset, std::span<std::uint8_t> out)
{
    if (!m_fd.isOpen())
        return false;
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t n = ::pread(m_fd.get(), out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false; // an error, or the file shrank since it was opened
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool MemorySource::readAt(std::uint64_t offset, std::span<std::uint8_t> out)
{
    if (offset > m_bytes.size() || out.size() > m_bytes.size() - offset)
        return false;
    std::copy_n(m_bytes.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
    return true;
}

} // namespace exif
