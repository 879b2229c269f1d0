// The formats the program recognises by their content, one descriptor a format in one
// table: how its first bytes look, its extensions, how a load keeps it, its whole decode,
// its decode for the screen and its EXIF block. Loaders ask the table (sniff, codecNamedBy)
// rather than naming formats.
#pragma once

#include "imaging/codecs/codecs.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace imaging {

// How many first bytes of a file sniff() is given by sniffFile.
inline constexpr std::size_t kSniffBytes = 64;

// A camera RAW file's largest embedded JPEG preview.
struct EmbeddedPreview {
    std::vector<std::uint8_t> jpeg; // the preview, as stored
    int orientation = 1;            // the RAW file's EXIF orientation (1..8)
    ImageSize stored;               // the preview's size as stored (before the turn)
    ImageSize sensor;               // the developed picture's size, before the turn
};

// What a load keeps of a file.
enum class KeptAs {
    FileData,    // the file's data itself; the screen's copy is decoded at a DCT scale (JPEG)
    EncodedData, // the compressed data; the screen's copy is made as decodeForScreen hands rows over
    Preview,     // its embedded JPEG preview when that is large enough, else its developed pixels
};

struct Codec {
    std::string_view name;
    // True when a file's first bytes (up to kSniffBytes) are this format's.
    bool (*recognises)(std::span<const std::uint8_t> head);
    std::span<const std::string_view> extensions; // upper case, with the dot
    KeptAs keptAs;
    // The whole picture, 24-bit, sRGB; name only goes into messages. Upright, except for
    // JPEG, whose orientation tag the loader applies (orientation.h). Null where the file
    // is read from its path (camera RAW: decodeRaw).
    Picture::DataDecoder decode;
    // What decode gives, handed to sink (see RowSink); returns the picture's size. Null
    // for JPEG (decodeRendition) and RAW.
    ImageSize (*decodeForScreen)(std::span<const std::uint8_t> data, const DecodeOptions& options,
                                 const std::string& name, RowSink& sink);
    // The TIFF block of the file's EXIF data, empty when none. Null where the EXIF reader
    // finds it itself (a JPEG's APP1 segment, a RAW file's TIFF structure).
    std::vector<std::uint8_t> (*exifBlock)(std::span<const std::uint8_t> fileBytes);
    // The largest embedded JPEG preview, whatever its size. Null for formats without one.
    std::optional<EmbeddedPreview> (*embeddedPreview)(const std::string& path);
};

// Every descriptor, JPEG first.
std::span<const Codec> codecTable();
// The descriptor whose first bytes head has, or nullptr.
const Codec* sniff(std::span<const std::uint8_t> head);
// The same for a file on disk (its first kSniffBytes); nullptr when it cannot be read.
const Codec* sniffFile(const std::string& path);
// The descriptor the path's extension names (any case), or nullptr.
const Codec* codecNamedBy(const std::string& path);

// True when a preview stands for the whole picture wherever it is printed: its longer
// side is at least two thirds of the developed picture's. The rule for loads that do not
// know the frame the picture will fill.
bool isFullSizePreview(const EmbeddedPreview& preview);

} // namespace imaging
