#include "skins/bitmap_file.h"

#include <algorithm>
#include <cstdlib>

#include "platform/base/le_bytes.h"

namespace zt::skins {
namespace {

using platform::read_le16;
using platform::read_le32;

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kUncompressed = 0;

struct Palette {
    const uint8_t* entries { nullptr };  // blue, green, red, reserved
    uint32_t count { 0 };
};

Rgb read_pixel(const uint8_t* row, int32_t x, uint16_t bits, const Palette& palette) {
    switch (bits) {
    case 8: {
        uint8_t index = row[x];
        if (index >= palette.count) return {};
        const uint8_t* e = palette.entries + index * 4;
        return { e[2], e[1], e[0] };
    }
    case 16: {
        uint16_t v = read_le16(row + x * 2);
        auto expand = [](uint32_t five) { return static_cast<uint8_t>((five << 3) | (five >> 2)); };
        return { expand((v >> 10) & 31u), expand((v >> 5) & 31u), expand(v & 31u) };
    }
    case 24: return { row[x * 3 + 2], row[x * 3 + 1], row[x * 3] };
    default: return { row[x * 4 + 2], row[x * 4 + 1], row[x * 4] };
    }
}

}  // namespace

std::optional<CPicture> decode_bitmap_file(std::span<const uint8_t> file) {
    if (file.size() < kFileHeaderSize + kInfoHeaderSize) return std::nullopt;
    if (file[0] != 'B' || file[1] != 'M') return std::nullopt;
    uint32_t data_offset = read_le32(file.data() + 10);
    const uint8_t* info = file.data() + kFileHeaderSize;
    if (read_le32(info) != kInfoHeaderSize) return std::nullopt;
    int32_t width = static_cast<int32_t>(read_le32(info + 4));
    int32_t raw_height = static_cast<int32_t>(read_le32(info + 8));
    uint16_t bits = read_le16(info + 14);
    uint32_t compression = read_le32(info + 16);
    uint32_t colours_used = read_le32(info + 32);
    if (compression != kUncompressed) return std::nullopt;
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32) return std::nullopt;
    if (width <= 0 || raw_height == 0 || raw_height == INT32_MIN) return std::nullopt;
    const bool top_down = raw_height < 0;
    const int32_t height = std::abs(raw_height);
    if (width > CPicture::kMaxSide || height > CPicture::kMaxSide) return std::nullopt;

    Palette palette;
    if (bits == 8) {
        palette.count = colours_used == 0 || colours_used > 256 ? 256 : colours_used;
        size_t palette_start = kFileHeaderSize + kInfoHeaderSize;
        // A palette cut short by the pixel data keeps only the entries that fit.
        size_t palette_end = std::min<size_t>(file.size(), std::max<size_t>(palette_start, data_offset));
        palette.count = std::min<uint32_t>(palette.count, static_cast<uint32_t>((palette_end - palette_start) / 4));
        palette.entries = file.data() + palette_start;
    }

    const size_t row_bytes = (static_cast<size_t>(width) * (bits / 8) + 3) & ~size_t { 3 };
    if (data_offset > file.size() || row_bytes * static_cast<size_t>(height) > file.size() - data_offset) return std::nullopt;

    std::optional<CPicture> picture = CPicture::create(width, height);
    if (!picture) return std::nullopt;
    for (int32_t file_row = 0; file_row < height; ++file_row) {
        const uint8_t* row = file.data() + data_offset + row_bytes * static_cast<size_t>(file_row);
        int32_t y = top_down ? file_row : height - 1 - file_row;
        for (int32_t x = 0; x < width; ++x) picture->set_colour(x, y, read_pixel(row, x, bits, palette));
    }
    return picture;
}

}  // namespace zt::skins
