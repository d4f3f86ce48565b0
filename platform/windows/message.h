#pragma once
// Window messages as the device carries them: a number and two 32-bit words, plus a byte
// payload for WM_COPYDATA.
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/windows/window_info.h"

namespace zt::platform {

// The message numbers the device itself gives a meaning to. Programs may use any other
// number; the device carries it untouched and a window that does not handle it ignores it.
inline constexpr std::uint32_t WM_DESTROY = 0x0002;
inline constexpr std::uint32_t WM_ENABLE = 0x000A;  // wparam 0: disable
inline constexpr std::uint32_t WM_CLOSE = 0x0010;
inline constexpr std::uint32_t WM_QUIT = 0x0012;
// Also known as WM_WININICHANGE; wparam says what changed.
inline constexpr std::uint32_t WM_SETTINGCHANGE = 0x001A;
inline constexpr std::uint32_t WM_COPYDATA = 0x004A;
inline constexpr std::uint32_t WM_COMMAND = 0x0111;  // wparam: the command identifier
inline constexpr std::uint32_t WM_USER = 0x0400;

inline constexpr std::size_t kMaxCopyDataBytes = 64 * 1024;

// The COPYDATASTRUCT of a WM_COPYDATA message. The bytes belong to the sender: they are valid
// only while the receiving procedure handles the message, so a receiver copies what it keeps.
struct CopyData {
    std::uint32_t data_word { 0 };
    std::span<const std::uint8_t> bytes;
};

struct Message {
    WindowHandle window { 0 };  // the window it was sent or posted to
    std::uint32_t number { 0 };
    std::uint32_t wparam { 0 };  // for WM_COPYDATA: the sending window, or 0
    std::uint32_t lparam { 0 };
    CopyData copy_data;          // for WM_COPYDATA only
};

}  // namespace zt::platform
