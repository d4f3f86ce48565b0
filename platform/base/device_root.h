#pragma once
// The device root is the one host folder that holds everything of one device: its file
// system, registry, notification volume and clock offset. Tests make a fresh one each.
#include <filesystem>
#include <optional>
#include <string>

namespace zt::platform {

// ZT_ROOT when set, else $XDG_DATA_HOME/zuntime/device (else ~/.local/share/zuntime/device).
// Created with mode 0700 on first use. The answer is canonical (absolute, symlinks resolved),
// so two spellings of one folder name the same device. Empty when the folder cannot be made.
std::filesystem::path device_root();

// Overrides the root for this process (and, through ZT_ROOT, for the processes it starts).
// Used by hosts that take --root and by tests.
bool set_device_root(const std::filesystem::path& root);

// A folder private to this user and this device root for the live objects of a running
// device (named kernel objects, window sockets). It is short enough for Unix socket paths:
// $XDG_RUNTIME_DIR (else /tmp) / zt-<uid>-<hash of the canonical root>. Created 0700; a
// folder of that name owned by someone else or open to others is refused (empty result).
std::filesystem::path device_runtime_dir();

// Makes a folder (and its parents) with mode 0700 when missing. False when it cannot.
bool make_private_dir(const std::filesystem::path& dir);

}  // namespace zt::platform
