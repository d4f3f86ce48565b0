#pragma once
// The device's key codes (the handheld's virtual keys) and key messages. No Qt here, so that
// tools name keys the way programs receive them.
#include <cstdint>

namespace zt::platform::gui {

inline constexpr std::uint32_t WM_KEYDOWN = 0x0100;
inline constexpr std::uint32_t WM_KEYUP = 0x0101;

// The hardware keys: the d-pad, the action key and the four application buttons.
inline constexpr std::uint32_t VK_RETURN = 0x0D;
inline constexpr std::uint32_t VK_LEFT = 0x25;
inline constexpr std::uint32_t VK_UP = 0x26;
inline constexpr std::uint32_t VK_RIGHT = 0x27;
inline constexpr std::uint32_t VK_DOWN = 0x28;
inline constexpr std::uint32_t VK_APP1 = 193;
inline constexpr std::uint32_t VK_APP2 = 194;
inline constexpr std::uint32_t VK_APP3 = 195;
inline constexpr std::uint32_t VK_APP4 = 196;

// Keys of an attached keyboard (or the input panel): "0".."9" and "A".."Z" are their
// characters' codes.
inline constexpr std::uint32_t VK_BACK = 0x08;
inline constexpr std::uint32_t VK_TAB = 0x09;
inline constexpr std::uint32_t VK_ESCAPE = 0x1B;
inline constexpr std::uint32_t VK_SPACE = 0x20;
inline constexpr std::uint32_t VK_PRIOR = 0x21;
inline constexpr std::uint32_t VK_NEXT = 0x22;
inline constexpr std::uint32_t VK_END = 0x23;
inline constexpr std::uint32_t VK_HOME = 0x24;
inline constexpr std::uint32_t VK_DELETE = 0x2E;

}  // namespace zt::platform::gui
