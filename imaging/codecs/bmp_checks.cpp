// Bitmap files that Qt reads, checked and completed by this program first: a .dib file
// without a file header gets one, and a file cut short is refused before Qt would show
// it with a blank end.
#include "imaging/codecs/codec_internal.h"
#include "imaging/codecs/codec_messages.h"

#include <algorithm>
#include <cstring>

namespace imaging::detail {
namespace {

std::uint32_t le32(const std::uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
}

unsigned le16(const std::uint8_t* p)
{
    return p[0] | (p[1] << 8);
}

[[noreturn]] void truncated(const std::string& path)
{
    throw ImagingError(msg::compose(msg::kCannotRead, path, QT_TRANSLATE_NOOP("Paginor", "the file is truncated")));
}

// Walks a run-length coded bitmap's codes until the end-of-bitmap code or the last row;
// running out of data first means the file was cut short.
void checkRunLengthComplete(const std::vector<std::uint8_t>& d, std::size_t pos, bool fourBit, std::int64_t rows,
                            const std::string& path)
{
    std::int64_t row = 0;
    while (row < rows) {
        if (pos + 2 > d.size())
            truncated(path);
        const unsigned count = d[pos], code = d[pos + 1];
        pos += 2;
        if (count > 0)
            continue; // a run of one value
        if (code == 0)
            ++row; // end of line
        else if (code == 1)
            return; // end of bitmap
        else if (code == 2) {
            if (pos + 2 > d.size())
                truncated(path);
            row += d[pos + 1];
            pos += 2;
        } else { // literal pixels, padded to a 16-bit boundary
            const std::size_t bytes = fourBit ? (code + 1) / 2 : code;
            pos += (bytes + 1) & ~std::size_t(1);
        }
    }
}

} // namespace

// A .dib file is either a whole BMP file or a bitmap as it sits in memory (the info
// header without the 14-byte file header, as clipboards and some programs save it).
// Qt reads only the first, so the second gets a file header put in front.
std::vector<std::uint8_t> asBmpFile(std::vector<std::uint8_t> data, const std::string& path)
{
    if (data.size() >= 2 && data[0] == 'B' && data[1] == 'M')
        return data;
    if (data.size() < 16)
        throw ImagingError(msg::compose(msg::kCannotRead, path, QT_TRANSLATE_NOOP("Paginor", "too short for a bitmap")));
    const std::uint32_t headerSize = le32(data.data());
    if (headerSize != 12 && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 64 &&
        headerSize != 108 && headerSize != 124)
        throw ImagingError(msg::compose(msg::kCannotRead, path, QT_TRANSLATE_NOOP("Paginor", "not a device-independent bitmap")));
    std::uint64_t paletteBytes = 0;
    if (headerSize >= 40 && data.size() >= 36) {
        const unsigned bits = data[14] | (data[15] << 8);
        const std::uint32_t compression = le32(data.data() + 16);
        const std::uint32_t used = le32(data.data() + 32);
        if (bits <= 8)
            paletteBytes = 4ull * (used != 0 ? std::min<std::uint32_t>(used, 256) : (1u << bits));
        else if (headerSize == 40 && (compression == 3 || compression == 6))
            paletteBytes = compression == 3 ? 12 : 16; // the colour masks follow the header
    } else if (headerSize == 12) {
        const unsigned bits = data[10] | (data[11] << 8);
        paletteBytes = bits <= 8 ? 3ull << bits : 0;
    }
    const std::uint64_t offset = 14 + headerSize + paletteBytes;
    std::vector<std::uint8_t> file(14 + data.size());
    file[0] = 'B';
    file[1] = 'M';
    const std::uint64_t total = file.size();
    for (int i = 0; i < 4; ++i) {
        file[2 + i] = static_cast<std::uint8_t>(total >> (8 * i));
        file[10 + i] = static_cast<std::uint8_t>(offset >> (8 * i));
    }
    std::memcpy(file.data() + 14, data.data(), data.size());
    return file;
}

// Qt's bitmap reader shows a cut-off file as a picture with a blank end; a file that
// ends before its pixels do is a failed load here.
void checkBmpComplete(const std::vector<std::uint8_t>& d, const std::string& path)
{
    if (d.size() < 18)
        truncated(path);
    const std::uint32_t offset = le32(d.data() + 10), headerSize = le32(d.data() + 14);
    if (d.size() < 14ull + headerSize || offset >= d.size())
        truncated(path);
    std::int64_t width = 0, height = 0;
    unsigned bits = 0;
    std::uint32_t compression = 0;
    if (headerSize == 12) {
        width = le16(d.data() + 18), height = le16(d.data() + 20), bits = le16(d.data() + 24);
    } else if (headerSize >= 40) {
        width = static_cast<std::int32_t>(le32(d.data() + 18));
        height = static_cast<std::int32_t>(le32(d.data() + 22));
        bits = le16(d.data() + 28), compression = le32(d.data() + 30);
    } else {
        return; // an unknown header: Qt will say what it makes of it
    }
    height = height < 0 ? -height : height;
    checkImageSize(width, height, path); // Qt gives no size for headers it finds absurd
    if (compression == 0 || compression == 3 || compression == 6) {
        const std::int64_t rowBytes = (width * bits + 31) / 32 * 4;
        if (rowBytes < 0 || offset + rowBytes * height > static_cast<std::int64_t>(d.size()))
            truncated(path);
    } else if (compression == 1 || compression == 2) {
        checkRunLengthComplete(d, offset, compression == 2, height, path);
    }
}

} // namespace imaging::detail
