#pragma once
// Pictures and image files made in code for the tests.
#include <cstdint>
#include <filesystem>
#include <vector>

#include "skins/picture.h"

namespace zt::skins::testing {

CPicture solid_picture(int32_t width, int32_t height, Rgb colour);
// Every pixel different: red = x * 16 + 1, green = y * 16 + 1, blue = 7 (small pictures only).
CPicture gradient_picture(int32_t width, int32_t height);

// A Windows bitmap file of the picture with 8 (grey palette of the red byte), 24 or 32 bits.
std::vector<uint8_t> bitmap_file_of(const CPicture& picture, int bits_per_pixel = 24, bool top_down = false);
// A PNG file of the picture (RGB, no filter), written with zlib.
std::vector<uint8_t> png_file_of(const CPicture& picture);

// Builds transparent images and strips of w drawn columns (picture width 2w). Everything starts
// black and transparent (opacity 0, grey). Markers take the place of opacities; the ones made
// here have a red byte of 255, so the pixels under them count as opaque.
class StripBuilder {
public:
    StripBuilder(int32_t half_width, int32_t height);
    StripBuilder& colour(int32_t x, int32_t y, Rgb c);
    StripBuilder& fill(Rgb c, uint8_t opacity);  // every drawn pixel
    StripBuilder& opacity(int32_t x, int32_t y, uint8_t a);
    StripBuilder& boundary(int32_t row);                   // non-grey marker in column w
    StripBuilder& anchor(int32_t j, int32_t row);          // non-grey marker in column w + j
    StripBuilder& value(int n, uint8_t x, uint8_t y);      // green x, blue y, red 1
    StripBuilder& raw(int32_t column, int32_t row, Rgb c);  // any pixel of the whole picture
    CPicture build();
    CPicture& picture() { return m_picture; }

private:
    int32_t m_half;
    CPicture m_picture;
};

}  // namespace zt::skins::testing
