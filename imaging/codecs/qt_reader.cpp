// Formats read through Qt's image readers (and the image-formats plugins).
#include "imaging/codecs/codec_internal.h"
#include "imaging/codecs/codec_messages.h"
#include "imaging/kernels/orientation.h"
#include "imaging/qt/qimage_adapter.h"

#include <QBuffer>
#include <QColorSpace>
#include <QImageReader>

#include <algorithm>
#include <cstring>
#include <string_view>

namespace imaging::detail {
namespace {

void limitQtAllocations()
{
    // Qt refuses images above its own limit (256 MB by default), far less than a large
    // scan needs; our own size check has already run, so let Qt go as far as it does.
    const std::int64_t mb = maxImageBytes() / (1024 * 1024);
    QImageReader::setAllocationLimit(static_cast<int>(std::min<std::int64_t>(mb, 1 << 30)));
}

// An icon file holds the same picture at several sizes, often the smallest first; the
// largest is the one worth printing.
void jumpToLargestIcon(QImageReader& reader)
{
    int best = -1;
    qint64 bestArea = -1;
    for (int i = 0; i < reader.imageCount(); ++i) {
        if (!reader.jumpToImage(i))
            break;
        const QSize size = reader.size();
        if (size.isValid() && qint64(size.width()) * size.height() > bestArea) {
            best = i;
            bestArea = qint64(size.width()) * size.height();
        }
    }
    reader.jumpToImage(best >= 0 ? best : 0);
}

// Qt gives a PNG file a colour space from its gamma and chromaticity chunks too; only
// a profile the file really carries (an iCCP chunk before the pixel data) counts.
bool pngCarriesProfile(const std::vector<std::uint8_t>& data)
{
    for (std::size_t at = 8; at + 8 <= data.size();) {
        const std::uint32_t length = std::uint32_t(data[at]) << 24 | std::uint32_t(data[at + 1]) << 16 |
                                     std::uint32_t(data[at + 2]) << 8 | data[at + 3];
        const std::string_view type(reinterpret_cast<const char*>(data.data() + at + 4), 4);
        if (type == "iCCP")
            return true;
        if (type == "IDAT" || type == "IEND" || length > data.size())
            return false;
        at += std::size_t(length) + 12;
    }
    return false;
}

} // namespace

Bitmap readWithQt(const std::string& path, const char* format, const ProgressFn& progress, const DecodeOptions& options)
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
    reader.setAutoTransform(false); // the orientation is ours to apply, once, below
    if (formatName == "ico")
        jumpToLargestIcon(reader);
    const QSize announced = reader.size();
    if (announced.isValid())
        checkImageSize(announced.width(), announced.height(), path);
    if (formatName == "bmp")
        checkBmpComplete(data, path);
    limitQtAllocations();
    QImage image;
    if (!reader.read(&image) || image.isNull())
        throw QtReadFailure(msg::compose(msg::kCannotRead, path, reader.errorString().toStdString()));
    checkImageSize(image.width(), image.height(), path);
    report(progress, 50);
    Bitmap bmp = fromQImage(image);
    const QByteArray icc = formatName != "png" || pngCarriesProfile(data) ? image.colorSpace().iccProfile() : QByteArray();
    convertToSrgb(profileIfUsed({reinterpret_cast<const std::uint8_t*>(icc.constData()), static_cast<std::size_t>(icc.size())},
                                options),
                  bmp.view());
    // A TIFF, a PNG with an eXIf chunk, or a JPEG under another name.
    if (options.honourOrientation)
        bmp = orientUpright(std::move(bmp), fileOrientation(data));
    report(progress, 100);
    return bmp;
}

} // namespace imaging::detail
