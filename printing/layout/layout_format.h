// The page description "layout.vdt" of a layout file: its text written and read back, and
// the texts and the error the layout file's code shares. Plain C++; no Qt.
#pragma once

#include "core/message.h"

#include <cstdint>
#include <optional>
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
class LayoutError : public core::MessageError {
public:
    using core::MessageError::MessageError;
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
    core::Message error{""};     // not empty: the line cannot be used, and this says why
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

// At most maxBytes of text, never ending inside a UTF-8 character.
std::string_view utf8Prefix(std::string_view text, std::size_t maxBytes);

} // namespace printing
