#pragma once
// The shell's theme as the device's programs read it: the theme colours and the user's text
// size. No Qt here; every value comes from the registry, so products and the device's own
// screens agree on them.
//
// Theme colours are 0x00BBGGRR numbers. Colour `index` is, in this order:
//   1. the DWORD value "<index>" (decimal, e.g. "6") of HKLM "SOFTWARE\Microsoft\Color";
//   2. entry `index` of that key's REG_BINARY "SHColor": up to kThemeColourCount
//      little-endian 4-byte colours (180 bytes); a shorter value holds only its whole entries;
//   3. the same entry of "DefSHColor".
// A value of another type or size at one step is passed over, so the next step decides.
//
// The text size stands in for the shell's UI metric of the user's text size: the DWORD
// "TextSize" of HKLM "System\ZunDevice" (the device profile), in pixels, 1..kMaxTextSize.
// Absent, of another type or size, 0 or too large: no text size, and products use their own
// default.
#include <cstdint>
#include <optional>

namespace zt::platform::gui {

inline constexpr char16_t kThemeColourKey[] = u"SOFTWARE\\Microsoft\\Color";
inline constexpr int kThemeColourCount = 45;

// The theme's colours the device's screens use, as indexes of the table.
inline constexpr int kThemeHighlight = 2;
inline constexpr int kThemeHighlightedText = 3;
inline constexpr int kThemeText = 6;

// nullopt when no step holds the colour (or the index is negative).
std::optional<uint32_t> shell_theme_colour(int index);

inline constexpr int32_t kMaxTextSize = 256;
std::optional<int32_t> ui_text_size_pixels();

}  // namespace zt::platform::gui
