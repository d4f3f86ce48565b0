#pragma once
// What follows every change the main program makes to an alarm and has stored (or removed):
// the earliest due item is registered again, and the Today item is told so it reloads. Also the
// making and storing of alarms the user confirmed, which the alarm editor and the alarm control
// on the clocks share.
#include <cstdint>
#include <memory>
#include <optional>

#include "contracts/item_command.h"

namespace zt::core {
class CAlarm;
class CTimeStore;
}  // namespace zt::core

namespace zt::app {

// Posts the item command (0x046B) to the Today item's window, when there is one.
void tell_today_item(int32_t item_id, contracts::ItemCommand command);

// store.reschedule(), then tell_today_item.
void announce_alarm_change(core::CTimeStore& store, int32_t alarm_id, contracts::ItemCommand command);

// A copy of the default alarm (id 0, not yet stored), repeating or one-time as asked, ringing
// the store's default sound when it names none.
std::unique_ptr<core::CAlarm> new_alarm_from_default(core::CTimeStore& store, bool one_time);
// A confirmed new alarm (id 0): its one-time date fixed, added to the store, saved and announced
// (command 7). Its id; nullopt when the store takes no more.
std::optional<int32_t> store_new_alarm(core::CTimeStore& store, std::unique_ptr<core::CAlarm> alarm);
// A stored alarm changed in place: saved and announced (command 7).
void store_changed_alarm(core::CTimeStore& store, core::CAlarm& alarm);

}  // namespace zt::app
