#include "today/item_look.h"

#include "platform/gui/screen_metrics.h"
#include "platform/profile/device_profile.h"
#include "platform/profile/platform_generation.h"
#include "today/today_view.h"

namespace zt::today {

bool device_high_resolution() { return platform::read_device_profile().screen_width > 400; }

int32_t device_normal_font_height() {
    return normal_font_height(platform::platform_generation(platform::read_device_profile()),
                              platform::gui::read_screen_metrics().dpi);
}

}  // namespace zt::today
