#include "core/alarm.h"
#include "core/time_math.h"
#include "core/time_store.h"
#include "today/today_view.h"

namespace zt::today {

std::optional<platform::FileTime> next_alarm_moment(const core::CTimeStore& store, const platform::SYSTEMTIME& local,
                                                    const platform::SYSTEMTIME& universal) {
    std::optional<int64_t> soonest;
    store.for_each([&](core::CTimeItem& item) {
        // Record 0 is the pattern new alarms are made from, never rung.
        if (item.item_type() != core::ItemType::Alarm || item.id() == 0) return;
        core::SYSTEMTIME occurrence {};
        if (!item.next_occurrence(local, occurrence)) return;
        const int64_t away = core::difference_ms(occurrence, local);
        if (away >= 0 && (!soonest || away < *soonest)) soonest = away;
    });
    const std::optional<platform::FileTime> now = platform::system_time_to_file_time(universal);
    if (!soonest || !now) return std::nullopt;
    return *now + *soonest * platform::kFileTimeTicksPerMillisecond;
}

}  // namespace zt::today
