// The image details text: what a frame prints above its picture.
#include "exif/core/exif.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <initializer_list>

namespace exif {
namespace {

// A side file's first line is one line of details text; a longer "line" is not a side
// file this program wrote, and is cut rather than read whole into memory.
constexpr std::size_t kMaxSideLine = 4096;

constexpr std::int32_t kDateTime = 306;
constexpr std::int32_t kDateTimeOriginal = 36867;
constexpr std::int32_t kDateTimeDigitized = 36868;
constexpr std::int32_t kExposureTime = 33434;
constexpr std::int32_t kFNumber = 33437;
constexpr std::int32_t kShutterSpeedValue = 37377;
constexpr std::int32_t kApertureValue = 37378;
constexpr std::int32_t kMaxApertureValue = 37381;
constexpr std::int32_t kFlash = 37385;

// The value of the first item (in list order) with one of the tags; empty when none has.
std::string_view firstValue(const std::vector<ExifItem>& items, std::initializer_list<std::int32_t> tags)
{
    const auto it = std::find_if(items.begin(), items.end(), [&](const ExifItem& item) {
        return std::find(tags.begin(), tags.end(), item.tag) != tags.end();
    });
    return it == items.end() ? std::string_view() : std::string_view(it->value);
}

// count characters from position pos (counting from 1); whatever of them the text has.
std::string_view chars(std::string_view text, std::size_t pos, std::size_t count)
{
    if (pos > text.size())
        return {};
    return text.substr(pos - 1, count);
}

std::string_view baseName(std::string_view fileName)
{
    const std::size_t slash = fileName.find_last_of('/');
    return slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
}

// A date of the form YYYY:MM:DD HH:MM:SS as dd/mm/yy or mm/dd/yy, then a blank.
std::string datePart(const DetailsOptions& options, std::string_view date)
{
    const std::string_view day = chars(date, 9, 2);
    const std::string_view month = chars(date, 6, 2);
    const std::string_view year = chars(date, 3, 2);
    std::string s;
    if (options.incMDY)
        s.append(month).append("/").append(day);
    else
        s.append(day).append("/").append(month);
    s.append("/").append(year).append(" ");
    return s;
}

} // namespace

std::string plainDetails(const DetailsOptions& options, std::string_view fileName)
{
    std::string s;
    if (options.incFilename)
        s = baseName(fileName);
    if (options.incThisText)
        s.append(" ").append(options.incText);
    return s;
}

std::string exifDetails(const DetailsOptions& options, std::string_view fileName,
                        const std::vector<ExifItem>& items)
{
    std::string s;
    if (options.incFilename)
        s.append(baseName(fileName)).append(" ");
    const std::string_view date = firstValue(items, {kDateTimeOriginal, kDateTimeDigitized, kDateTime});
    if (options.incDMY || options.incMDY)
        s += datePart(options, date);
    if (options.incTime)
        s.append(chars(date, 12, 8)).append(" ");
    if (options.incExposure) {
        s.append(firstValue(items, {kShutterSpeedValue, kExposureTime})).append(" ");
        s.append(firstValue(items, {kFNumber, kApertureValue, kMaxApertureValue})).append(" ");
    }
    if (options.incFlash && firstValue(items, {kFlash}) == "Yes")
        s += "'Flash' ";
    if (options.incThisText)
        s += options.incText;
    return s;
}

ImageDetails buildDetails(const DetailsOptions& options, std::string_view fileName, const ReadResult& exif)
{
    ImageDetails d;
    if (options.getCameraDetails && exif.result >= kIntelOrder) {
        d.hasExif = true;
        d.exifTags = exif.items;
        d.details = exifDetails(options, fileName, exif.items);
    } else {
        d.details = plainDetails(options, fileName);
    }
    return d;
}

ImageDetails imageDetails(const DetailsOptions& options, const std::filesystem::path& file,
                          const ReadOptions& readOptions)
{
    const std::string name = file.string();
    if (!options.getCameraDetails)
        return buildDetails(options, name, ReadResult{});
    return buildDetails(options, name, readCameraData(file, readOptions, options.anyJpeg));
}

std::string sideFileName(const std::string& imagePath)
{
    const std::size_t slash = imagePath.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = imagePath.find_last_of('.');
    // A name that is only a leading dot (".hidden") has no extension to replace.
    if (dot == std::string::npos || dot <= nameStart)
        return imagePath + std::string(kSideFileExtension);
    return imagePath.substr(0, dot) + std::string(kSideFileExtension);
}

std::optional<std::string> readSideFile(const std::string& imagePath)
{
    const std::string name = sideFileName(imagePath);
    std::error_code ec;
    // A FIFO or device under that name would block the load or never end.
    if (!std::filesystem::is_regular_file(name, ec))
        return std::nullopt;
    std::ifstream in(name, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string line;
    char c = 0;
    while (line.size() < kMaxSideLine && in.get(c) && c != '\n')
        line.push_back(c);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

ImageDetails loadDetails(const DetailsOptions& options, const std::filesystem::path& file,
                         const ReadOptions& readOptions)
{
    if (std::optional<std::string> side = readSideFile(file.string())) {
        ImageDetails d;
        d.details = std::move(*side);
        return d;
    }
    return imageDetails(options, file, readOptions);
}

} // namespace exif
