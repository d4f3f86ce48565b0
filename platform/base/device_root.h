#pragma once
// The device root is the one host folder that holds everything of one device: its file
// system, registry, notification volume and clock offset. Tests make a fresh one each.
#include <cstddef>
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
// device (named kernel objects, window sockets), short enough that every socket in it fits a
// Unix socket address:
//  - $XDG_RUNTIME_DIR/zt-<uid>-<hash of the canonical root> when that variable names a
//    private folder of this user and the path is short enough;
//  - else a folder with an unpredictable name, zt-<uid>-<hash>-XXXXXX, made in $TMPDIR (else
//    /tmp) and recorded in the device root ("runtime_folder"), so that every process of the
//    device finds the same one and no other user can take its place beforehand.
// Made 0700; a folder owned by someone else, open to others or reached through a link is never
// used. Empty when no folder can be had; the reasons are then written to stderr, once per
// process and root.
std::filesystem::path device_runtime_dir();

// Room kept for the longest socket name the device makes inside the runtime folder
// ("win/<8 hex digits>.sock").
inline constexpr std::size_t kRuntimeSocketNameRoom = 28;

// Makes a folder (and its parents) with mode 0700 when missing. False when it cannot.
bool make_private_dir(const std::filesystem::path& dir);

}  // namespace zt::platform
