#include "skins/testing/test_images.h"

#include <zlib.h>

#include <cstdlib>

#include "platform/base/le_bytes.h"

namespace zt::skins::testing {
namespace {

void put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void put32_be(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 3; i >= 0; --i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void png_chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    put32_be(out, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    put32_be(out, static_cast<uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size()))));
}

}  // namespace

CPicture solid_picture(int32_t width, int32_t height, Rgb colour) {
    CPicture picture = *CPicture::create(width, height);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) picture.set_colour(x, y, colour);
    return picture;
}

CPicture gradient_picture(int32_t width, int32_t height) {
    CPicture picture = *CPicture::create(width, height);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            picture.set_colour(x, y, { static_cast<uint8_t>(x * 16 + 1), static_cast<uint8_t>(y * 16 + 1), 7 });
    return picture;
}

std::vector<uint8_t> bitmap_file_of(const CPicture& picture, int bits_per_pixel, bool top_down) {
    const int bytes_pp = bits_per_pixel / 8;
    const uint32_t row_bytes = (static_cast<uint32_t>(picture.width()) * bytes_pp + 3) & ~3u;
    const uint32_t palette_bytes = bits_per_pixel == 8 ? 256 * 4 : 0;
    const uint32_t offset = 14 + 40 + palette_bytes;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + row_bytes * static_cast<uint32_t>(picture.height()));
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, static_cast<uint32_t>(picture.width()));
    put32(out, static_cast<uint32_t>(top_down ? -picture.height() : picture.height()));
    put16(out, 1);
    put16(out, static_cast<uint16_t>(bits_per_pixel));
    put32(out, 0);
    put32(out, row_bytes * static_cast<uint32_t>(picture.height()));
    put32(out, 3780);
    put32(out, 3780);
    put32(out, 0);
    put32(out, 0);
    for (uint32_t i = 0; i < palette_bytes / 4; ++i) {
        for (int c = 0; c < 3; ++c) out.push_back(static_cast<uint8_t>(i));
        out.push_back(0);
    }
    for (int32_t file_row = 0; file_row < picture.height(); ++file_row) {
        int32_t y = top_down ? file_row : picture.height() - 1 - file_row;
        std::vector<uint8_t> row(row_bytes, 0);
        for (int32_t x = 0; x < picture.width(); ++x) {
            Rgb c = picture.colour(x, y);
            if (bits_per_pixel == 8) {
                row[static_cast<size_t>(x)] = c.red;
            } else {
                row[static_cast<size_t>(x * bytes_pp)] = c.blue;
                row[static_cast<size_t>(x * bytes_pp + 1)] = c.green;
                row[static_cast<size_t>(x * bytes_pp + 2)] = c.red;
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

std::vector<uint8_t> png_file_of(const CPicture& picture) {
    std::vector<uint8_t> raw;
    for (int32_t y = 0; y < picture.height(); ++y) {
        raw.push_back(0);
        for (int32_t x = 0; x < picture.width(); ++x) {
            Rgb c = picture.colour(x, y);
            raw.push_back(c.red);
            raw.push_back(c.green);
            raw.push_back(c.blue);
        }
    }
    uLongf packed_size = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(packed_size);
    compress(packed.data(), &packed_size, raw.data(), static_cast<uLong>(raw.size()));
    packed.resize(packed_size);
    std::vector<uint8_t> out = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
    std::vector<uint8_t> header;
    put32_be(header, static_cast<uint32_t>(picture.width()));
    put32_be(header, static_cast<uint32_t>(picture.height()));
    header.insert(header.end(), { 8, 2, 0, 0, 0 });
    png_chunk(out, "IHDR", header);
    png_chunk(out, "IDAT", packed);
    png_chunk(out, "IEND", {});
    return out;
}

StripBuilder::StripBuilder(int32_t half_width, int32_t height)
    : m_half(half_width), m_picture(*CPicture::create(half_width * 2, height)) {}

StripBuilder& StripBuilder::colour(int32_t x, int32_t y, Rgb c) {
    m_picture.set_colour(x, y, c);
    return *this;
}

StripBuilder& StripBuilder::fill(Rgb c, uint8_t a) {
    for (int32_t y = 0; y < m_picture.height(); ++y)
        for (int32_t x = 0; x < m_half; ++x) {
            m_picture.set_colour(x, y, c);
            m_picture.set_colour(x + m_half, y, { a, a, a });
        }
    return *this;
}

StripBuilder& StripBuilder::opacity(int32_t x, int32_t y, uint8_t a) {
    m_picture.set_colour(x + m_half, y, { a, a, a });
    return *this;
}

StripBuilder& StripBuilder::boundary(int32_t row) {
    m_picture.set_colour(m_half, row, { 255, 0, 0 });
    return *this;
}

StripBuilder& StripBuilder::anchor(int32_t j, int32_t row) {
    m_picture.set_colour(m_half + j, row, { 255, 0, 255 });
    return *this;
}

StripBuilder& StripBuilder::value(int n, uint8_t x, uint8_t y) {
    m_picture.set_colour(m_half + n, 0, { 1, x, y });
    return *this;
}

StripBuilder& StripBuilder::raw(int32_t column, int32_t row, Rgb c) {
    m_picture.set_colour(column, row, c);
    return *this;
}

CPicture StripBuilder::build() { return std::move(m_picture); }

}  // namespace zt::skins::testing
