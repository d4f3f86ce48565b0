#include "contracts/today_item.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/window_lookup.h"
#include "world/slot_publisher.h"

namespace zt::world {

void TodayWindowNotifier::post_cities_changed() {
    if (auto window = platform::find_window(std::u16string_view(contracts::kTodayItemClass), std::nullopt))
        platform::post_message(window->handle, contracts::kMsgCitiesChanged, 0, 0);
}

}  // namespace zt::world
