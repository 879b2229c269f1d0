// The directories of an EXIF block, which is laid out as a TIFF file: a byte order mark,
// then directories of 12-byte entries, every offset counted from the block's start. Read
// through a ByteSource, with every offset checked against its size, so damaged or hostile
// data loses entries and never reads outside the source. Plain C++; no Qt.
#pragma once

#include "exif/core/exif.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace exif {

enum class ByteOrder { Intel, Motorola };

// A 16- or 32-bit number the block holds at p, in host order.
std::uint16_t read16(ByteOrder order, const std::uint8_t* p);
std::uint32_t read32(ByteOrder order, const std::uint8_t* p);

// One directory entry, its numbers in host order.
struct DirectoryEntry {
    std::uint16_t tag = 0;
    std::uint16_t type = 0;
    std::uint32_t count = 0;
    std::uint32_t value = 0;             // the value field as a 32-bit number: the value's offset
    std::array<std::uint8_t, 4> field{}; // the value field as the block holds it
};

// An EXIF block that starts `start` bytes into source.
class TiffBlock {
public:
    TiffBlock(ByteSource& source, std::uint64_t start, ByteOrder order)
        : m_source(source), m_start(start), m_order(order)
    {
    }
    ByteOrder order() const { return m_order; }
    // Fills out from offset in the block; false when the bytes are not all in the source.
    bool read(std::uint64_t offset, std::span<std::uint8_t> out) const;
    // Appends the entries of the directory at offset that lie inside the source. True when
    // the directory holds at least one entry and every entry its count announces.
    bool readDirectory(std::uint64_t offset, std::vector<DirectoryEntry>& entries) const;

private:
    ByteSource& m_source;
    std::uint64_t m_start;
    ByteOrder m_order;
};

} // namespace exif
