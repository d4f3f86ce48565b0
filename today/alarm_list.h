#pragma once
// The Today item's alarm list: every alarm, by its next ringing time after now, the alarms
// that will not ring (disabled) last; the first that rings is the item's "next alarm".
#include <optional>
#include <vector>

#include "core/alarm.h"
#include "core/time_store.h"
#include "platform/base/system_time.h"

namespace zt::today {

struct AlarmList {
    std::vector<const core::CAlarm*> alarms;
    // The local time at which the first of them rings, when one does.
    std::optional<platform::SYSTEMTIME> next_ring;
};

// Pointers into the store: valid until it changes. Equal times keep the store's order. Record 0,
// the pattern new alarms are made from, is not an alarm that rings.
AlarmList build_alarm_list(const core::CTimeStore& store, const platform::SYSTEMTIME& local_now);

// The universal moment of the list's next ring: as far from `universal` as the ring is from
// `local_now` (the two being the same moment).
std::optional<platform::FileTime> next_ring_moment(const AlarmList& list, const platform::SYSTEMTIME& local_now,
                                                   const platform::SYSTEMTIME& universal);

}  // namespace zt::today
