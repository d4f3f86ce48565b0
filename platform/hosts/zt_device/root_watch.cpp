#include "platform/hosts/zt_device/root_watch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cstring>
#include <string_view>
#include <utility>

#include "platform/notify/registration_store.h"

namespace zt::platform::device {

std::optional<RootWatch> RootWatch::create(const std::filesystem::path& root) {
    int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0) return std::nullopt;
    // The clock file is replaced by rename (IN_MOVED_TO); the change file is rewritten in
    // place (IN_CLOSE_WRITE).
    if (inotify_add_watch(fd, root.c_str(), IN_MOVED_TO | IN_CLOSE_WRITE) < 0) {
        ::close(fd);
        return std::nullopt;
    }
    return RootWatch(fd);
}

RootWatch::Seen RootWatch::consume() {
    Seen seen;
    alignas(inotify_event) char buffer[8192];
    while (true) {
        ssize_t got = read(m_fd, buffer, sizeof buffer);
        if (got <= 0) break;
        for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= got;) {
            inotify_event event;
            std::memcpy(&event, buffer + at, sizeof event);
            std::string_view name(buffer + at + sizeof event, strnlen(buffer + at + sizeof event, event.len));
            if (event.mask & IN_Q_OVERFLOW) seen.clock_file = seen.registrations = true;
            if (name == "device_clock") seen.clock_file = true;
            if (name == notify::kChangeFileName) seen.registrations = true;
            at += static_cast<ssize_t>(sizeof event + event.len);
        }
    }
    return seen;
}

RootWatch::RootWatch(RootWatch&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}

RootWatch::~RootWatch() {
    if (m_fd >= 0) ::close(m_fd);
}

}  // namespace zt::platform::device
