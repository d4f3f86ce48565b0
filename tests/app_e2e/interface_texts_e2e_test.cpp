// Every text the installed main program shows passes through the interface text table: with a
// table that maps each key to "@" and the key, nothing on the screens reads in English.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "app/model/testing/window_recorder.h"
#include "contracts/today_item.h"
#include "core/number_text.h"
#include "tests/app_e2e/interface_texts.h"

namespace zt::e2e {
namespace {

using zt::platform::gui::UiLine;

constexpr int kScreenWidth = 480;  // the default device profile
constexpr int kScrollArrows = 48;  // room for the tab row's two arrows, generously

TEST_F(InterfaceTextsEndToEnd, EveryTextOnTheScreensComesFromTheTable) {
    write_marker_table();
    start_main(u"");
    ASSERT_TRUE(eventually([&] { return find_line(ui(), "softkey", u"@Options").has_value(); }, kStartLimit,
                           "the translated Options soft key"));
    EXPECT_EQ(english_lines(ui()), "") << "main screen";


    ASSERT_EQ(tap_centre_of(*find_line(ui(), "softkey", u"@Options")), 0);
    std::vector<UiLine> tabs;
    ASSERT_TRUE(eventually([&] {
        tabs.clear();
        for (const auto& line : ui()) if (line.kind == "tab") tabs.push_back(line);
        return !tabs.empty();
    }, kStartLimit, "the options sheet's tabs"));
    for (const auto& tab : tabs) {
        // Longer texts push the last tabs off the screen; the tab row's scroll arrow at its
        // right end brings them in.
        std::optional<UiLine> now;
        for (int scroll = 0; scroll < 8; ++scroll) {
            now = find_line(ui(), "tab", tab.text);
            ASSERT_TRUE(now) << platform::utf16_to_utf8(tab.text);
            if (now->x >= 0 && now->x + now->width <= kScreenWidth - kScrollArrows) break;
            ASSERT_EQ(input({ "tap", std::to_string(kScreenWidth - 4), std::to_string(now->y + now->height / 2) }), 0);
        }
        ASSERT_EQ(tap_centre_of(*now), 0);
        const auto lines = ui();
        const auto chosen = find_line(lines, "tab", tab.text);
        EXPECT_TRUE(chosen && chosen->has_state("selected")) << "the page did not open: " << platform::utf16_to_utf8(tab.text);
        EXPECT_EQ(english_lines(lines), "") << "options page " << platform::utf16_to_utf8(tab.text);
    }
}

struct Screen {
    const char* name;
    uint32_t set, clocks, timers;
};

class ScreenMenuTexts : public InterfaceTextsEndToEnd, public ::testing::WithParamInterface<Screen> {};

TEST_P(ScreenMenuTexts, TheScreensMenuComesFromTheTable) {
    write_marker_table();
    store_screens(GetParam().set, GetParam().clocks, GetParam().timers);
    start_main(u"");
    // The menu a held finger opens on the screen's face.
    ASSERT_TRUE(eventually([&] { return find_line(ui(), "softkey", u"@Options").has_value(); }, kStartLimit,
                           "the translated Options soft key"));
    ASSERT_EQ(input({ "hold", "240", "300" }), 0);
    std::vector<UiLine> menu;
    ASSERT_TRUE(eventually([&] {
        menu = ui();
        return std::any_of(menu.begin(), menu.end(), [](const UiLine& line) { return line.kind == "menuitem"; });
    }, kStartLimit, "the screen's menu"));
    EXPECT_EQ(english_lines(menu), "") << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Screens, ScreenMenuTexts,
                         ::testing::Values(Screen { "world time", 0, 0, 3 }, Screen { "analog clock", 0, 1, 3 },
                                           Screen { "digital clock", 0, 2, 3 }, Screen { "countdown timers", 1, 1, 4 }),
                         [](const ::testing::TestParamInfo<Screen>& screen) {
                             std::string name = screen.param.name;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

TEST_F(InterfaceTextsEndToEnd, TheAlarmEditorsTextsComeFromTheTable) {
    write_marker_table();
    start_main(u"NewAlarm", false);
    ASSERT_TRUE(eventually([&] { return find_line(ui(), "softkey", u"@OK").has_value(); }, kStartLimit,
                           "the alarm editor's translated OK soft key"));
    EXPECT_EQ(english_lines(ui()), "") << "alarm editor";
}

TEST_F(InterfaceTextsEndToEnd, TheChangeCityDialogsTextsComeFromTheTable) {
    write_marker_table();
    app::testing::WindowRecorder requester(contracts::kTodayItemClass);
    ASSERT_NE(requester.handle(), 0u);
    start_main(u"ChooseCity " + core::format_unsigned(requester.handle()) + u" 0 0 0", false);
    std::vector<UiLine> lines;
    ASSERT_TRUE(eventually([&] {
        lines = ui();
        return !lines.empty() && lines.front().kind == "dialog" && lines.front().text == u"@Change City";
    }, kStartLimit, "the translated Change City dialog in front"));
    EXPECT_EQ(english_lines(lines, { "combo", "item" }), "") << "Change City";
}

// The ringing window, started by the service for an alarm due with the main program closed.
TEST_F(InterfaceTextsEndToEnd, TheRingingWindowsTextsComeFromTheTable) {
    write_marker_table();
    ASSERT_EQ(device_verb({ "clock", "--set", "2027-03-01 07:29:57" }).exit_code, 0);
    ASSERT_EQ(run_program(built_program("zt-alarm"), { "--root", device.root().string(), "add", "07:30", "--name", "Work" }), 0);
    std::vector<UiLine> lines;
    ASSERT_TRUE(eventually([&] {
        // Until the service starts it, no program answers the bridge.
        lines = ui_lines().value_or(std::vector<UiLine> {});
        return find_line(lines, "softkey", u"@Dismiss").has_value();
    }, kStartLimit, "the ringing window's translated Dismiss soft key")) << device_verb({ "ui" }).out;
    EXPECT_EQ(english_lines(lines), "") << "the ringing window";
    EXPECT_LE(tap_centre_of(*find_line(lines, "softkey", u"@Dismiss")), 1);
}

}  // namespace
}  // namespace zt::e2e
