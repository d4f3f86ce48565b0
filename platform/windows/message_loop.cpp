#include "platform/windows/message_loop.h"

#include <poll.h>

#include <cerrno>

#include "platform/kernel/cancellation.h"
#include "platform/kernel/deadline.h"

namespace zt::platform {

GetResult get_message(Window& window, Message& message, std::optional<std::chrono::milliseconds> limit) {
    auto deadline = detail::Deadline::after(limit);
    for (;;) {
        if (auto next = window.next_posted()) {
            message = *next;
            return message.number == WM_QUIT ? GetResult::Quit : GetResult::Message;
        }
        if (window.destroyed()) return GetResult::WindowGone;
        int timeout = -1;
        if (!deadline.unlimited()) {
            if (deadline.passed()) return GetResult::TimedOut;
            timeout = static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(deadline.remaining()).count());
        }
        pollfd p { window.wait_descriptor(), POLLIN, 0 };
        detail::prepare_stack_for_cancellation();  // poll is where Thread::terminate may end us
        if (poll(&p, 1, timeout) < 0 && errno != EINTR) return GetResult::WindowGone;
    }
}

std::uint32_t run_message_loop(Window& window) {
    Message message;
    for (;;) {
        switch (get_message(window, message)) {
        case GetResult::Message: window.dispatch(message); break;
        case GetResult::Quit: return message.wparam;
        case GetResult::TimedOut: break;
        case GetResult::WindowGone: return 0;
        }
    }
}

}  // namespace zt::platform
