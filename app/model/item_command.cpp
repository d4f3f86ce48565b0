#include "app/model/item_command.h"

#include "contracts/item_command.h"
#include "core/time_store.h"

namespace zt::app {

namespace {

using contracts::ItemCommand;

// Returns whether the alarm was deleted (a dismissed one-time alarm).
bool apply_to_alarm(core::CTimeStore& store, core::CAlarm& alarm, ItemCommand command, uint16_t argument) {
    switch (command) {
    case ItemCommand::Snooze:
        alarm.snooze(argument);
        return false;
    case ItemCommand::Dismiss:
        alarm.clear_snooze();
        if (alarm.one_time()) {
            store.remove(alarm.id());
            return true;
        }
        return false;
    case ItemCommand::Enable:
        alarm.set_enabled(true);
        return false;
    case ItemCommand::Disable:
        alarm.set_enabled(false);
        return false;
    default:
        return false;
    }
}

void apply_to_timer(core::CTimer& timer, ItemCommand command) {
    switch (command) {
    case ItemCommand::ResetTimer:
        timer.reset();
        timer.save();
        break;
    case ItemCommand::RestartTimer:
        timer.reset();
        timer.start();
        timer.save();
        break;
    default:
        break;
    }
}

// Another program created or changed the alarm and stored it: the stored record replaces the
// copy in memory, in place, so that whoever holds the alarm keeps a live one.
ItemCommandOutcome reload_stored_alarm(core::CTimeStore& store, int32_t item_id) {
    core::CTimeItem* present = store.find(item_id);
    if (present && present->item_type() != core::ItemType::Alarm) return { .item_found = true };
    auto stored = std::make_unique<core::CAlarm>(item_id);
    if (stored->load()) {
        if (present)
            stored->copy_to(*present);
        else
            store.put(std::move(stored));
        return { .item_found = true, .redraw_needed = true };
    }
    // Gone from the registry: gone here too. A record that cannot be read now stays as it was.
    if (present && stored->last_load_failure() == core::LoadFailure::Missing) {
        store.remove(item_id);
        return { .item_found = true, .redraw_needed = true };
    }
    return { .item_found = present != nullptr };
}

}  // namespace

ItemCommandOutcome apply_item_command(core::CTimeStore& store, int32_t item_id, uint16_t command, uint16_t argument) {
    if (static_cast<ItemCommand>(command) == ItemCommand::Change) return reload_stored_alarm(store, item_id);
    core::CTimeItem* item = store.find(item_id);
    if (!item) return {};
    ItemCommandOutcome outcome { .item_found = true };
    // A number no command has falls to the defaults below and changes nothing.
    const auto known = static_cast<ItemCommand>(command);
    if (known == ItemCommand::Delete) {
        store.remove(item_id);
        return outcome;
    }
    if (item->item_type() == core::ItemType::Alarm) {
        outcome.redraw_needed = apply_to_alarm(store, static_cast<core::CAlarm&>(*item), known, argument);
    } else {
        apply_to_timer(static_cast<core::CTimer&>(*item), known);
    }
    return outcome;
}

}  // namespace zt::app
