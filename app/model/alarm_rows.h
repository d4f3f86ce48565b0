#pragma once
// The rows of the Alarms page: the alarms by time of day (then by name, without regard to
// case), each as "name hh:mm" with the 12-hour suffix and the snoozed mark.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/alarm.h"

namespace zt::app {

using TranslateWord = std::function<std::u16string(std::u16string_view english)>;

// Earlier times of day first; equal times by name without regard to case. Stable otherwise.
void sort_alarm_rows(std::vector<const core::CAlarm*>& alarms);

// "%s %02u:%02u%s%s": the name (or the translated "Alarm"), the hour (1 ... 12 with the
// 12-hour clock), the minute, " AM"/" PM" with the 12-hour clock, " (snoozed)" translated.
std::u16string alarm_row_text(const core::CAlarm& alarm, bool twelve_hour, const TranslateWord& translate);

}  // namespace zt::app
