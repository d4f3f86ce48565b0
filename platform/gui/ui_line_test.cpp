// The lines of `zt-device ui` as scripts read them.
#include <gtest/gtest.h>

#include "platform/gui/ui_line.h"

namespace zt::platform::gui {
namespace {

UiLine sample() {
    UiLine line;
    line.depth = 2;
    line.kind = "checkbox";
    line.control_id = 1114;
    line.text = u"Vibrate";
    line.x = 10;
    line.y = 20;
    line.width = 30;
    line.height = 40;
    line.enabled = true;
    line.states = { "checked", "focused" };
    return line;
}

TEST(UiLineFormat, IsTenTabSeparatedFields) {
    EXPECT_EQ(format_ui_line(sample()), "2\tcheckbox\t1114\tVibrate\t10\t20\t30\t40\t1\tchecked,focused");
    UiLine bare;
    bare.kind = "widget";
    bare.enabled = false;
    EXPECT_EQ(format_ui_line(bare), "0\twidget\t-\t\t0\t0\t0\t0\t0\t-") << "no id, no text, no state";
}

TEST(UiLineFormat, TextWithBlanksLineBreaksAndControlsStaysOnOneField) {
    UiLine line = sample();
    line.text = u"a\tb\nc\\d\re\u0001f \u00e9\U0001F600";
    const std::string text = format_ui_line(line);
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_NE(text.find("a\\tb\\nc\\\\d\\re\\x01f \xC3\xA9"), std::string::npos) << text;
    const auto back = parse_ui_line(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, line);

    line.control_id = -1;
    line.x = -4;
    line.states.clear();
    EXPECT_EQ(parse_ui_line(format_ui_line(line)), line);
}

TEST(UiLineFormat, MalformedLinesAreRefused) {
    const std::string good = format_ui_line(sample());
    ASSERT_TRUE(parse_ui_line(good));
    for (const std::string& bad : {
             std::string("2\tcheckbox\t1114\tVibrate\t10\t20\t30\t40\t1"),               // nine fields
             std::string("x\tcheckbox\t1114\tVibrate\t10\t20\t30\t40\t1\t-"),            // depth
             std::string("2\tCheck Box\t1114\tVibrate\t10\t20\t30\t40\t1\t-"),           // kind
             std::string("2\tcheckbox\tid\tVibrate\t10\t20\t30\t40\t1\t-"),              // id
             std::string("2\tcheckbox\t1\tVi\\qb\t10\t20\t30\t40\t1\t-"),                // escape
             std::string("2\tcheckbox\t1\tVib\\\t10\t20\t30\t40\t1\t-"),                 // dangling
             std::string("2\tcheckbox\t1\tV\\xZ1\t10\t20\t30\t40\t1\t-"),                // hex
             std::string("2\tcheckbox\t1\tV\t10\t20\t-30\t40\t1\t-"),                    // width
             std::string("2\tcheckbox\t1\tV\t10\t20\t30\t40\tyes\t-"),                   // enabled
             std::string("2\tcheckbox\t1\tV\t10\t20\t30\t40\t1\tpressed"),               // state
         }) {
        EXPECT_FALSE(parse_ui_line(bad)) << bad;
    }
    EXPECT_TRUE(parse_ui_dump(good + "\n" + good + "\n").has_value());
    EXPECT_EQ(parse_ui_dump(good + "\n" + good + "\n")->size(), 2u);
    EXPECT_FALSE(parse_ui_dump(good + "\nnonsense\n").has_value());
}

}  // namespace
}  // namespace zt::platform::gui
