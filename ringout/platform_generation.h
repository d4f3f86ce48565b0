#pragma once
// The platform generation: which generation of the handheld's system this is, 0..5, from its
// version V = major * 100 + minor (the minor first divided by 10 until it is at most 99).
// Below 4 the volume override goes through "ControlPanel\Volume"; from 4 the shell's
// notification overrides exist; from 2 the display can be powered on.
#include <cstdint>

namespace zt::ringout {

int platform_generation_of(uint32_t major, uint32_t minor);

// Of this device, from the device profile's platform version; computed once per process.
int platform_generation();

}  // namespace zt::ringout
