#include "platform/windows/window_lookup.h"

#include <algorithm>
#include <functional>

#include "platform/base/text.h"
#include "platform/windows/window_directory.h"

namespace zt::platform {
namespace {

std::vector<WindowInfo> windows_where(const std::function<bool(const WindowInfo&)>& wanted) {
    std::vector<WindowInfo> all = list_windows();
    std::erase_if(all, [&](const WindowInfo& w) { return !wanted(w); });
    return all;
}

std::optional<WindowInfo> front_most_where(const std::function<bool(const WindowInfo&)>& wanted) {
    for (WindowInfo& window : list_windows()) {
        if (wanted(window)) return std::move(window);
    }
    return std::nullopt;
}

}  // namespace

std::vector<WindowInfo> list_windows() {
    std::vector<WindowInfo> windows = detail::scan_live_windows();
    std::sort(windows.begin(), windows.end(), [](const WindowInfo& a, const WindowInfo& b) {
        return a.z_order != b.z_order ? a.z_order > b.z_order : a.handle < b.handle;
    });
    return windows;
}

std::optional<WindowInfo> window_info(WindowHandle window) { return detail::read_live_window(window); }

bool is_window(WindowHandle window) { return window_info(window).has_value(); }

std::optional<WindowInfo> find_window(std::optional<std::u16string_view> class_name,
                                      std::optional<std::u16string_view> title) {
    return front_most_where([&](const WindowInfo& w) {
        return (!class_name || equal_ignoring_case(w.class_name, *class_name)) &&
               (!title || equal_ignoring_case(w.title, *title));
    });
}

std::vector<WindowInfo> find_windows_by_class_prefix(std::u16string_view prefix) {
    return windows_where([&](const WindowInfo& w) { return starts_with_ignoring_case(w.class_name, prefix); });
}

std::vector<WindowInfo> windows_of_process(int process_id) {
    return windows_where([&](const WindowInfo& w) { return w.process_id == process_id; });
}

std::optional<WindowInfo> foreground_window() {
    return front_most_where([](const WindowInfo& w) { return w.visible; });
}

std::optional<WindowInfo> window_from_point(Point point) {
    return front_most_where([&](const WindowInfo& w) { return w.visible && w.rect.contains(point); });
}

}  // namespace zt::platform
