// The layout file's ZIP archive through libzip: written from members made one at a time,
// read with the checks a hostile archive meets (bare names, one member per name, sizes
// that hold, data that inflates to no more than it says).
#include "printing/layout/layout_archive.h"

#include "core/file_signature.h"
#include "core/files.h"
#include "imaging/codecs/codecs.h"

#include <libdeflate.h>
#include <zip.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <ctime>
#include <exception>
#include <map>
#include <system_error>

namespace printing {
namespace {

// The description is a few lines per frame; anything larger is not one of ours.
constexpr std::uint64_t kMaxDescriptionBytes = 1 << 20;

std::string zipMessage(zip_error_t& e)
{
    std::string s = zip_error_strerror(&e);
    zip_error_fini(&e);
    return s;
}

} // namespace

bool isBareMemberName(std::string_view name)
{
    if (name.empty() || name.size() > 255 || name.find("..") != std::string_view::npos)
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20;
    });
}

std::uint64_t maxPictureMemberBytes()
{
    // Members are written as 24-bit BMP or JPEG: 3 bytes a pixel of the codecs' pixel
    // limit, and 64 KiB for the headers and the row padding of any but absurdly narrow
    // pictures.
    return static_cast<std::uint64_t>(imaging::kMaxPixels) * 3 + 65536;
}

namespace {

// The archive's own source: read from the old archive's file, written into the output
// file. libzip gets descriptors, never memory of ours, so no libzip version can free or
// keep what the program owns.
struct ArchiveFiles {
    int oldFd = -1; // -1: no old archive, a new one is made
    zip_uint64_t oldSize = 0;
    zip_uint64_t readAt = 0;
    int outFd = -1;
    zip_uint64_t writeAt = 0;
    zip_uint64_t writeEnd = 0;
    bool committed = false;
    zip_error_t error{};
};

zip_int64_t failWith(zip_error_t& error, int zipCode, int systemCode)
{
    zip_error_set(&error, zipCode, systemCode);
    return -1;
}

zip_int64_t archiveFiles(void* state, void* data, zip_uint64_t len, zip_source_cmd_t cmd)
{
    ArchiveFiles& f = *static_cast<ArchiveFiles*>(state);
    switch (cmd) {
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                              ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, ZIP_SOURCE_SEEK, ZIP_SOURCE_TELL,
                                              ZIP_SOURCE_SUPPORTS, ZIP_SOURCE_BEGIN_WRITE, ZIP_SOURCE_WRITE,
                                              ZIP_SOURCE_SEEK_WRITE, ZIP_SOURCE_TELL_WRITE, ZIP_SOURCE_COMMIT_WRITE,
                                              ZIP_SOURCE_ROLLBACK_WRITE, ZIP_SOURCE_REMOVE, -1);
    case ZIP_SOURCE_STAT: {
        if (f.oldFd < 0) // how libzip learns that the archive is a new one
            return failWith(f.error, ZIP_ER_READ, ENOENT);
        auto* st = static_cast<zip_stat_t*>(data);
        zip_stat_init(st);
        st->size = f.oldSize;
        st->valid |= ZIP_STAT_SIZE;
        return sizeof(*st);
    }
    case ZIP_SOURCE_OPEN:
        f.readAt = 0;
        return 0;
    case ZIP_SOURCE_READ: {
        const zip_uint64_t n = std::min(len, f.oldSize - std::min(f.readAt, f.oldSize));
        ssize_t got;
        do
            got = ::pread(f.oldFd, data, n, static_cast<off_t>(f.readAt));
        while (got < 0 && errno == EINTR);
        if (got < 0)
            return failWith(f.error, ZIP_ER_READ, errno);
        f.readAt += static_cast<zip_uint64_t>(got);
        return got;
    }
    case ZIP_SOURCE_SEEK: {
        const zip_int64_t at = zip_source_seek_compute_offset(f.readAt, f.oldSize, data, len, &f.error);
        if (at < 0)
            return -1;
        f.readAt = static_cast<zip_uint64_t>(at);
        return 0;
    }
    case ZIP_SOURCE_TELL:
        return static_cast<zip_int64_t>(f.readAt);
    case ZIP_SOURCE_BEGIN_WRITE:
        f.writeAt = f.writeEnd = 0;
        return 0;
    case ZIP_SOURCE_WRITE: {
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        for (zip_uint64_t done = 0; done < len;) {
            const ssize_t n = ::pwrite(f.outFd, bytes + done, len - done, static_cast<off_t>(f.writeAt + done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return failWith(f.error, ZIP_ER_WRITE, n < 0 ? errno : EIO);
            done += static_cast<zip_uint64_t>(n);
        }
        f.writeAt += len;
        f.writeEnd = std::max(f.writeEnd, f.writeAt);
        return static_cast<zip_int64_t>(len);
    }
    case ZIP_SOURCE_SEEK_WRITE: {
        const zip_int64_t at = zip_source_seek_compute_offset(f.writeAt, f.writeEnd, data, len, &f.error);
        if (at < 0)
            return -1;
        f.writeAt = static_cast<zip_uint64_t>(at);
        return 0;
    }
    case ZIP_SOURCE_TELL_WRITE:
        return static_cast<zip_int64_t>(f.writeAt);
    case ZIP_SOURCE_COMMIT_WRITE:
        f.committed = true;
        return 0;
    case ZIP_SOURCE_ROLLBACK_WRITE:
    case ZIP_SOURCE_REMOVE: // an archive left with no members: the caller never publishes one
    case ZIP_SOURCE_CLOSE:
    case ZIP_SOURCE_FREE:
        return 0;
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&f.error, data, len);
    default:
        return failWith(f.error, ZIP_ER_OPNOTSUPP, 0);
    }
}

// One member's source. Made bytes exist from the moment libzip asks for the member's size
// until it has read them; the size is remembered for its later questions.
struct MemberFeed {
    const ArchiveMember* member = nullptr;
    const ArchiveProgress* progress = nullptr;
    std::vector<std::uint8_t> made;
    std::span<const std::uint8_t> bytes;
    std::optional<zip_uint64_t> size;
    zip_uint64_t readAt = 0;
    std::exception_ptr failure; // what make threw, rethrown once libzip has given up
    zip_error_t error{};

    bool prepare()
    {
        if (size)
            return true;
        try {
            if (progress->starting)
                progress->starting(member->name);
            if (member->make) {
                made = member->make();
                bytes = made;
            } else {
                bytes = member->bytes;
            }
        } catch (...) {
            failure = std::current_exception();
            zip_error_set(&error, ZIP_ER_INTERNAL, 0);
            return false;
        }
        size = bytes.size();
        return true;
    }
};

zip_int64_t memberFeed(void* state, void* data, zip_uint64_t len, zip_source_cmd_t cmd)
{
    MemberFeed& m = *static_cast<MemberFeed*>(state);
    switch (cmd) {
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                              ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, ZIP_SOURCE_SUPPORTS, -1);
    case ZIP_SOURCE_STAT: {
        if (!m.prepare())
            return -1;
        auto* st = static_cast<zip_stat_t*>(data);
        zip_stat_init(st);
        st->size = *m.size;
        st->mtime = std::time(nullptr);
        st->valid |= ZIP_STAT_SIZE | ZIP_STAT_MTIME;
        return sizeof(*st);
    }
    case ZIP_SOURCE_OPEN:
        m.readAt = 0;
        return m.prepare() ? 0 : -1;
    case ZIP_SOURCE_READ: {
        const std::size_t n = static_cast<std::size_t>(std::min<zip_uint64_t>(len, m.bytes.size() - m.readAt));
        std::copy_n(m.bytes.data() + m.readAt, n, static_cast<std::uint8_t*>(data));
        m.readAt += n;
        return static_cast<zip_int64_t>(n);
    }
    case ZIP_SOURCE_CLOSE:
        m.made = {};
        m.bytes = {};
        return 0;
    case ZIP_SOURCE_FREE:
        return 0;
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&m.error, data, len);
    default:
        return failWith(m.error, ZIP_ER_OPNOTSUPP, 0);
    }
}

void reportProgress(zip_t*, double done, void* state)
{
    const auto& progress = *static_cast<const ArchiveProgress*>(state);
    try {
        progress.progress(done);
    } catch (...) {
        // Only the bar: the archive goes on.
    }
}

} // namespace

void writeArchive(int out, const std::string& oldPath, const std::vector<ArchiveMember>& members,
                  const std::string& path, const ArchiveProgress& progress)
{
    const auto failed = [&](const std::string& what) {
        return LayoutError({QT_TRANSLATE_NOOP("Paginor", "Can't write the layout file %1: %2"), path, what});
    };
    ArchiveFiles files;
    files.outFd = out;
    core::FileDescriptor old;
    if (!oldPath.empty()) {
        old.reset(::open(oldPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
        struct stat st {};
        if (!old.isOpen() && errno != ENOENT)
            throw failed(std::generic_category().message(errno));
        if (old.isOpen() && (::fstat(old.get(), &st) != 0 || !S_ISREG(st.st_mode)))
            throw failed("it is not an ordinary file");
        files.oldFd = old.get();
        files.oldSize = old.isOpen() ? static_cast<zip_uint64_t>(st.st_size) : 0;
    }
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* src = zip_source_function_create(archiveFiles, &files, &error);
    if (!src)
        throw failed(zipMessage(error));
    zip_t* za = zip_open_from_source(src, ZIP_CREATE, &error);
    if (!za) {
        zip_source_free(src);
        throw failed(zipMessage(error));
    }
    zip_error_fini(&error);
    std::vector<std::unique_ptr<MemberFeed>> feeds;
    const auto fail = [&](const std::string& what) {
        const LayoutError e = failed(what + ": " + zip_strerror(za));
        zip_discard(za);
        throw e;
    };
    for (const ArchiveMember& m : members) {
        if (!isBareMemberName(m.name))
            fail("not a bare member name '" + m.name + "'");
        feeds.push_back(std::make_unique<MemberFeed>());
        feeds.back()->member = &m;
        feeds.back()->progress = &progress;
        zip_source_t* member = zip_source_function(za, memberFeed, feeds.back().get());
        if (!member)
            fail(m.name);
        const zip_int64_t idx = zip_file_add(za, m.name.c_str(), member, ZIP_FL_OVERWRITE);
        if (idx < 0) {
            zip_source_free(member);
            fail(m.name);
        }
        if (zip_set_file_compression(za, static_cast<zip_uint64_t>(idx), ZIP_CM_DEFLATE, 9) < 0)
            fail(m.name);
    }
    if (progress.progress)
        zip_register_progress_callback_with_state(za, 0.005, reportProgress, nullptr,
                                                  const_cast<ArchiveProgress*>(&progress));
    if (zip_close(za) < 0) {
        for (const auto& f : feeds)
            if (f->failure) {
                zip_discard(za);
                std::rethrow_exception(f->failure);
            }
        fail("writing");
    }
    if (!files.committed)
        throw failed("the archive was not finished");
}

// ---- reading ----------------------------------------------------------------------------

namespace {

struct ZipFileCloser {
    void operator()(zip_file_t* f) const { zip_fclose(f); }
};
using ZipFile = std::unique_ptr<zip_file_t, ZipFileCloser>;

} // namespace

struct LayoutArchive::Impl {
    zip_t* za = nullptr;
    std::map<std::string, int> nameCounts;
    std::string path;                   // the file it was opened from, or
    std::span<const std::uint8_t> bytes; // the bytes

    void countNames()
    {
        const zip_int64_t n = zip_get_num_entries(za, 0);
        for (zip_int64_t i = 0; i < n; ++i)
            if (const char* name = zip_get_name(za, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW))
                ++nameCounts[name];
    }
    int count(const std::string& name) const
    {
        const auto it = nameCounts.find(name);
        return it == nameCounts.end() ? 0 : it->second;
    }
    // The member opened after the checks extract makes; null when there is none. With
    // ZIP_FL_COMPRESSED in flags its data is read as it is stored.
    ZipFile openMember(const std::string& member, std::uint64_t maxBytes, zip_stat_t& st, zip_flags_t flags = 0)
    {
        if (!isBareMemberName(member))
            throw LayoutError({QT_TRANSLATE_NOOP("Paginor", "The layout file names a member that is not a plain file name: %1"), member});
        const int n = count(member);
        if (n == 0)
            return {};
        if (n > 1)
            throw LayoutError({QT_TRANSLATE_NOOP("Paginor", "The layout file holds more than one member named %1"), member});
        zip_stat_init(&st);
        if (zip_stat(za, member.c_str(), 0, &st) < 0 || !(st.valid & ZIP_STAT_SIZE))
            throw LayoutError({QT_TRANSLATE_NOOP("Paginor", "The layout file's member %1 cannot be read"), member});
        if (st.size > maxBytes)
            throw LayoutError({QT_TRANSLATE_NOOP("Paginor", "The layout file's member %1 would inflate to %2 bytes, more than any picture needs"),
                               member, st.size});
        ZipFile f(zip_fopen(za, member.c_str(), flags));
        if (!f)
            throw LayoutError({QT_TRANSLATE_NOOP("Paginor", "The layout file's member %1 cannot be read: %2"), member, zip_strerror(za)});
        return f;
    }
    std::optional<std::vector<std::uint8_t>> inflateWhole(const std::string& member, std::uint64_t maxBytes,
                                                          const zip_stat_t& st);
};

LayoutArchive::LayoutArchive(const std::string& path) : m(std::make_unique<Impl>())
{
    int code = 0;
    m->za = zip_open(path.c_str(), ZIP_RDONLY, &code);
    if (!m->za)
        throw LayoutError(kCantOpenLayout);
    m->path = path;
    m->countNames();
}

LayoutArchive::LayoutArchive(std::span<const std::uint8_t> bytes) : m(std::make_unique<Impl>())
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* src = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (src)
        m->za = zip_open_from_source(src, ZIP_RDONLY, &error);
    zip_error_fini(&error);
    if (!m->za) {
        if (src)
            zip_source_free(src);
        throw LayoutError(kCantOpenLayout);
    }
    m->bytes = bytes;
    m->countNames();
}

std::unique_ptr<LayoutArchive> LayoutArchive::reopen() const
{
    return m->path.empty() ? std::make_unique<LayoutArchive>(m->bytes) : std::make_unique<LayoutArchive>(m->path);
}

LayoutArchive::~LayoutArchive()
{
    if (m && m->za)
        zip_discard(m->za);
}

std::string LayoutArchive::readDescription()
{
    const std::string name(kLayoutMember);
    if (m->count(name) != 1)
        throw LayoutError(kCantOpenLayout);
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat(m->za, name.c_str(), 0, &st) < 0)
        throw LayoutError(kCantOpenLayout);
    if ((st.valid & ZIP_STAT_SIZE) && st.size > kMaxDescriptionBytes)
        throw LayoutError(kNotALayoutFile);
    ZipFile f(zip_fopen(m->za, name.c_str(), 0));
    if (!f)
        throw LayoutError(kCantOpenLayout);
    std::string text;
    std::array<char, 16384> buf{};
    for (;;) {
        const zip_int64_t got = zip_fread(f.get(), buf.data(), buf.size());
        if (got < 0)
            throw LayoutError(kCantOpenLayout);
        if (got == 0)
            break;
        text.append(buf.data(), static_cast<std::size_t>(got));
        if (text.size() > kMaxDescriptionBytes)
            throw LayoutError(kNotALayoutFile);
    }
    return text;
}

namespace {

// Reads a member's data in chunks into sink, checking it against the size the directory
// gives: data that inflates past it is refused before sink sees it. sink returns false to
// stop early (the member is then not read to its end).
template <typename Sink>
void readMember(zip_file_t* f, const std::string& member, std::uint64_t size, std::vector<char>& buf, Sink&& sink)
{
    std::uint64_t total = 0;
    for (;;) {
        const zip_int64_t got = zip_fread(f, buf.data(), buf.size());
        if (got < 0)
            throw LayoutError({QT_TRANSLATE_NOOP("Paginor", "The layout file's member %1 is damaged: %2"), member, zip_file_strerror(f)});
        if (got == 0)
            break;
        total += static_cast<std::uint64_t>(got);
        if (total > size)
            throw LayoutError({QT_TRANSLATE_NOOP("Paginor", "The layout file's member %1 inflates past the size the archive gives for it"), member});
        if (!sink(buf.data(), static_cast<std::size_t>(got)))
            return;
    }
    if (total != size)
        throw LayoutError({QT_TRANSLATE_NOOP("Paginor", "The layout file's member %1 is shorter than the archive says"), member});
}

} // namespace

bool LayoutArchive::extract(const std::string& member, const std::filesystem::path& folder, std::uint64_t maxBytes)
{
    zip_stat_t st;
    const ZipFile f = m->openMember(member, maxBytes, st);
    if (!f)
        return false;
    const std::uint64_t size = st.size;
    const std::filesystem::path target = folder / member;
    const core::FileDescriptor out(::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!out.isOpen())
        throw LayoutError({QT_TRANSLATE_NOOP("Paginor", "Can't extract %1 into the temporary folder"), member});
    std::vector<char> buf(1 << 20);
    try {
        readMember(f.get(), member, size, buf, [&](const char* data, std::size_t got) {
            for (std::size_t done = 0; done < got;) {
                const ssize_t w = ::write(out.get(), data + done, got - done);
                if (w <= 0)
                    throw LayoutError({QT_TRANSLATE_NOOP("Paginor", "The layout file's member %1 could not be written to the temporary folder"), member});
                done += static_cast<std::size_t>(w);
            }
            return true;
        });
    } catch (...) {
        std::error_code ec;
        std::filesystem::remove(target, ec);
        throw;
    }
    return true;
}

// A deflated member inflated in one call with libdeflate, several times as fast as zlib's
// stream. Only data that comes out at the size and with the check sum the directory gives
// is returned; anything else (damaged data, a size that lies, an encrypted member) gives
// nothing, and the member is then read through libzip, which tells what is wrong in its
// own words.
std::optional<std::vector<std::uint8_t>> LayoutArchive::Impl::inflateWhole(const std::string& member,
                                                                          std::uint64_t maxBytes, const zip_stat_t& st)
{
    constexpr zip_uint64_t kNeeded = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_CRC |
                                     ZIP_STAT_ENCRYPTION_METHOD;
    // Deflate never grows data by more than a few bytes a block.
    if ((st.valid & kNeeded) != kNeeded || st.comp_method != ZIP_CM_DEFLATE || st.encryption_method != ZIP_EM_NONE ||
        st.comp_size > st.size + st.size / 16 + 1024)
        return std::nullopt;
    zip_stat_t raw;
    const ZipFile f = openMember(member, maxBytes, raw, ZIP_FL_COMPRESSED);
    if (!f)
        return std::nullopt;
    std::vector<std::uint8_t> packed(static_cast<std::size_t>(st.comp_size));
    std::size_t have = 0;
    while (have < packed.size()) {
        const zip_int64_t got = zip_fread(f.get(), packed.data() + have, packed.size() - have);
        if (got <= 0)
            return std::nullopt;
        have += static_cast<std::size_t>(got);
    }
    std::vector<std::uint8_t> data(static_cast<std::size_t>(st.size));
    struct Freer {
        void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
    };
    const std::unique_ptr<libdeflate_decompressor, Freer> inflater(libdeflate_alloc_decompressor());
    if (!inflater ||
        libdeflate_deflate_decompress(inflater.get(), packed.data(), packed.size(), data.data(), data.size(), nullptr) !=
            LIBDEFLATE_SUCCESS ||
        libdeflate_crc32(0, data.data(), data.size()) != st.crc)
        return std::nullopt;
    return data;
}

namespace {

bool startsLikeJpeg(const char* data, std::size_t size)
{
    return core::startsAsJpeg({reinterpret_cast<const std::uint8_t*>(data), size});
}

} // namespace

std::optional<std::vector<std::uint8_t>> LayoutArchive::readJpeg(const std::string& member, std::uint64_t maxBytes)
{
    zip_stat_t st;
    const ZipFile f = m->openMember(member, maxBytes, st);
    if (!f || st.size < 2)
        return std::nullopt;
    if (std::optional<std::vector<std::uint8_t>> whole = m->inflateWhole(member, maxBytes, st)) {
        if (!startsLikeJpeg(reinterpret_cast<const char*>(whole->data()), whole->size()))
            return std::nullopt;
        return whole;
    }
    std::vector<std::uint8_t> data;
    bool jpeg = true;
    std::vector<char> buf(1 << 16);
    readMember(f.get(), member, st.size, buf, [&](const char* chunk, std::size_t got) {
        if (data.empty()) {
            jpeg = startsLikeJpeg(chunk, got);
            if (!jpeg)
                return false;
            data.reserve(static_cast<std::size_t>(st.size));
        }
        data.insert(data.end(), chunk, chunk + got);
        return true;
    });
    if (!jpeg)
        return std::nullopt;
    return data;
}

core::TemporaryFolder makeExtractFolder()
{
    try {
        return core::TemporaryFolder("paginor-page-");
    } catch (const core::FileError& e) {
        throw LayoutError({QT_TRANSLATE_NOOP("Paginor", "Can't make a temporary folder in %1"),
                           std::filesystem::path(e.path()).parent_path().string()});
    }
}

} // namespace printing
