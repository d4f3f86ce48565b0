#include "app/model/item_command.h"

#include "core/time_store.h"

namespace zt::app {

namespace {

enum Command : uint16_t {
    kSnooze = 0,
    kDismiss = 1,
    kResetTimer = 2,
    kRestartTimer = 3,
    kDelete = 4,
    kEnable = 5,
    kDisable = 6,
};

// Returns whether the alarm was deleted (a dismissed one-time alarm).
bool apply_to_alarm(core::CTimeStore& store, core::CAlarm& alarm, uint16_t command, uint16_t argument) {
    switch (command) {
    case kSnooze:
        alarm.snooze(argument);
        return false;
    case kDismiss:
        alarm.clear_snooze();
        if (alarm.one_time()) {
            store.remove(alarm.id());
            return true;
        }
        return false;
    case kEnable:
        alarm.set_enabled(true);
        return false;
    case kDisable:
        alarm.set_enabled(false);
        return false;
    default:
        return false;
    }
}

void apply_to_timer(core::CTimer& timer, uint16_t command) {
    switch (command) {
    case kResetTimer:
        timer.reset();
        timer.save();
        break;
    case kRestartTimer:
        timer.reset();
        timer.start();
        timer.save();
        break;
    default:
        break;
    }
}

}  // namespace

ItemCommandOutcome apply_item_command(core::CTimeStore& store, int32_t item_id, uint16_t command, uint16_t argument) {
    core::CTimeItem* item = store.find(item_id);
    if (!item) return {};
    ItemCommandOutcome outcome { .item_found = true };
    if (command == kDelete) {
        store.remove(item_id);
        return outcome;
    }
    if (item->item_type() == core::ItemType::Alarm) {
        outcome.redraw_needed = apply_to_alarm(store, static_cast<core::CAlarm&>(*item), command, argument);
    } else {
        apply_to_timer(static_cast<core::CTimer&>(*item), command);
    }
    return outcome;
}

}  // namespace zt::app
