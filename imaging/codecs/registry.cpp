// The table of formats recognised by their content; see registry.h.
#include "imaging/codecs/registry.h"

#include "core/file_signature.h"
#include "exif/core/exif_blocks.h"
#include "imaging/codecs/codec_internal.h"
#include "imaging/codecs/modern_formats.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <fstream>
#include <utility>

namespace imaging {
namespace {

bool startsWith(std::span<const std::uint8_t> data, std::string_view magic)
{
    return data.size() >= magic.size() && std::memcmp(data.data(), magic.data(), magic.size()) == 0;
}

bool isWebp(std::span<const std::uint8_t> head)
{
    return head.size() >= 12 && startsWith(head, "RIFF") && startsWith(head.subspan(8), "WEBP");
}

// A bare codestream or the ISO media container.
bool isJxl(std::span<const std::uint8_t> head)
{
    return startsWith(head, "\xFF\x0A") || startsWith(head, std::string_view("\0\0\0\x0CJXL \r\n\x87\n", 12));
}

// An ISO media file whose brands name a HEIF picture (HEVC or AV1 coded).
bool isHeif(std::span<const std::uint8_t> head)
{
    if (head.size() < 16 || !startsWith(head.subspan(4), "ftyp"))
        return false;
    const std::size_t boxSize = std::size_t(head[0]) << 24 | std::size_t(head[1]) << 16 | std::size_t(head[2]) << 8 | head[3];
    const std::size_t end = std::min(head.size(), boxSize);
    static constexpr std::string_view kBrands[] = {"heic", "heix", "heim", "heis", "hevc", "hevx",
                                                   "mif1", "msf1", "avif", "avis"};
    for (std::size_t pos = 8; pos + 4 <= end; pos += pos == 8 ? 8 : 4)
        for (std::string_view brand : kBrands)
            if (startsWith(head.subspan(pos), brand))
                return true;
    return false;
}

// A camera RAW file is known by its extension: most are TIFF structures like many other files.
bool recognisesNothing(std::span<const std::uint8_t>)
{
    return false;
}

// decode's picture handed to sink whole, as one band: the screen's copy of a format
// without a banded decode.
template <Picture::DataDecoder Decode>
ImageSize decodeWholeInto(std::span<const std::uint8_t> data, const DecodeOptions& options, const std::string& name,
                          RowSink& sink)
{
    Bitmap whole = Decode(data, options, {}, name);
    const ImageSize size{whole.width(), whole.height()};
    RowSink::handOver(sink, std::move(whole));
    return size;
}

constexpr std::string_view kJpegExtensions[] = {".JPG", ".JPEG"};
constexpr std::string_view kHeifExtensions[] = {".HEIC", ".HEIF", ".HIF", ".AVIF"};
constexpr std::string_view kWebpExtensions[] = {".WEBP"};
constexpr std::string_view kJxlExtensions[] = {".JXL"};
constexpr std::string_view kRawExtensions[] = {".DNG", ".CR2", ".CR3", ".NEF", ".ARW", ".ORF", ".RAF", ".RW2", ".PEF"};

const Codec kCodecs[] = {
    {"JPEG", core::startsAsJpeg, kJpegExtensions, KeptAs::FileData, detail::decodeJpegNamed, nullptr, nullptr,
     nullptr},
    {"HEIF", isHeif, kHeifExtensions, KeptAs::EncodedData, detail::decodeHeif, detail::decodeHeifInto, heifExifBlock,
     nullptr},
    {"WebP", isWebp, kWebpExtensions, KeptAs::EncodedData, detail::decodeWebp, decodeWholeInto<detail::decodeWebp>,
     webpExifBlock, nullptr},
    {"JPEG XL", isJxl, kJxlExtensions, KeptAs::EncodedData, detail::decodeJxl, decodeWholeInto<detail::decodeJxl>,
     jxlExifBlock, nullptr},
    {"camera RAW", recognisesNothing, kRawExtensions, KeptAs::Preview, nullptr, nullptr, nullptr,
     detail::rawJpegPreview},
};

} // namespace

std::span<const Codec> codecTable()
{
    return kCodecs;
}

const Codec* sniff(std::span<const std::uint8_t> head)
{
    for (const Codec& codec : kCodecs)
        if (codec.recognises(head))
            return &codec;
    return nullptr;
}

const Codec* sniffFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::array<char, kSniffBytes> head{};
    in.read(head.data(), head.size());
    const auto got = static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0));
    return sniff({reinterpret_cast<const std::uint8_t*>(head.data()), got});
}

const Codec* codecNamedBy(const std::string& path)
{
    std::string ext = extensionOf(path);
    for (char& c : ext)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const Codec& codec : kCodecs)
        if (std::find(codec.extensions.begin(), codec.extensions.end(), ext) != codec.extensions.end())
            return &codec;
    return nullptr;
}

} // namespace imaging
