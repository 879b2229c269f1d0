// Camera data from any JPEG: libexiv2 finds the EXIF block wherever it sits (after a
// JFIF header, say) and follows every directory pointer, and its entries are then turned
// into items by the same rules as the block at the start of a file.
#include "exif/core/exif.h"
#include "exif/core/known_tags.h"

#include "core/text.h"
#include "exif/core/exif_blocks.h"

#include <algorithm>

#include <exiv2/exiv2.hpp>

namespace exif {
namespace {

// The directories the reader's labels belong to: the image's first directory, the EXIF
// directory and the interoperability directory. The thumbnail's directory and the maker
// notes use the same tag numbers for other things.
bool isReadGroup(const std::string& group)
{
    return group == "Image" || group == "Photo" || group == "Iop";
}

bool hasTag(const std::vector<ExifItem>& items, std::int32_t tag)
{
    return std::any_of(items.begin(), items.end(), [tag](const ExifItem& i) { return i.tag == tag; });
}

std::vector<ExifItem> itemsOf(const Exiv2::ExifData& data, detail::ByteOrder order, const std::string& separator)
{
    const Exiv2::ByteOrder exivOrder = order == detail::ByteOrder::Motorola ? Exiv2::bigEndian : Exiv2::littleEndian;
    std::vector<ExifItem> items;
    for (const Exiv2::Exifdatum& d : data) {
        if (!isReadGroup(d.groupName()))
            continue;
        const auto tag = static_cast<std::uint32_t>(d.tag());
        const auto type = static_cast<std::uint32_t>(d.typeId());
        const auto count = static_cast<std::uint32_t>(d.count());
        const std::uint64_t needed = detail::valueBytesNeeded(tag, type, count);
        if (needed == 0 || hasTag(items, static_cast<std::int32_t>(tag)) || d.size() == 0)
            continue;
        detail::EntryValue value{tag, type, count, std::vector<std::uint8_t>(d.size())};
        d.copy(value.bytes.data(), exivOrder);
        value.bytes.resize(needed, 0); // a short value sits in a zero-padded 4-byte field
        if (std::optional<ExifItem> item = detail::formatEntry(value, order, separator))
            items.push_back(std::move(*item));
    }
    return items;
}

// What libexiv2 finds in a JPEG file (or, with anyType, a camera RAW file); a result of
// kNoExif when it finds nothing or the file is damaged (libexiv2 throws on damage;
// nothing of that reaches the caller).
ReadResult readWithExiv2(const std::filesystem::path& path, const std::string& separator, bool anyType = false)
{
    ReadResult out;
    out.result = kNoExif;
    try {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        auto image = Exiv2::ImageFactory::open(path.string());
        if (image.get() == nullptr || (!anyType && image->imageType() != Exiv2::ImageType::jpeg))
            return out;
        image->readMetadata();
        const detail::ByteOrder order =
            image->byteOrder() == Exiv2::bigEndian ? detail::ByteOrder::Motorola : detail::ByteOrder::Intel;
        out.items = itemsOf(image->exifData(), order, separator);
        if (!out.items.empty())
            out.result = order == detail::ByteOrder::Motorola ? kMotorolaOrder : kIntelOrder;
    } catch (...) {
        return ReadResult{kNoExif, {}};
    }
    return out;
}

// What libexiv2 finds in a bare TIFF block (the EXIF data of a HEIF, WebP or JPEG XL file).
ReadResult readBlockWithExiv2(std::span<const std::uint8_t> tiff, const std::string& separator)
{
    ReadResult out{kNoExif, {}};
    try {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::ExifData data;
        const Exiv2::ByteOrder byteOrder = Exiv2::ExifParser::decode(data, tiff.data(), static_cast<std::uint32_t>(tiff.size()));
        const detail::ByteOrder order = byteOrder == Exiv2::bigEndian ? detail::ByteOrder::Motorola : detail::ByteOrder::Intel;
        out.items = itemsOf(data, order, separator);
        if (!out.items.empty())
            out.result = order == detail::ByteOrder::Motorola ? kMotorolaOrder : kIntelOrder;
    } catch (...) {
        return ReadResult{kNoExif, {}};
    }
    return out;
}

// own's items, then those of more that own lacks.
ReadResult merged(ReadResult own, ReadResult more)
{
    if (more.items.empty())
        return own;
    if (own.result < kIntelOrder)
        return more;
    for (ExifItem& item : more.items)
        if (!hasTag(own.items, item.tag))
            own.items.push_back(std::move(item));
    return own;
}

bool isRawName(const std::filesystem::path& path)
{
    const std::string ext = core::lower(path.extension().string());
    static constexpr std::string_view kRaw[] = {".dng", ".cr2", ".cr3", ".nef", ".arw", ".orf", ".raf", ".rw2", ".pef"};
    return std::find(std::begin(kRaw), std::end(kRaw), ext) != std::end(kRaw);
}

// The camera data of a file that is no JPEG: the EXIF block a HEIF, AVIF, WebP or JPEG XL
// file carries, read by the same reader as a JPEG's (wrapped as a JPEG's APP1 segment),
// or what libexiv2 finds in a camera RAW file, whose data sits in the RAW's own
// directories. kNotJpeg for anything else.
ReadResult readOtherFormat(const std::filesystem::path& path, const ReadOptions& options, bool anyJpeg)
{
    const std::string separator = options.decimalSeparator.value_or(localeDecimalSeparator());
    if (isRawName(path)) {
        ReadResult raw = readWithExiv2(path, separator, true);
        return raw;
    }
    FileSource file(path);
    // The block finders take the whole file; phone pictures are a few megabytes.
    constexpr std::uint64_t kMaxRead = std::uint64_t(1) << 30;
    if (!file.isOpen() || file.size() < 12 || file.size() > kMaxRead)
        return {};
    std::vector<std::uint8_t> bytes(file.size());
    if (!file.readAt(0, bytes))
        return {};
    const std::vector<std::uint8_t> tiff = imaging::embeddedExifBlock(bytes);
    if (tiff.empty())
        return {};
    std::vector<std::uint8_t> wrapped = {0xFF, 0xD8, 0xFF, 0xE1, 0, 0, 'E', 'x', 'i', 'f', 0, 0};
    const std::size_t length = std::min<std::size_t>(tiff.size() + 8, 0xFFFF);
    wrapped[4] = static_cast<std::uint8_t>(length >> 8);
    wrapped[5] = static_cast<std::uint8_t>(length & 0xFF);
    wrapped.insert(wrapped.end(), tiff.begin(), tiff.end());
    MemorySource source(wrapped);
    ReadResult own = readExif(source, options);
    if (!anyJpeg)
        return own;
    return merged(std::move(own), readBlockWithExiv2(tiff, separator));
}

} // namespace

ReadResult readCameraData(const std::filesystem::path& path, const ReadOptions& options, bool anyJpeg)
{
    ReadResult own = readExif(path, options);
    if (own.result == kNotJpeg)
        return readOtherFormat(path, options, anyJpeg);
    if (!anyJpeg)
        return own;
    return merged(std::move(own), readWithExiv2(path, options.decimalSeparator.value_or(localeDecimalSeparator())));
}

} // namespace exif
