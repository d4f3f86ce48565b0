#include "core/schedule.h"

#include <gtest/gtest.h>

#include "core/time_store.h"
#include "platform/testing/temp_device_root.h"

namespace zt::core {
namespace {

constexpr uint32_t kMonday = 0x01, kWednesday = 0x04;
// 2 March 2009 was a Monday.
SYSTEMTIME monday(uint16_t h, uint16_t m, uint16_t s = 0, uint16_t ms = 0) { return SYSTEMTIME { 2009, 3, 1, 2, h, m, s, ms }; }

SYSTEMTIME next_of(const CAlarm& alarm, const SYSTEMTIME& reference) {
    SYSTEMTIME due {};
    EXPECT_TRUE(alarm.next_occurrence(reference, due)) << "no occurrence";
    return due;
}

std::unique_ptr<CAlarm> repeating(uint32_t days, uint16_t h, uint16_t m) {
    auto alarm = std::make_unique<CAlarm>(1);
    alarm->flags = days;
    alarm->alarm_time = SYSTEMTIME { 0, 1, 0, 1, h, m, 0, 0 };
    return alarm;
}

TEST(AlarmNextOccurrence, SameMillisecondIsTodayOneLaterIsNextSelectedDay) {
    auto alarm = repeating(kMonday | kWednesday, 7, 0);
    EXPECT_EQ(next_of(*alarm, monday(7, 0)), monday(7, 0));
    EXPECT_EQ(next_of(*alarm, monday(7, 0, 0, 1)), (SYSTEMTIME { 2009, 3, 3, 4, 7, 0, 0, 0 }));
}

TEST(AlarmNextOccurrence, OnlyTodaySelectedAndPassedGivesNextWeek) {
    auto alarm = repeating(kMonday, 7, 0);
    EXPECT_EQ(next_of(*alarm, monday(8, 0)), (SYSTEMTIME { 2009, 3, 1, 9, 7, 0, 0, 0 }));
}

TEST(AlarmNextOccurrence, DayAdvanceCrossesMonthAndYear) {
    auto alarm = repeating(kMonday, 0, 30);
    SYSTEMTIME sunday_night { 2009, 5, 0, 31, 23, 59, 0, 0 };
    EXPECT_EQ(next_of(*alarm, sunday_night), (SYSTEMTIME { 2009, 6, 1, 1, 0, 30, 0, 0 }));
    SYSTEMTIME new_year_eve { 2017, 12, 0, 31, 23, 59, 0, 0 };
    EXPECT_EQ(next_of(*alarm, new_year_eve), (SYSTEMTIME { 2018, 1, 1, 1, 0, 30, 0, 0 }));
}

TEST(AlarmNextOccurrence, DisabledNoDaysOneTimeAndSnoozed) {
    SYSTEMTIME due {};
    auto disabled = repeating(kMonday | CAlarm::kDisabled, 7, 0);
    EXPECT_FALSE(disabled->next_occurrence(monday(6, 0), due));
    auto no_days = repeating(0, 7, 0);
    EXPECT_FALSE(no_days->next_occurrence(monday(6, 0), due));

    auto once = repeating(CAlarm::kOneTime, 7, 0);  // no day bits: ignored for one-time
    once->alarm_time = SYSTEMTIME { 2009, 3, 0, 1, 7, 0, 0, 0 };
    EXPECT_EQ(next_of(*once, monday(6, 0)), once->alarm_time) << "even in the past";

    auto snoozed = repeating(0, 7, 0);
    snoozed->snoozed = true;
    snoozed->snooze_until = monday(7, 10);
    EXPECT_EQ(next_of(*snoozed, monday(6, 0)), monday(7, 10)) << "snooze wins over no days selected";
    snoozed->flags |= CAlarm::kDisabled;
    EXPECT_FALSE(snoozed->next_occurrence(monday(6, 0), due)) << "but not over disabled";
}

class EarliestDue : public ::testing::Test {
protected:
    zt::platform::testing::TempDeviceRoot m_root;
    CTimeStore m_store;
};

TEST_F(EarliestDue, PicksSmallestFutureDifferenceFirstMetOnTies) {
    auto* past = static_cast<CAlarm*>(m_store.create_item(ItemType::Alarm, 1));
    past->flags = CAlarm::kOneTime;
    past->alarm_time = monday(6, 0);
    auto* later = static_cast<CAlarm*>(m_store.create_item(ItemType::Alarm, 2));
    later->flags = kMonday;
    later->alarm_time = SYSTEMTIME { 0, 1, 0, 1, 9, 0, 0, 0 };
    auto* timer = static_cast<CTimer*>(m_store.create_item(ItemType::Timer, 3));
    timer->count_up = false;
    timer->interval = 90;
    timer->start(monday(7, 59, 0));
    auto* stopwatch = static_cast<CTimer*>(m_store.create_item(ItemType::Timer, 4));
    stopwatch->start(monday(7, 0));

    DueItem due = earliest_due_item(m_store, monday(8, 0));
    ASSERT_NE(due.item, nullptr);
    EXPECT_EQ(due.item->id(), 3);
    EXPECT_EQ(due.occurrence, monday(8, 0, 30));

    auto* tie = static_cast<CAlarm*>(m_store.create_item(ItemType::Alarm, 5));
    tie->flags = CAlarm::kOneTime;
    tie->alarm_time = monday(8, 0, 30);
    int32_t first_met = 0;
    m_store.for_each([&](CTimeItem& item) {
        if (!first_met && (item.id() == 3 || item.id() == 5)) first_met = item.id();
    });
    EXPECT_EQ(earliest_due_item(m_store, monday(8, 0)).item->id(), first_met);
}

TEST_F(EarliestDue, OnlyPastOrDisabledRecordsGiveNone) {
    auto* past = static_cast<CAlarm*>(m_store.create_item(ItemType::Alarm, 1));
    past->flags = CAlarm::kOneTime;
    past->alarm_time = monday(6, 0);
    auto* off = static_cast<CAlarm*>(m_store.create_item(ItemType::Alarm, 2));
    off->flags = 0x7F | CAlarm::kDisabled;
    auto* snoozed = static_cast<CAlarm*>(m_store.create_item(ItemType::Alarm, 3));
    snoozed->snoozed = true;
    snoozed->snooze_until = monday(7, 0);
    EXPECT_EQ(earliest_due_item(m_store, monday(8, 0)).item, nullptr);
}

}  // namespace
}  // namespace zt::core
