#include "service/main_program.h"

#include "contracts/main_program.h"
#include "contracts/registry_keys.h"
#include "core/registry_key.h"
#include "platform/windows/message.h"

namespace zt::service {
namespace {

// True when the window went away within the rounds.
bool gone_after_rounds(ServiceDevice& device, WindowHandle window) {
    for (int round = 0; round < kPoliteEndRounds; ++round) {
        if (device.window_gone_within(window, kPoliteEndRoundLength)) return true;
    }
    return !device.window_exists(window);
}

}  // namespace

std::u16string main_program_path() {
    zt::core::CRegistryKey key(zt::core::RegistryRoot::CurrentUser, zt::contracts::kProductKeyPath, false, false);
    return key.read_string(zt::contracts::kAppPathValue, u"");
}

bool start_main_program(ServiceDevice& device, std::u16string_view command_line) {
    const std::u16string path = main_program_path();
    if (path.empty()) return false;
    return device.start_process(path, command_line);
}

bool start_screen_saver(ServiceState& state, ServiceDevice& device) {
    state.set_main_was_running(device.find_window(contracts::kMainProgramClass).has_value());
    return start_main_program(device, contracts::kScreenSaverCommand);
}

void end_main_program(ServiceDevice& device, WindowHandle window) {
    if (!device.window_exists(window)) return;
    const std::optional<int> owner = device.window_process(window);
    if (!owner) return;  // went away meanwhile
    if (*owner == device.own_process_id()) return;
    device.post_message(window, zt::platform::WM_CLOSE, 0, 0);
    if (gone_after_rounds(device, window)) return;
    device.post_message(window, zt::platform::WM_QUIT, 0, 0);
    if (gone_after_rounds(device, window)) return;
    device.terminate_process(*owner);
}

}  // namespace zt::service
