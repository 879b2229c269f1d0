// Files as every module reads and writes them: a regular file read whole, a file written
// so that a crash or a failure never leaves half of it in place of the old one, a private
// temporary folder, and a descriptor closed on every path. Plain C++ over POSIX.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace core {

// Closes the descriptor it holds on every path out; -1 holds none.
class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(FileDescriptor&& other) noexcept : m_fd(other.release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept
    {
        reset(other.release());
        return *this;
    }
    int get() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }
    // The descriptor, no longer closed here.
    int release();
    // Closes the one held and holds fd.
    void reset(int fd = -1);

private:
    int m_fd = -1;
};

// A file that could not be read or written: what went wrong and, where the system said
// why, its errno (code()).
class FileError : public std::system_error {
public:
    enum class Failure {
        CannotOpen,  // open or fstat failed (code() says why)
        NotOrdinary, // a folder, a pipe, a device: no file to read whole
        TooLarge,    // larger than the reader allows
        CannotRead,  // read failed (code() says why)
        CannotWrite, // the temporary, a write, the sync or the rename failed (code() says why)
    };
    FileError(Failure failure, int err, const std::string& path);
    Failure failure() const { return m_failure; }
    const std::string& path() const { return m_path; }

private:
    Failure m_failure;
    std::string m_path;
};

// The whole of a regular file, up to maxBytes (TooLarge beyond). A named pipe is refused
// (NotOrdinary) rather than waited on. A file that shrinks while it is read gives what
// was there. Throws FileError.
std::vector<std::uint8_t> readWholeFile(const std::string& path, std::uint64_t maxBytes);

// The temporary file a writer fills.
class OutputFile {
public:
    OutputFile(int fd, bool mustReachDisk) : m_fd(fd), m_mustReachDisk(mustReachDisk) {}
    int fd() const { return m_fd; }
    // Called after each large write. A file that will replace another must be on the
    // disk before the rename; the disk starts on what is written so far, so the final
    // sync waits for the last few megabytes instead of the whole file.
    void startWriteback();

private:
    int m_fd;
    bool m_mustReachDisk;
    std::int64_t m_handedToDisk = 0;
};

// Writes a file beside `path` through writeBody and gives it the name `path` only when
// every byte is written, so a failure leaves any previous file as it was. The temporary
// is unnamed where the file system allows (a save killed midway leaves nothing), else a
// locked "<path>.part-xxxxxxxx" that the next save into the folder removes if its writer
// died. A symbolic link at path is followed, and a replaced file keeps its permissions.
// writeBody reports failed writes as std::system_error; those and the writer's own
// failures throw FileError (CannotWrite). Any other exception writeBody throws reaches the
// caller unchanged, with the temporary removed.
void writeFileWith(const std::string& path, const std::function<void(OutputFile&)>& writeBody);
// writeFileWith for bytes in memory.
void writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

// A folder of its own, "<prefix>XXXXXX" in the system's temporary folder (/tmp when that
// is not set right), removed with everything in it when this goes out of scope. Throws
// FileError (CannotWrite, with the folder's pattern "<folder>/<prefix>XXXXXX") when none
// can be made.
class TemporaryFolder {
public:
    explicit TemporaryFolder(std::string_view prefix = "paginor-");
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace core
