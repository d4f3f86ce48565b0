#pragma once
// "notify": the ringing program's maintenance run, without any window. Every timer is reset
// (stopped, full duration) and saved, the next due item is registered, and a running main
// program is closed politely so it does not keep stale copies of the timers.
#include "core/time_store.h"

namespace zt::ringout {

void run_maintenance(zt::core::CTimeStore& store);

}  // namespace zt::ringout
