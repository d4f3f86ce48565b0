#include "today/device_item_reach.h"

#include "contracts/registry_keys.h"
#include "core/notification_schedule.h"
#include "core/registry_key.h"
#include "platform/kernel/process.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/window_lookup.h"

namespace zt::today {

void DeviceItemReach::start_main_program(std::u16string_view command_line) {
    core::CRegistryKey key(core::RegistryRoot::CurrentUser, contracts::kProductKeyPath, false, false);
    const std::u16string path = key.read_string(contracts::kAppPathValue, u"");
    if (path.empty()) return;
    // A program that does not start leaves the command without effect, as a missing one does.
    (void)platform::Process::create(path, command_line);
}

void DeviceItemReach::post_to_window(std::u16string_view window_class, uint32_t message, uint32_t wparam,
                                     uint32_t lparam) {
    if (auto window = platform::find_window(window_class)) platform::post_message(window->handle, message, wparam, lparam);
}

void DeviceItemReach::reschedule(const core::CTimeStore& store) { core::schedule(store); }

}  // namespace zt::today
