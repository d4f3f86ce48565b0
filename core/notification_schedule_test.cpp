#include "core/notification_schedule.h"

#include <gtest/gtest.h>

#include <thread>

#include "contracts/registry_keys.h"
#include "contracts/service.h"
#include "core/testing/fake_notification_device.h"
#include "core/time_store.h"
#include "platform/base/clock.h"
#include "platform/kernel/named_mutex.h"
#include "platform/registry/testing/temp_device_root.h"

namespace zt::core {
namespace {

using zt::platform::ManualClock;
using zt::platform::NamedMutex;
using zt::platform::ScopedClockOverride;
using zt::platform::registry::Key;
using zt::platform::registry::Root;
using zt::platform::registry::ValueType;
using testing::FakeNotificationDevice;

// 2 March 2009 was a Monday.
SYSTEMTIME monday(uint16_t h, uint16_t m, uint16_t s = 0, uint16_t ms = 0) { return SYSTEMTIME { 2009, 3, 1, 2, h, m, s, ms }; }

class NotificationScheduleTest : public ::testing::Test {
protected:
    NotificationScheduleTest() : m_override(clock) {}

    Key settings() { return std::move(Key::create(Root::CurrentUser, contracts::kSettingsKeyPath)->key); }
    std::optional<uint32_t> handle_value(std::u16string_view name) { return settings().get_dword(name); }

    CAlarm& add_alarm(int32_t id, uint16_t h, uint16_t m, uint16_t s = 0) {
        auto* alarm = static_cast<CAlarm*>(store.create_item(ItemType::Alarm, id));
        alarm->flags = CAlarm::kDayMask;
        alarm->alarm_time = SYSTEMTIME { 0, 1, 0, 1, h, m, s, 0 };
        return *alarm;
    }

    zt::platform::testing::TempDeviceRoot root;
    ManualClock clock { monday(6, 0) };
    FakeNotificationDevice device;
    CNotificationScheduler scheduler { device };
    CTimeStore store;

private:
    ScopedClockOverride m_override;
};

TEST_F(NotificationScheduleTest, AlarmAtSevenRegistersBothNoticesAndStoresTheirHandles) {
    add_alarm(1, 7, 0);
    ASSERT_TRUE(scheduler.schedule(store));
    ASSERT_EQ(device.set_calls.size(), 2u);
    const NotificationTrigger& alarm = device.set_calls[0];
    EXPECT_EQ(alarm.application, u"\\\\.\\Notifications\\NamedEvents\\ZunAlarmNotify");
    EXPECT_EQ(alarm.size, 52u);
    EXPECT_EQ(alarm.type, NotificationTrigger::kTypeTime);
    EXPECT_EQ(alarm.event, 11u);
    EXPECT_EQ(alarm.start, monday(6, 59, 30));
    EXPECT_EQ(alarm.end, monday(6, 59, 31));
    const NotificationTrigger& wakeup = device.set_calls[1];
    EXPECT_EQ(wakeup.application, u"\\\\.\\Notifications\\NamedEvents\\ZunWakeupHelperNotify");
    EXPECT_EQ(wakeup.start, monday(6, 59, 55));
    EXPECT_EQ(handle_value(contracts::kAlarmNotifyName), 101u);
    EXPECT_EQ(handle_value(contracts::kWakeupHelperNotifyName), 102u);
    EXPECT_TRUE(device.errors.empty());
}

TEST_F(NotificationScheduleTest, AlarmDueInTenSecondsWakesTheServiceNow) {
    clock.set_local(monday(6, 59, 50, 250));
    add_alarm(1, 7, 0);
    ASSERT_TRUE(scheduler.schedule(store));
    ASSERT_EQ(device.set_calls.size(), 2u);
    EXPECT_EQ(device.set_calls[0].start, monday(6, 59, 50, 250)) << "alarm notice clamped to the present";
    EXPECT_EQ(device.set_calls[1].start, monday(6, 59, 55)) << "wake-up notice still 5 s before";
}

TEST_F(NotificationScheduleTest, RescheduleClearsThePreviousRegistrationsFirst) {
    CAlarm& alarm = add_alarm(1, 7, 0);
    ASSERT_TRUE(scheduler.schedule(store));
    alarm.set_enabled(false);
    ASSERT_TRUE(scheduler.schedule(store)) << "nothing due is a success";
    EXPECT_EQ(device.cleared, (std::vector<uint32_t> { 101, 102 }));
    EXPECT_TRUE(device.live.empty());
    EXPECT_FALSE(handle_value(contracts::kAlarmNotifyName));
    EXPECT_FALSE(handle_value(contracts::kWakeupHelperNotifyName));
    EXPECT_EQ(device.set_calls.size(), 2u) << "no new registration";
}

TEST_F(NotificationScheduleTest, RefusedAlarmNoticeShowsTheMessageAndLeavesNothing) {
    add_alarm(1, 7, 0);
    device.refuse_remaining = 1;
    EXPECT_FALSE(scheduler.schedule(store));
    EXPECT_EQ(device.errors, (std::vector<std::u16string> { kScheduleFailureText }));
    EXPECT_EQ(device.set_calls.size(), 1u) << "the wake-up notice is not tried";
    EXPECT_FALSE(handle_value(contracts::kAlarmNotifyName));
    EXPECT_FALSE(handle_value(contracts::kWakeupHelperNotifyName));
}

TEST_F(NotificationScheduleTest, RefusedWakeupNoticeAloneIsSilent) {
    add_alarm(1, 7, 0);
    device.set_calls.clear();
    device.on_call = [&](const std::u16string& what) {
        if (what.ends_with(contracts::kWakeupHelperNotifyName)) device.refuse_remaining = 1;
    };
    EXPECT_TRUE(scheduler.schedule(store));
    EXPECT_TRUE(device.errors.empty());
    EXPECT_TRUE(handle_value(contracts::kAlarmNotifyName));
    EXPECT_FALSE(handle_value(contracts::kWakeupHelperNotifyName));
}

TEST_F(NotificationScheduleTest, ClearReadsAnyFourByteValueAndDeletesStaleHandles) {
    Key key = settings();
    EXPECT_FALSE(scheduler.clear(&key, u"ZunAlarmNotify")) << "no value";
    const uint8_t two_bytes[] = { 1, 0 };
    key.set_binary(u"ZunAlarmNotify", two_bytes);
    EXPECT_FALSE(scheduler.clear(&key, u"ZunAlarmNotify")) << "not four bytes";
    EXPECT_TRUE(device.cleared.empty());

    const uint8_t handle[] = { 0x78, 0x56, 0x34, 0x12 };
    key.set_value(u"ZunAlarmNotify", ValueType::Binary, handle);
    EXPECT_TRUE(scheduler.clear(&key, u"ZunAlarmNotify")) << "the type is not examined";
    EXPECT_EQ(device.cleared, (std::vector<uint32_t> { 0x12345678 })) << "stale handle passed on unchanged";
    ValueType type {};
    EXPECT_EQ(key.query_value(u"ZunAlarmNotify", &type, nullptr, nullptr), zt::platform::registry::Status::NotFound);
}

TEST_F(NotificationScheduleTest, MissingKeyOrNameIsRefusedWithoutTouchingTheDevice) {
    Key key = settings();
    EXPECT_FALSE(scheduler.register_at_time(nullptr, monday(7, 0), contracts::kAlarmNotifyName));
    EXPECT_FALSE(scheduler.register_at_time(&key, monday(7, 0), u""));
    EXPECT_FALSE(scheduler.register_on_event(&key, 1, std::u16string_view(u"\0x", 2)));
    EXPECT_FALSE(scheduler.clear(nullptr, contracts::kAlarmNotifyName));
    EXPECT_FALSE(scheduler.clear(&key, u""));
    EXPECT_TRUE(device.set_calls.empty());
    EXPECT_TRUE(device.cleared.empty());
}

TEST_F(NotificationScheduleTest, EventTriggerCarriesTheEventAndNoTimes) {
    Key key = settings();
    ASSERT_TRUE(scheduler.register_on_event(&key, NotificationTrigger::kEventTimeChange, contracts::kTimeChangeNotifyName));
    ASSERT_EQ(device.set_calls.size(), 1u);
    EXPECT_EQ(device.set_calls[0].type, NotificationTrigger::kTypeEvent);
    EXPECT_EQ(device.set_calls[0].event, 1u);
    EXPECT_EQ(device.set_calls[0].start, SYSTEMTIME {});
    EXPECT_EQ(handle_value(contracts::kTimeChangeNotifyName), 101u);
}

TEST_F(NotificationScheduleTest, RenewingAnEventRegistrationNeedsOneStoredAndReplacesIt) {
    Key key = settings();
    EXPECT_FALSE(scheduler.renew_on_event(&key, NotificationTrigger::kEventTimeChange, contracts::kTimeChangeNotifyName));
    EXPECT_TRUE(device.set_calls.empty()) << "nothing was installed, nothing is registered";
    key.set_dword(contracts::kTimeChangeNotifyName, 77);  // a handle the device has forgotten
    ASSERT_TRUE(scheduler.renew_on_event(&key, NotificationTrigger::kEventTimeChange, contracts::kTimeChangeNotifyName));
    ASSERT_EQ(device.set_calls.size(), 1u);
    EXPECT_EQ(device.set_calls[0].event, NotificationTrigger::kEventTimeChange);
    EXPECT_EQ(device.cleared, (std::vector<uint32_t> { 77 }));
    EXPECT_EQ(handle_value(contracts::kTimeChangeNotifyName), 101u);
}

TEST_F(NotificationScheduleTest, HandleThatCannotBeStoredIsClearedAgain) {
    Key key = settings();
    ASSERT_EQ(zt::platform::registry::delete_tree(Root::CurrentUser, contracts::kSettingsKeyPath), zt::platform::registry::Status::Ok);
    EXPECT_FALSE(scheduler.register_at_time(&key, monday(7, 0), contracts::kAlarmNotifyName));
    EXPECT_EQ(device.cleared, (std::vector<uint32_t> { 101 }));
    EXPECT_TRUE(device.live.empty()) << "no orphaned registration";
}

TEST_F(NotificationScheduleTest, EachNameIsGuardedByItsOwnRegistrationMutex) {
    EXPECT_EQ(registration_mutex_name(contracts::kAlarmNotifyName), u"ZunAlarmNotify abcd1234");
    Key key = settings();
    key.set_dword(kOldTimerNotifyName, 7);
    std::vector<std::pair<std::u16string, NamedMutex::WaitResult>> seen;
    device.on_call = [&](const std::u16string&) {
        // Another thread tries the mutexes while the device call runs.
        std::thread other([&] {
            for (std::u16string name : { u"TimerNotify abcd1234", u"ZunAlarmNotify abcd1234" }) {
                auto mutex = NamedMutex::create_or_open(name);
                auto result = mutex->mutex.wait(std::chrono::milliseconds(0));
                if (result == NamedMutex::WaitResult::Acquired) mutex->mutex.release();
                seen.emplace_back(name, result);
            }
        });
        other.join();
    };
    scheduler.clear_all();
    ASSERT_EQ(seen.size(), 2u) << "only TimerNotify had a handle";
    EXPECT_EQ(seen[0].second, NamedMutex::WaitResult::TimedOut) << "TimerNotify's mutex is held while clearing";
    EXPECT_EQ(seen[1].second, NamedMutex::WaitResult::Acquired) << "other names are not";
    EXPECT_FALSE(handle_value(kOldTimerNotifyName));
}

TEST_F(NotificationScheduleTest, TwoSchedulesInterleavedLeaveOneRegistrationPerName) {
    // The service reschedules after a clock change while Ringout reschedules as it ends: both
    // clear first, then both register. The later registration of a name must replace the
    // earlier one, not leave it behind where no stored handle can reach it.
    add_alarm(1, 7, 0);
    Key key = settings();
    CNotificationScheduler other(device);
    scheduler.clear_all();
    other.clear_all();
    ASSERT_TRUE(scheduler.register_at_time(&key, monday(6, 59, 30), contracts::kAlarmNotifyName));
    ASSERT_TRUE(scheduler.register_at_time(&key, monday(6, 59, 55), contracts::kWakeupHelperNotifyName));
    ASSERT_TRUE(other.register_at_time(&key, monday(6, 59, 30), contracts::kAlarmNotifyName));
    ASSERT_TRUE(other.register_at_time(&key, monday(6, 59, 55), contracts::kWakeupHelperNotifyName));
    EXPECT_EQ(device.live, (std::vector<uint32_t> { 103, 104 })) << "one registration per name";
    EXPECT_EQ(handle_value(contracts::kAlarmNotifyName), 103u);
    EXPECT_EQ(handle_value(contracts::kWakeupHelperNotifyName), 104u);

    // The same holds for the installer's event registration made twice.
    ASSERT_TRUE(scheduler.register_on_event(&key, NotificationTrigger::kEventTimeChange, contracts::kTimeChangeNotifyName));
    ASSERT_TRUE(scheduler.register_on_event(&key, NotificationTrigger::kEventTimeChange, contracts::kTimeChangeNotifyName));
    EXPECT_EQ(device.live.size(), 3u);
}

TEST_F(NotificationScheduleTest, FillingTimerSlotsReschedulesThroughTheInstalledHook) {
    install_reschedule_hook(store, device);
    settings().set_dword(contracts::kAlarmNotifyName, 55);
    add_alarm(1, 7, 0);
    store.fill_timer_slots(false);
    EXPECT_EQ(device.cleared, (std::vector<uint32_t> { 55 }));
    ASSERT_EQ(device.set_calls.size(), 2u);
    EXPECT_EQ(device.set_calls[0].start, monday(6, 59, 30));
}

}  // namespace
}  // namespace zt::core
