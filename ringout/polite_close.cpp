#include "ringout/polite_close.h"

#include <unistd.h>

#include <chrono>
#include <thread>

#include "platform/kernel/process.h"
#include "platform/windows/message.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/window_lookup.h"

namespace zt::ringout {
namespace {

constexpr std::chrono::milliseconds kCheckInterval { 1700 };
constexpr int kChecks = 3;

bool gone_after_waiting(zt::platform::WindowHandle window) {
    for (int check = 0; check < kChecks && zt::platform::is_window(window); ++check) {
        std::this_thread::sleep_for(kCheckInterval);
    }
    return !zt::platform::is_window(window);
}

}  // namespace

bool close_program_window(const zt::platform::WindowInfo& window) {
    if (!zt::platform::is_window(window.handle)) return true;
    if (window.process_id == static_cast<int>(::getpid())) return false;
    zt::platform::post_message(window.handle, zt::platform::WM_CLOSE);
    if (gone_after_waiting(window.handle)) return true;
    zt::platform::post_message(window.handle, zt::platform::WM_QUIT);
    if (gone_after_waiting(window.handle)) return true;
    if (auto process = zt::platform::Process::open(window.process_id)) process->terminate(static_cast<uint32_t>(-1));
    for (int check = 0; check < 50 && zt::platform::is_window(window.handle); ++check) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return !zt::platform::is_window(window.handle);
}

}  // namespace zt::ringout
