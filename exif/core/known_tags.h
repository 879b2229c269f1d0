// The rules that turn one directory entry into a labelled item, shared by the reader of
// the block at a file's start and the reader of camera data from any JPEG (libexiv2).
#pragma once

#include "exif/core/exif.h"
#include "exif/core/tiff_directory.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace exif::detail {

using exif::ByteOrder;

// One directory entry with the bytes of its value in the block's byte order: the
// entry's 4-byte value field for a value that fits in it, else the value's first
// valueBytesNeeded() bytes.
struct EntryValue {
    std::uint32_t tag = 0;
    std::uint32_t type = 0;
    std::uint32_t count = 0;
    std::vector<std::uint8_t> bytes;
};

// The bytes of an entry's value that its item is made of; 0 when the entry gives no item
// (an unknown tag, a type without a unit size, or a tag in the wrong type or place).
std::uint64_t valueBytesNeeded(std::uint32_t tag, std::uint32_t type, std::uint32_t count);

// The item an entry gives, nullopt when it gives none.
std::optional<ExifItem> formatEntry(const EntryValue& entry, ByteOrder order, const std::string& separator);

} // namespace exif::detail
