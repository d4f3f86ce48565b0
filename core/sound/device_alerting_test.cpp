#include "core/sound/device_alerting.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/alert/led_driver.h"
#include "platform/alert/power_control.h"
#include "platform/audio/wave_out.h"
#include "platform/profile/device_profile.h"
#include "platform/registry/registry.h"
#include "platform/testing/temp_device_root.h"

namespace zt::sound {
namespace {

using zt::platform::registry::Key;
using zt::platform::registry::Root;
namespace audio = zt::platform::audio;
namespace alert = zt::platform::alert;

constexpr int kGenerationOf502 = 5;
constexpr int kGenerationOf421 = 3;

class DeviceAlertingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_root.path().empty());
        audio::wave_out_set_volume(0x11112222u);
    }
    static Key key(std::u16string_view path) { return std::move(Key::create(Root::CurrentUser, path)->key); }
    zt::platform::testing::TempDeviceRoot m_root;
};

TEST_F(DeviceAlertingTest, NewerSystemsSaveModeAndRestoreTheWaveVolume) {
    ASSERT_EQ(key(u"ControlPanel\\Notifications\\ShellOverrides").set_dword(u"Mode", 3), zt::platform::registry::Status::Ok);
    CDeviceAlerting alerting(kGenerationOf502);
    COverrideSaveArea area;
    alerting.apply_override(area, 1);
    EXPECT_TRUE(area.applied);
    EXPECT_EQ(audio::wave_out_get_volume(), 0xFFFFFFFFu) << "maximum volume while the sound plays";
    EXPECT_EQ(area.saved_mode, 3u);
    alerting.apply_override(area, 1);
    EXPECT_EQ(area.saved_wave_volume, 0x11112222u) << "a second apply must not save the overridden volume";
    alerting.undo_override(area, 1);
    EXPECT_FALSE(area.applied);
    EXPECT_EQ(audio::wave_out_get_volume(), 0x11112222u);
    EXPECT_EQ(key(u"ControlPanel\\Notifications\\ShellOverrides").get_dword(u"Mode"), 3u);
    EXPECT_FALSE(Key::open(Root::CurrentUser, u"ControlPanel\\Volume")) << "older systems' key untouched";
}

TEST_F(DeviceAlertingTest, OlderSystemsOverrideTheVolumeKeyAndPutItBack) {
    Key volume = key(u"ControlPanel\\Volume");
    ASSERT_EQ(volume.set_dword(u"Mute", 1), zt::platform::registry::Status::Ok);
    ASSERT_EQ(volume.set_dword(u"Screen", 7), zt::platform::registry::Status::Ok);
    CDeviceAlerting alerting(kGenerationOf421);
    COverrideSaveArea area;
    alerting.apply_override(area, 2);
    EXPECT_EQ(volume.get_dword(u"Mute"), 2u);
    EXPECT_EQ(volume.get_dword(u"Screen"), 0x10000u);
    EXPECT_EQ(volume.get_dword(u"Key"), 0x10000u);
    EXPECT_EQ(volume.get_dword(u"Volume"), 0xFFFFFFFFu);
    alerting.undo_override(area, 2);
    EXPECT_EQ(volume.get_dword(u"Mute"), 1u);
    EXPECT_EQ(volume.get_dword(u"Screen"), 7u);
    EXPECT_FALSE(volume.get_dword(u"Key")) << "a value that was absent is removed, never left as 0xDEF0";
    EXPECT_EQ(volume.get_dword(u"Volume"), 0x11112222u) << "the registry volume receives the saved wave volume";
    EXPECT_EQ(audio::wave_out_get_volume(), 0x11112222u);
}

TEST_F(DeviceAlertingTest, NormalVolumeTouchesNothingButUndoStillStopsTheVibrator) {
    ASSERT_TRUE(zt::platform::write_vibrator(true));
    CDeviceAlerting alerting(kGenerationOf421);
    COverrideSaveArea area;
    alerting.apply_override(area, 0);
    alerting.vibrator_on();
    EXPECT_EQ(alert::led_state(1), alert::LedState::On);
    EXPECT_EQ(audio::wave_out_get_volume(), 0x11112222u);
    alerting.undo_override(area, 0);
    EXPECT_EQ(alert::led_state(1), alert::LedState::Off);
    EXPECT_FALSE(Key::open(Root::CurrentUser, u"ControlPanel\\Volume"));
    EXPECT_FALSE(Key::open(Root::CurrentUser, u"ControlPanel\\Notifications\\ShellOverrides"));
}

TEST_F(DeviceAlertingTest, VibratorIsFoundOnceAndAbsentOnePlaysNoPart) {
    CDeviceAlerting without(5);
    EXPECT_FALSE(without.has_vibrator());
    without.vibrator_on();
    EXPECT_EQ(alert::led_state(0), alert::LedState::Off) << "the light is no vibrator";
    ASSERT_TRUE(zt::platform::write_vibrator(true));
    EXPECT_FALSE(without.has_vibrator()) << "found once per process and kept";
    CDeviceAlerting with(5);
    EXPECT_TRUE(with.has_vibrator());
    with.vibrator_on();
    EXPECT_EQ(alert::led_state(1), alert::LedState::On);
    with.vibrator_off();
    EXPECT_EQ(alert::led_state(1), alert::LedState::Off);
}

TEST_F(DeviceAlertingTest, KeepAwakePulsesTheNamedActivityEventElseItsOwn) {
    auto own = zt::platform::Event::create_or_open(u"BackLightChangeEvent", zt::platform::ResetPolicy::Automatic, false);
    auto named = zt::platform::Event::create_or_open(u"Zt/Activity", zt::platform::ResetPolicy::Manual, false);
    ASSERT_TRUE(own && named);
    CDeviceAlerting plain(5);
    std::thread waiter([&] { EXPECT_EQ(own->event.wait(), zt::platform::Event::WaitResult::Signalled); });
    while (own->event.waiting_now() == 0) std::this_thread::yield();
    plain.keep_awake();
    waiter.join();
    EXPECT_EQ(alert::idle_timer_resets(), 1u);

    ASSERT_EQ(std::move(Key::create(Root::LocalMachine, u"System\\GWE")->key).set_string(u"ActivityEvent", u"Zt/Activity"),
              zt::platform::registry::Status::Ok);
    CDeviceAlerting registered(5);
    std::thread named_waiter([&] { EXPECT_EQ(named->event.wait(), zt::platform::Event::WaitResult::Signalled); });
    while (named->event.waiting_now() == 0) std::this_thread::yield();
    registered.keep_awake();
    named_waiter.join();
}

TEST_F(DeviceAlertingTest, DisplayIsPoweredOnFromGenerationTwo) {
    CDeviceAlerting(1).power_on_display();
    EXPECT_EQ(alert::display_power_on_requests(), 0u);
    CDeviceAlerting(2).power_on_display();
    EXPECT_EQ(alert::display_power_on_requests(), 1u);
}

}  // namespace
}  // namespace zt::sound
