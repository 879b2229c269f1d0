// Hand-built EXIF blocks in either byte order, wrapped in a JPEG, and read back.
#pragma once

#include "core/messages.h"
#include "exif/core/exif.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace blocks {

using Bytes = std::vector<std::uint8_t>;

// One directory entry of a hand-built block. Either the value field is given as its four
// bytes in the file (inline), or payload holds the value and the builder places it in the
// data area, or the field points at another directory of the block.
struct Field {
    std::uint16_t tag;
    std::uint16_t type;
    std::uint32_t count;
    std::optional<std::uint32_t> value;  // the value field as a number in the block's order
    Bytes payload;                       // placed after the directories
    int directory = -1;                  // the field holds that directory's offset
};

// Writes TIFF structures in either byte order: directories one after the other from
// offset 8, then every payload.
class BlockBuilder {
public:
    explicit BlockBuilder(bool motorola) : m_motorola(motorola) {}

    Bytes u16(std::uint32_t v) const
    {
        return m_motorola ? Bytes{Bytes::value_type(v >> 8), Bytes::value_type(v)}
                          : Bytes{Bytes::value_type(v), Bytes::value_type(v >> 8)};
    }
    Bytes u32(std::uint32_t v) const
    {
        Bytes b{Bytes::value_type(v), Bytes::value_type(v >> 8), Bytes::value_type(v >> 16), Bytes::value_type(v >> 24)};
        if (m_motorola)
            std::reverse(b.begin(), b.end());
        return b;
    }

    Field ascii(std::uint16_t tag, const std::string& text) const
    {
        Bytes b(text.begin(), text.end());
        b.push_back(0);
        return {tag, 2, std::uint32_t(b.size()), {}, b};
    }
    Field rational(std::uint16_t tag, std::uint32_t num, std::uint32_t den, std::uint16_t type = 5) const
    {
        Bytes b = u32(num);
        const Bytes d = u32(den);
        b.insert(b.end(), d.begin(), d.end());
        return {tag, type, 1, {}, b};
    }
    // A SHORT sits in the first two bytes of the value field whatever the byte order.
    Field shortValue(std::uint16_t tag, std::uint16_t v) const
    {
        Bytes field = u16(v);
        field.resize(4, 0);
        return {tag, 3, 1, readU32(field), {}};
    }
    Field pointer(std::uint16_t tag, int directory) const { return {tag, 4, 1, {}, {}, directory}; }

    Bytes build(const std::vector<std::vector<Field>>& dirs, std::uint32_t firstOffset = 8) const
    {
        std::vector<std::uint32_t> dirOffsets;
        std::uint32_t at = firstOffset;
        for (const auto& d : dirs) {
            dirOffsets.push_back(at);
            at += 2 + 12 * std::uint32_t(d.size()) + 4;
        }
        Bytes out = m_motorola ? Bytes{'M', 'M'} : Bytes{'I', 'I'};
        append(out, u16(42));
        append(out, u32(firstOffset));
        out.resize(firstOffset, 0);
        Bytes data;
        for (const auto& d : dirs) {
            append(out, u16(std::uint32_t(d.size())));
            for (const Field& f : d) {
                append(out, u16(f.tag));
                append(out, u16(f.type));
                append(out, u32(f.count));
                if (f.directory >= 0)
                    append(out, u32(dirOffsets.at(std::size_t(f.directory))));
                else if (f.value)
                    append(out, u32(*f.value));
                else {
                    append(out, u32(at + std::uint32_t(data.size())));
                    append(data, f.payload);
                }
            }
            append(out, u32(0));
        }
        append(out, data);
        return out;
    }

private:
    static void append(Bytes& to, const Bytes& from) { to.insert(to.end(), from.begin(), from.end()); }
    std::uint32_t readU32(const Bytes& b) const
    {
        return m_motorola ? std::uint32_t(b[0]) << 24 | b[1] << 16 | b[2] << 8 | b[3]
                          : std::uint32_t(b[3]) << 24 | b[2] << 16 | b[1] << 8 | b[0];
    }
    bool m_motorola;
};

// A JPEG file whose APP1 segment holds tiff, directly after the start marker.
inline Bytes jpegWithExif(const Bytes& tiff)
{
    const std::size_t length = 2 + 6 + tiff.size();
    Bytes out{0xFF, 0xD8, 0xFF, 0xE1, std::uint8_t(length >> 8), std::uint8_t(length), 'E', 'x', 'i', 'f', 0, 0};
    out.insert(out.end(), tiff.begin(), tiff.end());
    out.insert(out.end(), {0xFF, 0xD9});
    return out;
}

inline exif::ReadResult readBytes(const Bytes& file, core::Messages* sink = nullptr, std::string separator = ".")
{
    exif::MemorySource source(file);
    exif::ReadOptions options;
    options.decimalSeparator = separator;
    core::ScriptedMessages quiet;
    options.messages = sink ? sink : &quiet;
    return exif::readExif(source, options);
}

inline std::optional<std::string> valueOf(const std::vector<exif::ExifItem>& items, std::int32_t tag)
{
    for (const exif::ExifItem& item : items)
        if (item.tag == tag)
            return item.value;
    return std::nullopt;
}

} // namespace blocks
