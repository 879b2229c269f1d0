// One decode of one file, for bench/decoders_bench.sh, which times it as it times the
// formats' own tools on the same file:
//   paginor_decoders_bench FILE               loadBitmap, as a frame's load decodes it
//   paginor_decoders_bench --develop FILE     a camera RAW file developed by LibRaw, preview or not
//   paginor_decoders_bench --write-dng OUT PREVIEW.jpg W H
//                                             a DNG of a W x H sensor holding PREVIEW.jpg
#include "imaging/codecs/codecs.h"
#include "imaging/codecs/modern_formats.h"
#include "tests/support/dng_writer.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

int main(int argc, char** argv)
{
    try {
        if (argc == 6 && std::strcmp(argv[1], "--write-dng") == 0) {
            std::ifstream in(argv[3], std::ios::binary);
            const std::vector<std::uint8_t> jpeg{std::istreambuf_iterator<char>(in), {}};
            const imaging::ImageSize size = imaging::readJpegSize(jpeg);
            const std::vector<std::uint8_t> file =
                dng::makeDng(std::atoi(argv[4]), std::atoi(argv[5]), 1, jpeg, size.width, size.height);
            std::ofstream(argv[2], std::ios::binary)
                .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
            return 0;
        }
        imaging::Bitmap bmp;
        if (argc == 3 && std::strcmp(argv[1], "--develop") == 0)
            bmp = imaging::detail::developRaw(argv[2], {}, {});
        else if (argc == 2)
            bmp = imaging::loadBitmap(argv[1]);
        else {
            std::fprintf(stderr, "usage: %s [--develop] FILE | --write-dng OUT PREVIEW.jpg W H\n", argv[0]);
            return 2;
        }
        std::printf("%d x %d\n", bmp.width(), bmp.height());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
