#include "app/model/alarm_notice.h"

#include "contracts/today_item.h"
#include "core/time_store.h"
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

}  // namespace zt::app
