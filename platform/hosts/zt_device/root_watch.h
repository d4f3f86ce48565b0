#pragma once
// Watches the device root for the two files whose change the running device must act on:
// "device_clock" (the device clock moved) and "notify_changes" (registrations changed).
#include <filesystem>
#include <optional>

namespace zt::platform::device {

class RootWatch {
public:
    static std::optional<RootWatch> create(const std::filesystem::path& root);
    int fd() const { return m_fd; }

    struct Seen {
        bool clock_file { false };
        bool registrations { false };
    };
    // Drains what inotify has queued (non-blocking).
    Seen consume();

    RootWatch(RootWatch&& other) noexcept;
    RootWatch& operator=(RootWatch&&) = delete;
    RootWatch(const RootWatch&) = delete;
    RootWatch& operator=(const RootWatch&) = delete;
    ~RootWatch();

private:
    explicit RootWatch(int fd) : m_fd(fd) {}
    int m_fd { -1 };
};

}  // namespace zt::platform::device
