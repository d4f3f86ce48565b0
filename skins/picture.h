#pragma once
// CPicture: the off-screen picture every screen draws into and every skin image loads into.
// 24 bits per pixel, bytes blue, green, red; rows padded to 4 bytes and stored bottom-up (the
// top row of the picture is the last row in memory). Coordinates in this module are always
// top-down: (0, 0) is the top-left pixel.
//
// The scale flag says that the picture is a normal-resolution skin image used on a
// high-resolution screen: every drawing primitive then draws it at double size.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

namespace zt::skins {

struct Rgb {
    uint8_t red { 0 };
    uint8_t green { 0 };
    uint8_t blue { 0 };
    bool operator==(const Rgb&) const = default;
    bool grey() const { return red == green && green == blue; }
};

struct Point {
    int32_t x { 0 };
    int32_t y { 0 };
    bool operator==(const Point&) const = default;
};

struct Rect {
    int32_t left { 0 };
    int32_t top { 0 };
    int32_t right { 0 };
    int32_t bottom { 0 };
    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
    bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool operator==(const Rect&) const = default;
};

// A borrowed view of bottom-up 24-bit pixel bits (a picture or a caller's buffer).
struct PixelView {
    uint8_t* bits { nullptr };
    int32_t width { 0 };
    int32_t height { 0 };
    int32_t stride { 0 };
    uint8_t* pixel(int32_t x, int32_t y) const { return bits + static_cast<ptrdiff_t>(height - 1 - y) * stride + x * 3; }
};

class CPicture {
public:
    // Pictures larger than this either way are refused: no screen or photo the product shows
    // comes near it, and it keeps a forged image header from asking for gigabytes.
    static constexpr int32_t kMaxSide = 16384;
    static constexpr size_t kMaxBytes = size_t { 512 } << 20;

    // Black; nullopt for a size of 0 or below, above the limits, or when memory runs out.
    static std::optional<CPicture> create(int32_t width, int32_t height);
    static int32_t stride_for(int32_t width) { return (width * 3 + 3) & ~3; }
    // A copy of the pixels and the scale flag; nullopt when memory runs out.
    std::optional<CPicture> clone() const;
    // A picture holding a copy of these bottom-up rows (stride_for(width) * height bytes);
    // nullopt for another number of bytes, a size create() refuses, or no memory.
    static std::optional<CPicture> from_bits(int32_t width, int32_t height, std::span<const uint8_t> bits);

    int32_t width() const { return m_width; }
    int32_t height() const { return m_height; }
    int32_t stride() const { return m_stride; }
    uint8_t* bits() { return m_bits.get(); }
    const uint8_t* bits() const { return m_bits.get(); }
    size_t byte_size() const { return static_cast<size_t>(m_stride) * static_cast<size_t>(m_height); }
    PixelView view() { return { m_bits.get(), m_width, m_height, m_stride }; }
    PixelView view() const { return { m_bits.get(), m_width, m_height, m_stride }; }

    bool contains(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    // The three bytes (blue, green, red) of pixel (x, y); the caller keeps inside the picture.
    uint8_t* pixel(int32_t x, int32_t y) { return view().pixel(x, y); }
    const uint8_t* pixel(int32_t x, int32_t y) const { return view().pixel(x, y); }
    Rgb colour(int32_t x, int32_t y) const {
        const uint8_t* p = pixel(x, y);
        return { p[2], p[1], p[0] };
    }
    void set_colour(int32_t x, int32_t y, Rgb c) {
        uint8_t* p = pixel(x, y);
        p[0] = c.blue;
        p[1] = c.green;
        p[2] = c.red;
    }

    bool scaled() const { return m_scaled; }
    void set_scaled(bool scaled) { m_scaled = scaled; }
    // 1 when the picture is drawn at double size, else 0.
    int shift() const { return m_scaled ? 1 : 0; }

    CPicture(CPicture&&) noexcept = default;
    CPicture& operator=(CPicture&&) noexcept = default;
    CPicture(const CPicture&) = delete;
    CPicture& operator=(const CPicture&) = delete;

private:
    CPicture() = default;
    // Unfilled when `black` is false: only for callers that write every byte at once.
    static std::optional<CPicture> allocate(int32_t width, int32_t height, bool black);

    int32_t m_width { 0 };
    int32_t m_height { 0 };
    int32_t m_stride { 0 };
    std::unique_ptr<uint8_t[]> m_bits;
    bool m_scaled { false };
};

}  // namespace zt::skins
