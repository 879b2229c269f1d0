// Whole-file reads, crash-safe writes, private temporary folders and the size guard.
#include "imaging/codecs/codec_internal.h"
#include "imaging/codecs/codec_messages.h"
#include "imaging/codecs/fast_io.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <string_view>
#include <random>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace imaging {
namespace {

std::string errnoText(int err)
{
    return std::generic_category().message(err);
}

// Closes a descriptor on every path.
class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

std::string randomSuffix()
{
    static thread_local std::mt19937_64 engine{std::random_device{}()};
    static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string s;
    for (int i = 0; i < 8; ++i)
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

} // namespace

std::vector<std::uint8_t> readWholeFile(const std::string& path)
{
    // O_NONBLOCK: a named pipe given as a picture must not hang the program.
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0)
        throw ImagingError(msg::compose(msg::kCannotOpen, path, errnoText(errno)));
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        throw ImagingError(msg::compose(msg::kCannotOpen, path, errnoText(errno)));
    if (!S_ISREG(st.st_mode))
        throw ImagingError(msg::compose(msg::kCannotOpen, path, QT_TRANSLATE_NOOP("Paginor", "not an ordinary file")));
    if (st.st_size > detail::maxImageBytes())
        throw ImagingError(msg::compose(msg::kTooLarge, path, QT_TRANSLATE_NOOP("Paginor", "the file is larger than this machine can hold")));
    std::vector<std::uint8_t> data(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::read(fd.get(), data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw ImagingError(msg::compose(msg::kCannotRead, path, errnoText(errno)));
        if (n == 0)
            break; // the file shrank while we read it
        done += static_cast<std::size_t>(n);
    }
    data.resize(done);
    return data;
}

void writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes)
{
    writeFileWith(path, [&](OutputFile& out) { writeAll(out, bytes); });
}

namespace {

constexpr std::string_view kPartMark = ".part-";
constexpr std::size_t kSuffixLength = 8;

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
        Fd fd(::open(it->path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat st {};
        if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
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
    Fd dir(::open(target.parent_path().empty() ? "." : target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
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
    Fd fd(opened);
    if (fd.get() < 0)
        throw ImagingError(msg::compose(msg::kCannotWrite, path, errnoText(errno)));
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
            Fd lock(::dup(fd.get()));
            if (::close(fd.release()) != 0)
                throw std::system_error(errno, std::generic_category());
            if (::rename(tempName.c_str(), target.c_str()) != 0)
                throw std::system_error(errno, std::generic_category());
        }
    } catch (const std::system_error& e) {
        discard();
        throw ImagingError(msg::compose(msg::kCannotWrite, path, errnoText(e.code().value())));
    } catch (...) {
        discard();
        throw;
    }
    // Make the replacement itself durable; a failure here leaves a complete file anyway.
    if (replacing)
        syncFolderOf(target);
}

namespace detail {

std::int64_t maxImageBytes()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return std::int64_t(4) << 30;
    // Half the memory for one picture leaves room for the copies editing makes.
    return static_cast<std::int64_t>(pages) * pageSize / 2;
}

namespace {
std::atomic<std::int64_t> g_maxDecodedPixels{kMaxPixels};
} // namespace

void setMaxDecodedPixels(std::int64_t pixels)
{
    g_maxDecodedPixels = pixels > 0 && pixels < kMaxPixels ? pixels : kMaxPixels;
}

std::int64_t maxDecodedPixels()
{
    return g_maxDecodedPixels;
}

void checkImageSize(std::int64_t width, std::int64_t height, const std::string& path)
{
    if (width <= 0 || height <= 0)
        throw ImagingError(msg::compose(msg::kCannotRead, path, app::Message(QT_TRANSLATE_NOOP("Paginor", "the image has no pixels"))));
    // Bitmap sizes are ints; the row stride must fit too.
    if (width > (1 << 28) || height > (1 << 28) || width * height > g_maxDecodedPixels)
        throw ImagingError(msg::compose(msg::kTooLarge, path, app::Message(QT_TRANSLATE_NOOP("Paginor", "%1 x %2 pixels"), width, height)));
    // A decoder may hold a 32-bit copy beside our 24-bit result.
    if (width * height * 7 > maxImageBytes())
        throw ImagingError(msg::compose(
            msg::kTooLarge, path,
            app::Message(QT_TRANSLATE_NOOP("Paginor", "%1 x %2 pixels, more than this machine's memory"), width, height)));
}

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "paginor-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw ImagingError(msg::compose(msg::kCannotWrite, pattern, errnoText(errno)));
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

} // namespace detail
} // namespace imaging
