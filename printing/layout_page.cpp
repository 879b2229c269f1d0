#include "printing/layout_page.h"

#include "core/messages.h"
#include "exif/exif.h"
#include "imaging/codecs.h"
#include "page/frame_commands.h"
#include "page/loading.h"

#include <cmath>
#include <filesystem>

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

// The member bytes of frame n's own picture: an unchanged JPEG picture's own file data
// (which loads upright again by its orientation tag), anything else encoded upright with
// no tag. encoded keeps what was encoded alive until the archive is written.
std::span<const std::uint8_t> memberBytes(page::TFrameRec& f, bool asJpeg, int quality,
                                          std::vector<std::uint8_t>& encoded)
{
    const imaging::Picture& picture = *f.PictureHolder;
    if (asJpeg && picture.keepsJpegFile())
        return picture.jpegData();
    const imaging::Bitmap& bmp = picture.bitmap();
    encoded = asJpeg ? imaging::encodeJpeg(bmp.view(), quality) : imaging::encodeBmp(bmp.view());
    return encoded;
}

bool showsCopies(const page::Page& page, int n)
{
    for (int other = 1; other <= page.state().FrameCount; ++other) {
        const page::TFrameRec& o = page.Frames()[static_cast<std::size_t>(other)];
        if (other != n && o.Loaded && o.CloneOf != 0 && o.PictureOwner == n)
            return true;
    }
    return false;
}

void problem(LayoutLoadResult& result, const std::string& text)
{
    ++result.problems;
    app::messages().error(text);
}

void loadFramePicture(page::Page& page, const std::string& archivePath, const LayoutLine& line,
                      LayoutArchive& archive, const std::filesystem::path& folder, const LayoutLoadHooks& hooks,
                      LayoutLoadResult& result)
{
    const int k = *line.frame;
    if (!archive.extract(line.member, folder))
        return; // a missing member leaves its frame empty
    const std::filesystem::path file = folder / line.member;
    page::LoadedPicture loaded;
    try {
        loaded = page::loadImageFile(file.string(), hooks.screenWidth, hooks.screenHeight);
    } catch (const std::exception& e) {
        std::filesystem::remove(file);
        problem(result, e.what());
        return;
    }
    std::filesystem::remove(file);
    page.status().setStatus(std::string(page::kLoadingImages) + file.string());
    if (showsCopies(page, k)) {
        problem(result, page::clonedFrameMessage(k));
        return;
    }
    page.emptyFrame(k);
    page::TFrameRec& f = page.frame(k);
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
    const page::TFrameRec source = page.frame(s);
    page::TFrameRec& f = page.frame(a);
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

void Save_Page(page::Page& page, const std::string& archivePath, const std::function<void()>& keepAlive)
{
    const settings::Settings& s = page.settings();
    const bool asJpeg = s.store_as_Jpg;
    const std::string ext = asJpeg ? "jpg" : "bmp";
    const int n = page.state().FrameCount;

    std::vector<SavedFrame> lines;
    for (int i = 1; i <= n; ++i) {
        const page::TFrameRec& f = page.frame(i);
        if (f.Loaded)
            lines.push_back({i, f.Details, std::max(0, f.CloneOf)});
    }
    const std::string text = writeLayoutText(n, page.state().Global_AspectRatio, s.margin_mm, ext, lines);

    page::StatusDisplay& status = page.status();
    StatusGuard guard{status};
    status.setStatus(std::string(kSavingPage));
    status.setProgressVisible(true);
    status.setProgress(boundedPercent(100.0 / n));

    std::vector<ArchiveMember> members;
    members.push_back({std::string(kLayoutMember),
                       {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}});
    std::array<std::vector<std::uint8_t>, page::kMaxFrames + 1> encoded;
    for (int i = 1; i <= n; ++i) {
        page::TFrameRec& f = page.frame(i);
        if (f.Loaded && f.CloneOf <= 0 && f.PictureHolder) {
            status.setStatus(std::string(kEmbeddingImage) + std::to_string(i));
            if (keepAlive)
                keepAlive();
            members.push_back({std::to_string(i) + "." + ext,
                               memberBytes(f, asJpeg, s.Quality, encoded[static_cast<std::size_t>(i)])});
        }
        status.setProgress(boundedPercent(100.0 / n * i + 1));
    }
    updateArchive(archivePath, members);
}

void updateArchive(const std::string& path, const std::vector<ArchiveMember>& members)
{
    std::vector<std::uint8_t> old;
    std::vector<std::uint8_t> bytes;
    try {
        std::error_code ec;
        if (std::filesystem::exists(path, ec))
            old = imaging::readWholeFile(path);
        bytes = updatedArchive(old, members, path);
        old = {};
        imaging::writeFileAtomically(path, bytes);
    } catch (const imaging::ImagingError& e) {
        throw LayoutError("Can't write the layout file " + path + ": " + e.what());
    }
}

void emptyPageForLayout(page::Page& page)
{
    page.dropAllPictures();
    page.status().setStatus("");
}

LayoutLoadResult loadLayout(page::Page& page, const std::string& archivePath, const LayoutLoadHooks& hooks)
{
    LayoutLoadResult result;
    page::StatusDisplay& status = page.status();
    StatusGuard guard{status};
    try {
        PrivateFolder folder;
        LayoutArchive archive(archivePath);
        const PageDescription d = parseLayoutText(archive.readDescription());

        page.setGlobalAspectRatio(d.aspectRatio);
        page.Set_Margin(d.margin);
        if (hooks.setFrameCount) {
            hooks.setFrameCount(d.frameCount);
        } else {
            page.dropAllPictures();
            page.setFrameCount(d.frameCount);
        }
        result.opened = true;

        status.setProgressVisible(true);
        for (const LayoutLine& line : d.lines) {
            if (hooks.keepAlive)
                hooks.keepAlive();
            if (!line.error.empty()) {
                problem(result, line.error);
                continue;
            }
            if (*line.frame < 1 || *line.frame > d.frameCount) {
                problem(result, "The layout file names frame " + std::to_string(*line.frame) + " of a page of " +
                                    std::to_string(d.frameCount));
                continue;
            }
            try {
                loadFramePicture(page, archivePath, line, archive, folder.path(), hooks, result);
            } catch (const LayoutError& e) {
                problem(result, e.what());
            }
        }
        for (const LayoutLine& line : d.lines) {
            if (!line.hasCloneMark)
                break;
            if (!line.error.empty())
                continue;
            if (!line.cloneOf) {
                problem(result, "The clone source of the layout file's line \"" + line.member + "\" is not a number");
                continue;
            }
            makeClone(page, *line.frame, *line.cloneOf, line, hooks, result);
        }
    } catch (const std::exception& e) {
        app::messages().error(e.what());
    }
    page.clearSelection();
    return result;
}

void saveFrameImage(page::Page& page, int frame, const std::string& path, FrameImageFormat format,
                    const imaging::ProgressFn& progress)
{
    page::TFrameRec& f = page.frame(frame);
    if (!f.PictureHolder)
        throw imaging::ImagingError("Frame " + std::to_string(frame) + " holds no picture of its own");
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
        std::string line = f.Details.substr(0, kMaxLayoutField) + "\r\n";
        imaging::writeFileAtomically(exif::sideFileName(path),
                                     {reinterpret_cast<const std::uint8_t*>(line.data()), line.size()});
    } catch (const std::exception&) {
        app::messages().error(kPropsFileError);
    }
}

} // namespace printing
