#include "skins/text_cut.h"

#include <gtest/gtest.h>

#include "platform/gui/testing/gui_test_app.h"
#include "skins/testing/test_images.h"

namespace zt::skins {
namespace {

// Every unit 10 pixels wide.
int32_t fixed_width(std::u16string_view text) { return static_cast<int32_t>(text.size()) * 10; }

TEST(TextCut, TextThatFitsIsUnchanged) {
    EXPECT_EQ(cut_text_to_width(u"Paris", 50, fixed_width), u"Paris");
    EXPECT_EQ(cut_text_to_width(u"", 0, fixed_width), u"");
}

TEST(TextCut, LongTextKeepsTheLongestHeadThatFitsWithEllipsis) {
    EXPECT_EQ(cut_text_to_width(u"Reykjavik", 70, fixed_width), u"Reyk...");
    EXPECT_EQ(cut_text_to_width(u"Reykjavik", 20, fixed_width), u"...") << "nothing fits: the ellipsis alone";
}

TEST(TextCut, BlanksBeforeTheEllipsisAreRemoved) {
    EXPECT_EQ(cut_text_to_width(u"New York City", 70, fixed_width), u"New...") << "cut just after a space";
    EXPECT_EQ(cut_text_to_width(u"Line\r\n\tnext words", 100, fixed_width), u"Line...");
}

TEST(TextCut, SurrogatePairsAreNeverSplit) {
    std::u16string text = u"ab\U0001F600cdef";
    std::u16string cut = cut_text_to_width(text, 60, fixed_width);
    EXPECT_EQ(cut, u"ab...") << "the emoji would not fit whole";
}

TEST(TextCut, DrawingReportsTheWidthOfWhatWasDrawn) {
    platform::gui::testing::gui_test_app();
    CPicture canvas = testing::solid_picture(60, 20, { 0, 0, 0 });
    TextStyle style { { u"Tahoma", 12 }, { 255, 255, 255 }, 0 };
    Rect rect { 0, 0, 60, 20 };
    int32_t measured = draw_text_cut_to_width(canvas, u"A long city name that cannot fit", rect, style, false);
    EXPECT_GT(measured, 0);
    EXPECT_LE(measured, 60);
    for (int32_t y = 0; y < 20; ++y)
        for (int32_t x = 0; x < 60; ++x) ASSERT_EQ(canvas.colour(x, y), (Rgb { 0, 0, 0 })) << "measuring draws nothing";
    EXPECT_EQ(draw_text_cut_to_width(canvas, u"A long city name that cannot fit", rect, style, true), measured);
    int lit = 0;
    for (int32_t y = 0; y < 20; ++y)
        for (int32_t x = 0; x < 60; ++x) lit += canvas.colour(x, y).red > 0;
    EXPECT_GT(lit, 10);
}

}  // namespace
}  // namespace zt::skins
