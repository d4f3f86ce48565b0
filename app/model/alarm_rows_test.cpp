// The Alarms page's rows without a window: their order and their text in both clock forms.
#include "app/model/alarm_rows.h"

#include <gtest/gtest.h>

#include <memory>

namespace zt::app {
namespace {

std::unique_ptr<core::CAlarm> alarm_at(int32_t id, uint16_t hour, uint16_t minute, std::u16string name) {
    auto alarm = std::make_unique<core::CAlarm>(id);
    alarm->alarm_time.wHour = hour;
    alarm->alarm_time.wMinute = minute;
    alarm->name = std::move(name);
    return alarm;
}

std::u16string german(std::u16string_view english) {
    return english == u"snoozed" ? u"schlummert" : english == u"Alarm" ? u"Wecker" : std::u16string(english);
}

TEST(AlarmRowsTest, SortByTimeOfDayThenByNameWithoutRegardToCase) {
    const auto b = alarm_at(1, 7, 0, u"b"), a = alarm_at(2, 7, 0, u"A"), early = alarm_at(3, 6, 30, u"z");
    const auto a_later_second = alarm_at(4, 7, 0, u"a");
    a_later_second->alarm_time.wSecond = 1;
    std::vector<const core::CAlarm*> rows = { b.get(), a_later_second.get(), a.get(), early.get() };
    sort_alarm_rows(rows);
    EXPECT_EQ(rows, (std::vector<const core::CAlarm*> { early.get(), a.get(), b.get(), a_later_second.get() }));
}

TEST(AlarmRowsTest, RowTextInBothClockFormsWithTheTranslatedWords) {
    const auto night = alarm_at(1, 0, 15, u""), afternoon = alarm_at(2, 13, 5, u"Tea"), noon = alarm_at(3, 12, 0, u"Lunch");
    EXPECT_EQ(alarm_row_text(*night, true, german), u"Wecker 12:15 AM");
    EXPECT_EQ(alarm_row_text(*afternoon, true, german), u"Tea 01:05 PM");
    EXPECT_EQ(alarm_row_text(*noon, true, german), u"Lunch 12:00 PM");
    EXPECT_EQ(alarm_row_text(*afternoon, false, german), u"Tea 13:05");
    night->snooze(5);
    EXPECT_EQ(alarm_row_text(*night, false, german), u"Wecker 00:15 (schlummert)");
}

}  // namespace
}  // namespace zt::app
