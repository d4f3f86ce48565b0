#pragma once
// The posted-message queue of a window, and the process's table of its own windows.
//
// Posts between threads of one process go straight into the queue instead of through the
// socket: a thread posting to its own window must never wait on itself, and the queue keeps
// one order for every poster. Messages from other processes are added by the owner thread as
// it reads its socket.
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/windows/message.h"
#include "platform/windows/unique_fd.h"

namespace zt::platform {
class Window;
}

namespace zt::platform::detail {

// The handheld's own limit on a thread's posted messages.
inline constexpr std::size_t kMaxPostedMessages = 10000;

class LocalMailbox {
public:
    LocalMailbox(Window* window, std::thread::id owner, UniqueFd wake)
        : m_window(window), m_owner(owner), m_wake(std::move(wake)) {}

    // Any thread. Refused when the window is gone or, with `bounded`, its queue is full.
    // A successful push makes the wake descriptor readable.
    enum class Push { Queued, Full, Closed };
    Push push(const Message& message, bool bounded = true);
    std::optional<Message> pop();
    std::size_t size() const;
    bool has_room() const { return size() < kMaxPostedMessages; }
    void close();
    bool closed() const;

    int wake_descriptor() const { return m_wake.get(); }
    void wake() const;
    void clear_wake() const;

    std::thread::id owner() const { return m_owner; }
    // Only for the owner thread, and only while the mailbox is open.
    Window* window() const { return m_window; }

private:
    Window* m_window;
    std::thread::id m_owner;
    UniqueFd m_wake;  // an eventfd
    mutable std::mutex m_mutex;
    std::deque<Message> m_posted;
    bool m_closed { false };
};

std::shared_ptr<LocalMailbox> make_local_mailbox(Window* window);
void register_local_window(WindowHandle handle, std::shared_ptr<LocalMailbox> mailbox);
void unregister_local_window(WindowHandle handle);
std::shared_ptr<LocalMailbox> find_local_window(WindowHandle handle);
// True when a window of that thread has posted messages waiting in its queue.
bool any_queued_for_thread(std::thread::id owner);

}  // namespace zt::platform::detail
