#include "imaging/qt/qimage_adapter.h"
#include "imaging/kernels/over_white.h"

#include <cstring>

namespace imaging {

namespace {

QImage::Format formatFor(int bytesPerPixel)
{
    if (bytesPerPixel == 3)
        return QImage::Format_BGR888;
    if (bytesPerPixel == 4)
        return QImage::Format_RGB32;
    throw ImagingError({"Unsupported bitmap layout: %1 bytes per pixel", bytesPerPixel});
}

} // namespace

QImage wrapAsQImage(ConstBitmapView bmp)
{
    if (bmp.pixels == nullptr || bmp.width <= 0 || bmp.height <= 0)
        return {};
    return QImage(bmp.pixels, bmp.width, bmp.height, static_cast<qsizetype>(bmp.stride), formatFor(bmp.bytesPerPixel));
}

QImage toQImage(ConstBitmapView bmp)
{
    if (bmp.pixels == nullptr || bmp.width <= 0 || bmp.height <= 0)
        return {};
    QImage image(bmp.width, bmp.height, formatFor(bmp.bytesPerPixel));
    if (image.isNull())
        throw ImagingError({QT_TRANSLATE_NOOP("Paginor", "Not enough memory for a %1 x %2 image"), bmp.width, bmp.height});
    const auto rowBytes = static_cast<std::size_t>(bmp.width) * static_cast<std::size_t>(bmp.bytesPerPixel);
    for (int y = 0; y < bmp.height; ++y)
        std::memcpy(image.scanLine(y), bmp.row(y), rowBytes);
    return image;
}

Bitmap fromQImage(const QImage& image)
{
    if (image.isNull())
        return {};
    Bitmap bmp(image.width(), image.height(), 3);
    if (!image.hasAlphaChannel()) {
        const QImage bgr = image.format() == QImage::Format_BGR888 ? image : image.convertToFormat(QImage::Format_BGR888);
        for (int y = 0; y < bmp.height(); ++y)
            std::memcpy(bmp.row(y), bgr.constScanLine(y), static_cast<std::size_t>(bmp.width()) * 3);
        return bmp;
    }
    // ARGB32 (not premultiplied) is blue, green, red, alpha in memory on little-endian
    // machines, which is all this program runs on.
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN);
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < bmp.height(); ++y)
        detail::bgraRowOverWhite(argb.constScanLine(y), bmp.row(y), bmp.width());
    return bmp;
}

BitmapView viewOf(QImage& image)
{
    int bytesPerPixel = 0;
    if (image.format() == QImage::Format_BGR888)
        bytesPerPixel = 3;
    else if (image.format() == QImage::Format_RGB32)
        bytesPerPixel = 4;
    else
        throw ImagingError("Only 24-bit BGR and 32-bit RGB images can be viewed as bitmaps");
    return {image.bits(), image.width(), image.height(), static_cast<std::ptrdiff_t>(image.bytesPerLine()), bytesPerPixel};
}

} // namespace imaging
