#pragma once
// Opening the registry file of a device root: recognising it, creating an empty one, and
// moving aside a file that is not a registry.
#include <sqlite3.h>

#include <filesystem>

namespace zt::platform::registry::detail {

inline constexpr const char* kRegistryFileName = "registry.db";
// Serialises first-time set-up and moving aside between the processes of one root.
inline constexpr const char* kRegistryLockName = "registry.lock";

// A ready connection (WAL, busy timeout set) or nullptr with the reason on stderr.
// A foreign file is renamed to "registry.db.bad-<time>-<pid>[-n]" (with its -wal and -shm
// files) and replaced by an empty registry. A registry of a newer format is left alone and
// not opened.
sqlite3* open_registry(const std::filesystem::path& root);

}  // namespace zt::platform::registry::detail
