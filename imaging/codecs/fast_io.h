// Direct file paths for the uncompressed pictures the editor and the printer read and
// write most: binary netpbm in, BMP out, without a whole-file buffer in between.
#pragma once

#include "imaging/codecs/codecs.h"

#include "core/files.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace imaging::detail {

// Reads a binary netpbm file (P6 colour, P5 grey) whose largest value is 255 or 65535
// straight into a 24-bit bitmap. Returns nullopt, having allocated nothing, for every other
// file (plain text P3/P2, bilevel P4, 16-bit values, unusual headers, a file that
// cannot be opened) so the general reader handles it and reports what is wrong.
// Throws ImagingError for a size the size guard refuses and for data cut short.
std::optional<Bitmap> readBinaryPnm(const std::string& path, const ProgressFn& progress);

using core::OutputFile;

// core::writeFileWith, its own failures as ImagingError (kCannotWrite). writeBody reports
// failed writes as std::system_error; any other exception it throws reaches the caller
// unchanged, with the temporary removed.
void writeFileWith(const std::string& path, const std::function<void(OutputFile&)>& writeBody);

} // namespace imaging::detail
