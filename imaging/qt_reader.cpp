// Formats read through Qt's image readers (and the image-formats plugins).
#include "imaging/codec_internal.h"
#include "imaging/codec_messages.h"
#include "imaging/qimage_adapter.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <cstring>

namespace imaging::detail {
namespace {

std::uint32_t le32(const std::uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
}

// A .dib file is either a whole BMP file or a bitmap as it sits in memory (the info
// header without the 14-byte file header, as clipboards and some programs save it).
// Qt reads only the first, so the second gets a file header put in front.
std::vector<std::uint8_t> asBmpFile(std::vector<std::uint8_t> data, const std::string& path)
{
    if (data.size() >= 2 && data[0] == 'B' && data[1] == 'M')
        return data;
    if (data.size() < 16)
        throw ImagingError(msg::compose(msg::kCannotRead, path, "too short for a bitmap"));
    const std::uint32_t headerSize = le32(data.data());
    if (headerSize != 12 && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 64 &&
        headerSize != 108 && headerSize != 124)
        throw ImagingError(msg::compose(msg::kCannotRead, path, "not a device-independent bitmap"));
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

void limitQtAllocations()
{
    // Qt refuses images above its own limit (256 MB by default), far less than a large
    // scan needs; our own size check has already run, so let Qt go as far as it does.
    const std::int64_t mb = maxImageBytes() / (1024 * 1024);
    QImageReader::setAllocationLimit(static_cast<int>(std::min<std::int64_t>(mb, 1 << 30)));
}

} // namespace

Bitmap readWithQt(const std::string& path, const char* format, const ProgressFn& progress)
{
    report(progress, 0);
    std::vector<std::uint8_t> data = readWholeFile(path);
    QByteArray formatName = format != nullptr ? QByteArray(format) : QByteArray();
    if (formatName == "dib") {
        data = asBmpFile(std::move(data), path);
        formatName = "bmp";
    }
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data.data()),
                                               static_cast<qsizetype>(data.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, formatName);
    const QSize announced = reader.size();
    if (announced.isValid())
        checkImageSize(announced.width(), announced.height(), path);
    limitQtAllocations();
    QImage image;
    if (!reader.read(&image) || image.isNull())
        throw QtReadFailure(msg::compose(msg::kCannotRead, path, reader.errorString().toStdString()));
    checkImageSize(image.width(), image.height(), path);
    report(progress, 50);
    Bitmap bmp = fromQImage(image);
    report(progress, 100);
    return bmp;
}

} // namespace imaging::detail
