// The command-line shape of the window verbs.
#include "platform/hosts/zt_win/window_commands.h"

#include <gtest/gtest.h>

namespace zt::platform::zt_win {
namespace {

TEST(WindowCommands, NumbersAreDecimalOrHexWithinThirtyTwoBits) {
    EXPECT_EQ(parse_number("0"), 0u);
    EXPECT_EQ(parse_number("1130"), 1130u);
    EXPECT_EQ(parse_number("0x046B"), 0x046Bu);
    EXPECT_EQ(parse_number("0XfFfFfFfF"), 0xFFFFFFFFu);
    EXPECT_EQ(parse_number("4294967295"), 0xFFFFFFFFu);
    for (const char* bad : { "", "0x", "4294967296", "0x100000000", "-1", "12a", " 1", "1 ", "0x-1", "+5" })
        EXPECT_FALSE(parse_number(bad)) << "'" << bad << "'";
}

TEST(WindowCommands, PostTakesOneTargetAndUpToThreeNumbers) {
    auto parsed = parse_post({ "--class", "ZUNTIME{X}", "0x0469" });
    ASSERT_TRUE(std::holds_alternative<PostCommand>(parsed));
    auto post = std::get<PostCommand>(parsed);
    EXPECT_EQ(post.class_name, u"ZUNTIME{X}");
    EXPECT_EQ(post.number, 0x0469u);
    EXPECT_EQ(post.wparam, 0u);
    EXPECT_EQ(post.lparam, 0u);

    post = std::get<PostCommand>(parse_post({ "--handle", "0x12345678", "1", "2", "3" }));
    EXPECT_EQ(post.handle, 0x12345678u);
    EXPECT_EQ(post.wparam, 2u);
    EXPECT_EQ(post.lparam, 3u);

    std::vector<std::vector<std::string_view>> bad = {
        {},
        { "--class" },
        { "--class", "X" },
        { "--class", "", "1" },
        { "--handle", "0", "1" },
        { "--handle", "h", "1" },
        { "--window", "X", "1" },
        { "--class", "X", "1", "2", "3", "4" },
        { "--class", "X", "WM_CLOSE" },
        { "--class", "X", "0x4A", "0", "0" },
    };
    for (const auto& args : bad) {
        std::string joined;
        for (auto a : args) joined += std::string(a) + " ";
        EXPECT_TRUE(std::holds_alternative<std::string>(parse_post(args))) << joined;
    }
}

TEST(WindowCommands, WindowLineStaysOneLineOfFiveFields) {
    WindowInfo window;
    window.handle = 0x00ABCDEF;
    window.class_name = u"Class\tWith\nControls";
    window.title = u"Zeit \u00FC";
    window.process_id = 321;
    window.module_path = u"\\Windows\\ZunTime.exe";
    EXPECT_EQ(format_window_line(window), "0x00abcdef\tClass With Controls\tZeit \xC3\xBC\t321\t\\Windows\\ZunTime.exe");
}

}  // namespace
}  // namespace zt::platform::zt_win
