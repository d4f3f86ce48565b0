#include "service/screen_saver_idle.h"

#include <gtest/gtest.h>

#include "contracts/main_program.h"
#include "contracts/registry_keys.h"
#include "contracts/service.h"
#include "core/time_math.h"
#include "platform/registry/registry.h"
#include "platform/registry/testing/temp_device_root.h"
#include "platform/windows/message.h"
#include "service/foreground_rules.h"
#include "service/main_program.h"
#include "service/service_window_handler.h"
#include "service/testing/fake_service_device.h"

namespace zt::service {
namespace {

using zt::platform::registry::Key;
using zt::platform::registry::Root;
using Wake = ScreenSaverIdle::Wake;
using testing::FakeServiceDevice;

constexpr char16_t kAppPath[] = u"\\Program Files\\Zun Time\\ZunTime.exe";
constexpr int kOtherPid = 777;

SYSTEMTIME at_second(int64_t seconds) {
    return zt::core::add_milliseconds(SYSTEMTIME { 2009, 3, 1, 2, 12, 0, 0, 0 }, seconds * 1000);
}

class ScreenSaverIdleTest : public ::testing::Test {
protected:
    ScreenSaverIdleTest() {
        std::move(Key::create(Root::CurrentUser, zt::contracts::kProductKeyPath)->key).set_string(zt::contracts::kAppPathValue, kAppPath);
        state.store_settings({ 1, 300'000, true });
        idle.refresh_settings();
    }

    // One-second checks from `from` to `to` seconds (inclusive); the second of the first start.
    std::optional<int64_t> tick(int64_t from, int64_t to) {
        std::optional<int64_t> started;
        for (int64_t second = from; second <= to; ++second) {
            const size_t before = device.starts.size();
            idle.on_wake(Wake::TimedOut, at_second(second));
            if (!started && device.starts.size() > before) started = second;
        }
        return started;
    }

    void put_in_front(const std::u16string& path, bool visible, zt::platform::Rect rect) {
        device.process_paths[kOtherPid] = path;
        device.foreground = WindowFacts { kOtherPid, visible, rect };
    }

    zt::platform::testing::TempDeviceRoot root;
    FakeServiceDevice device;
    ServiceState state;
    ScreenSaverIdle idle { state, device, at_second(0) };
};

TEST_F(ScreenSaverIdleTest, StartsOnTheFirstCheckAfterTheTimeoutNotEarlier) {
    // The first check restarts the idle clock at second 1; 300 s later it starts.
    EXPECT_EQ(tick(1, 400), 301);
    ASSERT_EQ(device.starts.size(), 1u) << "started once, then it is active";
    EXPECT_EQ(device.starts[0], (FakeServiceDevice::Start { kAppPath, zt::contracts::kScreenSaverCommand }));
    EXPECT_TRUE(state.screen_saver_active());
    EXPECT_EQ(device.asked_points.front().x, 240);
    EXPECT_EQ(device.asked_points.front().y, 320) << "the window at the screen centre is asked";
}

TEST_F(ScreenSaverIdleTest, GapOfSuspendRestartsTheIdleClock) {
    EXPECT_FALSE(tick(1, 200));
    // Suspended for an hour: the first check after the gap restarts, so no start at once.
    EXPECT_FALSE(tick(3800, 4099));
    EXPECT_EQ(tick(4100, 4100), 4100);
}

TEST_F(ScreenSaverIdleTest, ClockMovedBackwardsRestartsTheIdleClockToo) {
    EXPECT_FALSE(tick(1000, 1200));
    EXPECT_FALSE(tick(200, 499)) << "a clock one hour back";
    EXPECT_EQ(tick(500, 500), 500) << "300 s after the change, not an hour later";
}

TEST_F(ScreenSaverIdleTest, ModeOffOrBatteryWithExternalPowerOnlyNeverStarts) {
    device.on_ac = false;
    EXPECT_FALSE(tick(1, 1000));
    state.store_settings({ 1, 300'000, false });
    idle.refresh_settings();
    EXPECT_TRUE(tick(1001, 1400)) << "on battery allowed now";

    ScreenSaverIdle off(state, device, at_second(0));
    state.store_settings({ 0, 10'000, false });
    off.refresh_settings();
    state.set_screen_saver_active(false);
    device.starts.clear();
    for (int64_t second = 1; second < 100; ++second) off.on_wake(Wake::TimedOut, at_second(second));
    EXPECT_TRUE(device.starts.empty());
}

TEST_F(ScreenSaverIdleTest, ActivityPostponesTheStart) {
    EXPECT_FALSE(tick(1, 250));
    idle.on_wake(Wake::Activity, at_second(250));
    EXPECT_FALSE(tick(251, 549));
    EXPECT_EQ(tick(550, 560), 550);
    EXPECT_EQ(device.sleeps.front(), std::chrono::milliseconds(1000)) << "pause after activity";
}

TEST_F(ScreenSaverIdleTest, RingoutOrAFullScreenWindowInFrontBlocks) {
    put_in_front(u"\\WINDOWS\\RINGOUT.EXE", false, {});
    EXPECT_FALSE(tick(1, 400)) << "Ringout, whatever its window";
    put_in_front(u"\\Windows\\Viewer.exe", true, { -2, 0, 480, 700 });
    EXPECT_FALSE(tick(401, 800)) << "a visible full-screen window";
    put_in_front(u"\\Windows\\Viewer.exe", false, { 0, 0, 480, 640 });
    EXPECT_TRUE(tick(801, 1200)) << "an invisible one does not block";
}

TEST_F(ScreenSaverIdleTest, MainProgramInFrontNeverBlocksEvenFullScreen) {
    put_in_front(u"\\program files\\zun time\\zuntime.exe", true, { 0, 0, 480, 640 });
    EXPECT_FALSE(foreground_blocks_screen_saver(device, kAppPath));
    put_in_front(u"\\Windows\\Other.exe", true, { 0, 26, 480, 640 });
    EXPECT_FALSE(foreground_blocks_screen_saver(device, kAppPath)) << "below the task bar is not full screen";
    device.foreground.reset();
    EXPECT_FALSE(foreground_blocks_screen_saver(device, kAppPath)) << "no window at the centre";
    put_in_front(u"", true, { 0, 0, 480, 640 });
    device.process_paths.clear();
    EXPECT_FALSE(foreground_blocks_screen_saver(device, kAppPath)) << "unknown program path";
}

TEST_F(ScreenSaverIdleTest, DisablingListMatchesTheFileNameIgnoringCase) {
    auto key = std::move(Key::create(Root::CurrentUser, contracts::kScreenSaverDisablingKeyPath)->key);
    key.set_string(u"whatever", u"game.exe");
    key.set_string(u"empty", u"");
    key.set_dword(u"number", 5);
    put_in_front(u"\\Program Files\\Games/GAME.EXE", true, { 10, 10, 100, 100 });
    EXPECT_TRUE(foreground_blocks_screen_saver(device, kAppPath));
    put_in_front(u"\\Program Files\\Games\\Game.exe.bak", true, { 10, 10, 100, 100 });
    EXPECT_FALSE(foreground_blocks_screen_saver(device, kAppPath));
    EXPECT_EQ(screen_saver_disabling_names(), (std::vector<std::u16string> { u"game.exe" }));
    EXPECT_EQ(executable_file_name(u"a/b\\c/d.exe"), u"d.exe");
    EXPECT_EQ(executable_file_name(u"plain.exe"), u"plain.exe");
}

TEST_F(ScreenSaverIdleTest, ActivityEndsAProgramStartedOnlyForTheScreenSaver) {
    ASSERT_TRUE(tick(1, 301));
    device.windows[9] = { contracts::kMainProgramClass, kOtherPid, { zt::platform::WM_CLOSE } };
    idle.on_wake(Wake::Activity, at_second(302));
    EXPECT_EQ(device.posts, (std::vector<FakeServiceDevice::Post> { { 9, zt::platform::WM_CLOSE } }));
    EXPECT_TRUE(device.terminated.empty());
    EXPECT_FALSE(state.screen_saver_active());
}

TEST_F(ScreenSaverIdleTest, ActivityOnlyAsksAnAlreadyRunningProgramToEndItsScreenSaver) {
    device.windows[9] = { contracts::kMainProgramClass, kOtherPid, {} };
    ASSERT_TRUE(tick(1, 301));
    idle.on_wake(Wake::Activity, at_second(302));
    EXPECT_EQ(device.posts, (std::vector<FakeServiceDevice::Post> { { 9, contracts::kMsgEndScreenSaver } }));
    EXPECT_TRUE(device.window_exists(9));
    EXPECT_FALSE(state.screen_saver_active());
}

// The Today item's 0x049A starts the screen saver through the window thread; the activity
// that ends it comes to the screen-saver thread. Both must agree on who ran before.
TEST_F(ScreenSaverIdleTest, AScreenSaverTheTodayItemStartedOverTheOpenProgramOnlyEndsTheScreenSaver) {
    ServiceWindowHandler handler(state, device);
    device.windows[9] = { contracts::kMainProgramClass, kOtherPid, { zt::platform::WM_CLOSE } };
    handler.on_message(contracts::kMsgStartScreenSaver);
    ASSERT_TRUE(state.screen_saver_active());
    idle.on_wake(Wake::Activity, at_second(2));
    EXPECT_EQ(device.posts, (std::vector<FakeServiceDevice::Post> { { 9, contracts::kMsgEndScreenSaver } }))
        << "the user's own program is asked to end its screen saver, not closed";
    EXPECT_TRUE(device.window_exists(9));
}

TEST_F(ScreenSaverIdleTest, ATodayStartWithoutTheProgramEndsItDespiteAnEarlierStartOverIt) {
    // First the idle start while the user's program was open...
    device.windows[9] = { contracts::kMainProgramClass, kOtherPid, {} };
    ASSERT_TRUE(tick(1, 301));
    idle.on_wake(Wake::Activity, at_second(302));
    ASSERT_EQ(device.posts.size(), 1u);
    // ...then the user closed it, and the Today item starts the screen saver on its own.
    device.windows.clear();
    ServiceWindowHandler handler(state, device);
    handler.on_message(contracts::kMsgStartScreenSaver);
    device.windows[10] = { contracts::kMainProgramClass, kOtherPid, { zt::platform::WM_CLOSE } };  // the program it started
    idle.on_wake(Wake::Activity, at_second(303));
    EXPECT_EQ(device.posts.back(), (FakeServiceDevice::Post { 10, zt::platform::WM_CLOSE }))
        << "a program started only for the screen saver is closed";
    EXPECT_FALSE(device.window_exists(10));
}

TEST_F(ScreenSaverIdleTest, FailedStartIsRetriedAtTheNextCheck) {
    device.start_succeeds = false;
    EXPECT_EQ(tick(1, 302), 301);
    EXPECT_EQ(device.starts.size(), 2u);
    EXPECT_FALSE(state.screen_saver_active());
}

TEST_F(ScreenSaverIdleTest, StopEndsAndOtherWakesDoNothing) {
    EXPECT_EQ(idle.on_wake(Wake::Other, at_second(5)), ScreenSaverIdle::Next::Continue);
    EXPECT_EQ(idle.on_wake(Wake::Stop, at_second(5)), ScreenSaverIdle::Next::Stop);
    EXPECT_TRUE(device.starts.empty());
}

TEST_F(ScreenSaverIdleTest, NewSettingsAreTakenOnlyWhenReRead) {
    state.store_settings({ 1, 20'000, false });
    EXPECT_EQ(idle.settings().timeout_ms, 300'000u) << "not before the thread copies";
    idle.refresh_settings();
    EXPECT_EQ(idle.settings(), (ScreenSaverSettings { 1, 20'000, false }));
    EXPECT_EQ(tick(1, 100), 21);
}

class EndMainProgramTest : public ::testing::Test {
protected:
    FakeServiceDevice device;
};

TEST_F(EndMainProgramTest, EscalatesFromCloseToQuitToTerminate) {
    device.windows[5] = { contracts::kMainProgramClass, 99, {} };
    end_main_program(device, 5);
    EXPECT_EQ(device.posts, (std::vector<FakeServiceDevice::Post> { { 5, zt::platform::WM_CLOSE }, { 5, zt::platform::WM_QUIT } }));
    EXPECT_EQ(device.waits, std::vector<std::chrono::milliseconds>(6, kPoliteEndRoundLength));
    EXPECT_EQ(device.terminated, std::vector<int> { 99 });
}

TEST_F(EndMainProgramTest, QuitIsEnoughWhenCloseIsIgnored) {
    device.windows[5] = { contracts::kMainProgramClass, 99, { zt::platform::WM_QUIT } };
    end_main_program(device, 5);
    EXPECT_EQ(device.posts.size(), 2u);
    EXPECT_TRUE(device.terminated.empty());
}

TEST_F(EndMainProgramTest, NeverTouchesItsOwnProcessOrAMissingWindow) {
    device.windows[5] = { contracts::kMainProgramClass, device.own_pid, {} };
    end_main_program(device, 5);
    end_main_program(device, 6);
    EXPECT_TRUE(device.posts.empty());
    EXPECT_TRUE(device.terminated.empty());
}

}  // namespace
}  // namespace zt::service
