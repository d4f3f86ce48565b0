#pragma once
// Where the device's windows are published, and how a dead owner's window disappears.
//
// Each window is three files in <device_runtime_dir>/win (mode 0700), named by its handle in
// eight hex digits:
//   <h>.lock  the owner holds a shared open-file-description lock on it for the window's life.
//             The kernel drops that lock the moment the owner dies, so a lock nobody holds is a
//             dead window: lookups skip it at once and remove its files.
//   <h>.rec   the record (window_record.h), always replaced whole by rename.
//   <h>.sock  the window's message socket.
// A handle is claimed by linking an already locked file to <h>.lock, which fails when the name
// exists; so a window is never visible unlocked, and two windows never share a handle.
// The lock is held by an open file description: a process forked without exec shares it, and
// the window then lives on while either process does. Programs started through the device exec.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "platform/windows/unique_fd.h"
#include "platform/windows/window_info.h"

namespace zt::platform::detail {

// <device_runtime_dir>/win, made on first use. Empty when there is no usable runtime folder.
std::filesystem::path window_folder();
std::filesystem::path window_socket_path(const std::filesystem::path& folder, WindowHandle handle);

// The owner's side: a claimed handle and the files published under it.
class WindowPublication {
public:
    static std::optional<WindowPublication> claim();

    WindowHandle handle() const { return m_handle; }
    std::filesystem::path socket_path() const { return window_socket_path(m_folder, m_handle); }
    const std::filesystem::path& folder() const { return m_folder; }
    // Replaces the record as one step: readers see the old record or the new, never a mix.
    bool write_record(const WindowInfo& info) const;
    // Removes the window's files and gives up the handle. Safe to call twice.
    void withdraw();

    WindowPublication(WindowPublication&& other) noexcept;
    WindowPublication& operator=(WindowPublication&& other) noexcept;
    WindowPublication(const WindowPublication&) = delete;
    WindowPublication& operator=(const WindowPublication&) = delete;
    ~WindowPublication() { withdraw(); }

private:
    WindowPublication(std::filesystem::path folder, WindowHandle handle, UniqueFd lock, int owner)
        : m_folder(std::move(folder)), m_handle(handle), m_lock(std::move(lock)), m_owner(owner) {}

    std::filesystem::path m_folder;
    WindowHandle m_handle { 0 };
    UniqueFd m_lock;
    int m_owner { 0 };  // the process that published it; a forked copy never withdraws it
};

// Every live window with a complete record, handles filled in, in no particular order.
// Files of windows whose owner died are removed on the way.
std::vector<WindowInfo> scan_live_windows();
// One live window; nullopt when it does not exist (or its owner died).
std::optional<WindowInfo> read_live_window(WindowHandle handle);

// A device-wide counter for front-to-back order: each call returns a larger number.
std::uint64_t next_z_order(const std::filesystem::path& folder);

}  // namespace zt::platform::detail
