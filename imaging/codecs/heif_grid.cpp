#include "imaging/codecs/heif_grid.h"

#include "imaging/kernels/parallel.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <limits>
#include <map>
#include <memory>
#include <string_view>

#include <libde265/de265.h>

namespace imaging::detail {
namespace {

// Big-endian fields read in turn; a read past the end gives 0 and marks the reader bad.
class Fields {
public:
    explicit Fields(std::span<const std::uint8_t> data) : m_data(data) {}
    std::uint64_t take(std::size_t bytes)
    {
        if (bytes > 8 || m_data.size() - m_pos < bytes) {
            m_ok = false;
            m_pos = m_data.size();
            return 0;
        }
        std::uint64_t v = 0;
        for (std::size_t i = 0; i < bytes; ++i)
            v = v << 8 | m_data[m_pos++];
        return v;
    }
    void skip(std::uint64_t bytes)
    {
        if (bytes > m_data.size() - m_pos) {
            m_ok = false;
            m_pos = m_data.size();
        } else {
            m_pos += static_cast<std::size_t>(bytes);
        }
    }
    std::span<const std::uint8_t> rest() const { return m_data.subspan(m_pos); }
    bool ok() const { return m_ok; }

private:
    std::span<const std::uint8_t> m_data;
    std::size_t m_pos = 0;
    bool m_ok = true;
};

struct Property {
    std::string_view type;
    std::span<const std::uint8_t> payload;
};

struct Location {
    int method = -1; // 0: in the file, 1: in the meta box's idat
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
    int extents = 0;
};

// What the meta box says of its items.
struct Items {
    std::uint32_t primary = 0;
    std::map<std::uint32_t, std::string_view> types;
    std::map<std::uint32_t, std::vector<std::uint32_t>> tilesOf; // dimg references
    std::vector<std::uint32_t> auxiliaryOfPrimary;               // items whose auxl names the primary
    std::map<std::uint32_t, Location> locations;
    std::vector<Property> properties;                         // ipco, in order (index 1 is the first)
    std::map<std::uint32_t, std::vector<int>> propertiesOf;   // ipma
    std::span<const std::uint8_t> idat;
    bool ok = true;
};

std::string_view fourcc(std::span<const std::uint8_t> payload)
{
    return {reinterpret_cast<const char*>(payload.data()), std::min<std::size_t>(payload.size(), 4)};
}

void readItemInfo(std::span<const std::uint8_t> iinf, Items& items)
{
    Fields f(iinf);
    const auto version = f.take(1);
    f.take(3);
    f.take(version == 0 ? 2 : 4);
    forEachBox(f.rest(), [&](std::string_view type, std::span<const std::uint8_t> infe) {
        if (type != "infe")
            return;
        Fields e(infe);
        const auto v = e.take(1);
        e.take(3);
        if (v < 2) {
            items.ok = false;
            return;
        }
        const auto id = static_cast<std::uint32_t>(e.take(v == 2 ? 2 : 4));
        e.take(2);
        const std::string_view itemType = fourcc(e.rest());
        if (!e.ok() || itemType.size() != 4)
            items.ok = false;
        else
            items.types[id] = itemType;
    });
    items.ok = items.ok && f.ok();
}

void readReferences(std::span<const std::uint8_t> iref, Items& items)
{
    Fields f(iref);
    const auto version = f.take(1);
    f.take(3);
    const std::size_t idBytes = version == 0 ? 2 : 4;
    forEachBox(f.rest(), [&](std::string_view type, std::span<const std::uint8_t> ref) {
        Fields r(ref);
        const auto from = static_cast<std::uint32_t>(r.take(idBytes));
        const auto count = r.take(2);
        std::vector<std::uint32_t> to;
        for (std::uint64_t i = 0; i < count && r.ok(); ++i)
            to.push_back(static_cast<std::uint32_t>(r.take(idBytes)));
        if (!r.ok()) {
            items.ok = false;
            return;
        }
        if (type == "dimg")
            items.tilesOf[from] = std::move(to);
        else if (type == "auxl" && std::find(to.begin(), to.end(), items.primary) != to.end())
            items.auxiliaryOfPrimary.push_back(from);
    });
    items.ok = items.ok && f.ok();
}

void readLocations(std::span<const std::uint8_t> iloc, Items& items)
{
    Fields f(iloc);
    const auto version = f.take(1);
    f.take(3);
    const auto sizes = f.take(1);
    const auto sizes2 = f.take(1);
    const std::size_t offsetSize = sizes >> 4, lengthSize = sizes & 15, baseSize = sizes2 >> 4;
    const std::size_t indexSize = version == 1 || version == 2 ? sizes2 & 15 : 0;
    const auto count = f.take(version < 2 ? 2 : 4);
    for (std::uint64_t i = 0; i < count && f.ok(); ++i) {
        const auto id = static_cast<std::uint32_t>(f.take(version < 2 ? 2 : 4));
        Location loc;
        loc.method = version == 1 || version == 2 ? static_cast<int>(f.take(2) & 15) : 0;
        f.take(2); // the data reference: this file
        const std::uint64_t base = f.take(baseSize);
        const auto extents = f.take(2);
        for (std::uint64_t e = 0; e < extents && f.ok(); ++e) {
            f.take(indexSize);
            loc.offset = base + f.take(offsetSize);
            loc.length = f.take(lengthSize);
        }
        loc.extents = static_cast<int>(std::min<std::uint64_t>(extents, 2));
        items.locations[id] = loc;
    }
    items.ok = items.ok && f.ok();
}

void readProperties(std::span<const std::uint8_t> iprp, Items& items)
{
    forEachBox(iprp, [&](std::string_view type, std::span<const std::uint8_t> box) {
        if (type == "ipco") {
            forEachBox(box, [&](std::string_view propertyType, std::span<const std::uint8_t> payload) {
                items.properties.push_back({propertyType, payload});
            });
        } else if (type == "ipma") {
            Fields f(box);
            const auto version = f.take(1);
            const auto flags = f.take(3);
            const auto count = f.take(4);
            for (std::uint64_t i = 0; i < count && f.ok(); ++i) {
                const auto id = static_cast<std::uint32_t>(f.take(version < 1 ? 2 : 4));
                const auto associations = f.take(1);
                std::vector<int>& list = items.propertiesOf[id];
                for (std::uint64_t a = 0; a < associations && f.ok(); ++a)
                    list.push_back(static_cast<int>((flags & 1) != 0 ? f.take(2) & 0x7FFF : f.take(1) & 0x7F));
            }
            items.ok = items.ok && f.ok();
        }
    });
}

std::optional<Items> readItems(std::span<const std::uint8_t> file)
{
    std::optional<Items> found;
    forEachBox(file, [&](std::string_view type, std::span<const std::uint8_t> meta) {
        if (type != "meta" || meta.size() < 4 || found)
            return;
        Items items;
        std::span<const std::uint8_t> iinf, iref, iloc, iprp;
        forEachBox(meta.subspan(4), [&](std::string_view box, std::span<const std::uint8_t> payload) {
            if (box == "pitm") {
                Fields f(payload);
                const auto version = f.take(1);
                f.take(3);
                items.primary = static_cast<std::uint32_t>(f.take(version == 0 ? 2 : 4));
                items.ok = items.ok && f.ok();
            } else if (box == "iinf") {
                iinf = payload;
            } else if (box == "iref") {
                iref = payload;
            } else if (box == "iloc") {
                iloc = payload;
            } else if (box == "iprp") {
                iprp = payload;
            } else if (box == "idat") {
                items.idat = payload;
            }
        });
        readItemInfo(iinf, items);
        readReferences(iref, items); // after pitm: auxl is kept for the primary only
        readLocations(iloc, items);
        readProperties(iprp, items);
        if (items.ok)
            found = std::move(items);
    });
    return found;
}

std::optional<std::span<const std::uint8_t>> itemData(const Items& items, std::uint32_t id,
                                                      std::span<const std::uint8_t> file)
{
    const auto it = items.locations.find(id);
    if (it == items.locations.end() || it->second.extents != 1)
        return std::nullopt;
    const Location& loc = it->second;
    const std::span<const std::uint8_t> source = loc.method == 0 ? file : loc.method == 1 ? items.idat
                                                                                              : std::span<const std::uint8_t>{};
    if (loc.method != 0 && loc.method != 1)
        return std::nullopt;
    if (loc.offset > source.size())
        return std::nullopt;
    const std::uint64_t length = loc.length == 0 ? source.size() - loc.offset : loc.length;
    if (length > source.size() - loc.offset)
        return std::nullopt;
    return source.subspan(static_cast<std::size_t>(loc.offset), static_cast<std::size_t>(length));
}

const Property* propertyOf(const Items& items, std::uint32_t id, std::string_view type)
{
    const auto it = items.propertiesOf.find(id);
    if (it == items.propertiesOf.end())
        return nullptr;
    for (const int index : it->second)
        if (index >= 1 && static_cast<std::size_t>(index) <= items.properties.size() &&
            items.properties[static_cast<std::size_t>(index) - 1].type == type)
            return &items.properties[static_cast<std::size_t>(index) - 1];
    return nullptr;
}

bool isAlpha(const Items& items, std::uint32_t id)
{
    const Property* auxC = propertyOf(items, id, "auxC");
    if (auxC == nullptr)
        return false;
    const std::string_view urn(reinterpret_cast<const char*>(auxC->payload.data()), auxC->payload.size());
    return urn.find("alpha") != std::string_view::npos || urn.find("auxid:1") != std::string_view::npos;
}

struct De265Deleter {
    void operator()(de265_decoder_context* c) const { de265_free_decoder(c); }
};

// The NAL units of an HEVC configuration and of a tile's data (each behind a length of
// lengthSize bytes) pushed into the decoder. False when they do not parse.
bool pushTile(de265_decoder_context* decoder, std::span<const std::uint8_t> config, std::span<const std::uint8_t> data)
{
    if (config.size() < 23)
        return false;
    const std::size_t lengthSize = (config[21] & 3) + 1u;
    Fields c(config.subspan(22));
    const auto arrays = c.take(1);
    for (std::uint64_t a = 0; a < arrays && c.ok(); ++a) {
        c.take(1);
        const auto units = c.take(2);
        for (std::uint64_t u = 0; u < units && c.ok(); ++u) {
            const auto length = c.take(2);
            const std::span<const std::uint8_t> nal = c.rest();
            if (!c.ok() || length > nal.size())
                return false;
            if (de265_push_NAL(decoder, nal.data(), static_cast<int>(length), 0, nullptr) != DE265_OK)
                return false;
            c.skip(length);
        }
    }
    if (!c.ok())
        return false;
    Fields d(data);
    while (!d.rest().empty()) {
        const auto length = d.take(lengthSize);
        const std::span<const std::uint8_t> nal = d.rest();
        if (!d.ok() || length == 0 || length > nal.size() || length > std::numeric_limits<int>::max())
            return false;
        if (de265_push_NAL(decoder, nal.data(), static_cast<int>(length), 0, nullptr) != DE265_OK)
            return false;
        d.skip(length);
    }
    return de265_flush_data(decoder) == DE265_OK;
}

// Decodes tile (row, column) and copies what of it lies in the picture into the band.
bool decodeTile(const HeifGrid& grid, int row, int column, GridBand& band, int bits)
{
    // libde265 builds its tables at the first decoder and drops them with the last; kept
    // for the program's run, they are not rebuilt for every tile.
    [[maybe_unused]] static const bool tablesKept = de265_isOK(de265_init()) != 0;
    const std::size_t index = static_cast<std::size_t>(row) * grid.columns + column;
    std::unique_ptr<de265_decoder_context, De265Deleter> decoder(de265_new_decoder());
    if (!decoder || !pushTile(decoder.get(), grid.configs[index], grid.tiles[index]))
        return false;
    const de265_image* image = nullptr;
    int more = 1;
    while (image == nullptr && more != 0) {
        more = 0;
        if (de265_decode(decoder.get(), &more) != DE265_OK)
            break;
        image = de265_get_next_picture(decoder.get());
    }
    if (image == nullptr || de265_get_chroma_format(image) != de265_chroma_420 ||
        de265_get_image_width(image, 0) < grid.tileWidth || de265_get_image_height(image, 0) < grid.tileHeight)
        return false;
    for (int c = 0; c < 3; ++c)
        if (de265_get_bits_per_pixel(image, c) != bits)
            return false;
    if (row == 0 && column == 0) {
        band.streamMatrix = de265_get_image_matrix_coefficients(image);
        band.streamFullRange = de265_get_image_full_range_flag(image) != 0;
    }
    const int sampleBytes = bits == 8 ? 1 : 2;
    const int x0 = column * grid.tileWidth;
    const int columns = std::min(grid.tileWidth, grid.width - x0);
    for (int c = 0; c < 3; ++c) {
        const int shift = c == 0 ? 0 : 1;
        int stride = 0;
        const std::uint8_t* plane = de265_get_image_plane(image, c, &stride);
        if (plane == nullptr)
            return false;
        const int rows = (band.rows + shift) >> shift;
        const std::size_t bytes = static_cast<std::size_t>((columns + shift) >> shift) * sampleBytes;
        for (int y = 0; y < rows; ++y)
            std::memcpy(band.planes[c].data() + y * band.strides[c] + static_cast<std::size_t>(x0 >> shift) * sampleBytes,
                        plane + static_cast<std::ptrdiff_t>(y) * stride, bytes);
    }
    return true;
}

} // namespace

std::optional<HeifGrid> findHeifGrid(std::span<const std::uint8_t> file)
{
    const std::optional<Items> items = readItems(file);
    if (!items || items->types.count(items->primary) == 0 || items->types.at(items->primary) != "grid")
        return std::nullopt;
    const std::uint32_t primary = items->primary;
    if (propertyOf(*items, primary, "imir") || propertyOf(*items, primary, "clap"))
        return std::nullopt;
    for (const std::uint32_t aux : items->auxiliaryOfPrimary)
        if (isAlpha(*items, aux))
            return std::nullopt;
    const std::optional<std::span<const std::uint8_t>> description = itemData(*items, primary, file);
    if (!description)
        return std::nullopt;
    Fields g(*description);
    HeifGrid grid;
    g.take(1);
    const auto flags = g.take(1);
    grid.rows = static_cast<int>(g.take(1)) + 1;
    grid.columns = static_cast<int>(g.take(1)) + 1;
    const std::size_t fieldBytes = (flags & 1) != 0 ? 4 : 2;
    const auto width = g.take(fieldBytes);
    const auto height = g.take(fieldBytes);
    if (!g.ok() || width == 0 || height == 0 || width > 1u << 20 || height > 1u << 20)
        return std::nullopt;
    grid.width = static_cast<int>(width);
    grid.height = static_cast<int>(height);
    if (const Property* irot = propertyOf(*items, primary, "irot"); irot != nullptr && !irot->payload.empty())
        grid.quarterTurns = irot->payload[0] & 3;
    const auto tiles = items->tilesOf.find(primary);
    if (tiles == items->tilesOf.end() || tiles->second.size() != static_cast<std::size_t>(grid.rows) * grid.columns)
        return std::nullopt;
    for (const std::uint32_t id : tiles->second) {
        const auto type = items->types.find(id);
        const Property* config = propertyOf(*items, id, "hvcC");
        const Property* size = propertyOf(*items, id, "ispe");
        const std::optional<std::span<const std::uint8_t>> data = itemData(*items, id, file);
        if (type == items->types.end() || type->second != "hvc1" || config == nullptr || size == nullptr || !data ||
            propertyOf(*items, id, "irot") || propertyOf(*items, id, "imir") || propertyOf(*items, id, "clap"))
            return std::nullopt;
        Fields s(size->payload);
        s.take(4);
        const auto tileWidth = static_cast<int>(std::min<std::uint64_t>(s.take(4), 1u << 16));
        const auto tileHeight = static_cast<int>(std::min<std::uint64_t>(s.take(4), 1u << 16));
        if (!s.ok() || (grid.tileWidth != 0 && (tileWidth != grid.tileWidth || tileHeight != grid.tileHeight)))
            return std::nullopt;
        grid.tileWidth = tileWidth;
        grid.tileHeight = tileHeight;
        grid.configs.push_back(config->payload);
        grid.tiles.push_back(*data);
    }
    // Even tiles keep each tile's chroma samples whole; together they must cover the
    // picture, and no column or row of them may lie wholly outside it.
    if (grid.tileWidth <= 0 || grid.tileHeight <= 0 || grid.tileWidth % 2 != 0 || grid.tileHeight % 2 != 0 ||
        static_cast<long long>(grid.tileWidth) * grid.columns < grid.width ||
        static_cast<long long>(grid.tileHeight) * grid.rows < grid.height ||
        static_cast<long long>(grid.tileWidth) * (grid.columns - 1) >= grid.width ||
        static_cast<long long>(grid.tileHeight) * (grid.rows - 1) >= grid.height)
        return std::nullopt;
    return grid;
}

bool decodeGridRow(const HeifGrid& grid, int row, GridBand& band)
{
    if (band.bits == 0) {
        // The depth every tile must have: the first tile's configuration says it.
        const std::span<const std::uint8_t> config = grid.configs.front();
        band.bits = config.size() > 17 ? (config[17] & 7) + 8 : 8; // bitDepthLumaMinus8
    }
    const int sampleBytes = band.bits == 8 ? 1 : 2;
    band.rows = std::min(grid.tileHeight, grid.height - row * grid.tileHeight);
    for (int c = 0; c < 3; ++c) {
        const int shift = c == 0 ? 0 : 1;
        band.strides[c] = static_cast<std::ptrdiff_t>((grid.width + shift) >> shift) * sampleBytes;
        band.planes[c].resize(static_cast<std::size_t>(band.strides[c]) * ((band.rows + shift) >> shift));
    }
    std::atomic<bool> failed{false};
    parallelFor(grid.columns, static_cast<long long>(grid.tileWidth) * grid.tileHeight * 64, [&](int begin, int end) {
        for (int column = begin; column < end && !failed; ++column)
            if (!decodeTile(grid, row, column, band, band.bits))
                failed = true;
    });
    return !failed;
}

} // namespace imaging::detail
