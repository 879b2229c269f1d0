// A small DNG file written byte by byte: what LibRaw needs of a camera RAW file (an
// uncompressed 16-bit colour filter array with its pattern, levels and colour matrix),
// the camera data a caption shows, and optionally a JPEG preview as cameras store one.
// For the tests and the decoder bench; no camera file is ever downloaded.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace dng {

// A little-endian TIFF writer for the DNGs: directories of entries whose values go after them.
class TiffWriter {
public:
    struct Entry {
        std::uint16_t tag;
        std::uint16_t type; // 2 ASCII, 3 SHORT, 4 LONG, 5 RATIONAL, 10 SRATIONAL, 1 BYTE
        std::uint32_t count;
        std::vector<std::uint8_t> value;
    };
    static Entry shorts(std::uint16_t tag, std::vector<std::uint16_t> v)
    {
        Entry e{tag, 3, std::uint32_t(v.size()), {}};
        for (auto x : v)
            put16(e.value, x);
        return e;
    }
    static Entry longs(std::uint16_t tag, std::vector<std::uint32_t> v)
    {
        Entry e{tag, 4, std::uint32_t(v.size()), {}};
        for (auto x : v)
            put32(e.value, x);
        return e;
    }
    static Entry bytes(std::uint16_t tag, std::vector<std::uint8_t> v) { return {tag, 1, std::uint32_t(v.size()), v}; }
    static Entry ascii(std::uint16_t tag, const std::string& s)
    {
        Entry e{tag, 2, std::uint32_t(s.size() + 1), {s.begin(), s.end()}};
        e.value.push_back(0);
        return e;
    }
    static Entry rationals(std::uint16_t tag, std::uint16_t type, std::vector<std::pair<std::int32_t, std::int32_t>> v)
    {
        Entry e{tag, type, std::uint32_t(v.size()), {}};
        for (auto [n, d] : v) {
            put32(e.value, static_cast<std::uint32_t>(n));
            put32(e.value, static_cast<std::uint32_t>(d));
        }
        return e;
    }
    static void put16(std::vector<std::uint8_t>& v, std::uint32_t x) { v.insert(v.end(), {std::uint8_t(x), std::uint8_t(x >> 8)}); }
    static void put32(std::vector<std::uint8_t>& v, std::uint32_t x)
    {
        v.insert(v.end(), {std::uint8_t(x), std::uint8_t(x >> 8), std::uint8_t(x >> 16), std::uint8_t(x >> 24)});
    }
    static void set32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x)
    {
        for (int i = 0; i < 4; ++i)
            v[at + i] = std::uint8_t(x >> (8 * i));
    }

    // Writes a directory (entries sorted by tag) at the end of out, its long values after
    // it; returns the offsets of each entry's value field (to patch pointers into).
    static std::vector<std::size_t> directory(std::vector<std::uint8_t>& out, std::vector<Entry> entries, std::uint32_t next = 0)
    {
        std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.tag < b.tag; });
        const std::size_t start = out.size();
        std::size_t data = start + 2 + entries.size() * 12 + 4;
        put16(out, std::uint32_t(entries.size()));
        std::vector<std::size_t> fields;
        std::vector<std::uint8_t> tail;
        for (const Entry& e : entries) {
            put16(out, e.tag);
            put16(out, e.type);
            put32(out, e.count);
            fields.push_back(out.size());
            if (e.value.size() <= 4) {
                std::vector<std::uint8_t> v = e.value;
                v.resize(4, 0);
                out.insert(out.end(), v.begin(), v.end());
            } else {
                put32(out, std::uint32_t(data + tail.size()));
                tail.insert(tail.end(), e.value.begin(), e.value.end());
                if (tail.size() % 2)
                    tail.push_back(0);
            }
        }
        put32(out, next);
        out.insert(out.end(), tail.begin(), tail.end());
        return fields;
    }
};

// A DNG of a width x height sensor with an RGGB colour filter, 16-bit samples stored
// uncompressed: the left half of the scene red, the right half blue. Orientation and
// camera data as given; a JPEG preview as the first directory when one is given (the
// sensor data then in its sub-directory, as cameras write it).
std::vector<std::uint8_t> makeDng(int width, int height, int orientation, const std::vector<std::uint8_t>& preview = {},
                                  int previewWidth = 0, int previewHeight = 0)
{
    using T = TiffWriter;
    std::vector<std::uint8_t> out = {'I', 'I', 42, 0, 8, 0, 0, 0};
    std::vector<std::uint8_t> samples;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool red = (y % 2 == 0) && (x % 2 == 0);
            const bool blue = (y % 2 == 1) && (x % 2 == 1);
            const bool leftHalf = x < width / 2;
            const std::uint32_t v = (red && leftHalf) || (blue && !leftHalf) ? 50000 : 3000;
            T::put16(samples, v);
        }
    const std::vector<T::Entry> rawTags = {
        T::longs(254, {0}), T::longs(256, {std::uint32_t(width)}), T::longs(257, {std::uint32_t(height)}),
        T::shorts(258, {16}), T::shorts(259, {1}), T::shorts(262, {32803}), T::longs(273, {0}),
        T::shorts(277, {1}), T::longs(278, {std::uint32_t(height)}), T::longs(279, {std::uint32_t(samples.size())}),
        T::shorts(284, {1}), T::shorts(33421, {2, 2}), T::bytes(33422, {0, 1, 1, 2}), T::longs(50714, {0}),
        T::longs(50717, {65535})};
    std::vector<T::Entry> main = {
        T::ascii(271, "Paginor"), T::ascii(272, "Test Camera"), T::shorts(274, {std::uint16_t(orientation)}),
        T::ascii(306, "2024:05:06 07:08:09"), T::longs(34665, {0}), T::bytes(50706, {1, 4, 0, 0}),
        T::ascii(50708, "Paginor Test Camera"),
        T::rationals(50721, 10, {{1, 1}, {0, 1}, {0, 1}, {0, 1}, {1, 1}, {0, 1}, {0, 1}, {0, 1}, {1, 1}}),
        T::rationals(50728, 5, {{1, 1}, {1, 1}, {1, 1}}), T::shorts(50778, {21})};
    const bool withPreview = !preview.empty();
    if (withPreview) {
        main.insert(main.end(), {T::longs(254, {1}), T::longs(256, {std::uint32_t(previewWidth)}),
                                 T::longs(257, {std::uint32_t(previewHeight)}), T::shorts(258, {8, 8, 8}),
                                 T::shorts(259, {7}), T::shorts(262, {6}), T::longs(273, {0}), T::shorts(277, {3}),
                                 T::longs(278, {std::uint32_t(previewHeight)}),
                                 T::longs(279, {std::uint32_t(preview.size())}), T::longs(330, {0})});
    } else {
        main.insert(main.end(), rawTags.begin(), rawTags.end());
    }
    std::sort(main.begin(), main.end(), [](const T::Entry& a, const T::Entry& b) { return a.tag < b.tag; });
    const std::vector<std::size_t> fields = T::directory(out, main);
    const auto fieldOf = [&](std::uint16_t tag) {
        for (std::size_t i = 0; i < main.size(); ++i)
            if (main[i].tag == tag)
                return fields[i];
        return std::size_t(0);
    };
    // The EXIF directory: the date taken and the exposure.
    T::set32(out, fieldOf(34665), std::uint32_t(out.size()));
    T::directory(out, {T::ascii(36867, "2024:05:06 07:08:09"), T::rationals(33434, 5, {{1, 250}}),
                       T::rationals(33437, 5, {{28, 10}})});
    if (withPreview) {
        T::set32(out, fieldOf(330), std::uint32_t(out.size()));
        std::vector<T::Entry> sub = rawTags;
        const std::vector<std::size_t> subFields = T::directory(out, sub);
        std::sort(sub.begin(), sub.end(), [](const T::Entry& a, const T::Entry& b) { return a.tag < b.tag; });
        for (std::size_t i = 0; i < sub.size(); ++i)
            if (sub[i].tag == 273)
                T::set32(out, subFields[i], std::uint32_t(out.size()));
        out.insert(out.end(), samples.begin(), samples.end());
        T::set32(out, fieldOf(273), std::uint32_t(out.size()));
        out.insert(out.end(), preview.begin(), preview.end());
    } else {
        T::set32(out, fieldOf(273), std::uint32_t(out.size()));
        out.insert(out.end(), samples.begin(), samples.end());
    }
    return out;
}

} // namespace dng
