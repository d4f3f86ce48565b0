#include "skins/bitmap_file.h"

#include <gtest/gtest.h>

#include "skins/testing/test_images.h"

namespace zt::skins {
namespace {

using testing::bitmap_file_of;
using testing::gradient_picture;

void expect_same_pixels(const CPicture& a, const CPicture& b) {
    ASSERT_EQ(a.width(), b.width());
    ASSERT_EQ(a.height(), b.height());
    for (int32_t y = 0; y < a.height(); ++y)
        for (int32_t x = 0; x < a.width(); ++x) ASSERT_EQ(a.colour(x, y), b.colour(x, y)) << x << "," << y;
}

TEST(BitmapFile, TwentyFourAndThirtyTwoBitsBottomUpAndTopDown) {
    CPicture source = gradient_picture(5, 3);  // 15-byte rows padded to 16
    for (int bits : { 24, 32 }) {
        for (bool top_down : { false, true }) {
            auto decoded = decode_bitmap_file(bitmap_file_of(source, bits, top_down));
            ASSERT_TRUE(decoded) << bits << " bits, top-down " << top_down;
            expect_same_pixels(*decoded, source);
        }
    }
}

TEST(BitmapFile, EightBitsGoThroughThePalette) {
    CPicture source = gradient_picture(3, 2);
    auto decoded = decode_bitmap_file(bitmap_file_of(source, 8));
    ASSERT_TRUE(decoded);
    Rgb c = decoded->colour(2, 1);
    EXPECT_EQ(c.red, source.colour(2, 1).red);
    EXPECT_EQ(c.green, c.red) << "the test palette is grey";
}

TEST(BitmapFile, UnsupportedOrShortFilesAreRefused) {
    CPicture source = gradient_picture(4, 4);
    std::vector<uint8_t> good = bitmap_file_of(source);
    EXPECT_FALSE(decode_bitmap_file({}));
    EXPECT_FALSE(decode_bitmap_file(std::vector<uint8_t>(good.begin(), good.begin() + 53)));
    EXPECT_FALSE(decode_bitmap_file(std::vector<uint8_t>(good.begin(), good.end() - 1))) << "pixel data cut short";
    auto patched = [&](size_t at, uint8_t value) {
        std::vector<uint8_t> copy = good;
        copy[at] = value;
        return copy;
    };
    EXPECT_FALSE(decode_bitmap_file(patched(0, 'X'))) << "not BM";
    EXPECT_FALSE(decode_bitmap_file(patched(14, 12))) << "an old 12-byte core header";
    EXPECT_FALSE(decode_bitmap_file(patched(28, 4))) << "4 bits per pixel";
    EXPECT_FALSE(decode_bitmap_file(patched(30, 1))) << "run-length compressed";
    EXPECT_FALSE(decode_bitmap_file(patched(10, 0xF0))) << "pixel offset past the end";
    EXPECT_FALSE(decode_bitmap_file(patched(21, 0x7F))) << "absurd width";
}

}  // namespace
}  // namespace zt::skins
