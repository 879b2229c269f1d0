// The ZIP archive of a layout file through libzip: members written into it, and read back
// with the checks on what an archive may hold. Plain C++; no Qt.
#pragma once

#include "core/files.h"
#include "printing/layout/layout_format.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace printing {

// A member name that is a bare file name: no folder, no drive, no way out of the folder
// it is extracted into.
bool isBareMemberName(std::string_view name);

// The most a member may inflate to: a 24-bit BMP of the codecs' pixel limit with its
// headers. The program writes no larger member and shows no larger picture.
std::uint64_t maxPictureMemberBytes();

// A file written into an archive under its bare name: bytes that stay valid until the
// archive is written, or, when make is set, bytes made when the archive comes to the member
// and dropped once it is in, so only one such member is in memory at a time.
struct ArchiveMember {
    std::string name;
    std::span<const std::uint8_t> bytes;
    std::function<std::vector<std::uint8_t>()> make;
};

// Saving over an archive: its members of other names are kept (Update), or the new archive
// holds the members given and nothing else (Replace).
enum class ArchiveWrite { Update, Replace };

struct ArchiveProgress {
    std::function<void(const std::string& member)> starting; // the member is about to go in
    std::function<void(double done)> progress;                // 0..1 of the whole archive
};

// Writes an archive into out, an empty file open for writing: the members deflated at
// level 9, after the members of the archive at oldPath (none when empty) that they do not
// replace, copied as they are. Nothing is read into memory but one made member at a time;
// the old archive is read from its file and the new one goes straight to out. path only
// names the file in messages. Throws LayoutError, or what a member's make threw.
void writeArchive(int out, const std::string& oldPath, const std::vector<ArchiveMember>& members,
                  const std::string& path, const ArchiveProgress& progress = {});

// A layout file opened for reading. One thread at a time reads through it; reopen gives
// another thread a handle of its own.
class LayoutArchive {
public:
    // Throws LayoutError(kCantOpenLayout) when the file is missing or not a ZIP archive.
    explicit LayoutArchive(const std::string& path);
    // Bytes in memory (the fuzzer); they must outlive the archive.
    explicit LayoutArchive(std::span<const std::uint8_t> bytes);
    ~LayoutArchive();
    LayoutArchive(const LayoutArchive&) = delete;
    LayoutArchive& operator=(const LayoutArchive&) = delete;

    // The description's text: kCantOpenLayout when the archive has none, or more than one.
    std::string readDescription();
    // Extracts one member into folder under its own name. False when the archive has no
    // such member. Throws LayoutError, with the partial file removed, when the name is not
    // bare, the archive holds it twice, it would inflate past maxBytes, or its data is
    // damaged.
    bool extract(const std::string& member, const std::filesystem::path& folder,
                 std::uint64_t maxBytes = maxPictureMemberBytes());
    // A member whose data starts like a JPEG file, read whole into memory with extract's
    // checks and messages. Empty when the archive has no such member or its data starts
    // otherwise (extract it then).
    std::optional<std::vector<std::uint8_t>> readJpeg(const std::string& member,
                                                      std::uint64_t maxBytes = maxPictureMemberBytes());
    // Another handle on the same file (or bytes).
    std::unique_ptr<LayoutArchive> reopen() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m;
};

// A folder of its own in the system's temporary folder for a page's members, removed with
// everything in it when it goes out of scope. Throws LayoutError when none can be made.
core::TemporaryFolder makeExtractFolder();

} // namespace printing
