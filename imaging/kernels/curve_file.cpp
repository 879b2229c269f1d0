// Curve files: the tone table as 256 little-endian 32-bit entries, no header.
#include "imaging/kernels/imaging.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace imaging {

namespace {

constexpr std::size_t kCurveBytes = 256 * 4;

std::array<std::uint8_t, kCurveBytes> toBytes(const ToneLUT& lut)
{
    std::array<std::uint8_t, kCurveBytes> bytes{};
    for (std::size_t v = 0; v < 256; ++v) {
        const auto u = static_cast<std::uint32_t>(lut[v]);
        for (std::size_t k = 0; k < 4; ++k)
            bytes[4 * v + k] = static_cast<std::uint8_t>(u >> (8 * k));
    }
    return bytes;
}

ToneLUT fromBytes(const std::array<std::uint8_t, kCurveBytes>& bytes)
{
    ToneLUT lut{};
    for (std::size_t v = 0; v < 256; ++v) {
        std::uint32_t u = 0;
        for (std::size_t k = 0; k < 4; ++k)
            u |= static_cast<std::uint32_t>(bytes[4 * v + k]) << (8 * k);
        lut[v] = static_cast<std::int32_t>(u);
    }
    return lut;
}

// Closes the descriptor on every path out.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

void writeAll(int fd, const std::uint8_t* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw std::system_error(errno, std::generic_category());
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

} // namespace

ToneLUT readCurveFile(const std::string& path, const ToneLUT& base)
{
    std::error_code ec;
    // Only a plain file: a FIFO or device would block or never end.
    if (!std::filesystem::is_regular_file(path, ec))
        throw ImagingError({QT_TRANSLATE_NOOP("Paginor", "Can't open file %1"), path});
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ImagingError({QT_TRANSLATE_NOOP("Paginor", "Can't open file %1"), path});
    auto bytes = toBytes(base);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.bad())
        throw ImagingError({QT_TRANSLATE_NOOP("Paginor", "Can't open file %1"), path});
    // A short file has replaced only the bytes it holds; the rest are base's.
    return fromBytes(bytes);
}

void writeCurveFile(const ToneLUT& lut, const std::string& path)
{
    const auto bytes = toBytes(lut);
    // Written beside the target and renamed over it, so a failed write leaves any
    // earlier curve as it was.
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        throw ImagingError({QT_TRANSLATE_NOOP("Paginor", "Can't write file %1"), path});
    try {
        {
            FileDescriptor file(fd);
            writeAll(file.get(), bytes.data(), bytes.size());
            ::fchmod(file.get(), 0644);
            if (::fsync(file.get()) != 0)
                throw std::system_error(errno, std::generic_category());
        }
        std::filesystem::rename(temp, path);
    } catch (const std::exception&) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        throw ImagingError({QT_TRANSLATE_NOOP("Paginor", "Can't write file %1"), path});
    }
}

} // namespace imaging
