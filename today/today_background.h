#pragma once
// The Today screen's background picture, as the Today options page shows it behind the preview:
// the user's "Watermark" of HKEY_CURRENT_USER "SOFTWARE\Microsoft\Today" (a file in
// "\windows\", used as it is), else the shell's own background images tried in the shell's
// order and laid on a square of side max(screen width, screen height), else an empty 20 x 20
// picture laid the same way.
#include <cstdint>
#include <optional>

#include "skins/picture.h"

namespace zt::today {

inline constexpr char16_t kTodayKeyPath[] = u"SOFTWARE\\Microsoft\\Today";

// The square: the picture copied to its top-left corner when it is taller than 320 pixels or
// the screen is neither 480 nor 640 wide, else stretched there to double size; when that is
// narrower than the screen it is repeated once to its right. Nullopt only when memory runs out.
std::optional<skins::CPicture> lay_today_background(const skins::CPicture& picture, int32_t screen_width,
                                                    int32_t screen_height);

// Never fails for want of files (the empty picture stands in); nullopt only when memory runs out.
std::optional<skins::CPicture> today_background(int32_t screen_width, int32_t screen_height);

}  // namespace zt::today
