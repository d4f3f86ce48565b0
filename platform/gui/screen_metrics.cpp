#include "platform/gui/screen_metrics.h"

#include <algorithm>

#include "platform/profile/device_profile.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/window_lookup.h"

namespace zt::platform::gui {

int ScreenMetrics::scaled(int length_at_96) const {
    // Rounded half away from zero, so negative offsets scale like positive ones.
    const long long product = static_cast<long long>(length_at_96) * dpi;
    return static_cast<int>(product >= 0 ? (product + 48) / 96 : (product - 48) / 96);
}

ScreenMetrics read_screen_metrics() {
    const DeviceProfile profile = read_device_profile();
    return ScreenMetrics { static_cast<int>(profile.screen_width), static_cast<int>(profile.screen_height),
                           static_cast<int>(profile.dpi) };
}

bool is_selectable_screen_size(ScreenSize size) {
    return std::find(kSelectableScreenSizes.begin(), kSelectableScreenSizes.end(), size) != kSelectableScreenSizes.end();
}

bool select_screen_size(ScreenSize size) {
    if (!is_selectable_screen_size(size)) return false;
    return write_screen_size(static_cast<uint32_t>(size.width), static_cast<uint32_t>(size.height));
}

std::optional<RotationResult> rotate_screen() {
    const ScreenMetrics now = read_screen_metrics();
    const ScreenSize turned { now.height, now.width };
    if (!write_screen_size(static_cast<uint32_t>(turned.width), static_cast<uint32_t>(turned.height))) return std::nullopt;
    return RotationResult { turned, broadcast_setting_change() };
}

std::size_t broadcast_setting_change() {
    std::size_t reached = 0;
    for (const WindowInfo& window : list_windows()) {
        if (post_message(window.handle, WM_SETTINGCHANGE, 0, 0) == DeliveryStatus::Delivered) ++reached;
    }
    return reached;
}

}  // namespace zt::platform::gui
