#include "world/bounded_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "world/name_code_page.h"

namespace zt::world {
namespace {

TEST(BoundedReader, FailedReadsYieldZeroAndKeepThePosition) {
    const std::vector<uint8_t> bytes { 0x01, 0x02, 0x03 };
    BoundedReader r(bytes);
    EXPECT_EQ(r.read_u16(), 0x0201);
    EXPECT_EQ(r.read_u32(), 0u) << "only one byte is left";
    EXPECT_EQ(r.position(), 2u);
    EXPECT_EQ(r.read_u16(), 0u);
    EXPECT_EQ(r.read_u8(), 0x03);
    EXPECT_EQ(r.read_u8(), 0u);
    EXPECT_EQ(r.position(), 3u);
}

TEST(BoundedReader, SeekPastTheEndClampsToTheSize) {
    const std::vector<uint8_t> bytes(10, 0xAB);
    BoundedReader r(bytes);
    r.seek(0xFFFFFFFFu);
    EXPECT_EQ(r.position(), 10u);
    EXPECT_EQ(r.read_u8(), 0u);
    r.seek(9);
    EXPECT_EQ(r.read_u8(), 0xAB);
}

TEST(BoundedReader, LongShortStringKeepsFortyNineCharactersAndSkipsTheRest) {
    std::vector<uint8_t> bytes { 60 };
    for (int i = 0; i < 60; ++i) bytes.push_back(static_cast<uint8_t>('a' + i % 26));
    bytes.push_back(0x34);
    bytes.push_back(0x12);
    BoundedReader r(bytes);
    auto text = r.read_short_string();
    ASSERT_TRUE(text);
    EXPECT_EQ(text->size(), 49u);
    EXPECT_EQ((*text)[48], u'a' + 48 % 26);
    EXPECT_EQ(r.read_u16(), 0x1234) << "the field after the name must be read from the right place";
}

TEST(BoundedReader, ShortStringFailsWhenItsBytesAreNotAllThere) {
    const std::vector<uint8_t> cut { 5, 'P', 'a', 'r' };
    BoundedReader r(cut);
    EXPECT_FALSE(r.read_short_string());
    EXPECT_EQ(r.position(), 0u);
    BoundedReader empty(std::span<const uint8_t> {});
    EXPECT_FALSE(empty.read_short_string());
}

TEST(NameCodePage, HighBytesWidenAsWindows1252) {
    const std::vector<uint8_t> bytes { 7, 'Z', 0xFC, 'r', 'i', 'c', 'h', 0x80 };
    BoundedReader r(bytes);
    EXPECT_EQ(r.read_short_string(), std::u16string(u"Z\u00FCrich\u20AC"));
    EXPECT_EQ(widen_name_byte(0xE3), u'\u00E3');
    EXPECT_EQ(widen_name_byte(0x8A), u'\u0160');
    EXPECT_EQ(widen_name_byte(0x81), u'\u0081') << "undefined bytes keep their value";
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(narrow_name_char(widen_name_byte(static_cast<uint8_t>(b))), b) << "byte " << b << " must round-trip";
    EXPECT_FALSE(narrow_name_char(u'\u0141'));
}

}  // namespace
}  // namespace zt::world
