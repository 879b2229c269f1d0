// Camera data from any JPEG: libexiv2 finds the EXIF block wherever it sits (after a
// JFIF header, say) and follows every directory pointer, and its entries are then turned
// into items by the same rules as the block at the start of a file.
#include "exif.h"
#include "known_tags.h"

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

// What libexiv2 finds in a JPEG file; a result of kNoExif when it finds nothing or the
// file is damaged (libexiv2 throws on damage; nothing of that reaches the caller).
ReadResult readWithExiv2(const std::filesystem::path& path, const std::string& separator)
{
    ReadResult out;
    out.result = kNoExif;
    try {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        auto image = Exiv2::ImageFactory::open(path.string());
        if (image.get() == nullptr || image->imageType() != Exiv2::ImageType::jpeg)
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

} // namespace

ReadResult readCameraData(const std::filesystem::path& path, const ReadOptions& options, bool anyJpeg)
{
    ReadResult own = Read_Exif(path, options);
    if (!anyJpeg || own.result == kNotJpeg)
        return own;
    ReadResult more = readWithExiv2(path, options.decimalSeparator.value_or(localeDecimalSeparator()));
    if (more.items.empty())
        return own;
    if (own.result < kIntelOrder)
        return more;
    for (ExifItem& item : more.items)
        if (!hasTag(own.items, item.tag))
            own.items.push_back(std::move(item));
    return own;
}

} // namespace exif
