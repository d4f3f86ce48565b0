#pragma once
// A top-level window of the device: published so that any process of the device finds it
// (window_lookup.h), and receiving what others post or send to it (message_sender.h).
//
// Guarantees and rules:
//  - create() publishes the window at once; it can be found and messaged before create returns.
//  - The thread that creates a window owns it and is the only one to call its members. Other
//    threads and processes reach it by posting or sending.
//  - next_posted() takes in what has arrived without blocking. Sent messages are handled right
//    there, before any posted one is returned: the procedure runs and its answer goes back to
//    the sender. Posted messages come back one by one, in the order each sender posted them,
//    for the caller to dispatch(). The front ends message_loop.h and qt/qt_message_pump.h do this.
//  - The procedure answers a message it handles, or returns nullopt for the default handling:
//    WM_CLOSE destroys the window, anything else answers 0 and does nothing. Unknown numbers are
//    thus ignored.
//  - destroy() sends WM_DESTROY to the procedure while the window still exists, then withdraws
//    it: lookups no longer find it, posts and sends to it fail, what was queued is dropped and
//    senders still waiting are let go without an answer. A WM_DESTROY someone posts is only a
//    message: the window stays.
//  - WM_QUIT never reaches the procedure: next_posted() returns it, and the front ends end their
//    loop with its wparam as the exit code. The window itself stays until destroyed.
//  - Deleting the Window withdraws it quietly, without WM_DESTROY (its procedure may already be
//    gone by then).
//  - When the owning process dies its windows disappear from every lookup at once.
//  - Only processes of the same user reach the window: other connections are closed unread.
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/windows/message.h"
#include "platform/windows/window_info.h"

namespace zt::platform {
namespace detail {
class LocalMailbox;
class WindowInbox;
class WindowPublication;
}  // namespace detail

struct WindowOptions {
    bool visible { true };
    Rect rect {};
};

class Window {
public:
    using Procedure = std::function<std::optional<std::uint32_t>(Window& window, const Message& message)>;

    // nullptr when the class name or title is too long or the device has no runtime folder.
    // A visible window is created in front of the others.
    static std::unique_ptr<Window> create(std::u16string_view class_name, std::u16string_view title,
                                          Procedure procedure, WindowOptions options = {});

    WindowHandle handle() const { return m_info.handle; }
    const WindowInfo& info() const { return m_info; }
    bool destroyed() const { return m_destroyed; }

    // Each change is published before it returns; false when destroyed or it cannot be written.
    bool set_title(std::u16string_view title);
    bool set_visible(bool visible);
    bool set_rect(const Rect& rect);
    // Puts the window in front of every other window of the device.
    bool bring_to_front();

    void destroy();

    // Readable (poll) when something may have arrived; stays valid until the Window is deleted.
    int wait_descriptor() const;
    std::optional<Message> next_posted();
    // Runs the procedure (and the default handling when it declines); returns the answer.
    std::uint32_t dispatch(const Message& message);

    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    ~Window();

private:
    Window(WindowInfo info, Procedure procedure);
    bool publish(WindowInfo changed);
    void withdraw();

    WindowInfo m_info;
    Procedure m_procedure;
    std::unique_ptr<detail::WindowPublication> m_publication;
    std::shared_ptr<detail::LocalMailbox> m_mailbox;
    std::unique_ptr<detail::WindowInbox> m_inbox;
    bool m_destroyed { false };
    bool m_destroying { false };
};

// True when a window owned by the calling thread has messages posted from this process that it
// has not taken yet: work the thread has queued for itself and will do on its next turns.
bool thread_has_queued_messages();

// What a window does with a message its procedure leaves alone.
std::uint32_t default_window_procedure(Window& window, const Message& message);

}  // namespace zt::platform
