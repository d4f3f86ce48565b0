#include "platform/windows/connection_cache.h"

#include <pthread.h>

#include <unordered_map>

#include "platform/windows/window_directory.h"

namespace zt::platform::detail {
namespace {

// Windows come and go; beyond this many targets the cache starts over.
constexpr std::size_t kMaxCachedConnections = 64;

struct Cache {
    std::mutex mutex;
    std::unordered_map<WindowHandle, std::shared_ptr<PostConnection>> by_window;
};

Cache* g_cache = nullptr;

void lock_for_fork() { g_cache->mutex.lock(); }
void unlock_after_fork() { g_cache->mutex.unlock(); }
// The child must not write into its parent's streams. The old table is left behind, since
// another thread of the parent may have been writing on one of its connections.
void forget_after_fork() {
    for (auto& [window, connection] : g_cache->by_window) connection->fd.reset();
    g_cache = new Cache;
}

Cache& cache() {
    static bool ready = [] {
        g_cache = new Cache;
        pthread_atfork(lock_for_fork, unlock_after_fork, forget_after_fork);
        return true;
    }();
    (void)ready;
    return *g_cache;
}

}  // namespace

CachedConnection post_connection(WindowHandle window, const Deadline& deadline) {
    Cache& c = cache();
    {
        std::lock_guard lock(c.mutex);
        if (auto it = c.by_window.find(window); it != c.by_window.end()) {
            it->second->reused = true;
            return { ConnectStatus::Connected, it->second };
        }
    }
    auto folder = window_folder();
    if (folder.empty()) return {};
    Connection fresh = connect_to(window_socket_path(folder, window), deadline);
    if (fresh.status != ConnectStatus::Connected) return { fresh.status, nullptr };
    auto connection = std::make_shared<PostConnection>();
    connection->fd = std::move(fresh.fd);
    std::lock_guard lock(c.mutex);
    // Another thread may have connected meanwhile: keep the first, so one order holds.
    auto [it, added] = c.by_window.emplace(window, connection);
    if (!added) return { ConnectStatus::Connected, it->second };
    if (c.by_window.size() > kMaxCachedConnections) {
        c.by_window.clear();
        c.by_window.emplace(window, connection);
    }
    return { ConnectStatus::Connected, connection };
}

void forget_post_connection(WindowHandle window, const std::shared_ptr<PostConnection>& connection) {
    Cache& c = cache();
    std::lock_guard lock(c.mutex);
    auto it = c.by_window.find(window);
    if (it != c.by_window.end() && it->second == connection) c.by_window.erase(it);
}

}  // namespace zt::platform::detail
