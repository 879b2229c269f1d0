// `paginor edit IN -o OUT OP...`: loads a picture, applies the pixel operations in the
// order given and writes the result, without a window; `paginor curve` for tone curves.
#pragma once

#include "core/command.h"

namespace imaging {

// Operations: --rotate 90|180|270, --flip v|h|vh, --resample WxH:I (filter 0..6),
// --lut FILE.tcv, --gamma G, --brightness A, --colour R,G,B, --convolve I (0..3),
// --grey, --fit AR, --cut Z,LEFT,TOP,BASE,ITEM (the crop panel's commit; AR is the
// Global_AspectRatio setting). OUT is a 24-bit BMP or a JPEG at the Quality setting, by its
// extension. Returns 0, or 2 for bad arguments and 1 for a failure, having told
// ctx.messages why.
int editCommand(const core::CommandArgs& args, core::CommandContext& ctx);

// `paginor curve --nodes TEXT [-o FILE.tcv]` prints the 256 entries the curve control
// computes from TEXT in nodes mode (and writes them as a curve file); `paginor curve
// FILE.tcv` prints those a curve file gives over the identity. 0, 1 when the text is
// refused or a file can't be read or written (the reason on ctx.messages), 2 for bad
// arguments.
int curveCommand(const core::CommandArgs& args, core::CommandContext& ctx);

} // namespace imaging
