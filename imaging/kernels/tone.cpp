// Tone tables, brightness, colour balance and greyscale: per-byte operations that read
// one bitmap and write another (or the same) row by row.
#include "imaging/kernels/imaging.h"
#include "imaging/kernels/tone_internal.h"
#include "imaging/kernels/parallel.h"
#include "imaging/kernels/simd.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <vector>

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

namespace imaging {

namespace {

void checkSameShape(ConstBitmapView src, BitmapView dst)
{
    if (src.bytesPerPixel != 3 && src.bytesPerPixel != 4)
        throw ImagingError(kNeeds24Or32Bit);
    if (src.width != dst.width || src.height != dst.height || src.bytesPerPixel != dst.bytesPerPixel)
        throw ImagingError(kSizeMismatch);
}

// Runs rowFn(srcRow, dstRow) over every row, split across the cores.
template <typename RowFn>
void forEachRow(ConstBitmapView src, BitmapView dst, RowFn rowFn)
{
    const long long rowBytes = static_cast<long long>(src.width) * src.bytesPerPixel;
    detail::parallelFor(src.height, rowBytes, [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y)
            rowFn(src.row(y), dst.row(y));
    });
}

// A tone table applied two bytes at a time: one look-up in a 64K-entry table of byte
// pairs (128 KB, which stays in the cache) replaces two, and halves the loads and
// stores that bound a byte-wise look-up. The pair's second byte may have its own table.
class PairTable {
public:
    PairTable(const std::uint8_t* first, const std::uint8_t* second) : m_pairs(65536)
    {
        for (int a = 0; a < 256; ++a)
            for (int b = 0; b < 256; ++b) {
                const std::uint8_t in[2] = {static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b)};
                const std::uint8_t out[2] = {first[a], second[b]};
                std::uint16_t key, value;
                std::memcpy(&key, in, 2);
                std::memcpy(&value, out, 2);
                m_pairs[key] = value;
            }
    }

    // Eight bytes at from through the table, as four pairs.
    void eight(const std::uint8_t* from, std::uint8_t* to) const
    {
        std::uint16_t keys[4], values[4];
        std::memcpy(keys, from, 8);
        for (int k = 0; k < 4; ++k)
            values[k] = m_pairs[keys[k]];
        std::memcpy(to, values, 8);
    }

    std::uint16_t operator[](std::uint16_t key) const { return m_pairs[key]; }

private:
    std::vector<std::uint16_t> m_pairs;
};

// 24-bit rows: every byte is a channel.
void lookUpBytes(const PairTable& pairs, const std::uint8_t* table, const std::uint8_t* from, std::uint8_t* to,
                 int count)
{
    int b = 0;
    for (; b + 8 <= count; b += 8)
        pairs.eight(from + b, to + b);
    for (; b < count; ++b)
        to[b] = table[from[b]];
}

// 32-bit rows: the pixel as one little-endian word, each colour byte looked up in a
// 256-entry word table that already holds the result at that byte's place. Three
// look-ups in 3 KB of tables that stay in the first-level cache beat two in the 128 KB
// pair tables, which miss it, and the unused fourth byte passes with one mask.
struct PixelTables {
    std::uint32_t blue[256], green[256], red[256];
    explicit PixelTables(const std::uint8_t* table)
    {
        for (int v = 0; v < 256; ++v) {
            blue[v] = table[v];
            green[v] = static_cast<std::uint32_t>(table[v]) << 8;
            red[v] = static_cast<std::uint32_t>(table[v]) << 16;
        }
    }
};

void lookUpPixels(const PixelTables& t, const std::uint8_t* from, std::uint8_t* to, int width)
{
    static_assert(std::endian::native == std::endian::little);
    for (int x = 0; x < width; ++x) {
        std::uint32_t v;
        std::memcpy(&v, from + 4 * x, 4);
        v = (v & 0xFF000000u) | t.blue[v & 0xFF] | t.green[(v >> 8) & 0xFF] | t.red[(v >> 16) & 0xFF];
        std::memcpy(to + 4 * x, &v, 4);
    }
}

// Processors with AVX-512 VBMI look up 64 bytes at once: the table is four registers,
// two two-register byte shuffles pick from its halves and the byte's top bit chooses
// between them. The loops above stay for every other processor.
#if defined(__GNUC__) && defined(__x86_64__)
bool hasByteShuffleTables()
{
    static const bool has = __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi");
    return has;
}

__attribute__((target("avx512f,avx512bw,avx512vbmi"))) void lookUpWithShuffles(const std::uint8_t* table,
                                                                              const std::uint8_t* from,
                                                                              std::uint8_t* to, int count,
                                                                              bool keepFourth)
{
    const __m512i low0 = _mm512_loadu_si512(table), low1 = _mm512_loadu_si512(table + 64);
    const __m512i high0 = _mm512_loadu_si512(table + 128), high1 = _mm512_loadu_si512(table + 192);
    // Byte 3 of every 4 (a 32-bit pixel's unused byte) keeps its value.
    const __mmask64 fourth = keepFourth ? 0x8888888888888888ull : 0;
    for (int b = 0; b < count; b += 64) {
        const __mmask64 inside = count - b >= 64 ? ~__mmask64(0) : (__mmask64(1) << (count - b)) - 1;
        const __m512i v = _mm512_maskz_loadu_epi8(inside, from + b);
        const __m512i low = _mm512_permutex2var_epi8(low0, v, low1);
        const __m512i high = _mm512_permutex2var_epi8(high0, v, high1);
        const __m512i looked = _mm512_mask_blend_epi8(_mm512_movepi8_mask(v), low, high);
        _mm512_mask_storeu_epi8(to + b, inside, _mm512_mask_blend_epi8(fourth, looked, v));
    }
}
#else
bool hasByteShuffleTables()
{
    return false;
}

void lookUpWithShuffles(const std::uint8_t*, const std::uint8_t*, std::uint8_t*, int, bool) {}
#endif

// Processors with AVX2 look up 32 bytes at once as well: the table is sixteen 16-byte
// pieces, a byte shuffle looks up the low four bits of every byte in each piece, and a
// tree of byte blends keyed on bits 4, 5, 6 and 7 (each shifted up to the byte's top
// bit, which is what a blend reads) picks the right piece's answer: 16 shuffles and 15
// blends per 32 bytes, which keeps the pass bound by memory rather than by look-ups.
#if defined(__GNUC__) && defined(__x86_64__)
bool hasAvx2()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

__attribute__((target("avx2"))) int lookUpPixelsAvx2(const std::uint8_t* table, const std::uint8_t* from,
                                                     std::uint8_t* to, int width)
{
    __m256i pieces[16];
    for (int k = 0; k < 16; ++k)
        pieces[k] = _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(table + 16 * k)));
    const __m256i low4 = _mm256_set1_epi8(0x0F);
    const __m256i fourth = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + 4 * x));
        const __m256i lo = _mm256_and_si256(v, low4);
        __m256i s[16];
        for (int k = 0; k < 16; ++k)
            s[k] = _mm256_shuffle_epi8(pieces[k], lo);
        // A 16-bit shift moves no bit across into a byte's top bit for shifts below 8.
        for (int level = 0, count = 8; level < 4; ++level, count /= 2) {
            const __m256i key = level == 3 ? v : _mm256_slli_epi16(v, 3 - level);
            for (int k = 0; k < count; ++k)
                s[k] = _mm256_blendv_epi8(s[2 * k], s[2 * k + 1], key);
        }
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + 4 * x), _mm256_blendv_epi8(s[0], v, fourth));
    }
    return x;
}
#else
bool hasAvx2()
{
    return false;
}

int lookUpPixelsAvx2(const std::uint8_t*, const std::uint8_t*, std::uint8_t*, int)
{
    return 0;
}
#endif

// to[b] = from[b] + offset[b], clamped; offset repeats the per-channel amounts along
// the row (0 for a 32-bit pixel's fourth byte, which therefore passes unchanged).
PAGINOR_VECTOR_CLONES
void addClamped(const std::int16_t* offset, const std::uint8_t* from, std::uint8_t* to, int count)
{
    for (int b = 0; b < count; ++b) {
        const int v = from[b] + offset[b];
        to[b] = static_cast<std::uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
    }
}

void addOffsets(ConstBitmapView src, BitmapView dst, int blue, int green, int red)
{
    checkSameShape(src, dst);
    // Beyond +-255 every level clamps the same way; holding the amounts there keeps
    // the sums in 16 bits.
    const int amounts[4] = {std::clamp(blue, -255, 255), std::clamp(green, -255, 255), std::clamp(red, -255, 255), 0};
    const int bpp = src.bytesPerPixel;
    const int rowBytes = src.width * bpp;
    std::vector<std::int16_t> offset(static_cast<std::size_t>(rowBytes));
    for (int b = 0; b < rowBytes; ++b)
        offset[b] = static_cast<std::int16_t>(amounts[b % bpp]);
    forEachRow(src, dst, [&](const std::uint8_t* from, std::uint8_t* to) {
        addClamped(offset.data(), from, to, rowBytes);
    });
}

PAGINOR_VECTOR_CLONES
void greyRow24(const std::uint8_t* from, std::uint8_t* to, int width)
{
    for (int x = 0; x < width; ++x) {
        const auto v = static_cast<std::uint8_t>((from[3 * x] + from[3 * x + 1] + from[3 * x + 2]) / 3);
        to[3 * x] = v;
        to[3 * x + 1] = v;
        to[3 * x + 2] = v;
    }
}

// A 32-bit pixel handled as one little-endian word: blue in the low byte, the unused
// byte on top. Shifts and masks on whole words vectorise without shuffling bytes.
PAGINOR_VECTOR_CLONES
void greyRow32(const std::uint8_t* from, std::uint8_t* to, int width)
{
    static_assert(std::endian::native == std::endian::little);
    for (int x = 0; x < width; ++x) {
        std::uint32_t v;
        std::memcpy(&v, from + 4 * x, 4);
        const std::uint32_t grey = ((v & 0xFF) + ((v >> 8) & 0xFF) + ((v >> 16) & 0xFF)) / 3;
        v = (v & 0xFF000000u) | grey | (grey << 8) | (grey << 16);
        std::memcpy(to + 4 * x, &v, 4);
    }
}

} // namespace

ToneLUT identityLUT()
{
    ToneLUT lut{};
    for (int v = 0; v < 256; ++v)
        lut[v] = v;
    return lut;
}

ToneLUT gammaLUT(double gamma)
{
    if (!std::isfinite(gamma) || gamma <= 0.0)
        throw ImagingError(kBadGamma);
    ToneLUT lut{};
    for (int i = 1; i < 256; ++i) {
        const long double v = 255.0L * std::exp(std::log(static_cast<long double>(i) / 255.0L) / gamma);
        lut[i] = std::clamp(static_cast<std::int32_t>(std::nearbyint(v)), 0, 255);
    }
    return lut;
}

void applyToneLUT(ConstBitmapView src, BitmapView dst, const ToneLUT& lut)
{
    detail::applyToneLUTWith(src, dst, lut, detail::LookUp::Fastest);
}

namespace detail {

void applyToneLUTWith(ConstBitmapView src, BitmapView dst, const ToneLUT& lut, LookUp how)
{
    checkSameShape(src, dst);
    std::uint8_t table[256];
    for (int v = 0; v < 256; ++v)
        table[v] = static_cast<std::uint8_t>(lut[v] & 0xFF);
    const int width = src.width;
    const int bpp = src.bytesPerPixel;
    if (how == LookUp::Fastest && hasByteShuffleTables()) {
        forEachRow(src, dst, [&](const std::uint8_t* from, std::uint8_t* to) {
            lookUpWithShuffles(table, from, to, bpp * width, bpp == 4);
        });
        return;
    }
    if (bpp == 3) {
        const PairTable colours(table, table);
        forEachRow(src, dst, [&](const std::uint8_t* from, std::uint8_t* to) {
            lookUpBytes(colours, table, from, to, 3 * width);
        });
        return;
    }
    const PixelTables tables(table);
    const bool wide = how == LookUp::Fastest && hasAvx2();
    forEachRow(src, dst, [&](const std::uint8_t* from, std::uint8_t* to) {
        const int done = wide ? lookUpPixelsAvx2(table, from, to, width) : 0;
        lookUpPixels(tables, from + 4 * done, to + 4 * done, width - done);
    });
}

} // namespace detail

void applyBrightness(ConstBitmapView src, BitmapView dst, int amount)
{
    addOffsets(src, dst, amount, amount, amount);
}

void applyColourBalance(ConstBitmapView src, BitmapView dst, int red, int green, int blue)
{
    addOffsets(src, dst, blue, green, red);
}

void greyscale(ConstBitmapView src, BitmapView dst)
{
    checkSameShape(src, dst);
    const int width = src.width;
    if (src.bytesPerPixel == 3)
        forEachRow(src, dst, [&](const std::uint8_t* from, std::uint8_t* to) { greyRow24(from, to, width); });
    else
        forEachRow(src, dst, [&](const std::uint8_t* from, std::uint8_t* to) { greyRow32(from, to, width); });
}

Bitmap to24Bit(ConstBitmapView src)
{
    if (src.bytesPerPixel != 3 && src.bytesPerPixel != 4)
        throw ImagingError(kNeeds24Or32Bit);
    Bitmap result = Bitmap::uninitialized(src.width, src.height, 3);
    for (int y = 0; y < src.height; ++y) {
        const std::uint8_t* from = src.row(y);
        std::uint8_t* to = result.row(y);
        for (int x = 0; x < src.width; ++x)
            std::memcpy(to + 3 * x, from + src.bytesPerPixel * x, 3);
    }
    return result;
}

} // namespace imaging
