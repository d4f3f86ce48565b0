#include "platform/base/text.h"

#include <gtest/gtest.h>

namespace zt::platform {
namespace {

TEST(TextConversion, RoundTripsAllPlanes) {
    std::string utf8 = "Z\xC3\xBCrich S\xC3\xA3o Paulo \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x95\xB0";
    std::u16string utf16 = utf8_to_utf16(utf8);
    EXPECT_EQ(utf16[1], u'\u00FC');
    EXPECT_EQ(utf16.size(), 22u);  // the clock emoji is a surrogate pair
    EXPECT_EQ(utf16_to_utf8(utf16), utf8);
}

TEST(TextConversion, MalformedInputBecomesReplacementCharacters) {
    EXPECT_EQ(utf8_to_utf16("a\xFF" "b"), u"a\uFFFDb");
    EXPECT_EQ(utf8_to_utf16("a\xC3"), u"a\uFFFD");            // truncated sequence
    EXPECT_EQ(utf8_to_utf16("\xC0\x80"), u"\uFFFD");           // overlong NUL
    EXPECT_EQ(utf8_to_utf16("\xED\xA0\x80"), u"\uFFFD");       // encoded surrogate
    std::u16string lone = u"x";
    lone.push_back(static_cast<char16_t>(0xD800));
    EXPECT_EQ(utf16_to_utf8(lone), "x\xEF\xBF\xBD");
}

TEST(CaseFolding, MatchesNamesAcrossScripts) {
    EXPECT_TRUE(equal_ignoring_case(u"SOFTWARE\\Zunworks", u"Software\\zunworks"));
    EXPECT_TRUE(equal_ignoring_case(u"\u00E9t\u00E9", u"\u00C9T\u00C9"));
    EXPECT_TRUE(equal_ignoring_case(u"\u0434\u043E\u043C", u"\u0414\u041E\u041C"));
    EXPECT_TRUE(equal_ignoring_case(u"\u03C3\u03C2", u"\u03A3\u03A3"));
    EXPECT_FALSE(equal_ignoring_case(u"a", u"b"));
    EXPECT_FALSE(equal_ignoring_case(u"\u00F7", u"\u00D7"));  // division and multiplication signs
    EXPECT_TRUE(starts_with_ignoring_case(u"Afx:1234", u"AFX:"));
    EXPECT_FALSE(starts_with_ignoring_case(u"Af", u"AFX:"));
}

}  // namespace
}  // namespace zt::platform
