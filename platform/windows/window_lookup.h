#pragma once
// Finding the device's top-level windows from any of its processes.
//
// Guarantees:
//  - Every answer reflects the windows alive at the moment of the call: a window whose owner
//    died is never returned, however it ended.
//  - Lists are in front-to-back order; where one window is asked for, the front-most match wins.
//  - Class names and titles are compared without regard to case, as the handheld does.
//  - Only the device's own windows exist here: the host's desktop windows are unknown.
#include <optional>
#include <string_view>
#include <vector>

#include "platform/windows/window_info.h"

namespace zt::platform {

std::vector<WindowInfo> list_windows();
std::optional<WindowInfo> window_info(WindowHandle window);
bool is_window(WindowHandle window);

// Either part may be left out (nullopt matches any); both left out finds the front-most window.
std::optional<WindowInfo> find_window(std::optional<std::u16string_view> class_name,
                                      std::optional<std::u16string_view> title = std::nullopt);
std::vector<WindowInfo> find_windows_by_class_prefix(std::u16string_view prefix);
std::vector<WindowInfo> windows_of_process(int process_id);

// The front-most visible window; nullopt when no window is visible.
std::optional<WindowInfo> foreground_window();
// The front-most visible window whose rectangle holds the point.
std::optional<WindowInfo> window_from_point(Point point);

}  // namespace zt::platform
