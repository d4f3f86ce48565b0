#include "core/alarm_label.h"

#include <cstdio>

#include "platform/base/text.h"

namespace zt::core {

std::u16string alarm_row_text(const CAlarm& alarm, bool twelve_hour, const TranslateWord& translate) {
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

}  // namespace zt::core
