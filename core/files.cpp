#include "core/files.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <random>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace core {

int FileDescriptor::release()
{
    return std::exchange(m_fd, -1);
}

void FileDescriptor::reset(int fd)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
}

FileError::FileError(Failure failure, int err, const std::string& path)
    : std::system_error(err, std::generic_category(), path), m_failure(failure), m_path(path)
{
}

std::vector<std::uint8_t> readWholeFile(const std::string& path, std::uint64_t maxBytes)
{
    using enum FileError::Failure;
    // O_NONBLOCK: a named pipe given as a file must not hang the program.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd.isOpen())
        throw FileError(CannotOpen, errno, path);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        throw FileError(CannotOpen, errno, path);
    if (!S_ISREG(st.st_mode))
        throw FileError(NotOrdinary, 0, path);
    if (static_cast<std::uint64_t>(st.st_size) > maxBytes)
        throw FileError(TooLarge, 0, path);
    std::vector<std::uint8_t> data(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::read(fd.get(), data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw FileError(CannotRead, errno, path);
        if (n == 0)
            break; // the file shrank while we read it
        done += static_cast<std::size_t>(n);
    }
    data.resize(done);
    return data;
}

namespace {

constexpr std::string_view kPartMark = ".part-";
constexpr std::size_t kSuffixLength = 8;

std::string randomSuffix()
{
    static thread_local std::mt19937_64 engine{std::random_device{}()};
    static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string s;
    for (std::size_t i = 0; i < kSuffixLength; ++i)
        s += kDigits[engine() % 36];
    return s;
}

void writeAll(OutputFile& out, std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(out.fd(), bytes.data(), std::min<std::size_t>(bytes.size(), 1 << 24));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw std::system_error(n < 0 ? errno : EIO, std::generic_category());
        bytes = bytes.subspan(static_cast<std::size_t>(n));
        out.startWriteback();
    }
}

// The file the name stands for: a symbolic link is followed, so saving over a linked
// file replaces the file, not the link.
std::filesystem::path resolveTarget(const std::string& path)
{
    std::error_code ec;
    const std::filesystem::path p(path);
    if (std::filesystem::is_symlink(p, ec)) {
        auto real = std::filesystem::canonical(p, ec);
        if (!ec)
            return real;
    }
    return p;
}

bool isOurPartName(const std::string& name)
{
    const std::size_t mark = name.rfind(kPartMark);
    if (mark == std::string::npos || mark == 0 || name.size() != mark + kPartMark.size() + kSuffixLength)
        return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(mark + kPartMark.size()), name.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'); });
}

// A save holds an exclusive lock on its temporary from birth until the rename, so a
// part file nobody holds was left by a save that was killed. Removing those on the
// next save into the folder keeps a file system without unnamed temporaries tidy.
void removeStaleParts(const std::filesystem::path& folder)
{
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!isOurPartName(name))
            continue;
        FileDescriptor fd(::open(it->path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat st {};
        if (!fd.isOpen() || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0)
            continue; // a save is writing it now
        // A save opens its temporary and locks it the next moment: an empty file of the
        // last seconds may be one caught in between.
        if (st.st_size == 0 && ::time(nullptr) - st.st_mtime < 5)
            continue;
        ::unlink(it->path().c_str());
    }
}

// A fresh named temporary beside the target, never an existing file, locked at once.
int openNamedTemporary(const std::filesystem::path& target, std::string& tempName)
{
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        tempName = target.string() + std::string(kPartMark) + randomSuffix();
        fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd >= 0)
        ::flock(fd, LOCK_EX);
    return fd;
}

// An unnamed temporary in the target's folder: a save killed before it gets a name
// leaves nothing behind. -1 where the file system has no such files.
int openUnnamedTemporary(const std::filesystem::path& target)
{
    const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd >= 0)
        ::flock(fd, LOCK_EX);
    return fd;
}

// Gives an unnamed temporary the name `name`; errno tells why not.
bool linkUnnamed(int fd, const std::string& name)
{
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    if (errno != ENOENT) // ENOENT: no /proc; the empty path needs privileges but may do
        return false;
    return ::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0;
}

// Names a finished unnamed temporary as the target: straight under the target's name
// when there is none yet, else under a fresh part name renamed over the target.
void publishUnnamed(int fd, const std::filesystem::path& target, bool replacing)
{
    if (!replacing && linkUnnamed(fd, target.string()))
        return;
    if (!replacing && errno != EEXIST)
        throw std::system_error(errno, std::generic_category());
    std::string name;
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target.string() + std::string(kPartMark) + randomSuffix();
        if (linkUnnamed(fd, name))
            break;
        if (errno != EEXIST)
            throw std::system_error(errno, std::generic_category());
        name.clear();
    }
    if (name.empty())
        throw std::system_error(EEXIST, std::generic_category());
    if (::rename(name.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(name.c_str());
        throw std::system_error(err, std::generic_category());
    }
}

void syncFolderOf(const std::filesystem::path& target)
{
    FileDescriptor dir(::open(target.parent_path().empty() ? "." : target.parent_path().c_str(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.isOpen())
        ::fsync(dir.get());
}

} // namespace

void OutputFile::startWriteback()
{
    if (!m_mustReachDisk)
        return;
    const off_t end = ::lseek(m_fd, 0, SEEK_CUR);
    // Advice only: a failure here shows again, and is reported, at the final sync.
    if (end > m_handedToDisk && ::sync_file_range(m_fd, m_handedToDisk, end - m_handedToDisk, SYNC_FILE_RANGE_WRITE) == 0)
        m_handedToDisk = end;
}

void writeFileWith(const std::string& path, const std::function<void(OutputFile&)>& writeBody)
{
    const std::filesystem::path target = resolveTarget(path);
    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    removeStaleParts(target.parent_path().empty() ? "." : target.parent_path());

    std::string tempName; // empty while the temporary has no name
    // Unnamed temporaries exist on local file systems only, whose close reports nothing.
    int opened = openUnnamedTemporary(target);
    if (opened < 0)
        opened = openNamedTemporary(target, tempName);
    FileDescriptor fd(opened);
    if (!fd.isOpen())
        throw FileError(FileError::Failure::CannotWrite, errno, path);
    const auto discard = [&] {
        if (!tempName.empty())
            ::unlink(tempName.c_str());
    };
    try {
        if (replacing && S_ISREG(old.st_mode))
            ::fchmod(fd.get(), old.st_mode & 07777); // keep the old file's permissions
        OutputFile out(fd.get(), replacing);
        writeBody(out);
        // Only a file that replaces another must reach the disk before the rename: a
        // crash must not leave the user's old file swapped for an empty one. A new name
        // loses nothing, and a 70 MB bitmap need not wait for the disk.
        if (replacing && ::fsync(fd.get()) != 0)
            throw std::system_error(errno, std::generic_category());
        if (tempName.empty()) {
            publishUnnamed(fd.get(), target, replacing);
        } else {
            // The lock must outlive the descriptor whose close reports late write errors
            // (network file systems), so that no other save takes the file for stale.
            FileDescriptor lock(::dup(fd.get()));
            if (::close(fd.release()) != 0)
                throw std::system_error(errno, std::generic_category());
            if (::rename(tempName.c_str(), target.c_str()) != 0)
                throw std::system_error(errno, std::generic_category());
        }
    } catch (const std::system_error& e) {
        discard();
        throw FileError(FileError::Failure::CannotWrite, e.code().value(), path);
    } catch (...) {
        discard();
        throw;
    }
    // Make the replacement itself durable; a failure here leaves a complete file anyway.
    if (replacing)
        syncFolderOf(target);
}

void writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes)
{
    writeFileWith(path, [&](OutputFile& out) { writeAll(out, bytes); });
}

TemporaryFolder::TemporaryFolder(std::string_view prefix)
{
    std::error_code ec;
    std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    if (ec)
        base = "/tmp";
    std::string pattern = (base / (std::string(prefix) + "XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw FileError(FileError::Failure::CannotWrite, errno, pattern);
    m_path = pattern;
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

} // namespace core
