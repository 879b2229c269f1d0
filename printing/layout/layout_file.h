// Page layout files: a ZIP archive holding the page description "layout.vdt" and one
// picture per frame that has its own. This is the file side only (the description's text,
// the archive through libzip, the checks on what an archive may hold); layout_page.h puts
// a page into one and takes it out again. Plain C++; no Qt.
#pragma once

#include "core/message.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace printing {

// Fixed message, status and dialog texts, shared by the code and its tests.
inline constexpr std::string_view kLayoutMember = "layout.vdt";
inline constexpr std::string_view kLayoutHeader = "#Paginor Layout File";
inline constexpr std::string_view kLayoutEnd = "#End of file";
inline constexpr std::string_view kClonedFrom = "<Cloned_From>";
inline constexpr std::string_view kCantOpenLayout = QT_TRANSLATE_NOOP("Paginor", "Can't open layout file");
inline constexpr std::string_view kNotALayoutFile = QT_TRANSLATE_NOOP("Paginor", "Not a Paginor layout file");
inline constexpr std::string_view kSavePageTitle = QT_TRANSLATE_NOOP("Paginor", "Save Page");
inline constexpr std::string_view kLoadPageTitle = QT_TRANSLATE_NOOP("Paginor", "Load Page");
// Two blanks, as ever; both cases, as Linux names are case-sensitive and so are the
// desktop's file dialogs.
inline constexpr std::string_view kLayoutFilter = QT_TRANSLATE_NOOP("Paginor", "Paginor layout files  (*.zip *.ZIP)");
inline constexpr std::string_view kSavingPage = QT_TRANSLATE_NOOP("Paginor", "Saving Page");
inline constexpr std::string_view kEmbeddingImage = "Saving Page - Embedding Image "; // + frame
inline constexpr std::string_view kLoadedPage = "* Loaded page ";                     // + archive path
inline constexpr std::string_view kCloneOf = "* Clone of ";                           // + source frame
// Only this many bytes after a frame line's first "=" are read back (fewer where a
// character would be cut).
inline constexpr std::size_t kMaxLayoutField = 255;

// Carries its message with its form, so the window can translate it.
class LayoutError : public app::MessageError {
public:
    using app::MessageError::MessageError;
};

// One frame as the description names it on saving.
struct SavedFrame {
    int frame = 0;
    std::string caption;
    int cloneOf = 0; // the frame whose picture it shows, 0 for its own
};

// The description's text: CR LF lines, numbers with "." whatever the locale.
std::string writeLayoutText(int frameCount, float aspectRatio, float margin, std::string_view ext,
                            const std::vector<SavedFrame>& frames);
// A float as the description writes it: the general format with up to 15 significant
// digits of the value widened to double (4/3 gives 1.33333337306976, 3 gives 3).
std::string layoutNumber(float value);

// One frame line as it is read back.
struct LayoutLine {
    std::string member;         // the text before the first "="
    std::string caption;        // after it: at most 255 bytes, cut at the first "<Cloned_From>"
    std::optional<int> frame;   // the member name before its first "." as a number
    bool hasCloneMark = false;  // the line holds "<Cloned_From>"
    std::optional<int> cloneOf; // the number after its last "<Cloned_From>"
    app::Message error{""};     // not empty: the line cannot be used, and this says why
};

struct PageDescription {
    int frameCount = 4;
    bool frameCountReplaced = false; // the file named a count other than 1, 2, 4, 8, 16
    float aspectRatio = 0.0f;
    float margin = 0.0f;
    std::vector<LayoutLine> lines; // at most frameCount, in file order
};

// Reads the description. Throws LayoutError with kNotALayoutFile when the first line is
// not the header, and with a message naming the line and its value when the frame count
// is not a number, or the aspect ratio or the margin is not one the settings accept.
PageDescription parseLayoutText(std::string_view text);

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

// At most maxBytes of text, never ending inside a UTF-8 character.
std::string_view utf8Prefix(std::string_view text, std::size_t maxBytes);

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

// A folder of its own in the system's temporary folder, removed with everything in it when
// this goes out of scope.
class PrivateFolder {
public:
    PrivateFolder(); // throws LayoutError when none can be made
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace printing
