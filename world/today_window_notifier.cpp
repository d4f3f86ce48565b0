#include "platform/windows/message_sender.h"
#include "platform/windows/window_lookup.h"
#include "world/slot_publisher.h"

namespace zt::world {

void TodayWindowNotifier::post_cities_changed() {
    if (auto window = platform::find_window(std::u16string_view(kTodayWindowClass), std::nullopt))
        platform::post_message(window->handle, kCitiesChangedMessage, 0, 0);
}

}  // namespace zt::world
