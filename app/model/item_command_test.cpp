#include "app/model/item_command.h"

#include <gtest/gtest.h>

#include "contracts/item_command.h"
#include "core/time_math.h"
#include "core/time_store.h"
#include "platform/base/clock.h"
#include "platform/testing/temp_device_root.h"

namespace {

using zt::app::apply_item_command;
using zt::core::CAlarm;
using zt::core::CTimer;
using zt::core::ItemType;

using zt::contracts::ItemCommand;
constexpr uint16_t kSnooze = uint16_t(ItemCommand::Snooze), kDismiss = uint16_t(ItemCommand::Dismiss),
                   kResetTimer = uint16_t(ItemCommand::ResetTimer), kRestartTimer = uint16_t(ItemCommand::RestartTimer),
                   kDelete = uint16_t(ItemCommand::Delete), kEnable = uint16_t(ItemCommand::Enable),
                   kDisable = uint16_t(ItemCommand::Disable), kChange = uint16_t(ItemCommand::Change);

class ItemCommands : public ::testing::Test {
protected:
    CAlarm& add_alarm(int32_t id, uint32_t flags) {
        auto* alarm = static_cast<CAlarm*>(store.create_item(ItemType::Alarm, id));
        alarm->alarm_time = zt::platform::local_time();
        alarm->flags = flags;
        EXPECT_TRUE(alarm->save());
        return *alarm;
    }
    CTimer& add_running_timer(int32_t id) {
        auto* timer = static_cast<CTimer*>(store.create_item(ItemType::Timer, id));
        timer->count_up = false;
        timer->interval = 60;
        const auto long_ago = zt::core::add_milliseconds(zt::platform::local_time(), -3'600'000);
        timer->reset(long_ago);
        timer->start(long_ago);
        EXPECT_TRUE(timer->save());
        return *timer;
    }
    // What another process would read now.
    static std::unique_ptr<zt::core::CTimeStore> stored() {
        auto other = std::make_unique<zt::core::CTimeStore>();
        other->reload_all();
        return other;
    }

    zt::platform::testing::TempDeviceRoot root;
    zt::core::CTimeStore store;
};

TEST_F(ItemCommands, UnknownItemDoesNothing) {
    add_alarm(1, CAlarm::kDayMask);
    const auto outcome = apply_item_command(store, 99, kDelete, 0);
    EXPECT_FALSE(outcome.item_found);
    EXPECT_EQ(store.item_count(), 1u);
}

TEST_F(ItemCommands, SnoozeUsesTheArgumentsMinutesInMemoryOnly) {
    CAlarm& alarm = add_alarm(1, CAlarm::kDayMask);
    alarm.snooze_minutes = 5;
    const auto before = zt::platform::local_time();
    const auto outcome = apply_item_command(store, 1, kSnooze, 10);
    const auto after = zt::platform::local_time();
    EXPECT_TRUE(outcome.item_found);
    EXPECT_FALSE(outcome.redraw_needed);
    ASSERT_TRUE(alarm.snoozed);
    // Ten minutes from the moment of the command, seconds cut off.
    EXPECT_GE(zt::core::difference_ms(alarm.snooze_until, before), 10 * 60'000 - 60'000);
    EXPECT_LE(zt::core::difference_ms(alarm.snooze_until, after), 10 * 60'000);
    EXPECT_EQ(alarm.snooze_until.wSecond, 0);
    EXPECT_FALSE(stored()->find_alarm(1)->snoozed) << "the sender saved it; the main program only follows";
}

TEST_F(ItemCommands, DismissClearsSnoozeAndKeepsARepeatingAlarm) {
    CAlarm& alarm = add_alarm(1, CAlarm::kDayMask);
    alarm.snooze(5);
    const auto outcome = apply_item_command(store, 1, kDismiss, 0);
    EXPECT_FALSE(outcome.redraw_needed);
    ASSERT_NE(store.find_alarm(1), nullptr);
    EXPECT_FALSE(alarm.snoozed);
}

TEST_F(ItemCommands, DismissDeletesAOneTimeAlarmAndAsksForARedraw) {
    add_alarm(2, CAlarm::kOneTime | CAlarm::kDayMask);
    const auto outcome = apply_item_command(store, 2, kDismiss, 0);
    EXPECT_TRUE(outcome.redraw_needed);
    EXPECT_EQ(store.find(2), nullptr);
    EXPECT_EQ(stored()->find(2), nullptr);
}

TEST_F(ItemCommands, ResetAndRestartActOnTimersAndSaveThem) {
    add_running_timer(3);
    apply_item_command(store, 3, kResetTimer, 0);
    EXPECT_EQ(store.find_timer(3)->state, CTimer::kStopped);
    EXPECT_EQ(stored()->find_timer(3)->state, CTimer::kStopped) << "saved";

    add_running_timer(4);
    const auto started_before = store.find_timer(4)->start_time;
    apply_item_command(store, 4, kRestartTimer, 0);
    const auto restarted = stored();
    ASSERT_NE(restarted->find_timer(4), nullptr);
    EXPECT_EQ(restarted->find_timer(4)->state, CTimer::kRunning);
    EXPECT_GT(zt::core::difference_ms(restarted->find_timer(4)->start_time, started_before), 3'000'000)
        << "started again now, not an hour ago";
}

TEST_F(ItemCommands, DeleteRemovesAnyItem) {
    add_alarm(5, CAlarm::kDayMask);
    add_running_timer(6);
    apply_item_command(store, 5, kDelete, 0);
    apply_item_command(store, 6, kDelete, 0);
    EXPECT_EQ(store.find(5), nullptr);
    EXPECT_EQ(store.find(6), nullptr);
}

TEST_F(ItemCommands, EnableAndDisableClearTheSnoozeAndFlipTheFlag) {
    CAlarm& alarm = add_alarm(7, CAlarm::kDayMask);
    alarm.snooze(5);
    apply_item_command(store, 7, kDisable, 0);
    EXPECT_FALSE(alarm.snoozed);
    EXPECT_TRUE(alarm.flags & CAlarm::kDisabled);
    EXPECT_EQ(alarm.flags & CAlarm::kDayMask, CAlarm::kDayMask) << "days untouched";
    alarm.snooze(5);
    apply_item_command(store, 7, kEnable, 0);
    EXPECT_FALSE(alarm.snoozed);
    EXPECT_FALSE(alarm.flags & CAlarm::kDisabled);
}

TEST_F(ItemCommands, CommandsOfTheOtherTypeAndUnknownCommandsChangeNothing) {
    CAlarm& alarm = add_alarm(8, CAlarm::kDayMask);
    CTimer& timer = add_running_timer(9);
    for (uint16_t command : std::initializer_list<uint16_t> { kResetTimer, kRestartTimer, 0xFFFF }) {
        EXPECT_TRUE(apply_item_command(store, 8, command, 3).item_found);
    }
    EXPECT_FALSE(alarm.snoozed);
    EXPECT_EQ(alarm.flags, CAlarm::kDayMask);
    for (uint16_t command : std::initializer_list<uint16_t> { kSnooze, kDismiss, kEnable, kDisable, kChange }) {
        apply_item_command(store, 9, command, 3);
    }
    EXPECT_EQ(timer.state, CTimer::kRunning);
    EXPECT_EQ(store.item_count(), 2u);
}

// zt-alarm stores a new or changed alarm and tells with Change: the stored record is read
// into memory, in place for a known alarm, and a deleted one leaves memory too.
TEST_F(ItemCommands, ChangeReadsTheStoredAlarmAgain) {
    CAlarm& known = add_alarm(3, CAlarm::kDayMask);
    auto other = stored();
    other->find_alarm(3)->flags = CAlarm::kDisabled | 1u;
    other->find_alarm(3)->save();
    auto* added = static_cast<CAlarm*>(other->create_item(ItemType::Alarm, 4));
    added->alarm_time = zt::platform::local_time();
    added->save();

    EXPECT_TRUE(apply_item_command(store, 3, kChange, 0).redraw_needed);
    EXPECT_EQ(store.find_alarm(3), &known) << "the same object, changed";
    EXPECT_EQ(known.flags, CAlarm::kDisabled | 1u);
    EXPECT_TRUE(apply_item_command(store, 4, kChange, 0).item_found) << "new to this store";
    ASSERT_NE(store.find_alarm(4), nullptr);

    other->remove(4);
    EXPECT_TRUE(apply_item_command(store, 4, kChange, 0).redraw_needed);
    EXPECT_EQ(store.find(4), nullptr);
    EXPECT_FALSE(apply_item_command(store, 5, kChange, 0).item_found) << "nothing stored, nothing known";
}

}  // namespace
