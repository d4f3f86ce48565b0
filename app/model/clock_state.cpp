#include "app/model/clock_state.h"

#include "core/settings_bag.h"
#include "core/time_store.h"

namespace zt::app {

skins::ClockShow clock_show(const core::CSettingsBag& settings, bool screensaver, bool twelve_hour) {
    const auto on = [&](std::u16string_view name) { return settings.number(name) != 0; };
    return { on(u"ShowSeconds") && (!screensaver || on(u"SecondsInSS")),
             on(u"ShowAlarms") && (!screensaver || on(u"AlarmsInSS")), on(u"ShowCalendar"), twelve_hour };
}

std::vector<skins::AlarmMark> alarm_marks(const core::CTimeStore& store) {
    std::vector<skins::AlarmMark> marks;
    store.for_each([&](const core::CTimeItem& item) {
        if (item.item_type() != core::ItemType::Alarm) return;
        const auto& alarm = static_cast<const core::CAlarm&>(item);
        marks.push_back({ alarm.alarm_time.wHour % 24, alarm.alarm_time.wMinute % 60, alarm.enabled(), alarm.id() });
    });
    return marks;
}

}  // namespace zt::app
