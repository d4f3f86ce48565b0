#include "ringout/maintenance.h"

#include <vector>

#include "core/notification_schedule.h"
#include "core/product_keys.h"
#include "core/registry_key.h"
#include "core/timer.h"
#include "platform/base/clock.h"
#include "platform/base/text.h"
#include "platform/windows/window_lookup.h"
#include "ringout/item_command.h"
#include "ringout/polite_close.h"

namespace zt::ringout {

void run_maintenance(zt::core::CTimeStore& store) {
    const auto now = zt::platform::local_time();
    std::vector<zt::core::CTimer*> timers;
    store.for_each([&](const zt::core::CTimeItem& item) {
        if (item.item_type() == zt::core::ItemType::Timer) timers.push_back(store.find_timer(item.id()));
    });
    for (auto* timer : timers) {
        timer->reset(now);
        timer->save();
    }
    zt::core::schedule(store);

    zt::core::CRegistryKey key(zt::core::RegistryRoot::CurrentUser, zt::core::kProductKeyPath, false, false);
    const std::u16string app_path = key.peek_string(zt::core::kAppPathValue).value_or(u"");
    if (app_path.empty()) return;
    // The main program is known by its anchor window, as the installer finds it; the owner's
    // path keeps a window of that class in some other program out of it.
    for (const auto& window : zt::platform::find_windows_by_class_prefix(kMainProgramClass)) {
        if (zt::platform::equal_ignoring_case(window.module_path, app_path)) {
            close_program_window(window);
            return;
        }
    }
}

}  // namespace zt::ringout
