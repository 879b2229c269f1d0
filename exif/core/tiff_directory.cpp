#include "exif/core/tiff_directory.h"

#include <algorithm>

namespace exif {
namespace {

constexpr std::uint64_t kEntrySize = 12;

} // namespace

std::uint16_t read16(ByteOrder order, const std::uint8_t* p)
{
    if (order == ByteOrder::Motorola)
        return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
    return static_cast<std::uint16_t>(p[1] << 8 | p[0]);
}

std::uint32_t read32(ByteOrder order, const std::uint8_t* p)
{
    if (order == ByteOrder::Motorola)
        return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
    return std::uint32_t{p[3]} << 24 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 | p[0];
}

bool TiffBlock::read(std::uint64_t offset, std::span<std::uint8_t> out) const
{
    const std::uint64_t pos = m_start + offset;
    const std::uint64_t size = m_source.size();
    if (pos > size || out.size() > size - pos)
        return false;
    return m_source.readAt(pos, out);
}

bool TiffBlock::readDirectory(std::uint64_t offset, std::vector<DirectoryEntry>& entries) const
{
    std::array<std::uint8_t, 2> countBytes{};
    if (!read(offset, countBytes))
        return false;
    const std::uint64_t count = read16(m_order, countBytes.data());
    // Entries past the end of the source would all read as tag 0: stop at the first one
    // instead of allocating for a count the source cannot hold.
    const std::uint64_t first = m_start + offset + 2;
    const std::uint64_t size = m_source.size();
    const std::uint64_t inSource = first < size ? std::min(count, (size - first) / kEntrySize) : 0;
    std::vector<std::uint8_t> raw(inSource * kEntrySize);
    if (inSource == 0 || !read(offset + 2, raw))
        return false;
    for (std::uint64_t i = 0; i < inSource; ++i) {
        const std::uint8_t* p = raw.data() + i * kEntrySize;
        DirectoryEntry e;
        e.tag = read16(m_order, p);
        e.type = read16(m_order, p + 2);
        e.count = read32(m_order, p + 4);
        e.value = read32(m_order, p + 8);
        std::copy_n(p + 8, 4, e.field.begin());
        entries.push_back(e);
    }
    return inSource == count;
}

} // namespace exif
