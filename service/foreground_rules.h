#pragma once
// Whether the window in front keeps the screen saver away.
#include <string>
#include <string_view>
#include <vector>

#include "service/service_device.h"

namespace zt::service {

// The file name part of a path: after the later of its last "\" and "/".
std::u16string_view executable_file_name(std::u16string_view path);

// The texts of the values of "ScreenSaverDisabling" (any value type but REG_SZ is skipped,
// empty texts too). Value names do not matter.
std::vector<std::u16string> screen_saver_disabling_names();

// The window at the centre of the screen blocks the screen saver when its program is Ringout;
// never when it is the main program ("AppPath"); else when the window is visible and covers
// the whole screen; else when the program's file name is listed in "ScreenSaverDisabling".
// Comparisons ignore case. No window there, or no known program path, does not block.
bool foreground_blocks_screen_saver(ServiceDevice& device, std::u16string_view main_program);

}  // namespace zt::service
