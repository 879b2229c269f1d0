#include "printing/layout_file.h"

#include "imaging/codecs.h"

#include <zip.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <map>

namespace printing {
namespace {

// The description is a few lines per frame; anything larger is not one of ours.
constexpr std::uint64_t kMaxDescriptionBytes = 1 << 20;

std::string_view trim(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::optional<int> parseInt(std::string_view s)
{
    s = trim(s);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    int v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return v;
}

// Pages written where the decimal separator is a comma hold "1,33333337306976"; both
// separators are read so pages move between locales.
std::optional<float> parseFloat(std::string_view s)
{
    std::string t(trim(s));
    std::replace(t.begin(), t.end(), ',', '.');
    double v = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size() || !std::isfinite(v))
        return std::nullopt;
    return static_cast<float>(v);
}

// The text after the first "=" (the whole line when there is none), at most 255 characters.
std::string_view valueOf(std::string_view line)
{
    const std::size_t eq = line.find('=');
    if (eq != std::string_view::npos)
        line.remove_prefix(eq + 1);
    return line.substr(0, kMaxLayoutField);
}

std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        if (nl == std::string_view::npos)
            break;
        text.remove_prefix(nl + 1);
    }
    return lines;
}

std::string_view requiredLine(const std::vector<std::string_view>& lines, std::size_t i, const char* what)
{
    if (i >= lines.size())
        throw LayoutError({QT_TRANSLATE_NOOP("Paginor", "The layout file ends before its %1 line"), app::Message(what)});
    return lines[i];
}

LayoutLine parseFrameLine(std::string_view line)
{
    LayoutLine out;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
        out.error = {QT_TRANSLATE_NOOP("Paginor", "A frame line of the layout file has no \"=\": %1"), line.substr(0, kMaxLayoutField)};
        return out;
    }
    out.member = std::string(line.substr(0, eq));
    const std::string_view rest = line.substr(eq + 1, kMaxLayoutField);
    out.caption = std::string(rest.substr(0, rest.find(kClonedFrom)));
    out.frame = parseInt(std::string_view(out.member).substr(0, out.member.find('.')));
    if (!out.frame)
        out.error = {QT_TRANSLATE_NOOP("Paginor", "The frame number of the layout file's line \"%1\" is not a number"), out.member};
    // The writer puts the mark last; a caption may hold the text of its own, so the
    // number is the one after the last mark.
    const std::size_t mark = line.rfind(kClonedFrom);
    if (mark != std::string_view::npos) {
        out.hasCloneMark = true;
        out.cloneOf = parseInt(line.substr(mark + kClonedFrom.size()));
    }
    return out;
}

bool isFrameCount(int n)
{
    return n == 1 || n == 2 || n == 4 || n == 8 || n == 16;
}

std::string zipMessage(zip_error_t& e)
{
    std::string s = zip_error_strerror(&e);
    zip_error_fini(&e);
    return s;
}

} // namespace

std::string layoutNumber(float value)
{
    std::array<char, 64> buf{};
    const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), static_cast<double>(value),
                                 std::chars_format::general, 15);
    return std::string(buf.data(), r.ptr);
}

std::string writeLayoutText(int frameCount, float aspectRatio, float margin, std::string_view ext,
                            const std::vector<SavedFrame>& frames)
{
    std::string t;
    t += std::string(kLayoutHeader) + "\r\n";
    t += "Frames=" + std::to_string(frameCount) + "\r\n";
    t += "AR=" + layoutNumber(aspectRatio) + "\r\n";
    t += "margin=" + layoutNumber(margin) + "\r\n";
    for (const SavedFrame& f : frames) {
        // A line break in a caption would end the frame's line early and make the rest
        // of the caption a line of its own.
        std::string caption = f.caption;
        std::replace_if(caption.begin(), caption.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
        t += std::to_string(f.frame) + "." + std::string(ext) + "=" + caption + std::string(kClonedFrom) +
             std::to_string(f.cloneOf) + "\r\n";
    }
    t += std::string(kLayoutEnd) + "\r\n";
    return t;
}

PageDescription parseLayoutText(std::string_view text)
{
    const std::vector<std::string_view> lines = splitLines(text);
    if (lines.empty() || lines[0] != kLayoutHeader)
        throw LayoutError(kNotALayoutFile);
    PageDescription d;
    const std::string_view count = valueOf(requiredLine(lines, 1, QT_TRANSLATE_NOOP("Paginor", "frame count")));
    const std::optional<int> n = parseInt(count);
    if (!n)
        throw LayoutError({QT_TRANSLATE_NOOP("Paginor", "The frame count of the layout file is not a number: %1"), count});
    d.frameCountReplaced = !isFrameCount(*n);
    d.frameCount = d.frameCountReplaced ? 4 : *n;

    const std::string_view ar = valueOf(requiredLine(lines, 2, QT_TRANSLATE_NOOP("Paginor", "aspect ratio")));
    const std::optional<float> ratio = parseFloat(ar);
    if (!ratio || !(*ratio > 0.0f) || !std::isfinite(*ratio))
        throw LayoutError({QT_TRANSLATE_NOOP("Paginor", "The aspect ratio of the layout file is not a positive number: %1"), ar});
    d.aspectRatio = *ratio;
    const std::string_view mm = valueOf(requiredLine(lines, 3, QT_TRANSLATE_NOOP("Paginor", "margin")));
    const std::optional<float> margin = parseFloat(mm);
    if (!margin || *margin < 0.0f)
        throw LayoutError({QT_TRANSLATE_NOOP("Paginor", "The margin of the layout file is not a number of millimetres: %1"), mm});
    d.margin = *margin;

    for (std::size_t i = 4; i < lines.size(); ++i) {
        if (lines[i] == kLayoutEnd || d.lines.size() == static_cast<std::size_t>(d.frameCount))
            break;
        d.lines.push_back(parseFrameLine(lines[i]));
        if (lines[i].find(kLayoutEnd) != std::string_view::npos)
            break; // the description ends with the first line that holds the mark
    }
    return d;
}

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

std::vector<std::uint8_t> updatedArchive(std::span<const std::uint8_t> old, const std::vector<ArchiveMember>& members,
                                         const std::string& path)
{
    const auto failed = [&](const std::string& what) {
        return LayoutError({QT_TRANSLATE_NOOP("Paginor", "Can't write the layout file %1: %2"), path, what});
    };
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* src = zip_source_buffer_create(old.empty() ? nullptr : old.data(), old.size(), 0, &error);
    if (!src)
        throw failed(zipMessage(error));
    // The source outlives the archive: the new archive is read back from it.
    struct Release {
        zip_source_t* s;
        ~Release() { zip_source_free(s); }
    } release{src};
    zip_source_keep(src);
    zip_t* za = zip_open_from_source(src, ZIP_CREATE, &error);
    if (!za)
        throw failed(zipMessage(error));
    const auto fail = [&](const std::string& what) {
        const LayoutError e = failed(what + ": " + zip_strerror(za));
        zip_discard(za);
        throw e;
    };
    for (const ArchiveMember& m : members) {
        if (!isBareMemberName(m.name))
            fail("not a bare member name '" + m.name + "'");
        zip_source_t* member = zip_source_buffer(za, m.bytes.data(), m.bytes.size(), 0);
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
    if (zip_close(za) < 0)
        fail("writing");

    if (zip_source_open(src) < 0)
        throw failed(zip_error_strerror(zip_source_error(src)));
    std::vector<std::uint8_t> bytes;
    zip_int64_t size = -1;
    if (zip_source_seek(src, 0, SEEK_END) == 0)
        size = zip_source_tell(src);
    if (size >= 0 && zip_source_seek(src, 0, SEEK_SET) == 0) {
        bytes.resize(static_cast<std::size_t>(size));
        if (zip_source_read(src, bytes.data(), bytes.size()) != size)
            size = -1;
    }
    zip_source_close(src);
    if (size < 0)
        throw failed("reading the new archive back");
    return bytes;
}

// ---- reading ----------------------------------------------------------------------------

struct LayoutArchive::Impl {
    zip_t* za = nullptr;
    std::map<std::string, int> nameCounts;

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
};

LayoutArchive::LayoutArchive(const std::string& path) : m(std::make_unique<Impl>())
{
    int code = 0;
    m->za = zip_open(path.c_str(), ZIP_RDONLY, &code);
    if (!m->za)
        throw LayoutError(kCantOpenLayout);
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
    m->countNames();
}

LayoutArchive::~LayoutArchive()
{
    if (m && m->za)
        zip_discard(m->za);
}

namespace {

struct ZipFileCloser {
    void operator()(zip_file_t* f) const { zip_fclose(f); }
};
using ZipFile = std::unique_ptr<zip_file_t, ZipFileCloser>;

struct FdCloser {
    int fd;
    ~FdCloser()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

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

bool LayoutArchive::extract(const std::string& member, const std::filesystem::path& folder, std::uint64_t maxBytes)
{
    if (!isBareMemberName(member))
        throw LayoutError({QT_TRANSLATE_NOOP("Paginor", "The layout file names a member that is not a plain file name: %1"), member});
    const int count = m->count(member);
    if (count == 0)
        return false;
    if (count > 1)
        throw LayoutError({QT_TRANSLATE_NOOP("Paginor", "The layout file holds more than one member named %1"), member});
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat(m->za, member.c_str(), 0, &st) < 0 || !(st.valid & ZIP_STAT_SIZE))
        throw LayoutError({QT_TRANSLATE_NOOP("Paginor", "The layout file's member %1 cannot be read"), member});
    if (st.size > maxBytes)
        throw LayoutError({QT_TRANSLATE_NOOP("Paginor", "The layout file's member %1 would inflate to %2 bytes, more than any picture needs"),
                           member, st.size});
    ZipFile f(zip_fopen(m->za, member.c_str(), 0));
    if (!f)
        throw LayoutError({QT_TRANSLATE_NOOP("Paginor", "The layout file's member %1 cannot be read: %2"), member, zip_strerror(m->za)});

    const std::filesystem::path target = folder / member;
    FdCloser out{::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600)};
    if (out.fd < 0)
        throw LayoutError({QT_TRANSLATE_NOOP("Paginor", "Can't extract %1 into the temporary folder"), member});
    const auto fail = [&](const app::Message& why) {
        std::error_code ec;
        std::filesystem::remove(target, ec);
        throw LayoutError(why);
    };
    std::vector<char> buf(1 << 20);
    std::uint64_t total = 0;
    for (;;) {
        const zip_int64_t got = zip_fread(f.get(), buf.data(), buf.size());
        if (got < 0)
            fail({QT_TRANSLATE_NOOP("Paginor", "The layout file's member %1 is damaged: %2"), member, zip_file_strerror(f.get())});
        if (got == 0)
            break;
        total += static_cast<std::uint64_t>(got);
        // The directory's size was checked above; data that inflates past it is refused
        // before it is written.
        if (total > st.size)
            fail({QT_TRANSLATE_NOOP("Paginor", "The layout file's member %1 inflates past the size the archive gives for it"), member});
        for (zip_int64_t done = 0; done < got;) {
            const ssize_t w = ::write(out.fd, buf.data() + done, static_cast<std::size_t>(got - done));
            if (w <= 0)
                fail({QT_TRANSLATE_NOOP("Paginor", "The layout file's member %1 could not be written to the temporary folder"), member});
            done += w;
        }
    }
    if (total != st.size)
        fail({QT_TRANSLATE_NOOP("Paginor", "The layout file's member %1 is shorter than the archive says"), member});
    return true;
}

PrivateFolder::PrivateFolder()
{
    std::error_code ec;
    std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    if (ec)
        base = "/tmp";
    std::string pattern = (base / "paginor-page-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw LayoutError({QT_TRANSLATE_NOOP("Paginor", "Can't make a temporary folder in %1"), base.string()});
    m_path = pattern;
}

PrivateFolder::~PrivateFolder()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

} // namespace printing
