#pragma once
// Opening the registry file of a device root: recognising it, creating an empty one, and
// moving aside a file that is not a registry.
#include <sqlite3.h>

#include <filesystem>

#include "platform/base/state_files.h"

namespace zt::platform::registry::detail {

// kRegistryFileName is the registry; kRegistryLockName serialises first-time set-up and moving
// aside between the processes of one root (both in state_files.h).

// A ready connection (WAL, busy timeout set) or nullptr with the reason on stderr. A new
// registry file is made 0600.
// A foreign file is renamed to "registry.db.bad-<time>-<pid>[-n]" (with its -wal and -shm
// files) and replaced by an empty registry. A registry of a newer format is left alone and
// not opened.
sqlite3* open_registry(const std::filesystem::path& root);

}  // namespace zt::platform::registry::detail
