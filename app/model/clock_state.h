#pragma once
// What the clock screens show besides the skin: the settings that choose seconds, alarms and
// the calendar (in the screensaver its own settings have a say too), and the alarms of the
// store as marks.
#include <vector>

#include "skins/clocks/clock_face.h"

namespace zt::core {
class CSettingsBag;
class CTimeStore;
}  // namespace zt::core

namespace zt::app {

// "ShowSeconds", "ShowAlarms", "ShowCalendar"; while the screensaver runs, seconds and alarms
// also need "SecondsInSS" and "AlarmsInSS".
skins::ClockShow clock_show(const core::CSettingsBag& settings, bool screensaver, bool twelve_hour);

// Every alarm of the store, enabled or not, at its time of day.
std::vector<skins::AlarmMark> alarm_marks(const core::CTimeStore& store);

}  // namespace zt::app
