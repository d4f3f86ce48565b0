#pragma once
// The device's own state: the files it keeps at the top level of the device root, how they
// are created, and how a damaged one is moved out of the way without being lost.
//
// Guarantees:
//  - Every state file is made with mode 0600 whatever the mode of the root folder, so a
//    root that a person made 0755 never exposes the registry or the registrations.
//  - A file moved aside keeps its bytes and its SQLite companions; nothing is deleted.
#include <filesystem>
#include <optional>
#include <string_view>

namespace zt::platform {

// Names of the device's state at the top level of the root. Only the device writes these;
// companions ("-wal", "-shm", "-journal"), temporary files and moved-aside copies begin with
// the same names.
inline constexpr const char* kRegistryFileName = "registry.db";
inline constexpr const char* kRegistryLockName = "registry.lock";
inline constexpr const char* kNotifyVolumeFileName = "mxip_notify.vol";
inline constexpr const char* kNotifyLockName = "notify.lock";
inline constexpr const char* kNotifyChangeFileName = "notify_changes";
inline constexpr const char* kDeviceClockFileName = "device_clock";
inline constexpr const char* kDeviceLockFileName = "zt-device.lock";
inline constexpr const char* kTodayLockFileName = "zt-today.lock";
inline constexpr const char* kDockLockFileName = "zt-dock.lock";
inline constexpr const char* kRuntimePointerFileName = "runtime_folder";

// True when a top-level name of the root belongs to the device's state (compared without
// regard to case, as device paths are): such a name is never a program's or a package's.
bool is_device_state_name(std::u16string_view top_level_name);

// Makes the file, empty and 0600, when it is missing; an existing file is left as it is.
// A link in its place is never followed. False when the file neither exists nor can be made.
bool create_private_file(const std::filesystem::path& file);

// A non-empty file that cannot be an SQLite database: shorter than its header, or another
// header. SQLite would take such a short file for an empty database and write over it.
bool has_foreign_sqlite_header(const std::filesystem::path& file);

// An exclusive lock on one of the root's lock files, held from construction (which waits for
// it) to destruction; the lock ends with the process, however it ends.
class StateFileLock {
public:
    explicit StateFileLock(const std::filesystem::path& file);
    ~StateFileLock();
    StateFileLock(const StateFileLock&) = delete;
    StateFileLock& operator=(const StateFileLock&) = delete;
    // False when the lock file could not be made or locked (errno tells why).
    bool held() const { return m_fd >= 0; }

private:
    int m_fd { -1 };
};

// Renames the file to "<file>.bad-<YYYYmmdd-HHMMSS>-<pid>[-n]" (never over an existing name),
// with its "-wal", "-shm" and "-journal" companions. The new path, or nullopt (errno tells why).
std::optional<std::filesystem::path> move_aside(const std::filesystem::path& file);

}  // namespace zt::platform
