// Feeds arbitrary input to the two readers of tone curves. PAGINOR_CURVE 1: the node text
// of the curve control and `paginor curve --nodes`; what must hold is that a text the
// parser takes gives nodes that are levels, in order, that print back to the same nodes,
// and a table of levels. PAGINOR_CURVE 2: curve files, whose 256 entries may hold any
// 32-bit value; the table is applied to 24- and 32-bit pixels as the curves menu does.
#include "fuzz/fuzz_file.h"
#include "imaging/kernels/imaging.h"
#include "imaging/kernels/lut_curve.h"

#include <string_view>

namespace {

using fuzzing::require;

#if PAGINOR_CURVE == 1
void nodeText(std::string_view text)
{
    imaging::LutCurve curve;
    try {
        curve.setNodes(text);
    } catch (const imaging::CurveError&) {
        require(curve.nodesText() == imaging::LutCurve().nodesText()); // the nodes stayed
        return;
    }
    const auto& nodes = curve.nodes();
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        require(nodes[i].x >= 0 && nodes[i].x <= 255 && nodes[i].y >= 0 && nodes[i].y <= 255);
        require(i == 0 || nodes[i - 1].x < nodes[i].x);
    }
    require(imaging::parseNodes(curve.nodesText()) == nodes);
    for (std::int32_t level : curve.table())
        require(level >= 0 && level <= 255);
}
#else
void curveFile(const std::uint8_t* data, std::size_t size)
{
    imaging::ToneLUT lut;
    try {
        lut = imaging::readCurveFile(fuzzing::inputFile(data, size));
    } catch (const imaging::ImagingError&) {
        return;
    }
    for (int bpp : {3, 4}) {
        imaging::Bitmap src = imaging::Bitmap::uninitialized(256, 2, bpp);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 256 * bpp; ++x)
                src.row(y)[x] = static_cast<std::uint8_t>(x / bpp);
        imaging::Bitmap dst = imaging::Bitmap::uninitialized(256, 2, bpp);
        imaging::applyToneLUT(src.view(), dst.view(), lut);
    }
}
#endif

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
#if PAGINOR_CURVE == 1
    nodeText({reinterpret_cast<const char*>(data), size});
#else
    curveFile(data, size);
#endif
    return 0;
}
