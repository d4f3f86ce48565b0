#include "platform/windows/local_mailbox.h"

#include <pthread.h>
#include <sys/eventfd.h>

#include <cstdint>
#include <unordered_map>

namespace zt::platform::detail {
namespace {

struct LocalTable {
    std::mutex mutex;
    std::unordered_map<WindowHandle, std::shared_ptr<LocalMailbox>> windows;
};

LocalTable* g_table = nullptr;

void lock_for_fork() { g_table->mutex.lock(); }
void unlock_after_fork() { g_table->mutex.unlock(); }
// A forked child owns none of its parent's windows: its posts must travel to the parent.
// The parent's table is left behind (never freed) as another thread may have held entries.
void forget_after_fork() { g_table = new LocalTable; }

LocalTable& table() {
    // Never destroyed: windows may close from static destructors of other modules at exit.
    static bool ready = [] {
        g_table = new LocalTable;
        pthread_atfork(lock_for_fork, unlock_after_fork, forget_after_fork);
        return true;
    }();
    (void)ready;
    return *g_table;
}

}  // namespace

LocalMailbox::Push LocalMailbox::push(const Message& message, bool bounded) {
    {
        std::lock_guard lock(m_mutex);
        if (m_closed) return Push::Closed;
        if (bounded && m_posted.size() >= kMaxPostedMessages) return Push::Full;
        m_posted.push_back(message);
    }
    wake();
    return Push::Queued;
}

std::optional<Message> LocalMailbox::pop() {
    std::lock_guard lock(m_mutex);
    if (m_posted.empty()) return std::nullopt;
    Message message = m_posted.front();
    m_posted.pop_front();
    return message;
}

std::size_t LocalMailbox::size() const {
    std::lock_guard lock(m_mutex);
    return m_posted.size();
}

void LocalMailbox::close() {
    std::lock_guard lock(m_mutex);
    m_closed = true;
    m_posted.clear();
}

bool LocalMailbox::closed() const {
    std::lock_guard lock(m_mutex);
    return m_closed;
}

void LocalMailbox::wake() const {
    std::uint64_t one = 1;
    // Can only fail when the counter is about to overflow, and then it is readable anyway.
    (void)!write(m_wake.get(), &one, sizeof one);
}

void LocalMailbox::clear_wake() const {
    std::uint64_t count = 0;
    (void)!read(m_wake.get(), &count, sizeof count);
}

std::shared_ptr<LocalMailbox> make_local_mailbox(Window* window) {
    UniqueFd wake(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
    if (!wake.valid()) return nullptr;
    return std::make_shared<LocalMailbox>(window, std::this_thread::get_id(), std::move(wake));
}

void register_local_window(WindowHandle handle, std::shared_ptr<LocalMailbox> mailbox) {
    LocalTable& t = table();
    std::lock_guard lock(t.mutex);
    t.windows[handle] = std::move(mailbox);
}

void unregister_local_window(WindowHandle handle) {
    LocalTable& t = table();
    std::lock_guard lock(t.mutex);
    t.windows.erase(handle);
}

std::shared_ptr<LocalMailbox> find_local_window(WindowHandle handle) {
    LocalTable& t = table();
    std::lock_guard lock(t.mutex);
    auto it = t.windows.find(handle);
    return it == t.windows.end() ? nullptr : it->second;
}

bool any_queued_for_thread(std::thread::id owner) {
    LocalTable& t = table();
    std::lock_guard lock(t.mutex);
    for (const auto& [handle, mailbox] : t.windows) {
        if (mailbox->owner() == owner && mailbox->size() > 0) return true;
    }
    return false;
}

}  // namespace zt::platform::detail
