#include "core/property_list.h"

#include <gtest/gtest.h>

#include "core/number_text.h"

namespace zt::core {
namespace {

TEST(PropertyListParse, SplitsPairsAtFirstEquals) {
    auto map = parse_property_list(u"tn=a=b=c;alt=70500;empty=");
    ASSERT_TRUE(map);
    EXPECT_EQ(map->count(), 3u);
    EXPECT_EQ(*map->text(u"tn"), u"a=b=c");
    EXPECT_EQ(map->number(u"alt"), 70500u);
    EXPECT_EQ(*map->text(u"empty"), u"");
}

TEST(PropertyListParse, EmptyTextIsEmptyMapAndMalformedIsInvalid) {
    auto empty = parse_property_list(u"");
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->empty());
    EXPECT_FALSE(parse_property_list(u"alt")) << "pair without =";
    EXPECT_FALSE(parse_property_list(u"a=1;b")) << "one bad pair spoils the text";
    EXPECT_FALSE(parse_property_list(u"a=1;;b=2")) << "empty piece";
    EXPECT_FALSE(parse_property_list(u"a=1;")) << "trailing separator";
    EXPECT_FALSE(parse_property_list(u";"));
    auto dup = parse_property_list(u"a=1;a=2");
    ASSERT_TRUE(dup);
    EXPECT_EQ(*dup->text(u"a"), u"2") << "the last of a repeated key wins";
}

TEST(PropertyListJoin, RoundTripsAnyOrderWithoutStraySeparators) {
    CValueMap map;
    map.put_text(u"tn", u"wake = up");
    map.put_number(u"alt", 70500);
    map.put_text(u"acstr", u"\\Windows\\alarm.wav");
    std::u16string text = join_property_list(map);
    EXPECT_NE(text.front(), u';');
    EXPECT_NE(text.back(), u';');
    auto back = parse_property_list(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->count(), 3u);
    EXPECT_EQ(*back->text(u"tn"), u"wake = up");
    EXPECT_EQ(*back->text(u"acstr"), u"\\Windows\\alarm.wav");
    EXPECT_EQ(join_property_list(CValueMap {}), u"");
}

TEST(PropertyListJoin, SemicolonAndNulInValueCannotBreakTheRecord) {
    CValueMap map;
    map.put_text(u"tn", std::u16string(u"a;b\0c", 5));
    map.put_number(u"alt", 1);
    auto back = parse_property_list(join_property_list(map));
    ASSERT_TRUE(back) << "a ';' in a name would otherwise invalidate the whole alarm";
    EXPECT_EQ(*back->text(u"tn"), u"a,bc");
}

TEST(NumberText, ScansLikeTheRecordsAlwaysDid) {
    CValueMap map;
    map.put_text(u"plain", u"42");
    map.put_text(u"trailing", u"12abc");
    map.put_text(u"blank", u"  7");
    map.put_text(u"word", u"abc");
    map.put_text(u"empty", u"");
    map.put_text(u"huge", u"99999999999999999999999999");
    map.put_text(u"negative", u"-1");
    EXPECT_EQ(map.number(u"plain"), 42u);
    EXPECT_EQ(map.number(u"trailing"), 12u);
    EXPECT_EQ(map.number(u"blank"), 7u);
    EXPECT_FALSE(map.number(u"word"));
    EXPECT_FALSE(map.number(u"empty"));
    EXPECT_FALSE(map.number(u"missing"));
    EXPECT_EQ(map.number(u"huge"), 0xFFFFFFFFu) << "overflow saturates, never wraps to a small number";
    EXPECT_EQ(map.number(u"negative"), 0xFFFFFFFFu);
    EXPECT_EQ(map.boolean(u"plain"), true);
    map.put_bool(u"flag", false);
    EXPECT_EQ(*map.text(u"flag"), u"0");
    EXPECT_EQ(map.boolean(u"flag"), false);
}

TEST(NumberText, SignedLapValuesAndTheirLimits) {
    EXPECT_EQ(format_signed(-7000), u"-7000");
    EXPECT_EQ(format_signed(INT64_MIN), u"-9223372036854775808");
    EXPECT_EQ(scan_int64(u"-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(scan_int64(u"-99999999999999999999"), INT64_MIN);
    EXPECT_EQ(scan_int64(u"99999999999999999999"), INT64_MAX);
    EXPECT_EQ(scan_int64(u"5250"), 5250);
    EXPECT_FALSE(scan_int64(u"x5"));
    EXPECT_FALSE(scan_int64(u"-"));
}

TEST(NumberText, ItemIdsMustBeWholeCanonicalPositiveNumbers) {
    EXPECT_EQ(parse_item_id(u"17"), 17);
    EXPECT_EQ(parse_item_id(u"2147483647"), 2147483647);
    for (const char16_t* bad : { u"0", u"abc", u"", u"12abc", u"-3", u" 7", u"012", u"+5", u"2147483648", u"99999999999" })
        EXPECT_FALSE(parse_item_id(bad)) << std::u16string(bad).size();
}

}  // namespace
}  // namespace zt::core
