#pragma once
// The rows of the Alarms page: the alarms by time of day (then by name, without regard to
// case), each as "name hh:mm" with the 12-hour suffix and the snoozed mark.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/alarm.h"
#include "core/alarm_label.h"

namespace zt::app {

using core::alarm_row_text;
using core::TranslateWord;

// Earlier times of day first; equal times by name without regard to case. Stable otherwise.
void sort_alarm_rows(std::vector<const core::CAlarm*>& alarms);

}  // namespace zt::app
