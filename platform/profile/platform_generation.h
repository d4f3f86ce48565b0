#pragma once
// The handheld system's version as one number, and the generation of the system it falls in.
// Programs switch behaviour on these (which volume settings exist, whether the display can be
// powered on, which image decoder to expect).
#include <cstdint>

#include "platform/profile/device_profile.h"

namespace zt::platform {

// V = major * 100 + minor, the minor first divided by 10 until it is at most 99, so "4.2100"
// is 421 like "4.21".
uint32_t platform_version_number(uint32_t major, uint32_t minor);
uint32_t platform_version_number(const DeviceProfile& profile);

// By V: below 300 -> 0, 300..399 -> 1, 400..420 -> 2, 421..499 -> 3, 500..501 -> 4, from 502 -> 5.
int platform_generation(uint32_t version_number);
int platform_generation(const DeviceProfile& profile);

}  // namespace zt::platform
