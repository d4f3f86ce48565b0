#pragma once
// The device's hot keys: a window claims a key (with modifiers) for itself, and the key then goes
// to that window as WM_HOTKEY whichever program is in front. The handheld's shell holds the
// application buttons this way; a program that wants them releases the shell's claim first
// (release_hot_key, the shell's "unregister" entry point) and registers its own.
//
// Claims are device-wide files in <device_runtime_dir>/hotkeys, one per key and modifier set,
// holding the owner window, the caller's identifier and the modifiers. A claim whose window has
// gone counts as free, so a program that died leaves no key captured.
//
// WM_HOTKEY: wparam the identifier, lparam the modifiers (low word, with MOD_KEYUP on a release)
// and the key code (high word). A claim with MOD_KEYUP hears the release; one without, the press.
#include <cstdint>
#include <optional>

#include "platform/windows/window_info.h"

namespace zt::platform {

inline constexpr std::uint32_t WM_HOTKEY = 0x0312;
inline constexpr std::uint32_t MOD_WIN = 0x0008;
inline constexpr std::uint32_t MOD_KEYUP = 0x1000;

struct HotKeyClaim {
    WindowHandle window { 0 };
    std::int32_t id { 0 };
    std::uint32_t modifiers { 0 };
    std::uint32_t key { 0 };
};

// Claims the key with the modifiers (MOD_KEYUP aside, they name the key) for the window; a
// claim the window held under the same identifier is given up first. False when another live
// window holds the key, the window is 0 or the device has no runtime folder.
bool register_hot_key(WindowHandle window, std::int32_t id, std::uint32_t modifiers, std::uint32_t key);
// Gives up the window's claims under that identifier; false when it had none.
bool unregister_hot_key(WindowHandle window, std::int32_t id);
// Frees the key from whoever holds it; true when it is free now.
bool release_hot_key(std::uint32_t modifiers, std::uint32_t key);
// The live claim on the key with exactly these modifiers (MOD_KEYUP ignored).
std::optional<HotKeyClaim> find_hot_key(std::uint32_t modifiers, std::uint32_t key);

// The modifiers a hardware key comes with: the application buttons (193-207) are the shell's
// keys and carry MOD_WIN, every other key none.
std::uint32_t hardware_key_modifiers(std::uint32_t key);
// Hands a hardware key's press or release to the window that claimed it. True when the key is
// claimed (it then belongs to the claim, whether or not this event was the one it hears).
bool route_hot_key(std::uint32_t key, bool released);

}  // namespace zt::platform
