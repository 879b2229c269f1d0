// The accepted extensions, the choice of decoder for each, and the picture a frame holds.
#include "imaging/codecs/codec_internal.h"
#include "imaging/codecs/codec_messages.h"
#include "imaging/codecs/fast_io.h"
#include "imaging/codecs/jpeg_scaled.h"
#include "imaging/codecs/modern_formats.h"
#include "imaging/codecs/registry.h"
#include "imaging/kernels/orientation.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>

namespace imaging {

namespace {

std::string upper(std::string_view s)
{
    std::string u(s);
    std::transform(u.begin(), u.end(), u.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return u;
}

// True for data a load keeps as the file itself (JPEG): the table's own reading.
bool isFileData(const Codec* codec)
{
    return codec != nullptr && codec->keptAs == KeptAs::FileData;
}

bool isEncodedData(const Codec* codec)
{
    return codec != nullptr && codec->keptAs == KeptAs::EncodedData;
}

bool fileStartsWith(const std::string& path, std::string_view magic)
{
    std::ifstream in(path, std::ios::binary);
    std::string head(magic.size(), '\0');
    return in.read(head.data(), static_cast<std::streamsize>(head.size())) && head == magic;
}

Bitmap loadJpegFile(const std::string& path, const ProgressFn& progress, const DecodeOptions& options)
{
    const std::vector<std::uint8_t> data = readWholeFile(path);
    // A file named .jpg that holds another format (a PNG saved under the wrong name
    // is common, a phone's HEIC renamed on the way off it too) is read by what it is.
    const Codec* codec = sniff(data);
    if (!data.empty() && !isFileData(codec)) {
        if (isEncodedData(codec))
            return codec->decode(data, options, progress, path);
        return detail::readWithQt(path, nullptr, progress, options);
    }
    Bitmap bmp = detail::decodeJpegNamed(data, options, progress, path);
    return options.honourOrientation ? orientUpright(std::move(bmp), fileOrientation(data)) : bmp;
}

// HEIF, AVIF, WebP and JPEG XL, by what the data is: a phone's file renamed to another of
// them (or to .jpg) still loads.
Bitmap loadEncodedFile(const std::string& path, const ProgressFn& progress, const DecodeOptions& options)
{
    const std::vector<std::uint8_t> data = readWholeFile(path);
    const Codec* codec = sniff(data);
    // Not what its name says: the decoder its name asks for gives the message.
    if (codec == nullptr || codec->decode == nullptr)
        codec = codecNamedBy(path);
    return codec->decode(data, options, progress, path);
}

bool isNetpbm(std::string_view qtFormat)
{
    return qtFormat == "ppm" || qtFormat == "pgm" || qtFormat == "pbm";
}

// ImageMagick's name for a format Qt reads, where its reader covers variants Qt's does
// not (run-length coded Targa, OS/2 bitmaps). Never TIFF: ImageMagick's TIFF reader
// installs process-wide libtiff error handlers that Qt's TIFF plugin then calls with
// ImageMagick's state gone, which aborts the program.
std::string_view magickNameFor(std::string_view qtFormat)
{
    if (qtFormat == "tga")
        return "TGA";
    if (qtFormat == "bmp")
        return "BMP";
    if (qtFormat == "ico")
        return "ICO";
    if (isNetpbm(qtFormat))
        return "PNM";
    return {};
}

Bitmap loadWithQt(const std::string& path, const FormatInfo& format, const ProgressFn& progress,
                  const DecodeOptions& options)
{
    // Large uncompressed pictures (scans, the editor's own work files) are read straight
    // into their rows; every other netpbm variant goes through Qt.
    if (isNetpbm(format.formatName))
        if (std::optional<Bitmap> direct = detail::readBinaryPnm(path, progress))
            return std::move(*direct);
    try {
        return detail::readWithQt(path, std::string(format.formatName).c_str(), progress, options);
    } catch (const detail::QtReadFailure&) {
        const std::string_view magickName = magickNameFor(format.formatName);
        if (magickName.empty())
            throw;
        const FormatInfo retry{format.extension, Decoder::Magick, magickName, format.description};
        return detail::readWithMagick(path, retry, progress, options);
    }
}

Bitmap loadByFormat(const std::string& path, const FormatInfo& format, const ProgressFn& progress,
                    const DecodeOptions& options)
{
    switch (format.decoder) {
    case Decoder::LibJpeg:
        return loadJpegFile(path, progress, options);
    case Decoder::Qt:
        return loadWithQt(path, format, progress, options);
    case Decoder::Magick:
        // Windows programs also save run-length coded bitmaps as .rle.
        if (format.formatName == "RLE" && fileStartsWith(path, "BM"))
            return detail::readWithQt(path, "bmp", progress, options);
        return detail::readWithMagick(path, format, progress, options);
    case Decoder::GmHelper:
        return detail::readWithGm(path, format, progress, options);
    case Decoder::Own:
        return detail::readAnimator(path, progress);
    case Decoder::LibHeif:
    case Decoder::LibWebP:
    case Decoder::LibJxl:
        return loadEncodedFile(path, progress, options);
    case Decoder::LibRaw:
        return detail::decodeRaw(path, progress, options);
    case Decoder::None:
        break;
    }
    if (format.formatName == "PAL")
        throw ImagingError(msg::compose(msg::kPaletteFile, path));
    throw ImagingError(msg::compose(msg::kNoReader, path, std::string(format.description)));
}

} // namespace


const std::vector<FormatInfo>& acceptedFormats()
{
    static const std::vector<FormatInfo> formats = {
        {".JPG", Decoder::LibJpeg, "JPEG", "JPEG"},
        {".JPEG", Decoder::LibJpeg, "JPEG", "JPEG"},
        {".BMP", Decoder::Qt, "bmp", "Windows bitmap"},
        {".TIF", Decoder::Qt, "tiff", "TIFF"},
        {".TIFF", Decoder::Qt, "tiff", "TIFF"},
        {".WMF", Decoder::Magick, "WMF", "Windows metafile"},
        {".EMF", Decoder::None, "EMF", "Windows enhanced metafile"},
        {".FAX", Decoder::Magick, "FAX", "Group 3 fax"},
        {".GIF", Decoder::Qt, "gif", "GIF"},
        {".ICO", Decoder::Qt, "ico", "Windows icon"},
        {".PSD", Decoder::Magick, "PSD", "Photoshop image"},
        {".PDD", Decoder::Magick, "PSD", "Photoshop image"},
        {".PSP", Decoder::None, "PSP", "Paint Shop Pro image"},
        {".PNG", Decoder::Qt, "png", "PNG"},
        {".BW", Decoder::Magick, "SGI", "SGI image"},
        {".RGB", Decoder::Magick, "SGI", "SGI image"},
        {".RGBA", Decoder::Magick, "SGI", "SGI image"},
        {".SGI", Decoder::Magick, "SGI", "SGI image"},
        {".CEL", Decoder::Own, "CEL", "Autodesk Animator cel"},
        {".PIC", Decoder::Own, "PIC", "Autodesk Animator picture"},
        {".TGA", Decoder::Qt, "tga", "Targa image"},
        {".VST", Decoder::Qt, "tga", "Targa image"},
        {".ICB", Decoder::Qt, "tga", "Targa image"},
        {".VDA", Decoder::Qt, "tga", "Targa image"},
        {".WIN", Decoder::Qt, "tga", "Targa image"},
        {".PCX", Decoder::Magick, "PCX", "PC Paintbrush image"},
        {".PCC", Decoder::Magick, "PCX", "PC Paintbrush image"},
        {".PCD", Decoder::Magick, "PCD", "Kodak Photo CD image"},
        {".PPM", Decoder::Qt, "ppm", "portable pixmap"},
        {".PGM", Decoder::Qt, "pgm", "portable graymap"},
        {".PBM", Decoder::Qt, "pbm", "portable bitmap"},
        {".CUT", Decoder::Magick, "CUT", "Dr. Halo image"},
        {".PAL", Decoder::None, "PAL", "Dr. Halo palette"},
        {".RLA", Decoder::GmHelper, "RLA", "Alias/Wavefront image"},
        {".RPF", Decoder::GmHelper, "RLA", "Alias/Wavefront image"},
        {".RLE", Decoder::Magick, "RLE", "Utah run-length image"},
        {".DIB", Decoder::Qt, "dib", "device-independent bitmap"},
        {".HEIC", Decoder::LibHeif, "HEIF", "HEIF image"},
        {".HEIF", Decoder::LibHeif, "HEIF", "HEIF image"},
        {".HIF", Decoder::LibHeif, "HEIF", "HEIF image"},
        {".AVIF", Decoder::LibHeif, "AVIF", "AVIF image"},
        {".WEBP", Decoder::LibWebP, "WebP", "WebP image"},
        {".JXL", Decoder::LibJxl, "JXL", "JPEG XL image"},
        {".DNG", Decoder::LibRaw, "DNG", "camera RAW"},
        {".CR2", Decoder::LibRaw, "CR2", "camera RAW"},
        {".CR3", Decoder::LibRaw, "CR3", "camera RAW"},
        {".NEF", Decoder::LibRaw, "NEF", "camera RAW"},
        {".ARW", Decoder::LibRaw, "ARW", "camera RAW"},
        {".ORF", Decoder::LibRaw, "ORF", "camera RAW"},
        {".RAF", Decoder::LibRaw, "RAF", "camera RAW"},
        {".RW2", Decoder::LibRaw, "RW2", "camera RAW"},
        {".PEF", Decoder::LibRaw, "PEF", "camera RAW"},
    };
    return formats;
}

const FormatInfo* findFormat(std::string_view extension)
{
    std::string ext = upper(extension);
    if (!ext.empty() && ext.front() != '.')
        ext.insert(ext.begin(), '.');
    const auto& formats = acceptedFormats();
    const auto it = std::find_if(formats.begin(), formats.end(), [&](const FormatInfo& f) { return f.extension == ext; });
    return it == formats.end() ? nullptr : &*it;
}

bool isAcceptedExtension(std::string_view extension)
{
    return findFormat(extension) != nullptr;
}

std::string extensionOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    return path.substr(dot);
}

std::string lowerExtensionOf(const std::string& path)
{
    std::string ext = extensionOf(path);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

bool hasAcceptedExtension(const std::string& path)
{
    return isAcceptedExtension(extensionOf(path));
}

Bitmap loadBitmap(const std::string& path, const ProgressFn& progress, const DecodeOptions& options)
{
    const FormatInfo* format = findFormat(extensionOf(path));
    if (format == nullptr)
        throw ImagingError(msg::compose(msg::kNotAccepted, path));
    return loadByFormat(path, *format, progress, options);
}

// ---- Picture ----

Picture Picture::fromBitmap(Bitmap bmp)
{
    Picture p;
    p.m_width = bmp.width();
    p.m_height = bmp.height();
    p.m_bitmap = std::make_shared<const Bitmap>(std::move(bmp));
    return p;
}

Picture Picture::fromJpegData(std::vector<std::uint8_t> data, const DecodeOptions& options)
{
    const ImageSize size = readJpegSize(data);
    detail::checkImageSize(size.width, size.height, {});
    Picture p;
    p.m_options = options;
    p.m_orientation = p.m_fileOrientation = options.honourOrientation ? fileOrientation(data) : kUpright;
    p.m_upright = orientationSwapsSides(p.m_orientation) ? ImageSize{size.height, size.width} : size;
    p.m_width = p.m_upright.width;
    p.m_height = p.m_upright.height;
    p.m_jpeg = std::make_shared<const std::vector<std::uint8_t>>(std::move(data));
    return p;
}

Picture Picture::fromEncodedData(std::vector<std::uint8_t> data, const Codec& codec, int width, int height,
                                 const DecodeOptions& options)
{
    detail::checkImageSize(width, height, {});
    Picture p;
    p.m_options = options;
    p.m_upright = {width, height};
    p.m_width = width;
    p.m_height = height;
    p.m_codec = &codec;
    p.m_jpeg = std::make_shared<const std::vector<std::uint8_t>>(std::move(data));
    return p;
}

Picture Picture::fromJpegData(std::vector<std::uint8_t> data, int orientation, const DecodeOptions& options)
{
    Picture p = fromJpegData(std::move(data), options);
    p.m_orientation = orientation >= 1 && orientation <= 8 ? orientation : kUpright;
    const ImageSize stored = orientationSwapsSides(p.m_fileOrientation) ? ImageSize{p.m_upright.height, p.m_upright.width}
                                                                         : p.m_upright;
    p.m_upright = orientationSwapsSides(p.m_orientation) ? ImageSize{stored.height, stored.width} : stored;
    p.m_width = p.m_upright.width;
    p.m_height = p.m_upright.height;
    return p;
}

std::span<const std::uint8_t> Picture::jpegData() const
{
    if (!m_jpeg || m_codec != nullptr)
        return {};
    return *m_jpeg;
}

std::span<const std::uint8_t> Picture::encodedData() const
{
    if (!m_jpeg)
        return {};
    return *m_jpeg;
}

Bitmap Picture::decodeData(const ProgressFn& progress) const
{
    if (!m_jpeg)
        return {};
    Bitmap bmp;
    if (m_codec) {
        bmp = m_codec->decode(*m_jpeg, m_options, progress, {});
    } else {
        bmp = orientUpright(decodeJpeg(*m_jpeg, progress, m_options), m_orientation);
    }
    // Decoded again later (with other settings, say), the data must give what was laid out.
    if (bmp.width() != m_upright.width || bmp.height() != m_upright.height)
        throw ImagingError("The picture's data decoded to another size than when it was loaded");
    return bmp;
}

void Picture::decodeDataInto(RowSink& sink) const
{
    // Decoded again later (with other settings, say), the data must give what was laid out.
    class SizeChecked : public RowSink {
    public:
        SizeChecked(RowSink& sink, ImageSize size) : m_sink(sink), m_size(size) {}
        void begin(int width, int height, int orientation) override
        {
            const bool swapped = orientationSwapsSides(orientation);
            if ((swapped ? height : width) != m_size.width || (swapped ? width : height) != m_size.height)
                throw ImagingError("The picture's data decoded to another size than when it was loaded");
            m_sink.begin(width, height, orientation);
        }
        void rows(ConstBitmapView band, int firstRow) override { m_sink.rows(band, firstRow); }
        bool takeWhole(Bitmap& picture) override { return m_sink.takeWhole(picture); }

    private:
        RowSink& m_sink;
        ImageSize m_size;
    };
    if (!m_jpeg)
        return;
    if (!m_codec) {
        RowSink::handOver(sink, decodeData());
        return;
    }
    SizeChecked checked(sink, m_upright);
    m_codec->decodeForScreen(*m_jpeg, m_options, {}, checked);
}

const Bitmap& Picture::bitmap(const ProgressFn& progress) const
{
    if (!m_bitmap) {
        if (!m_jpeg)
            m_bitmap = std::make_shared<const Bitmap>();
        else if (!m_steps)
            m_bitmap = std::make_shared<const Bitmap>(decodeData(progress));
        else
            m_bitmap = std::make_shared<const Bitmap>(decodeWithSteps(progress));
    }
    return *m_bitmap;
}

Bitmap Picture::decodeWithSteps(const ProgressFn& progress) const
{
    Bitmap result = m_steps->apply(decodeData(progress));
    // The frame was laid out with the size recorded; other pixels would be drawn wrongly.
    if (result.width() != m_width || result.height() != m_height)
        throw ImagingError("The deferred steps gave a picture of another size");
    return result;
}

ImageSize Picture::uprightSize() const
{
    return m_jpeg ? m_upright : ImageSize{m_width, m_height};
}

Bitmap decodeRendition(const Picture& picture, int eighths, const std::string& name)
{
    return orientUpright(decodeJpegScaled(picture.jpegData(), eighths, name, picture.decodeOptions()), picture.orientation());
}

void Picture::deferSteps(std::shared_ptr<const DeferredSteps> steps, int width, int height)
{
    if (!canDefer())
        throw ImagingError("Only a JPEG picture not yet decoded can defer its steps");
    detail::checkImageSize(width, height, {});
    m_steps = std::move(steps);
    m_width = width;
    m_height = height;
}

void Picture::setBitmap(Bitmap bmp)
{
    m_jpeg.reset();
    m_codec = nullptr;
    m_steps.reset();
    m_orientation = m_fileOrientation = 1;
    m_width = bmp.width();
    m_height = bmp.height();
    m_bitmap = std::make_shared<const Bitmap>(std::move(bmp));
}

std::optional<EncodedLoad> loadEncodedPicture(const std::string& path, const ProgressFn& progress,
                                              const DecodeOptions& options)
{
    const FormatInfo* format = findFormat(extensionOf(path));
    if (format == nullptr || format->decoder == Decoder::LibRaw)
        return std::nullopt;
    const Codec* codec = sniffFile(path);
    if (!isEncodedData(codec))
        return std::nullopt;
    std::vector<std::uint8_t> data = readWholeFile(path);
    EncodedLoad out;
    out.pixels = codec->decode(data, options, progress, path);
    out.picture = Picture::fromEncodedData(std::move(data), *codec, out.pixels.width(), out.pixels.height(), options);
    return out;
}

std::optional<Picture> loadEncodedPictureInto(const std::string& path, RowSink& sink, const DecodeOptions& options)
{
    const FormatInfo* format = findFormat(extensionOf(path));
    if (format == nullptr || format->decoder == Decoder::LibRaw)
        return std::nullopt;
    const Codec* codec = sniffFile(path);
    if (!isEncodedData(codec))
        return std::nullopt;
    std::vector<std::uint8_t> data = readWholeFile(path);
    const ImageSize size = codec->decodeForScreen(data, options, path, sink);
    return Picture::fromEncodedData(std::move(data), *codec, size.width, size.height, options);
}

Picture loadPicture(const std::string& path, const ProgressFn& progress, const DecodeOptions& options)
{
    const FormatInfo* format = findFormat(extensionOf(path));
    if (format == nullptr)
        throw ImagingError(msg::compose(msg::kNotAccepted, path));
    if (std::optional<EncodedLoad> encoded = loadEncodedPicture(path, progress, options)) {
        encoded->picture.m_bitmap = std::make_shared<const Bitmap>(std::move(encoded->pixels));
        return std::move(encoded->picture);
    }
    if (format->decoder != Decoder::LibJpeg)
        return Picture::fromBitmap(loadByFormat(path, *format, progress, options));
    std::vector<std::uint8_t> data = readWholeFile(path);
    if (!data.empty() && !isFileData(sniff(data)))
        return Picture::fromBitmap(detail::readWithQt(path, nullptr, progress, options));
    Bitmap pixels = detail::decodeJpegNamed(data, options, progress, path);
    Picture picture = Picture::fromJpegData(std::move(data), options);
    picture.m_bitmap = std::make_shared<const Bitmap>(orientUpright(std::move(pixels), picture.m_orientation));
    return picture;
}

void savePictureAsJpeg(const Picture& picture, const std::string& path, int quality, const ProgressFn& progress)
{
    if (picture.empty())
        throw ImagingError(msg::kNothingToSave);
    if (!picture.keepsJpegFile()) {
        saveJpeg(picture.bitmap().view(), path, quality, progress);
        return;
    }
    detail::report(progress, 0);
    writeFileAtomically(path, picture.jpegData());
    detail::report(progress, 100);
}

} // namespace imaging
