// Bitmaps as the whole program sees them: 24-bit (blue, green, red) or 32-bit
// (blue, green, red, unused) pixels, row 0 at the top.
#pragma once

#include "core/message.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <stdexcept>
#include <utility>
#include <vector>

#include <sys/mman.h>

namespace imaging {

namespace detail {

// Pixel memory. A picture of a few megabytes and more gets its own mapping with huge
// pages asked for: the kernel then faults it in 2 MB at a time instead of 4 KB, and a
// quarter turn, which touches a new page with every row it writes, misses the TLB far
// less. Elements are default-initialised, so a kernel that writes every byte need not
// have them zeroed first (Bitmap still zeroes unless asked not to).
template <typename T>
struct PixelAllocator {
    using value_type = T;
    static constexpr std::size_t kMapThreshold = std::size_t(8) << 20;
    static constexpr std::size_t kHugePage = std::size_t(2) << 20;

    PixelAllocator() = default;
    template <typename U>
    PixelAllocator(const PixelAllocator<U>&) noexcept // NOLINT(google-explicit-constructor): allocator rebinding
    {
    }

    static std::size_t mappedSize(std::size_t bytes) { return (bytes + kHugePage - 1) / kHugePage * kHugePage; }

    T* allocate(std::size_t n)
    {
        const std::size_t bytes = n * sizeof(T);
        if (bytes < kMapThreshold)
            return static_cast<T*>(::operator new(bytes));
        void* p = ::mmap(nullptr, mappedSize(bytes), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED)
            throw std::bad_alloc();
        ::madvise(p, mappedSize(bytes), MADV_HUGEPAGE); // advice only: failure changes nothing
        return static_cast<T*>(p);
    }

    void deallocate(T* p, std::size_t n) noexcept
    {
        const std::size_t bytes = n * sizeof(T);
        if (bytes < kMapThreshold)
            ::operator delete(p);
        else
            ::munmap(p, mappedSize(bytes));
    }

    template <typename U>
    void construct(U* p) noexcept
    {
        ::new (static_cast<void*>(p)) U;
    }
    template <typename U, typename... Args>
    void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }

    template <typename U>
    bool operator==(const PixelAllocator<U>&) const noexcept
    {
        return true;
    }
};

} // namespace detail

// Carries its message with its form, so the window can translate it.
class ImagingError : public core::MessageError {
public:
    using core::MessageError::MessageError;
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
          m_pixels(checkedSize(width, height, bytesPerPixel), 0)
    {
    }

    // A bitmap whose pixels are left as the allocator gives them (the row padding is
    // zeroed), for a kernel that is about to write every pixel.
    static Bitmap uninitialized(int width, int height, int bytesPerPixel = 3)
    {
        Bitmap bmp(width, height, bytesPerPixel, NoFill{});
        const std::size_t used = static_cast<std::size_t>(width) * bytesPerPixel;
        if (used < static_cast<std::size_t>(bmp.m_stride))
            for (int y = 0; y < height; ++y)
                std::memset(bmp.row(y) + used, 0, static_cast<std::size_t>(bmp.m_stride) - used);
        return bmp;
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
    struct NoFill {};
    Bitmap(int width, int height, int bytesPerPixel, NoFill)
        : m_width(width), m_height(height), m_bytesPerPixel(bytesPerPixel),
          m_stride(strideFor(width, bytesPerPixel)), m_pixels(checkedSize(width, height, bytesPerPixel))
    {
    }

    static std::size_t checkedSize(int width, int height, int bytesPerPixel)
    {
        if (width < 0 || height < 0 || (bytesPerPixel != 3 && bytesPerPixel != 4))
            throw ImagingError("Invalid bitmap size");
        return static_cast<std::size_t>(strideFor(width, bytesPerPixel)) * static_cast<std::size_t>(height);
    }

    int m_width = 0;
    int m_height = 0;
    int m_bytesPerPixel = 3;
    std::ptrdiff_t m_stride = 0;
    std::vector<std::uint8_t, detail::PixelAllocator<std::uint8_t>> m_pixels;
};

} // namespace imaging
