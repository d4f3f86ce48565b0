#include "platform/power/user_activity.h"

#include <mutex>
#include <optional>

#include "platform/base/device_root.h"
#include "platform/kernel/event.h"

namespace zt::platform {

bool signal_user_activity() {
    static std::mutex mutex;
    static std::optional<Event> event;
    static std::filesystem::path event_root;  // a process that switches devices reopens
    std::lock_guard lock(mutex);
    auto root = device_root();
    if (!event || event_root != root) {
        event.reset();
        event_root = root;
        auto opened = Event::create_or_open(kUserActivityEventName, ResetPolicy::Manual, false);
        if (!opened) return false;
        event = std::move(opened->event);
    }
    event->set();
    return true;
}

}  // namespace zt::platform
