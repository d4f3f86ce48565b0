#pragma once
// The plain front end: a message loop for a thread without Qt, such as a service's window
// thread.
//
//   auto window = Window::create(u"MyClass", u"", procedure);
//   std::uint32_t code = run_message_loop(*window);
//
// or, with the steps spelled out:
//
//   Message message;
//   while (get_message(*window, message) == GetResult::Message) window->dispatch(message);
#include <chrono>
#include <cstdint>
#include <optional>

#include "platform/windows/message.h"
#include "platform/windows/window.h"

namespace zt::platform {

enum class GetResult {
    Message,     // a posted message is in `message`, for dispatch
    Quit,        // WM_QUIT was posted: `message` holds it, its wparam is the exit code
    TimedOut,    // nothing was posted within the limit (sent messages may have been handled)
    WindowGone,  // the window was destroyed: nothing will arrive any more
};

// Waits for the next posted message, handling sent ones meanwhile. No limit waits as long as
// it takes; the wait is a cancellation point for Thread::terminate.
GetResult get_message(Window& window, Message& message,
                      std::optional<std::chrono::milliseconds> limit = std::nullopt);

// Dispatches until WM_QUIT (returns its wparam) or the window is destroyed (returns 0).
std::uint32_t run_message_loop(Window& window);

}  // namespace zt::platform
