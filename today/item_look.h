#pragma once
// The device's look as the Today item takes it: the screen's resolution and the normal font's
// height for this device.
#include <cstdint>

namespace zt::today {

// The device's screen is wider than 400 pixels.
bool device_high_resolution();
int32_t device_normal_font_height();

}  // namespace zt::today
