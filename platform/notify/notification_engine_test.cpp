#include "platform/notify/notification_engine.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/testing/temp_device_root.h"
#include "platform/notify/registration_store.h"

namespace zt::platform::notify {
namespace {

using testing::TempDeviceRoot;

class RecordingLauncher final : public TargetLauncher {
public:
    bool launch(const Trigger& trigger) override {
        launched.push_back(trigger.application);
        return true;
    }
    std::vector<std::u16string> launched;
};

SYSTEMTIME at(uint16_t hour, uint16_t minute, uint16_t second = 0) { return { 2009, 3, 0, 2, hour, minute, second, 0 }; }
FileTime file_time(const SYSTEMTIME& time) { return *system_time_to_file_time(time); }

Handle register_at(std::u16string app, SYSTEMTIME start) {
    Trigger trigger;
    trigger.type = kTriggerTime;
    trigger.event = kEventWakeup;
    trigger.application = std::move(app);
    trigger.start = start;
    return set_user_notification(0, trigger).value_or(0);
}

Handle register_on(uint32_t event, std::u16string app) {
    Trigger trigger;
    trigger.type = kTriggerEvent;
    trigger.event = event;
    trigger.application = std::move(app);
    return set_user_notification(0, trigger).value_or(0);
}

TEST(NotificationEngine, FiresDueTimeTriggersEarliestFirstAndRemovesThem) {
    TempDeviceRoot device;
    RecordingLauncher launcher;
    NotificationEngine engine(launcher);
    register_at(u"\\late", at(7, 0));
    register_at(u"\\early", at(6, 0));
    register_at(u"\\future", at(9, 0));
    register_on(kEventTimeChange, u"\\change");

    auto before = engine.fire_due(file_time(at(5, 59, 59)));
    EXPECT_EQ(before.fired, 0u) << "one second early fires nothing";
    EXPECT_EQ(before.next_due_local, file_time(at(6, 0)));

    auto report = engine.fire_due(file_time(at(7, 0)));
    EXPECT_EQ(report.fired, 2u) << "exactly at the start time is due";
    EXPECT_EQ(launcher.launched, (std::vector<std::u16string> { u"\\early", u"\\late" }));
    EXPECT_EQ(report.next_due_local, file_time(at(9, 0)));
    EXPECT_EQ(list_user_notifications().size(), 2u) << "the future one and the event one stay";

    EXPECT_EQ(engine.fire_due(file_time(at(8, 0))).fired, 0u) << "a fired trigger never fires again";
}

TEST(NotificationEngine, TriggersLongPastFireOnTheFirstCheck) {
    TempDeviceRoot device;
    RecordingLauncher launcher;
    NotificationEngine engine(launcher);
    register_at(u"\\missed", at(1, 0));
    auto report = engine.fire_due(file_time(SYSTEMTIME { 2009, 3, 0, 5, 12, 0, 0, 0 }));
    EXPECT_EQ(report.fired, 1u);
    EXPECT_FALSE(report.next_due_local);
}

TEST(NotificationEngine, EventTriggersFireEachTimeAndStay) {
    TempDeviceRoot device;
    RecordingLauncher launcher;
    NotificationEngine engine(launcher);
    register_on(kEventTimeChange, u"\\a");
    register_on(kEventTimeChange, u"\\b");
    register_on(7, u"\\other");
    register_at(u"\\timed", at(6, 0));
    EXPECT_EQ(engine.fire_event(kEventTimeChange), 2u);
    EXPECT_EQ(engine.fire_event(kEventTimeChange), 2u);
    EXPECT_EQ(launcher.launched.size(), 4u);
    EXPECT_EQ(list_user_notifications().size(), 4u);
}

TEST(NotificationEngine, NamedEventTargetReleasesAWaiterInAnotherThread) {
    TempDeviceRoot device;
    auto waiter_side = Event::create_or_open(u"ZunAlarmNotify", ResetPolicy::Manual, false);
    ASSERT_TRUE(waiter_side);
    Event::WaitResult seen = Event::WaitResult::Failed;
    std::thread waiter([&] { seen = waiter_side->event.wait(std::chrono::seconds(20)); });

    DeviceTargetLauncher launcher;
    NotificationEngine engine(launcher);
    register_at(std::u16string(kNamedEventPrefix) + u"ZunAlarmNotify", at(6, 59, 30));
    EXPECT_EQ(engine.fire_due(file_time(at(6, 59, 30))).fired, 1u);
    waiter.join();
    EXPECT_EQ(seen, Event::WaitResult::Signalled);
}

TEST(NotificationEngine, NamedEventStaysSetForAProgramThatOpensItLater) {
    TempDeviceRoot device;
    DeviceTargetLauncher launcher;
    NotificationEngine engine(launcher);
    register_on(kEventTimeChange, std::u16string(kNamedEventPrefix) + u"TimeChangeNotify");
    EXPECT_EQ(engine.fire_event(kEventTimeChange), 1u);
    auto late = Event::open(u"TimeChangeNotify");
    ASSERT_TRUE(late);
    EXPECT_EQ(late->wait(std::chrono::milliseconds(0)), Event::WaitResult::Signalled);
}

TEST(NotificationEngine, MissingProgramFailsQuietlyAndIsStillRemoved) {
    TempDeviceRoot device;
    DeviceTargetLauncher launcher;
    NotificationEngine engine(launcher);
    register_at(u"\\Windows\\nothing.exe", at(6, 0));
    EXPECT_EQ(engine.fire_due(file_time(at(6, 0))).fired, 1u);
    EXPECT_TRUE(list_user_notifications().empty());
}

}  // namespace
}  // namespace zt::platform::notify
