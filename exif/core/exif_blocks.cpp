// Finding the EXIF block in HEIF, WebP and JPEG XL files.
#include "exif/core/exif_blocks.h"

#include "core/text.h"

#include <cstring>
#include <memory>

#include <jxl/decode.h>
#include <libheif/heif.h>
#include <webp/demux.h>

namespace imaging {
namespace {

struct HeifContextDeleter {
    void operator()(heif_context* c) const { heif_context_free(c); }
};
struct HeifHandleDeleter {
    void operator()(heif_image_handle* h) const { heif_image_handle_release(h); }
};
struct JxlDecoderDeleter {
    void operator()(JxlDecoder* d) const { JxlDecoderDestroy(d); }
};
struct DemuxDeleter {
    void operator()(WebPDemuxer* d) const { WebPDemuxDelete(d); }
};

} // namespace

std::vector<std::uint8_t> embeddedExifBlock(std::span<const std::uint8_t> data)
{
    if (data.size() >= 12 && core::startsWith(data, "RIFF") && core::startsWith(data.subspan(8), "WEBP"))
        return webpExifBlock(data);
    if (core::startsWith(data, std::string_view("\0\0\0\x0CJXL \r\n\x87\n", 12)))
        return jxlExifBlock(data);
    if (data.size() >= 12 && core::startsWith(data.subspan(4), "ftyp"))
        return heifExifBlock(data);
    return {};
}

std::vector<std::uint8_t> heifExifBlock(std::span<const std::uint8_t> data)
{
    std::unique_ptr<heif_context, HeifContextDeleter> context(heif_context_alloc());
    heif_image_handle* handle = nullptr;
    if (!context || heif_context_read_from_memory_without_copy(context.get(), data.data(), data.size(), nullptr).code !=
                        heif_error_Ok ||
        heif_context_get_primary_image_handle(context.get(), &handle).code != heif_error_Ok)
        return {};
    std::unique_ptr<heif_image_handle, HeifHandleDeleter> primary(handle);
    {
        heif_item_id id = 0;
        if (heif_image_handle_get_list_of_metadata_block_IDs(primary.get(), "Exif", &id, 1) != 1)
            return {};
        std::vector<std::uint8_t> block(heif_image_handle_get_metadata_size(primary.get(), id));
        if (block.size() < 4 || heif_image_handle_get_metadata(primary.get(), id, block.data()).code != heif_error_Ok)
            return {};
        // The block starts with the offset of the TIFF header past these four bytes.
        const std::size_t skip = 4 + (std::size_t(block[0]) << 24 | std::size_t(block[1]) << 16 |
                                      std::size_t(block[2]) << 8 | block[3]);
        if (skip >= block.size())
            return {};
        return {block.begin() + static_cast<std::ptrdiff_t>(skip), block.end()};
    }
}

std::vector<std::uint8_t> webpExifBlock(std::span<const std::uint8_t> data)
{
    WebPData whole{data.data(), data.size()};
    std::unique_ptr<WebPDemuxer, DemuxDeleter> demux(WebPDemux(&whole));
    WebPChunkIterator it;
    if (!demux || !WebPDemuxGetChunk(demux.get(), "EXIF", 1, &it))
        return {};
    const std::span<const std::uint8_t> tiff = tiffBlockOf({it.chunk.bytes, it.chunk.size});
    std::vector<std::uint8_t> out(tiff.begin(), tiff.end());
    WebPDemuxReleaseChunkIterator(&it);
    return out;
}

std::vector<std::uint8_t> jxlExifBlock(std::span<const std::uint8_t> data)
{
    // Only the container has boxes; cjxl stores the "Exif" box Brotli-compressed ("brob"),
    // which libjxl unpacks. The box holds the offset of the TIFF header (four bytes), then
    // the block.
    std::unique_ptr<JxlDecoder, JxlDecoderDeleter> dec(JxlDecoderCreate(nullptr));
    if (!dec || JxlDecoderSubscribeEvents(dec.get(), JXL_DEC_BOX) != JXL_DEC_SUCCESS ||
        JxlDecoderSetDecompressBoxes(dec.get(), JXL_TRUE) != JXL_DEC_SUCCESS)
        return {};
    JxlDecoderSetInput(dec.get(), data.data(), data.size());
    JxlDecoderCloseInput(dec.get());
    constexpr std::size_t kChunk = 4096;
    std::vector<std::uint8_t> box;
    bool inExif = false;
    const auto finish = [&]() -> std::vector<std::uint8_t> {
        const std::size_t left = JxlDecoderReleaseBoxBuffer(dec.get());
        box.resize(box.size() - left);
        if (box.size() < 4)
            return {};
        const std::size_t skip =
            4 + (std::size_t(box[0]) << 24 | std::size_t(box[1]) << 16 | std::size_t(box[2]) << 8 | box[3]);
        if (skip >= box.size())
            return {};
        return {box.begin() + static_cast<std::ptrdiff_t>(skip), box.end()};
    };
    for (;;) {
        const JxlDecoderStatus status = JxlDecoderProcessInput(dec.get());
        if (status == JXL_DEC_BOX) {
            if (inExif)
                return finish();
            JxlBoxType type;
            if (JxlDecoderGetBoxType(dec.get(), type, JXL_TRUE) != JXL_DEC_SUCCESS)
                return {};
            if (std::memcmp(type, "Exif", 4) == 0) {
                inExif = true;
                box.resize(kChunk);
                if (JxlDecoderSetBoxBuffer(dec.get(), box.data(), box.size()) != JXL_DEC_SUCCESS)
                    return {};
            }
        } else if (status == JXL_DEC_BOX_NEED_MORE_OUTPUT && inExif) {
            const std::size_t left = JxlDecoderReleaseBoxBuffer(dec.get());
            const std::size_t used = box.size() - left;
            if (box.size() + kChunk > kMaxExifBlock)
                return {};
            box.resize(box.size() + kChunk);
            if (JxlDecoderSetBoxBuffer(dec.get(), box.data() + used, box.size() - used) != JXL_DEC_SUCCESS)
                return {};
        } else if (status == JXL_DEC_SUCCESS && inExif) {
            return finish();
        } else {
            return {}; // the end, an error, or data cut short
        }
    }
}

std::span<const std::uint8_t> tiffBlockOf(std::span<const std::uint8_t> exifChunk)
{
    // Some writers keep JPEG's "Exif\0\0" in front of the TIFF header.
    if (exifChunk.size() >= 6 && std::memcmp(exifChunk.data(), "Exif\0\0", 6) == 0)
        exifChunk = exifChunk.subspan(6);
    return exifChunk;
}

} // namespace imaging
