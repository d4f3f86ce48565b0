#include "core/time_store.h"
#include "today/alarm_list.h"
#include "today/today_view.h"

namespace zt::today {

std::optional<platform::FileTime> next_alarm_moment(const core::CTimeStore& store, const platform::SYSTEMTIME& local,
                                                    const platform::SYSTEMTIME& universal) {
    return next_ring_moment(build_alarm_list(store, local), local, universal);
}

}  // namespace zt::today
