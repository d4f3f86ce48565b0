#include "ringout/platform_generation.h"

#include "platform/profile/device_profile.h"

namespace zt::ringout {

int platform_generation_of(uint32_t major, uint32_t minor) {
    while (minor > 99) minor /= 10;
    const uint64_t v = uint64_t(major) * 100 + minor;
    if (v < 300) return 0;
    if (v < 400) return 1;
    if (v <= 420) return 2;
    if (v < 500) return 3;
    if (v <= 501) return 4;
    return 5;
}

int platform_generation() {
    static const int generation = [] {
        const auto profile = zt::platform::read_device_profile();
        return platform_generation_of(profile.version_major, profile.version_minor);
    }();
    return generation;
}

}  // namespace zt::ringout
