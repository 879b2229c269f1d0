// The pattern the codec tests hand to the tools and to the writers, and how far a decoded
// picture is from it.
#pragma once

#include "imaging/codecs/codecs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <string_view>

namespace pattern {

using imaging::Bitmap;

// The source pictures handed to the tools. Channel values come from six levels, so a
// picture holds at most 216 colours and palette formats (GIF, PCX, 8-bit BMP) keep
// every pixel exact; neighbouring pixels differ, so a shifted row or swapped channel
// shows at once. 37 pixels wide: rows need padding in every 4-byte aligned format.
enum class Source { Colour, Grey, Bilevel, Blocks };
constexpr int kLevels[6] = {0, 51, 102, 153, 204, 255};
constexpr int kWidth = 37, kHeight = 23;

struct Rgb {
    int r, g, b;
};

inline Rgb sourcePixel(Source s, int x, int y)
{
    switch (s) {
    case Source::Colour:
        return {kLevels[(x / 2 + y / 3) % 6], kLevels[y % 6], kLevels[(x + 2 * y) % 6]};
    case Source::Grey: {
        const int v = kLevels[(x + y) % 6];
        return {v, v, v};
    }
    case Source::Bilevel: {
        const int v = ((x / 3 + y / 2) % 2) ? 0 : 255;
        return {v, v, v};
    }
    case Source::Blocks: // 8 x 4 blocks of 96 x 128 pixels, for lossy formats
        return {kLevels[(x / 96) % 6], kLevels[(y / 128 + 1) % 6], kLevels[(x / 96 + y / 128 + 3) % 6]};
    }
    return {};
}

inline int sourceWidth(Source s) { return s == Source::Blocks ? 768 : kWidth; }
inline int sourceHeight(Source s) { return s == Source::Blocks ? 512 : kHeight; }

inline Bitmap sourceBitmap(Source s, int bytesPerPixel = 3)
{
    Bitmap bmp(sourceWidth(s), sourceHeight(s), bytesPerPixel);
    for (int y = 0; y < bmp.height(); ++y)
        for (int x = 0; x < bmp.width(); ++x) {
            const Rgb p = sourcePixel(s, x, y);
            std::uint8_t* q = bmp.row(y) + x * bytesPerPixel;
            q[0] = static_cast<std::uint8_t>(p.b);
            q[1] = static_cast<std::uint8_t>(p.g);
            q[2] = static_cast<std::uint8_t>(p.r);
        }
    return bmp;
}

// The source as a netpbm file (P6, P5 or P4), which every tool reads.
inline void writeNetpbm(Source s, const std::filesystem::path& file)
{
    const int w = sourceWidth(s), h = sourceHeight(s);
    std::ostringstream out;
    if (s == Source::Bilevel) {
        out << "P4\n" << w << " " << h << "\n";
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; x += 8) {
                unsigned char bits = 0;
                for (int b = 0; b < 8 && x + b < w; ++b)
                    if (sourcePixel(s, x + b, y).r == 0)
                        bits |= static_cast<unsigned char>(0x80 >> b);
                out.put(static_cast<char>(bits));
            }
    } else {
        out << (s == Source::Grey ? "P5\n" : "P6\n") << w << " " << h << "\n255\n";
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const Rgb p = sourcePixel(s, x, y);
                if (s == Source::Grey) {
                    out.put(static_cast<char>(p.r));
                } else {
                    out.put(static_cast<char>(p.r));
                    out.put(static_cast<char>(p.g));
                    out.put(static_cast<char>(p.b));
                }
            }
    }
    std::ofstream(file, std::ios::binary) << out.str();
}

// Within this distance of a block's edge, lossy formats that halve the colour
// resolution smear one block's colour into the next.
constexpr int kBlockMargin = 4;

inline bool nearBlockEdge(Source s, int x, int y)
{
    if (s != Source::Blocks)
        return false;
    const int bx = x % 96, by = y % 128;
    return bx < kBlockMargin || bx >= 96 - kBlockMargin || by < kBlockMargin || by >= 128 - kBlockMargin;
}

// Largest channel difference between the decoded picture and the source over the
// source's area; the decoded picture may be larger (fax pages), never smaller.
inline int maxDifference(const Bitmap& got, Source s)
{
    if (got.width() < sourceWidth(s) || got.height() < sourceHeight(s))
        return 1000;
    int worst = 0;
    for (int y = 0; y < sourceHeight(s); ++y)
        for (int x = 0; x < sourceWidth(s); ++x) {
            if (nearBlockEdge(s, x, y))
                continue;
            const Rgb p = sourcePixel(s, x, y);
            const std::uint8_t* q = got.row(y) + x * got.bytesPerPixel();
            worst = std::max({worst, std::abs(q[0] - p.b), std::abs(q[1] - p.g), std::abs(q[2] - p.r)});
        }
    return worst;
}

inline std::string bitmapChecksum(const Bitmap& bmp)
{
    std::uint64_t h = 1469598103934665603ull; // FNV-1a over the visible bytes
    for (int y = 0; y < bmp.height(); ++y)
        for (int i = 0; i < bmp.width() * bmp.bytesPerPixel(); ++i)
            h = (h ^ bmp.row(y)[i]) * 1099511628211ull;
    return std::to_string(h);
}

inline void expectErrorStartingWith(const std::function<void()>& action, std::string_view fixed)
{
    try {
        action();
        ADD_FAILURE() << "no error; expected one starting with \"" << fixed << "\"";
    } catch (const imaging::ImagingError& e) {
        EXPECT_EQ(std::string(e.what()).rfind(fixed, 0), 0u) << e.what();
    }
}

} // namespace pattern
