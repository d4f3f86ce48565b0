#include "platform/windows/program_close.h"

#include <algorithm>
#include <thread>

#include "platform/kernel/process.h"
#include "platform/windows/message.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/window_lookup.h"

namespace zt::platform {
namespace {

constexpr std::chrono::milliseconds kEndStep { 20 };

class Pauser {
public:
    explicit Pauser(const ProgramClosePolicy& policy) : m_pause(policy.pause) {}
    void operator()(std::chrono::milliseconds duration) const {
        if (m_pause) {
            m_pause(duration);
        } else {
            std::this_thread::sleep_for(duration);
        }
    }

private:
    const std::function<void(std::chrono::milliseconds)>& m_pause;
};

bool gone_after_checks(WindowHandle window, const ProgramClosePolicy& policy, const Pauser& pause) {
    for (int check = 0; check < policy.checks; ++check) {
        pause(policy.check_interval);
        if (!is_window(window)) return true;
    }
    return false;
}

}  // namespace

bool close_program_window(const WindowInfo& window, const ProgramClosePolicy& policy) {
    if (window.handle == 0 || !is_window(window.handle)) return true;
    if (window.process_id == current_process_id()) return false;
    const Pauser pause(policy);
    post_message(window.handle, WM_CLOSE);
    if (gone_after_checks(window.handle, policy, pause)) return true;
    post_message(window.handle, WM_QUIT);
    if (gone_after_checks(window.handle, policy, pause)) return true;
    if (auto process = Process::open(window.process_id)) process->terminate(policy.exit_code);
    for (auto waited = std::chrono::milliseconds::zero(); waited < policy.wait_after_end && is_window(window.handle);
         waited += kEndStep) {
        pause(std::min(kEndStep, policy.wait_after_end - waited));
    }
    return !is_window(window.handle);
}

}  // namespace zt::platform
