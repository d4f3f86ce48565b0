#include "setup/running_programs.h"

#include <unistd.h>

#include "platform/base/text.h"
#include "platform/kernel/process.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/window_lookup.h"
#include "setup/setup_run.h"

namespace zt::setup {
namespace {

constexpr std::chrono::milliseconds kCloseCheckInterval { 1700 };
constexpr int kCloseChecks = 3;

bool gone_after_checks(platform::WindowHandle window) {
    for (int check = 0; check < kCloseChecks; ++check) {
        pause_for(kCloseCheckInterval);
        if (!platform::is_window(window)) return true;
    }
    return false;
}

}  // namespace

void close_window(const platform::WindowInfo& window) {
    if (window.handle == 0 || window.process_id == static_cast<int>(::getpid())) return;
    if (!platform::is_window(window.handle)) return;
    platform::post_message(window.handle, kWmClose, 0, 0);
    if (gone_after_checks(window.handle)) return;
    platform::post_message(window.handle, kWmQuit, 0, 0);
    if (gone_after_checks(window.handle)) return;
    if (auto process = platform::Process::open(window.process_id)) process->terminate(0);
}

void close_running_programs() {
    if (auto main_window = platform::find_window(std::u16string_view(kMainWindowClass))) close_window(*main_window);
    for (const auto& window : platform::find_windows_by_class_prefix(kRingoutClassPrefix)) {
        if (platform::equal_ignoring_case(window.module_path, kRingoutProgram)) {
            close_window(window);
            break;
        }
    }
}

void tell_shell() {
    auto desktop = platform::find_window(std::u16string_view(kDesktopWindowClass));
    if (!desktop) return;
    platform::send_message(desktop->handle, kWmWinIniChange, kShellPluginsChanged, 0, std::chrono::milliseconds(1000));
    pause_for(std::chrono::milliseconds(1000));
}

}  // namespace zt::setup
