// Bitmaps as the whole program sees them: 24-bit (blue, green, red) or 32-bit
// (blue, green, red, unused) pixels, row 0 at the top.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace imaging {

class ImagingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Non-owning; valid while the owner lives and is not resized.
struct BitmapView {
    std::uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0; // bytes between row starts; rows may be padded
    int bytesPerPixel = 3;

    std::uint8_t* row(int y) const { return pixels + y * stride; }
};

struct ConstBitmapView {
    const std::uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;
    int bytesPerPixel = 3;

    ConstBitmapView() = default;
    ConstBitmapView(const std::uint8_t* p, int w, int h, std::ptrdiff_t s, int bpp)
        : pixels(p), width(w), height(h), stride(s), bytesPerPixel(bpp)
    {
    }
    ConstBitmapView(const BitmapView& v) // NOLINT(google-explicit-constructor): a view may always be read
        : pixels(v.pixels), width(v.width), height(v.height), stride(v.stride), bytesPerPixel(v.bytesPerPixel)
    {
    }
    const std::uint8_t* row(int y) const { return pixels + y * stride; }
};

// An owning bitmap. Rows are padded to a multiple of 4 bytes, as device-independent
// bitmaps are, so a view of it can be handed to Qt (QImage wants 4-byte aligned rows).
class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height, int bytesPerPixel = 3)
        : m_width(width), m_height(height), m_bytesPerPixel(bytesPerPixel),
          m_stride(strideFor(width, bytesPerPixel)),
          m_pixels(static_cast<std::size_t>(m_stride) * static_cast<std::size_t>(height > 0 ? height : 0))
    {
        if (width < 0 || height < 0 || (bytesPerPixel != 3 && bytesPerPixel != 4))
            throw ImagingError("Invalid bitmap size");
    }

    static std::ptrdiff_t strideFor(int width, int bytesPerPixel)
    {
        return (static_cast<std::ptrdiff_t>(width) * bytesPerPixel + 3) & ~std::ptrdiff_t(3);
    }

    int width() const { return m_width; }
    int height() const { return m_height; }
    int bytesPerPixel() const { return m_bytesPerPixel; }
    std::ptrdiff_t stride() const { return m_stride; }
    bool empty() const { return m_width == 0 || m_height == 0; }

    std::uint8_t* row(int y) { return m_pixels.data() + y * m_stride; }
    const std::uint8_t* row(int y) const { return m_pixels.data() + y * m_stride; }
    std::uint8_t* data() { return m_pixels.data(); }
    const std::uint8_t* data() const { return m_pixels.data(); }

    BitmapView view() { return {m_pixels.data(), m_width, m_height, m_stride, m_bytesPerPixel}; }
    ConstBitmapView view() const { return {m_pixels.data(), m_width, m_height, m_stride, m_bytesPerPixel}; }

    bool operator==(const Bitmap& o) const = default;

private:
    int m_width = 0;
    int m_height = 0;
    int m_bytesPerPixel = 3;
    std::ptrdiff_t m_stride = 0;
    std::vector<std::uint8_t> m_pixels;
};

} // namespace imaging
