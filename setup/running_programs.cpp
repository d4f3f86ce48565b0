#include "setup/running_programs.h"

#include "contracts/main_program.h"
#include "contracts/ringout.h"
#include "platform/base/text.h"
#include "platform/windows/message.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/program_close.h"
#include "platform/windows/window_lookup.h"
#include "setup/setup_run.h"

namespace zt::setup {
namespace {

// Ended with 0 and not waited for: the installer goes on replacing files either way. The pauses
// are the run's, so tests make them instant.
platform::ProgramClosePolicy close_policy() {
    return { .check_interval = std::chrono::milliseconds(1700),
             .checks = 3,
             .exit_code = 0,
             .wait_after_end = std::chrono::milliseconds(0),
             .pause = &pause_for };
}

}  // namespace

void close_running_programs() {
    if (auto main_window = platform::find_window(std::u16string_view(contracts::kMainProgramClass)))
        platform::close_program_window(*main_window, close_policy());
    for (const auto& window : platform::find_windows_by_class_prefix(contracts::kRingoutClassPrefix)) {
        if (platform::equal_ignoring_case(window.module_path, contracts::kRingoutPath)) {
            platform::close_program_window(window, close_policy());
            break;
        }
    }
}

void tell_shell() {
    auto desktop = platform::find_window(std::u16string_view(kDesktopWindowClass));
    if (!desktop) return;
    platform::send_message(desktop->handle, platform::WM_SETTINGCHANGE, kShellPluginsChanged, 0, std::chrono::milliseconds(1000));
    pause_for(std::chrono::milliseconds(1000));
}

}  // namespace zt::setup
