#include "platform/gui/text_painter.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/gui/testing/gui_test_app.h"

namespace zt::platform::gui {
namespace {

class TextPainterTest : public ::testing::Test {
protected:
    void SetUp() override { testing::gui_test_app(); }
};

struct Canvas {
    int32_t width { 40 }, height { 20 }, stride { 120 };
    std::vector<uint8_t> bits = std::vector<uint8_t>(120 * 20, 0);
    TextTarget target() { return { bits.data(), width, height, stride }; }
    // Top-down pixel access.
    const uint8_t* at(int32_t x, int32_t y) const { return bits.data() + (height - 1 - y) * stride + x * 3; }
};

TEST_F(TextPainterTest, HandheldFacesMapToTheSansFont) {
    std::u16string sans = font_family_for(u"Tahoma");
    EXPECT_FALSE(sans.empty());
    EXPECT_EQ(font_family_for(u"System"), sans);
    EXPECT_EQ(font_family_for(u""), sans);
    EXPECT_EQ(font_family_for(u"No Such Font Anywhere"), sans);
}

TEST_F(TextPainterTest, WiderTextMeasuresWider) {
    FontRequest font { u"Tahoma", 12 };
    auto narrow = measure_text(font, u"iii");
    auto wide = measure_text(font, u"WWW");
    ASSERT_TRUE(narrow && wide);
    EXPECT_GT(*wide, *narrow);
    EXPECT_EQ(measure_text(font, u""), 0);
    FontRequest big { u"Tahoma", 24 };
    EXPECT_GT(*measure_text(big, u"WWW"), *wide);
}

TEST_F(TextPainterTest, TextLandsOnlyInsideItsBoxTheRightWayUp) {
    Canvas canvas;
    TextBox box { 2, 0, 38, 10 };
    ASSERT_TRUE(draw_text(canvas.target(), { u"Tahoma", 10, 700 }, u"HH", box, { 255, 255, 255 },
                          text_format::kSingleLine | text_format::kNoPrefix));
    int inside = 0;
    for (int32_t y = 0; y < canvas.height; ++y) {
        for (int32_t x = 0; x < canvas.width; ++x) {
            const uint8_t* p = canvas.at(x, y);
            bool lit = p[0] || p[1] || p[2];
            bool in_box = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
            if (lit) {
                EXPECT_TRUE(in_box) << "pixel " << x << "," << y << " outside the box";
                ++inside;
            }
        }
    }
    EXPECT_GT(inside, 5) << "the text was drawn";
}

TEST_F(TextPainterTest, BoxOutsideTheBitsDrawsNothing) {
    Canvas canvas;
    EXPECT_TRUE(draw_text(canvas.target(), { u"Tahoma", 10 }, u"X", { 50, 50, 90, 90 }, { 255, 255, 255 }, 0));
    for (uint8_t b : canvas.bits) ASSERT_EQ(b, 0);
    EXPECT_FALSE(draw_text({}, { u"Tahoma", 10 }, u"X", { 0, 0, 10, 10 }, { 255, 255, 255 }, 0));
}

}  // namespace
}  // namespace zt::platform::gui
