#include "app/model/alarm_notice.h"

#include "contracts/today_item.h"
#include "core/time_store.h"
#include "platform/base/clock.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/window_lookup.h"

namespace zt::app {

void tell_today_item(int32_t item_id, contracts::ItemCommand command) {
    if (auto window = platform::find_window(std::u16string_view(contracts::kTodayItemClass)))
        platform::post_message(window->handle, contracts::kMsgItemCommand, static_cast<uint32_t>(item_id),
                               contracts::item_command_parameter(command, 0));
}

void announce_alarm_change(core::CTimeStore& store, int32_t alarm_id, contracts::ItemCommand command) {
    store.reschedule();
    tell_today_item(alarm_id, command);
}

std::unique_ptr<core::CAlarm> new_alarm_from_default(core::CTimeStore& store, bool one_time) {
    std::unique_ptr<core::CAlarm> fresh = store.copy_of_default_alarm();
    if (one_time)
        fresh->flags |= core::CAlarm::kOneTime;
    else
        fresh->flags &= ~core::CAlarm::kOneTime;
    if (fresh->sound_action() && fresh->sound_action()->sound_file().empty())
        fresh->sound_action()->set_sound_file(store.default_sound());
    return fresh;
}

std::optional<int32_t> store_new_alarm(core::CTimeStore& store, std::unique_ptr<core::CAlarm> alarm) {
    if (!alarm) return std::nullopt;
    alarm->fix_one_time_date(platform::local_time());
    std::unique_ptr<core::CTimeItem> item = std::move(alarm);
    auto* added = static_cast<core::CAlarm*>(store.add_new_item(item));
    if (!added) return std::nullopt;
    store_changed_alarm(store, *added);
    return added->id();
}

void store_changed_alarm(core::CTimeStore& store, core::CAlarm& alarm) {
    alarm.save();
    announce_alarm_change(store, alarm.id(), contracts::ItemCommand::Change);
}

}  // namespace zt::app
