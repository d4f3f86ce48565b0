#include "today/alarm_list.h"

#include <algorithm>

#include "core/time_math.h"

namespace zt::today {
namespace {

struct Ringing {
    const core::CAlarm* alarm;
    std::optional<platform::FileTime> at;
    platform::SYSTEMTIME local {};
};

}  // namespace

AlarmList build_alarm_list(const core::CTimeStore& store, const platform::SYSTEMTIME& local_now) {
    std::vector<Ringing> rows;
    store.for_each([&](const core::CTimeItem& item) {
        if (item.item_type() != core::ItemType::Alarm || item.id() == 0) return;
        const auto& alarm = static_cast<const core::CAlarm&>(item);
        Ringing row { &alarm, std::nullopt, {} };
        // A ring already behind now (a passed snooze) is the ringing program's; it is not next.
        if (alarm.next_occurrence(local_now, row.local) && core::difference_ms(row.local, local_now) >= 0) {
            row.at = platform::system_time_to_file_time(row.local);
        }
        rows.push_back(row);
    });
    std::stable_sort(rows.begin(), rows.end(), [](const Ringing& a, const Ringing& b) {
        if (a.at.has_value() != b.at.has_value()) return a.at.has_value();
        return a.at && *a.at < *b.at;
    });
    AlarmList list;
    for (const Ringing& row : rows) list.alarms.push_back(row.alarm);
    if (!rows.empty() && rows.front().at) list.next_ring = rows.front().local;
    return list;
}

std::optional<platform::FileTime> next_ring_moment(const AlarmList& list, const platform::SYSTEMTIME& local_now,
                                                   const platform::SYSTEMTIME& universal) {
    if (!list.next_ring) return std::nullopt;
    const int64_t away = core::difference_ms(*list.next_ring, local_now);
    const std::optional<platform::FileTime> now = platform::system_time_to_file_time(universal);
    if (away < 0 || !now) return std::nullopt;
    return *now + away * platform::kFileTimeTicksPerMillisecond;
}

}  // namespace zt::today
