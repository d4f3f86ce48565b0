// The countdown timers of the installed main program, driven through the device's debug bridge:
// a countdown started by a tap rings through the ringing program after the program has closed.
#include <gtest/gtest.h>

#include <string>

#include "contracts/registry_keys.h"
#include "platform/audio/testing/log_reader.h"
#include "platform/base/text.h"
#include "platform/profile/device_profile.h"
#include "tests/app_e2e/device_bridge.h"
#include "tests/app_e2e/main_program_fixture.h"

namespace zt::e2e {
namespace {

using zt::platform::gui::UiLine;

constexpr std::int32_t kMainDialogId = 179;
// The shipped skins' "Timer.png" (240 x 210, centred in the screen): the first row's start
// button, relative to the image.
constexpr int kTimerImageHeight = 210;
constexpr int kFirstStartX = 4 + 174;
constexpr int kFirstStartY = 5 + 19;

std::u16string stored_timer(std::u16string_view id) {
    auto timers = zt::platform::registry::Key::open(zt::platform::registry::Root::CurrentUser, zt::contracts::kTimersKeyPath);
    return timers ? timers->get_string(id).value_or(u"") : u"";
}

TEST_F(MainProgramEndToEnd, ACountdownStartedByATapRingsAfterTheProgramClosed) {
    ASSERT_TRUE(zt::platform::write_screen_size(240, 320));
    store_screens(1, 1, 4);  // the timers set at the countdown timers
    start_main(u"");
    int top = -1;
    int bottom = -1;
    const auto lines = ui_lines();
    ASSERT_TRUE(lines);
    for (const UiLine& line : *lines) {
        if (line.control_id == kMainDialogId) top = line.y;
        if (line.kind == "button" && line.text == u"Button 1") bottom = line.y;
    }
    ASSERT_GT(bottom - top, kTimerImageHeight) << "the screen between the task bar and the toolbar";
    ASSERT_TRUE(eventually([] { return stored_timer(u"1").find(u"tind=0;") != std::u16string::npos; }, kStartLimit,
                           "the countdown slots' records"))
        << zt::platform::utf16_to_utf8(stored_timer(u"1"));
    ASSERT_NE(stored_timer(u"1").find(u"tu=0;"), std::u16string::npos) << "a countdown";

    const int image_top = top + (bottom - top - kTimerImageHeight) / 2;
    ASSERT_EQ(input({ "tap", std::to_string(kFirstStartX), std::to_string(image_top + kFirstStartY) }), 0);
    ASSERT_TRUE(eventually([] { return stored_timer(u"1").find(u"tat=") != std::u16string::npos; }, kPatience,
                           "the 30-second countdown to run"))
        << zt::platform::utf16_to_utf8(stored_timer(u"1"));
    EXPECT_EQ(stored_timer(u"2").find(u"tat="), std::u16string::npos) << "only the tapped row starts";
    EXPECT_EQ(close_main(), 0u);

    // Moved to some seconds before the end, not past it: the service reschedules on the clock
    // change, and a countdown whose end already lies behind the new time is no longer due.
    ASSERT_EQ(device_verb({ "clock", "--offset", "20" }).exit_code, 0);
    EXPECT_TRUE(eventually([&] {
        for (const auto& line : zt::platform::audio::testing::read_log(m_audio_log))
            if (line.starts_with("play ")) return true;
        return false;
    }, kPatience, "the countdown to ring"));
}

}  // namespace
}  // namespace zt::e2e
