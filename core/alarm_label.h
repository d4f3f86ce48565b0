#pragma once
// How an alarm is named in lists and menus (the Alarms page, the Today item's alarm menu):
// "%s %02u:%02u%s%s" with the name (or the translated "Alarm"), the hour (1 ... 12 with the
// 12-hour clock), the minute, " AM"/" PM" with the 12-hour clock, and " (snoozed)" translated.
#include <functional>
#include <string>
#include <string_view>

#include "core/alarm.h"

namespace zt::core {

using TranslateWord = std::function<std::u16string(std::u16string_view english)>;

std::u16string alarm_row_text(const CAlarm& alarm, bool twelve_hour, const TranslateWord& translate);

}  // namespace zt::core
