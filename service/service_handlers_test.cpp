#include <gtest/gtest.h>

#include "contracts/main_program.h"
#include "contracts/registry_keys.h"
#include "contracts/ringout.h"
#include "contracts/service.h"
#include "core/alarm.h"
#include "core/notification_schedule.h"
#include "core/testing/fake_notification_device.h"
#include "core/time_store.h"
#include "platform/base/clock.h"
#include "platform/registry/registry.h"
#include "platform/registry/testing/temp_device_root.h"
#include "platform/windows/message.h"
#include "service/alarm_responder.h"
#include "service/service_window_handler.h"
#include "service/testing/fake_service_device.h"

namespace zt::service {
namespace {

using zt::platform::SYSTEMTIME;
using zt::platform::registry::Key;
using zt::platform::registry::Root;
using testing::FakeServiceDevice;

Key product_key(std::u16string_view path = zt::contracts::kProductKeyPath) {
    return std::move(Key::create(Root::CurrentUser, path)->key);
}

class AlarmResponderTest : public ::testing::Test {
protected:
    zt::platform::testing::TempDeviceRoot root;
    zt::platform::ManualClock clock { SYSTEMTIME { 2009, 3, 1, 2, 6, 0, 0, 0 } };
    zt::platform::ScopedClockOverride clock_override { clock };
    FakeServiceDevice device;
    zt::core::testing::FakeNotificationDevice notifications;
    zt::core::CTimeStore store;
    AlarmResponder responder { device, notifications, store };
};

TEST_F(AlarmResponderTest, AlarmNoticeStartsRingoutInsideUnattendedMode) {
    responder.on_alarm_notice();
    EXPECT_EQ(device.starts, (std::vector<FakeServiceDevice::Start> { { u"\\Windows\\Ringout.exe", u"" } }));
    EXPECT_EQ(device.unattended, (std::vector<bool> { true, false }));
    EXPECT_EQ(device.sleeps, std::vector<std::chrono::milliseconds> { AlarmResponder::kAfterRingoutStart });
}

TEST_F(AlarmResponderTest, OldPlatformHasNoUnattendedModeAndAMissingRingoutIsSilent) {
    device.version = 300;
    device.start_succeeds = false;
    responder.on_alarm_notice();
    EXPECT_TRUE(device.unattended.empty());
    EXPECT_EQ(device.starts.size(), 1u);
}

TEST_F(AlarmResponderTest, TimeChangeReloadsTheStoredRecordsAndReschedulesOnce) {
    zt::core::CAlarm written(3);
    written.flags = zt::core::CAlarm::kDayMask;
    written.alarm_time = SYSTEMTIME { 0, 1, 0, 1, 7, 0, 0, 0 };
    ASSERT_TRUE(written.save());
    ASSERT_EQ(store.item_count(), 0u);

    EXPECT_TRUE(responder.on_time_change());
    EXPECT_NE(store.find_alarm(3), nullptr) << "records reloaded";
    ASSERT_EQ(notifications.set_calls.size(), 2u) << "one schedule: alarm and wake-up notices";
    EXPECT_EQ(notifications.set_calls[0].start, (SYSTEMTIME { 2009, 3, 1, 2, 6, 59, 30, 0 }));
    EXPECT_EQ(device.sleeps, std::vector<std::chrono::milliseconds> { AlarmResponder::kAfterReschedule });
}

TEST_F(AlarmResponderTest, ARingoutThatDiesLeavesTheNextDueItemRegisteredAgain) {
    zt::core::CAlarm written(3);
    written.flags = zt::core::CAlarm::kDayMask;
    written.alarm_time = SYSTEMTIME { 0, 1, 0, 1, 7, 0, 0, 0 };
    ASSERT_TRUE(written.save());
    EXPECT_EQ(responder.watch_interval(), std::nullopt) << "nothing to watch: wait without limit";

    responder.on_alarm_notice();
    ASSERT_EQ(device.watched.size(), 1u);
    EXPECT_EQ(responder.watch_interval(), AlarmResponder::kRingoutWatchInterval);
    EXPECT_FALSE(responder.check_ringouts()) << "still ringing";
    EXPECT_TRUE(notifications.set_calls.empty());

    device.watched.begin()->second = 128 + 9;  // killed
    EXPECT_TRUE(responder.check_ringouts());
    ASSERT_EQ(notifications.set_calls.size(), 2u) << "alarm and wake-up notices registered anew";
    EXPECT_EQ(notifications.set_calls[0].start, (SYSTEMTIME { 2009, 3, 1, 2, 6, 59, 30, 0 }));
    EXPECT_EQ(responder.watch_interval(), std::nullopt) << "the dead one is forgotten";
    EXPECT_FALSE(responder.check_ringouts()) << "and rescheduled for once";
}

TEST_F(AlarmResponderTest, RingoutsOwnEndAndASecondCopyGivingWayLeaveTheRegistrationsAlone) {
    responder.on_alarm_notice();
    responder.on_alarm_notice();
    ASSERT_EQ(device.watched.size(), 2u);
    device.watched.begin()->second = zt::contracts::device_exit_code(zt::contracts::kRingoutDone);
    device.watched.rbegin()->second = zt::contracts::device_exit_code(zt::contracts::kRingoutGaveWay);
    EXPECT_FALSE(responder.check_ringouts());
    EXPECT_TRUE(notifications.set_calls.empty());
    EXPECT_TRUE(notifications.cleared.empty()) << "what the finished Ringout registered stays";
    EXPECT_EQ(responder.watch_interval(), std::nullopt);
}

class ServiceWindowHandlerTest : public ::testing::Test {
protected:
    zt::platform::testing::TempDeviceRoot root;
    FakeServiceDevice device;
    ServiceState state;
    ServiceWindowHandler handler { state, device };
};

TEST_F(ServiceWindowHandlerTest, RereadMessageMarksNewSettingsForTheScreenSaverThread) {
    ScreenSaverSettings copy;
    ASSERT_TRUE(state.take_settings_if_changed(copy));
    Key settings = product_key(zt::contracts::kSettingsKeyPath);
    settings.set_dword(u"ScrMode", 2);
    settings.set_dword(u"ScrTimeout", 60);
    settings.set_dword(u"ScrExtPower", 0);
    EXPECT_EQ(handler.on_message(contracts::kMsgRereadScreenSaverSettings), 0u);
    ASSERT_TRUE(state.take_settings_if_changed(copy));
    EXPECT_EQ(copy, (ScreenSaverSettings { 2, 60'000, false }));
    EXPECT_FALSE(state.take_settings_if_changed(copy)) << "fresh after the copy";
}

TEST_F(ServiceWindowHandlerTest, MissingSettingsReadAsDefaultsAndHugeTimeoutIsHeld) {
    EXPECT_EQ(read_screen_saver_settings(), (ScreenSaverSettings { 1, 300'000, true }));
    product_key(zt::contracts::kSettingsKeyPath).set_dword(u"ScrTimeout", 0xFFFFFFFF);
    EXPECT_EQ(read_screen_saver_settings().timeout_ms, 0xFFFFFFFFu);
}

TEST_F(ServiceWindowHandlerTest, StartMessageStartsTheScreenSaverOnceUntilItEnds) {
    product_key().set_string(zt::contracts::kAppPathValue, u"\\Program Files\\Zun Time\\ZunTime.exe");
    handler.on_message(contracts::kMsgStartScreenSaver);
    handler.on_message(contracts::kMsgStartScreenSaver);
    EXPECT_EQ(device.starts, (std::vector<FakeServiceDevice::Start> { { u"\\Program Files\\Zun Time\\ZunTime.exe", zt::contracts::kScreenSaverCommand } }));
    EXPECT_TRUE(state.screen_saver_active());
    EXPECT_EQ(device.sleeps, std::vector<std::chrono::milliseconds> { ServiceWindowHandler::kAfterScreenSaverStart });
}

TEST_F(ServiceWindowHandlerTest, WithoutAppPathNothingStarts) {
    handler.on_message(contracts::kMsgStartScreenSaver);
    EXPECT_TRUE(device.starts.empty());
    EXPECT_FALSE(state.screen_saver_active());
}

TEST_F(ServiceWindowHandlerTest, OtherMessagesGoToTheDefaultHandling) {
    for (uint32_t number : { zt::platform::WM_COPYDATA, 0x046Bu, 0x0498u, 0xFFFFFFFFu, zt::platform::WM_DESTROY }) {
        EXPECT_FALSE(handler.on_message(number)) << number;
    }
    EXPECT_TRUE(device.starts.empty());
}

}  // namespace
}  // namespace zt::service
