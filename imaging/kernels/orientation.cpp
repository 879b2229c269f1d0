// The orientation tag read from a file's bytes, and the turn that stands a picture upright.
#include "imaging/kernels/orientation.h"

#include "core/file_signature.h"
#include "imaging/kernels/imaging.h"

#include "core/text.h"
#include "exif/core/tiff_directory.h"

#include <string_view>
#include <utility>
#include <vector>

namespace imaging {
namespace {


constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kTypeShort = 3;
constexpr std::uint16_t kTypeLong = 4;

bool isOrientation(std::uint32_t value)
{
    return value >= 1 && value <= 8;
}

using core::startsWith;

std::uint32_t bigEndian32(std::span<const std::uint8_t> data, std::size_t at)
{
    return std::uint32_t{data[at]} << 24 | std::uint32_t{data[at + 1]} << 16 | std::uint32_t{data[at + 2]} << 8 |
           data[at + 3];
}

constexpr std::string_view kExifHeader{"Exif\0\0", 6};

// The markers before a JPEG's first scan, up to the APP1 segment that holds EXIF.
int jpegOrientation(std::span<const std::uint8_t> data)
{
    std::size_t at = 2;
    while (at + 4 <= data.size()) {
        if (data[at] != 0xFF)
            return kUpright; // not a marker where one must be: damaged, read no further
        const std::uint8_t marker = data[at + 1];
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) { // markers without a length
            at += 2;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) // the scan starts: the tables are all behind us
            return kUpright;
        const std::size_t length = std::size_t{data[at + 2]} << 8 | data[at + 3];
        if (length < 2 || at + 2 + length > data.size())
            return kUpright;
        const auto segment = data.subspan(at + 4, length - 2);
        if (marker == 0xE1 && startsWith(segment, kExifHeader))
            return exifOrientation(segment.subspan(kExifHeader.size()));
        at += 2 + length;
    }
    return kUpright;
}

int pngOrientation(std::span<const std::uint8_t> data)
{
    std::size_t at = 8;
    while (at + 12 <= data.size()) {
        const std::size_t length = bigEndian32(data, at);
        if (length > data.size() - at - 12)
            return kUpright;
        const std::string_view type(reinterpret_cast<const char*>(data.data() + at + 4), 4);
        if (type == "eXIf") {
            auto block = data.subspan(at + 8, length);
            // Some writers keep the JPEG segment's header in front of the TIFF header.
            if (startsWith(block, kExifHeader))
                block = block.subspan(kExifHeader.size());
            return exifOrientation(block);
        }
        if (type == "IEND")
            return kUpright;
        at += length + 12;
    }
    return kUpright;
}

} // namespace

bool orientationSwapsSides(int orientation)
{
    return orientation >= 5 && orientation <= 8;
}

int turnedClockwise(int orientation)
{
    // Indexed by orientation: upright then turned is 6, mirrored left to right then turned
    // reads along the other diagonal (7), turned half way then a quarter more is 8, and so on.
    static constexpr int kTurned[9] = {6, 6, 7, 8, 5, 2, 3, 4, 1};
    return kTurned[isOrientation(static_cast<std::uint32_t>(orientation)) ? orientation : 0];
}

Bitmap orientUpright(Bitmap picture, int orientation)
{
    if (!isOrientation(static_cast<std::uint32_t>(orientation)) || orientation == kUpright || picture.empty())
        return picture;
    if (picture.bytesPerPixel() != 3)
        picture = to24Bit(picture.view());
    switch (orientation) {
    case 2: return FlipReverse(false, true, picture.view());
    case 3: return FlipReverse(true, true, picture.view());
    case 4: return FlipReverse(true, false, picture.view());
    case 5: // along the main diagonal: a quarter turn clockwise, then mirrored left to right
        return FlipReverse(false, true, Rotate90(270, picture.view()).view());
    case 6: return Rotate90(270, picture.view());
    case 7: // along the other diagonal: a quarter turn anticlockwise, then mirrored left to right
        return FlipReverse(false, true, Rotate90(90, picture.view()).view());
    case 8: return Rotate90(90, picture.view());
    default: return picture;
    }
}

int exifOrientation(std::span<const std::uint8_t> tiffBlock)
{
    // Only the byte order mark is demanded: some cameras get the magic number 42 wrong.
    const bool intel = startsWith(tiffBlock, "II");
    if (!intel && !startsWith(tiffBlock, "MM"))
        return kUpright;
    if (tiffBlock.size() < 8)
        return kUpright;
    const exif::ByteOrder order = intel ? exif::ByteOrder::Intel : exif::ByteOrder::Motorola;
    const std::uint32_t directory = exif::read32(order, tiffBlock.data() + 4);
    if (directory < 8 || directory > tiffBlock.size() - 2)
        return kUpright;
    exif::MemorySource source(tiffBlock);
    std::vector<exif::DirectoryEntry> entries;
    exif::TiffBlock(source, 0, order).readDirectory(directory, entries);
    for (const exif::DirectoryEntry& e : entries) {
        if (e.tag != kOrientationTag)
            continue;
        const std::uint32_t value = e.type == kTypeShort  ? exif::read16(order, e.field.data())
                                    : e.type == kTypeLong ? e.value
                                                          : 0;
        return isOrientation(value) && e.count >= 1 ? static_cast<int>(value) : kUpright;
    }
    return kUpright;
}

int fileOrientation(std::span<const std::uint8_t> fileBytes)
{
    if (core::startsAsJpeg(fileBytes))
        return jpegOrientation(fileBytes);
    if (startsWith(fileBytes, std::string_view("II*\0", 4)) || startsWith(fileBytes, std::string_view("MM\0*", 4)))
        return exifOrientation(fileBytes);
    if (startsWith(fileBytes, "\x89PNG\r\n\x1A\n"))
        return pngOrientation(fileBytes);
    return kUpright;
}

} // namespace imaging
