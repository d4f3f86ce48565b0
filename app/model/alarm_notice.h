#pragma once
// What follows every change the main program makes to an alarm and has stored (or removed):
// the earliest due item is registered again, and the Today item is told so it reloads.
#include <cstdint>

#include "contracts/item_command.h"

namespace zt::core {
class CTimeStore;
}

namespace zt::app {

// Posts the item command (0x046B) to the Today item's window, when there is one.
void tell_today_item(int32_t item_id, contracts::ItemCommand command);

// store.reschedule(), then tell_today_item.
void announce_alarm_change(core::CTimeStore& store, int32_t alarm_id, contracts::ItemCommand command);

}  // namespace zt::app
