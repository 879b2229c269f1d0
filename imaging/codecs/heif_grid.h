// A HEIF file whose primary picture is a grid of HEVC tiles, the way phones write their
// photos (a 12-megapixel photo is 48 tiles of 512 x 512). libheif pastes every tile into a
// whole picture in RGB before handing it over; read here, the tiles are decoded one row
// at a time, so only a band of the picture is ever held.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace imaging::detail {

// The boxes of an ISO media file, or of a box's payload, in order; a box that runs past
// its container ends the walk.
template <typename Visit>
void forEachBox(std::span<const std::uint8_t> data, Visit visit)
{
    std::size_t pos = 0;
    while (data.size() - pos >= 8) {
        const std::uint8_t* b = data.data() + pos;
        std::uint64_t size = std::uint64_t(b[0]) << 24 | std::uint64_t(b[1]) << 16 | std::uint64_t(b[2]) << 8 | b[3];
        std::size_t header = 8;
        if (size == 1) {
            if (data.size() - pos < 16)
                return;
            size = 0;
            for (int i = 8; i < 16; ++i)
                size = size << 8 | b[i];
            header = 16;
        } else if (size == 0) {
            size = data.size() - pos;
        }
        if (size < header || size > data.size() - pos)
            return;
        visit(std::string_view(reinterpret_cast<const char*>(b + 4), 4),
              data.subspan(pos + header, static_cast<std::size_t>(size) - header));
        pos += static_cast<std::size_t>(size);
    }
}

struct HeifGrid {
    int rows = 0;
    int columns = 0;
    int tileWidth = 0; // every tile's size, as the tiles declare it
    int tileHeight = 0;
    int width = 0; // the picture's, the grid's tiles cut at its right and bottom
    int height = 0;
    int quarterTurns = 0; // anticlockwise, to stand the picture as it is shown
    std::vector<std::span<const std::uint8_t>> configs; // each tile's HEVC configuration (hvcC)
    std::vector<std::span<const std::uint8_t>> tiles;   // each tile's coded data, row by row
};

// The grid of the file's primary picture. Nothing when the primary picture is not such a
// grid, or is one this reader leaves to libheif: a mirror, a crop or an alpha picture
// applied to it, a tile stored in pieces or elsewhere than in the file. Damaged boxes
// also give nothing: libheif then reads the file and gives its own message.
std::optional<HeifGrid> findHeifGrid(std::span<const std::uint8_t> file);

// One row of tiles as Y, Cb and Cr planes (4:2:0) the width of the picture: a byte a
// sample at 8 bits, two (native order) above.
struct GridBand {
    std::vector<std::uint8_t> planes[3];
    std::ptrdiff_t strides[3] = {};
    int bits = 0;
    int rows = 0; // of the picture in this band
    // The colour description the first tile's coded stream carries (as decoded, with the
    // HEVC defaults where it has none), for a file that gives none of its own.
    int streamMatrix = 2;
    bool streamFullRange = true;
};

// Decodes tile row `row` into band (its buffers are reused from row to row). False when a
// tile does not decode to the form the grid needs (4:2:0, its declared size, the same
// depth as the others).
bool decodeGridRow(const HeifGrid& grid, int row, GridBand& band);

} // namespace imaging::detail
