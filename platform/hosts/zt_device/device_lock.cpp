#include "platform/hosts/zt_device/device_lock.h"

#include <fcntl.h>
#include <unistd.h>

#include <charconv>
#include <string>
#include <utility>

#include "platform/base/device_root.h"

namespace zt::platform::device {
namespace {

// Open-file-description locks: owned by the descriptor, not the process, and testable
// with F_OFD_GETLK without taking them.
flock whole_file(short type) {
    flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    return lock;
}

int open_lock_file(const char* file_name, int flags) {
    auto root = device_root();
    if (root.empty()) return -1;
    return ::open((root / file_name).c_str(), flags | O_CLOEXEC, 0600);
}

}  // namespace

std::optional<DeviceLock> DeviceLock::acquire(const char* file_name) {
    int fd = open_lock_file(file_name, O_RDWR | O_CREAT);
    if (fd < 0) return std::nullopt;
    flock lock = whole_file(F_WRLCK);
    if (fcntl(fd, F_OFD_SETLK, &lock) != 0) {
        ::close(fd);
        return std::nullopt;
    }
    std::string pid = std::to_string(getpid()) + "\n";
    if (ftruncate(fd, 0) != 0 || pwrite(fd, pid.data(), pid.size(), 0) != static_cast<ssize_t>(pid.size())) {
        // The lock is what counts; a missing pid only makes "status" less informative.
    }
    return DeviceLock(fd);
}

std::optional<int> DeviceLock::running_pid(const char* file_name) {
    int fd = open_lock_file(file_name, O_RDONLY);
    if (fd < 0) return std::nullopt;
    flock probe = whole_file(F_WRLCK);
    bool held = fcntl(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
    char text[32] {};
    ssize_t got = held ? pread(fd, text, sizeof text - 1, 0) : 0;
    ::close(fd);
    if (!held) return std::nullopt;
    int pid = 0;
    std::from_chars(text, text + (got > 0 ? got : 0), pid);
    return pid;
}

DeviceLock::DeviceLock(DeviceLock&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}

DeviceLock::~DeviceLock() {
    if (m_fd >= 0) ::close(m_fd);
}

}  // namespace zt::platform::device
