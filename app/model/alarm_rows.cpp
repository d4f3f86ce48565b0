#include "app/model/alarm_rows.h"

#include <algorithm>

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

}  // namespace zt::app
