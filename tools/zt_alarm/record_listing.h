#pragma once
// What `zt-alarm list` and `zt-alarm next` print: tab-separated lines for scripts.
#include <string>

#include "core/time_store.h"

namespace zt::tools {

// "YYYY-MM-DD HH:MM:SS".
std::string format_date_time(const zt::platform::SYSTEMTIME& time);
// One line per record in id order: id, "alarm" or "timer", name, time of day (a timer: its
// interval) as HH:MM:SS, state words joined by ",", next occurrence from `now` or "-".
std::string list_records(const zt::core::CTimeStore& store, const zt::platform::SYSTEMTIME& now);
// "ID<TAB>YYYY-MM-DD HH:MM:SS" of the earliest due record, or "none".
std::string next_due_line(const zt::core::CTimeStore& store, const zt::platform::SYSTEMTIME& now);

}  // namespace zt::tools
