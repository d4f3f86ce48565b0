#include "platform/registry/value_codec.h"

#include <gtest/gtest.h>

namespace zt::platform::registry {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(ValueCodec, StringsAreLittleEndianWithOneTerminatingNul) {
    EXPECT_EQ(encode_sz(u"A\u20AC"), (Bytes { 0x41, 0x00, 0xAC, 0x20, 0x00, 0x00 }));
    EXPECT_EQ(encode_sz(u""), (Bytes { 0, 0 }));
}

TEST(ValueCodec, MalformedStringBytesDecodeToWhatIsThere) {
    EXPECT_EQ(decode_sz(Bytes { 'h', 0, 'i', 0 }), u"hi") << "missing NUL";
    EXPECT_EQ(decode_sz(Bytes { 'h', 0, 'i', 0, 0 }), u"hi") << "odd trailing byte";
    EXPECT_EQ(decode_sz(Bytes { 'a', 0, 0, 0, 'b', 0, 0, 0 }), u"a") << "stops at the first NUL";
    EXPECT_EQ(decode_sz(Bytes {}), u"");
    EXPECT_EQ(decode_sz(Bytes { 0x7F }), u"");
}

TEST(ValueCodec, DwordNeedsExactlyFourBytes) {
    EXPECT_EQ(encode_dword(0xA1B2C3D4), (Bytes { 0xD4, 0xC3, 0xB2, 0xA1 }));
    EXPECT_EQ(decode_dword(Bytes { 0xD4, 0xC3, 0xB2, 0xA1 }), 0xA1B2C3D4u);
    EXPECT_FALSE(decode_dword(Bytes { 1, 2, 3 }));
    EXPECT_FALSE(decode_dword(Bytes { 1, 2, 3, 4, 5 }));
}

TEST(ValueCodec, MultiStringsEndWithAnExtraNulAndTolerateItsAbsence) {
    EXPECT_EQ(encode_multi_sz({ u"a", u"b" }), (Bytes { 'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0 }));
    EXPECT_EQ(encode_multi_sz({}), (Bytes { 0, 0 }));
    EXPECT_EQ(decode_multi_sz(encode_multi_sz({ u"a", u"b" })), (std::vector<std::u16string> { u"a", u"b" }));
    EXPECT_EQ(decode_multi_sz(Bytes { 'a', 0, 0, 0, 'b', 0 }), (std::vector<std::u16string> { u"a", u"b" }));
    EXPECT_TRUE(decode_multi_sz(Bytes { 0, 0 }).empty());
    EXPECT_EQ(decode_multi_sz(Bytes { 'a', 0, 0, 0, 0, 0, 'z', 0 }), std::vector<std::u16string> { u"a" })
        << "nothing after the closing NUL";
}

}  // namespace
}  // namespace zt::platform::registry
