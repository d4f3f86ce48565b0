#include "platform/dbvol/property_codec.h"

#include <gtest/gtest.h>

namespace zt::platform::dbvol::detail {
namespace {

TEST(PropertyCodec, RoundTripsEveryKindWithAnExactLayout) {
    std::vector<Property> props { { 1, std::u16string(u"A\xD800") }, { 2, uint32_t { 0x01020304 } },
                                  { 3, int64_t { -2 } }, { 4, std::vector<uint8_t> {} } };
    auto bytes = encode_properties(props);
    ASSERT_TRUE(bytes);
    // count, then id 1 kind 1 length 4 "A" and a lone surrogate, both little-endian.
    std::vector<uint8_t> head { 4, 0, 1, 0, 1, 4, 0, 0, 0, 'A', 0, 0x00, 0xD8 };
    ASSERT_GE(bytes->size(), head.size());
    EXPECT_TRUE(std::equal(head.begin(), head.end(), bytes->begin()));
    EXPECT_EQ(decode_properties(*bytes), props);
}

TEST(PropertyCodec, RefusesEveryTruncationAndTrailingBytes) {
    auto bytes = *encode_properties({ { 1, std::u16string(u"text") }, { 7, int64_t { 9 } } });
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        EXPECT_FALSE(decode_properties(std::span(bytes).first(cut))) << "cut at " << cut;
    }
    bytes.push_back(0);
    EXPECT_FALSE(decode_properties(bytes));
}

TEST(PropertyCodec, RefusesWrongSizesAndUnknownKinds) {
    // One property, kind 2 (u32) with 3 bytes.
    std::vector<uint8_t> short_number { 1, 0, 1, 0, 2, 3, 0, 0, 0, 1, 2, 3 };
    EXPECT_FALSE(decode_properties(short_number));
    std::vector<uint8_t> odd_text { 1, 0, 1, 0, 1, 1, 0, 0, 0, 'x' };
    EXPECT_FALSE(decode_properties(odd_text));
    std::vector<uint8_t> unknown_kind { 1, 0, 1, 0, 9, 0, 0, 0, 0 };
    EXPECT_FALSE(decode_properties(unknown_kind));
    std::vector<uint8_t> huge_length { 1, 0, 1, 0, 4, 0xff, 0xff, 0xff, 0xff };
    EXPECT_FALSE(decode_properties(huge_length));
}

}  // namespace
}  // namespace zt::platform::dbvol::detail
