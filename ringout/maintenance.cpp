#include "ringout/maintenance.h"

#include <vector>

#include "contracts/main_program.h"
#include "contracts/registry_keys.h"
#include "core/notification_schedule.h"
#include "core/registry_key.h"
#include "core/timer.h"
#include "platform/base/clock.h"
#include "platform/base/text.h"
#include "platform/windows/program_close.h"
#include "platform/windows/window_lookup.h"

namespace zt::ringout {
namespace {

// A main program that ignores both messages is ended with -1, and its window waited for.
const zt::platform::ProgramClosePolicy kMainProgramClose {
    .check_interval = std::chrono::milliseconds(1700),
    .checks = 3,
    .exit_code = static_cast<uint32_t>(-1),
    .wait_after_end = std::chrono::milliseconds(1000),
    .pause = {},
};

}  // namespace

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

    zt::core::CRegistryKey key(zt::core::RegistryRoot::CurrentUser, zt::contracts::kProductKeyPath, false, false);
    const std::u16string app_path = key.peek_string(zt::contracts::kAppPathValue).value_or(u"");
    if (app_path.empty()) return;
    // The main program is known by its anchor window, as the installer finds it; the owner's
    // path keeps a window of that class in some other program out of it.
    for (const auto& window : zt::platform::find_windows_by_class_prefix(zt::contracts::kMainProgramClass)) {
        if (zt::platform::equal_ignoring_case(window.module_path, app_path)) {
            zt::platform::close_program_window(window, kMainProgramClose);
            return;
        }
    }
}

}  // namespace zt::ringout
