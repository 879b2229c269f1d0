#include "printing/core/layout_page.h"

#include "core/messages.h"
#include "exif/core/exif.h"
#include "imaging/codecs/codecs.h"
#include "page/core/decode_queue.h"
#include "page/core/frame_commands.h"
#include "page/core/loading.h"

#include <cmath>
#include <filesystem>
#include <mutex>
#include <optional>

namespace printing {
namespace {

// Status and progress are hidden again however the command ends.
struct StatusGuard {
    page::StatusDisplay& status;
    ~StatusGuard()
    {
        status.setProgress(0);
        status.setProgressVisible(false);
        status.setStatus("");
    }
};

int boundedPercent(double value)
{
    return static_cast<int>(std::min(100.0, std::nearbyint(value)));
}

// The member of frame n's own picture: an unchanged JPEG picture's own file data (which
// loads upright again by its orientation tag), anything else encoded upright with no tag
// when the archive comes to it. The member holds the picture, so the data stays whatever
// the window does while the archive is written.
ArchiveMember pictureMember(const std::string& name, const std::shared_ptr<imaging::Picture>& picture, bool asJpeg,
                            int quality)
{
    if (asJpeg && picture->keepsJpegFile())
        return {name, picture->jpegData(), {}};
    return {name, {}, [picture, asJpeg, quality] {
                const imaging::Bitmap& bmp = picture->bitmap();
                return asJpeg ? imaging::encodeJpeg(bmp.view(), quality) : imaging::encodeBmp(bmp.view());
            }};
}

bool showsCopies(const page::Page& page, int n)
{
    for (int other = 1; other <= page.state().FrameCount; ++other) {
        const page::FrameRecord& o = page.Frames()[static_cast<std::size_t>(other)];
        if (other != n && o.Loaded && o.CloneOf != 0 && o.PictureOwner == n)
            return true;
    }
    return false;
}

void problem(LayoutLoadResult& result, const core::Message& text)
{
    ++result.problems;
    core::messages().error(text);
}

// Handles on the archive for the decoding threads, one per thread at a time: a handle
// reads one member at a time, so each thread reads through a handle of its own.
class ArchiveHandles {
public:
    explicit ArchiveHandles(const LayoutArchive& archive) : m_archive(archive) {}

    std::unique_ptr<LayoutArchive> take()
    {
        {
            std::lock_guard lock(m_mutex);
            if (!m_free.empty()) {
                std::unique_ptr<LayoutArchive> h = std::move(m_free.back());
                m_free.pop_back();
                return h;
            }
        }
        return m_archive.reopen();
    }
    void give(std::unique_ptr<LayoutArchive> h)
    {
        std::lock_guard lock(m_mutex);
        m_free.push_back(std::move(h));
    }

private:
    const LayoutArchive& m_archive;
    std::mutex m_mutex;
    std::vector<std::unique_ptr<LayoutArchive>> m_free;
};

bool namedJpeg(const std::string& member)
{
    const imaging::FormatInfo* format = imaging::findFormat(imaging::extensionOf(member));
    return format != nullptr && format->decoder == imaging::Decoder::LibJpeg;
}

// A frame line's member on a decoding thread: a JPEG member is inflated into memory and
// decoded as a JPEG file is on loading (its data kept, a screen rendition made). Any other
// member is left to the load itself (deferred), which extracts it and loads the file.
page::DecodeQueue::Result decodeMember(ArchiveHandles& handles, const LayoutLine& line,
                                       const std::filesystem::path& folder, const LayoutLoadHooks& hooks,
                                       const page::OnLoadOptions& decoding)
{
    page::DecodeQueue::Result r;
    if (!namedJpeg(line.member)) {
        r.deferred = true;
        return r;
    }
    try {
        std::unique_ptr<LayoutArchive> handle = handles.take();
        std::optional<std::vector<std::uint8_t>> data = handle->readJpeg(line.member);
        handles.give(std::move(handle));
        if (!data) {
            r.deferred = true;
            return r;
        }
        r.loaded = page::loadJpegData(std::move(*data), (folder / line.member).string(), hooks.screenWidth,
                                      hooks.screenHeight, {}, decoding);
    } catch (const std::exception& e) {
        r.error = core::messageOf(e);
    }
    return r;
}

void loadFramePicture(page::Page& page, const std::string& archivePath, const LayoutLine& line,
                      page::DecodeQueue::Result decoded, LayoutArchive& archive, const std::filesystem::path& folder,
                      const LayoutLoadHooks& hooks, const page::OnLoadOptions& decoding, LayoutLoadResult& result)
{
    const int k = *line.frame;
    if (!decoded.error.empty()) {
        problem(result, decoded.error);
        return;
    }
    const std::filesystem::path file = folder / line.member;
    page::LoadedPicture loaded;
    if (decoded.deferred) {
        if (!archive.extract(line.member, folder))
            return; // a missing member leaves its frame empty
        try {
            loaded = page::loadImageFile(file.string(), hooks.screenWidth, hooks.screenHeight, {}, decoding);
        } catch (const std::exception& e) {
            std::filesystem::remove(file);
            problem(result, core::messageOf(e));
            return;
        }
        std::filesystem::remove(file);
    } else {
        loaded = std::move(decoded.loaded);
    }
    page.status().showStatus({QT_TRANSLATE_NOOP("Paginor", "Loading Images%1"), file.string()});
    if (showsCopies(page, k)) {
        problem(result, page::clonedFrameMessage(k));
        return;
    }
    page.emptyFrame(k);
    page::FrameRecord& f = page.frame(k);
    f.AspectRatio = static_cast<float>(loaded.picture->width()) / static_cast<float>(loaded.picture->height());
    f.PictureHolder = std::move(loaded.picture);
    f.ScreenPicture = std::move(loaded.screen);
    f.PictureOwner = k;
    f.Loaded = true;
    f.CloneOf = 0;
    f.NotFromFile = false;
    f.FileName = std::string(kLoadedPage) + archivePath;
    f.Details = line.caption;
    f.HasExif = false;
    f.ExifTags.clear();
    result.members[static_cast<std::size_t>(k)] = line.member;
    if (hooks.framePainted)
        hooks.framePainted(k);
}

// Frame a shows frame s's picture; made only between two different loaded frames in range.
void makeClone(page::Page& page, int a, int s, const LayoutLine& line, const LayoutLoadHooks& hooks,
               LayoutLoadResult& result)
{
    const int count = page.state().FrameCount;
    if (a < 1 || s < 1 || a > count || s > count || a == s || !page.frame(s).Loaded)
        return;
    if (showsCopies(page, a)) {
        problem(result, page::clonedFrameMessage(a));
        return;
    }
    const page::FrameRecord source = page.frame(s);
    page::FrameRecord& f = page.frame(a);
    f.PictureHolder.reset();
    f.ScreenPicture = {};
    f.PictureOwner = source.PictureOwner;
    f.CloneOf = source.PictureOwner;
    f.AspectRatio = source.AspectRatio;
    f.Details = source.Details;
    f.Loaded = true;
    f.NotFromFile = false;
    f.FileName = std::string(kCloneOf) + std::to_string(s);
    f.HasExif = source.HasExif;
    f.ExifTags = source.ExifTags;
    result.members[static_cast<std::size_t>(a)] = line.member;
    if (hooks.framePainted)
        hooks.framePainted(a);
}

} // namespace

void savePageArchive(page::Page& page, const std::string& archivePath, const std::function<void()>& keepAlive,
               ArchiveWrite mode)
{
    const settings::Settings& s = page.settings();
    const bool asJpeg = s.store_as_Jpg;
    const std::string ext = asJpeg ? "jpg" : "bmp";
    const int n = page.state().FrameCount;

    std::vector<SavedFrame> lines;
    for (int i = 1; i <= n; ++i) {
        const page::FrameRecord& f = page.frame(i);
        if (f.Loaded)
            lines.push_back({i, f.Details, std::max(0, f.CloneOf)});
    }
    const std::string text = writeLayoutText(n, page.state().Global_AspectRatio, s.margin_mm, ext, lines);

    page::StatusDisplay& status = page.status();
    StatusGuard guard{status};
    status.showStatus(kSavingPage);
    status.setProgressVisible(true);
    const int first = boundedPercent(100.0 / n);
    status.setProgress(first);

    std::vector<ArchiveMember> members;
    members.push_back({std::string(kLayoutMember),
                       {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, {}});
    for (int i = 1; i <= n; ++i) {
        const page::FrameRecord& f = page.frame(i);
        if (f.Loaded && f.CloneOf <= 0 && f.PictureHolder)
            members.push_back(pictureMember(std::to_string(i) + "." + ext, f.PictureHolder, asJpeg, s.Quality));
    }
    ArchiveProgress progress;
    progress.starting = [&](const std::string& member) {
        if (member != kLayoutMember)
            status.showStatus({QT_TRANSLATE_NOOP("Paginor", "Saving Page - Embedding Image %1"), member.substr(0, member.find('.'))});
        if (keepAlive)
            keepAlive();
    };
    // The bar follows libzip through the whole archive, the compression included, and
    // only goes forward.
    int shown = first;
    progress.progress = [&](double done) {
        const int percent = boundedPercent(100.0 * done);
        if (percent > shown) {
            shown = percent;
            status.setProgress(percent);
        }
        if (keepAlive)
            keepAlive();
    };
    updateArchive(archivePath, members, mode, progress);
}

void updateArchive(const std::string& path, const std::vector<ArchiveMember>& members, ArchiveWrite mode,
                   const ArchiveProgress& progress)
{
    try {
        imaging::writeFileWith(path, [&](imaging::OutputFile& out) {
            writeArchive(out.fd(), mode == ArchiveWrite::Update ? path : std::string(), members, path, progress);
        });
    } catch (const imaging::ImagingError& e) {
        throw LayoutError({QT_TRANSLATE_NOOP("Paginor", "Can't write the layout file %1: %2"), path, core::messageOf(e)});
    }
}

LayoutLoadResult loadLayout(page::Page& page, const std::string& archivePath, const LayoutLoadHooks& hooks)
{
    LayoutLoadResult result;
    page::StatusDisplay& status = page.status();
    StatusGuard guard{status};
    try {
        const core::TemporaryFolder folder = makeExtractFolder();
        LayoutArchive archive(archivePath);
        const PageDescription d = parseLayoutText(archive.readDescription());

        page.setGlobalAspectRatio(d.aspectRatio);
        page.setPageMargin(d.margin);
        if (hooks.setFrameCount) {
            hooks.setFrameCount(d.frameCount);
        } else {
            page.dropAllPictures();
            page.setFrameCount(d.frameCount);
        }
        result.opened = true;
        // The layout's pictures are decoded by the page's settings, with no on-load steps.
        page::OnLoadOptions decodeChoices;
        decodeChoices.decode = page::decodeOptionsOf(page.settings());

        status.setProgressVisible(true);
        const auto usable = [&](const LayoutLine& line) {
            return line.error.empty() && *line.frame >= 1 && *line.frame <= d.frameCount;
        };
        // The members are inflated and decoded ahead on the decoding threads; the frames
        // take them in the description's order here, with their messages.
        std::vector<const LayoutLine*> decoding;
        for (const LayoutLine& line : d.lines)
            if (usable(line))
                decoding.push_back(&line);
        ArchiveHandles handles(archive);
        page::DecodeQueue queue(decoding.size(), 0, [&](std::size_t i) {
            return decodeMember(handles, *decoding[i], folder.path(), hooks, decodeChoices);
        });
        std::size_t next = 0;
        for (const LayoutLine& line : d.lines) {
            if (hooks.keepAlive)
                hooks.keepAlive();
            if (!line.error.empty()) {
                problem(result, line.error);
                continue;
            }
            if (!usable(line)) {
                problem(result, {QT_TRANSLATE_NOOP("Paginor", "The layout file names frame %1 of a page of %2"), *line.frame, d.frameCount});
                continue;
            }
            page::DecodeQueue::Result decoded = queue.take(next++, hooks.keepAlive);
            try {
                loadFramePicture(page, archivePath, line, std::move(decoded), archive, folder.path(), hooks, decodeChoices,
                                 result);
            } catch (const LayoutError& e) {
                problem(result, core::messageOf(e));
            }
        }
        for (const LayoutLine& line : d.lines) {
            if (!line.hasCloneMark)
                break;
            if (!line.error.empty())
                continue;
            if (!line.cloneOf) {
                problem(result, {QT_TRANSLATE_NOOP("Paginor", "The clone source of the layout file's line \"%1\" is not a number"), line.member});
                continue;
            }
            makeClone(page, *line.frame, *line.cloneOf, line, hooks, result);
        }
    } catch (const std::exception& e) {
        core::messages().error(core::messageOf(e));
    }
    page.clearSelection();
    return result;
}

void saveFrameImage(page::Page& page, int frame, const std::string& path, FrameImageFormat format,
                    const imaging::ProgressFn& progress)
{
    page::FrameRecord& f = page.frame(frame);
    if (!f.PictureHolder)
        throw imaging::ImagingError({QT_TRANSLATE_NOOP("Paginor", "Frame %1 holds no picture of its own"), frame});
    const imaging::Picture& picture = *f.PictureHolder;
    if (format == FrameImageFormat::Bmp) {
        imaging::saveBmp(picture.bitmap(progress).view(), path);
        return;
    }
    imaging::savePictureAsJpeg(picture, path, page.settings().Quality, progress);
    if (!page.settings().Save_Props_File || f.Details.empty() || f.Details == page::kPastedImageDetails ||
        f.Details == kTwainImageDetails)
        return;
    try {
        std::string line = std::string(utf8Prefix(f.Details, kMaxLayoutField)) + "\r\n";
        imaging::writeFileAtomically(exif::sideFileName(path),
                                     {reinterpret_cast<const std::uint8_t*>(line.data()), line.size()});
    } catch (const std::exception&) {
        core::messages().error(kPropsFileError);
    }
}

} // namespace printing
