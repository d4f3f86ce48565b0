#include "app/model/alarm_rows.h"

#include <algorithm>
#include <cstdio>

#include "platform/base/text.h"

namespace zt::app {
namespace {

uint32_t time_of_day_ms(const core::CAlarm& alarm) {
    const platform::SYSTEMTIME& time = alarm.alarm_time;
    return ((time.wHour * 60u + time.wMinute) * 60u + time.wSecond) * 1000u + time.wMilliseconds;
}

}  // namespace

void sort_alarm_rows(std::vector<const core::CAlarm*>& alarms) {
    std::stable_sort(alarms.begin(), alarms.end(), [](const core::CAlarm* a, const core::CAlarm* b) {
        const uint32_t at_a = time_of_day_ms(*a), at_b = time_of_day_ms(*b);
        if (at_a != at_b) return at_a < at_b;
        return platform::fold_case(a->name) < platform::fold_case(b->name);
    });
}

std::u16string alarm_row_text(const core::CAlarm& alarm, bool twelve_hour, const TranslateWord& translate) {
    unsigned hour = alarm.alarm_time.wHour;
    std::u16string suffix;
    if (twelve_hour) {
        suffix = hour < 12 ? u" AM" : u" PM";
        hour %= 12;
        if (hour == 0) hour = 12;
    }
    char clock[16];
    std::snprintf(clock, sizeof clock, " %02u:%02u", hour, static_cast<unsigned>(alarm.alarm_time.wMinute));
    std::u16string text = alarm.name.empty() ? translate(u"Alarm") : alarm.name;
    text += platform::to_u16(clock);
    text += suffix;
    if (alarm.snoozed) text += u" (" + translate(u"snoozed") + u")";
    return text;
}

}  // namespace zt::app
