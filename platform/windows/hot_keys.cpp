#include "platform/windows/hot_keys.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <filesystem>
#include <string>

#include "platform/base/device_root.h"
#include "platform/base/le_bytes.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/unique_fd.h"
#include "platform/windows/window_directory.h"

namespace zt::platform {
namespace {

namespace fs = std::filesystem;
using detail::UniqueFd;

constexpr std::uint32_t kFirstAppButton = 193;
constexpr std::uint32_t kLastAppButton = 207;
constexpr size_t kClaimBytes = 12;

std::uint32_t key_modifiers(std::uint32_t modifiers) { return modifiers & ~MOD_KEYUP; }

fs::path claim_folder() {
    const fs::path runtime = device_runtime_dir();
    if (runtime.empty()) return {};
    fs::path folder = runtime / "hotkeys";
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return {};
    struct stat st {};
    if (lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != geteuid() || (st.st_mode & 077) != 0)
        return {};
    return folder;
}

fs::path claim_file(const fs::path& folder, std::uint32_t modifiers, std::uint32_t key) {
    return folder / (std::to_string(key_modifiers(modifiers)) + "-" + std::to_string(key));
}

std::optional<HotKeyClaim> read_claim(const fs::path& file) {
    UniqueFd fd(open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    if (!fd.valid()) return std::nullopt;
    std::array<std::uint8_t, kClaimBytes + 1> bytes {};
    const ssize_t got = read(fd.get(), bytes.data(), bytes.size());
    if (got != static_cast<ssize_t>(kClaimBytes)) return std::nullopt;
    HotKeyClaim claim;
    claim.window = read_le32(bytes.data());
    claim.id = static_cast<std::int32_t>(read_le32(bytes.data() + 4));
    claim.modifiers = read_le32(bytes.data() + 8);
    return claim;
}

// A claim of a window that still exists; anything else (a dead owner, a damaged file) is free.
std::optional<HotKeyClaim> live_claim(const fs::path& file) {
    std::optional<HotKeyClaim> claim = read_claim(file);
    if (claim && claim->window != 0 && detail::read_live_window(claim->window)) return claim;
    return std::nullopt;
}

bool write_claim(const fs::path& file, const HotKeyClaim& claim) {
    std::array<std::uint8_t, kClaimBytes> bytes {};
    write_le32(bytes.data(), claim.window);
    write_le32(bytes.data() + 4, static_cast<std::uint32_t>(claim.id));
    write_le32(bytes.data() + 8, claim.modifiers);
    const fs::path temporary = file.string() + ".new" + std::to_string(getpid());
    {
        UniqueFd fd(open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600));
        if (!fd.valid()) return false;
        if (write(fd.get(), bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
            unlink(temporary.c_str());
            return false;
        }
    }
    if (rename(temporary.c_str(), file.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

// Every claim file of the folder with the key its name gives.
template <typename Visit>
void for_each_claim_file(const fs::path& folder, Visit visit) {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        const size_t dash = name.find('-');
        if (dash == std::string::npos || name.find('.') != std::string::npos) continue;
        visit(entry.path());
    }
}

}  // namespace

bool register_hot_key(WindowHandle window, std::int32_t id, std::uint32_t modifiers, std::uint32_t key) {
    const fs::path folder = claim_folder();
    if (folder.empty() || window == 0) return false;
    const fs::path file = claim_file(folder, modifiers, key);
    if (std::optional<HotKeyClaim> held = live_claim(file); held && held->window != window) return false;
    unregister_hot_key(window, id);
    return write_claim(file, HotKeyClaim { window, id, modifiers, key });
}

bool unregister_hot_key(WindowHandle window, std::int32_t id) {
    const fs::path folder = claim_folder();
    if (folder.empty()) return false;
    bool found = false;
    for_each_claim_file(folder, [&](const fs::path& file) {
        std::optional<HotKeyClaim> claim = read_claim(file);
        if (claim && claim->window == window && claim->id == id) {
            unlink(file.c_str());
            found = true;
        }
    });
    return found;
}

bool release_hot_key(std::uint32_t modifiers, std::uint32_t key) {
    const fs::path folder = claim_folder();
    if (folder.empty()) return false;
    const fs::path file = claim_file(folder, modifiers, key);
    return unlink(file.c_str()) == 0 || errno == ENOENT;
}

std::optional<HotKeyClaim> find_hot_key(std::uint32_t modifiers, std::uint32_t key) {
    const fs::path folder = claim_folder();
    if (folder.empty()) return std::nullopt;
    std::optional<HotKeyClaim> claim = live_claim(claim_file(folder, modifiers, key));
    if (claim) claim->key = key;
    return claim;
}

std::uint32_t hardware_key_modifiers(std::uint32_t key) {
    return key >= kFirstAppButton && key <= kLastAppButton ? MOD_WIN : 0;
}

bool route_hot_key(std::uint32_t key, bool released) {
    const std::uint32_t modifiers = hardware_key_modifiers(key);
    std::optional<HotKeyClaim> claim = find_hot_key(modifiers, key);
    if (!claim) return false;
    const bool hears_release = (claim->modifiers & MOD_KEYUP) != 0;
    if (released == hears_release) {
        const std::uint32_t lparam = (key << 16) | modifiers | (released ? MOD_KEYUP : 0);
        post_message(claim->window, WM_HOTKEY, static_cast<std::uint32_t>(claim->id), lparam);
    }
    return true;
}

}  // namespace zt::platform
