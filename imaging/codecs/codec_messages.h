// The fixed texts of the codecs' errors. A message starts with one of these and may go
// on with the file's name and the library's own words; tests match the fixed start.
#pragma once

#include "core/message.h"

#include <string>
#include <string_view>

namespace imaging::msg {

inline constexpr std::string_view kCannotOpen = QT_TRANSLATE_NOOP("Paginor", "Cannot open the image file");
inline constexpr std::string_view kCannotRead = QT_TRANSLATE_NOOP("Paginor", "Cannot read the image file");
inline constexpr std::string_view kNotAccepted = QT_TRANSLATE_NOOP("Paginor", "Not a valid image file");
inline constexpr std::string_view kNoReader = QT_TRANSLATE_NOOP("Paginor", "This system has no reader for the image file");
inline constexpr std::string_view kTooLarge = QT_TRANSLATE_NOOP("Paginor", "The image is too large to load");
inline constexpr std::string_view kCorruptJpeg = QT_TRANSLATE_NOOP("Paginor", "Corrupt or truncated JPEG data");
inline constexpr std::string_view kCannotWrite = QT_TRANSLATE_NOOP("Paginor", "Cannot write the image file");
inline constexpr std::string_view kBadQuality = QT_TRANSLATE_NOOP("Paginor", "JPEG quality must be between 1 and 100");
inline constexpr std::string_view kNothingToSave = QT_TRANSLATE_NOOP("Paginor", "There is no picture to save");
inline constexpr std::string_view kTooLargeToSave = QT_TRANSLATE_NOOP("Paginor", "The picture is too large for a BMP file");
inline constexpr std::string_view kPaletteFile = QT_TRANSLATE_NOOP("Paginor", "A palette file holds no picture");

// "<fixed> '<path>': <detail>", leaving out what is empty.
inline core::Message compose(std::string_view fixed, const std::string& path, const std::string& detail = {})
{
    if (path.empty() && detail.empty())
        return core::Message(fixed);
    if (detail.empty())
        return {QT_TRANSLATE_NOOP("Paginor", "%1 '%2'"), core::Message(fixed), path};
    if (path.empty())
        return {QT_TRANSLATE_NOOP("Paginor", "%1: %2"), core::Message(fixed), detail};
    return {QT_TRANSLATE_NOOP("Paginor", "%1 '%2': %3"), core::Message(fixed), path, detail};
}

// The same with a detail of the program's own (marked for the template), translated with the rest.
inline core::Message compose(std::string_view fixed, const std::string& path, const char* detail);
inline core::Message compose(std::string_view fixed, const std::string& path, const core::Message& detail)
{
    if (path.empty())
        return {QT_TRANSLATE_NOOP("Paginor", "%1: %2"), core::Message(fixed), detail};
    return {QT_TRANSLATE_NOOP("Paginor", "%1 '%2': %3"), core::Message(fixed), path, detail};
}

inline core::Message compose(std::string_view fixed, const std::string& path, const char* detail)
{
    return compose(fixed, path, core::Message(detail));
}

} // namespace imaging::msg
