#pragma once
// One running device per root: the running device holds a lock on "zt-device.lock" in the
// root for as long as it runs (the lock ends with the process, however it ends) and writes
// its process id into the file for others to read. The device's other one-per-root programs
// (the Today screen) hold a lock file of their own the same way.
#include <optional>

#include "platform/base/state_files.h"

namespace zt::platform::device {

class DeviceLock {
public:
    // nullopt when another process holds it (or the file cannot be made).
    static std::optional<DeviceLock> acquire(const char* file_name = kDeviceLockFileName);
    // The pid of the device running for this root, or nullopt when none runs. Never takes
    // the lock, so asking cannot keep a device from starting.
    static std::optional<int> running_pid(const char* file_name = kDeviceLockFileName);

    DeviceLock(DeviceLock&& other) noexcept;
    DeviceLock& operator=(DeviceLock&&) = delete;
    DeviceLock(const DeviceLock&) = delete;
    DeviceLock& operator=(const DeviceLock&) = delete;
    ~DeviceLock();

private:
    explicit DeviceLock(int fd) : m_fd(fd) {}
    int m_fd { -1 };
};

}  // namespace zt::platform::device
