#include "platform/profile/platform_generation.h"

namespace zt::platform {

uint32_t platform_version_number(uint32_t major, uint32_t minor) {
    while (minor > 99) minor /= 10;
    // A major beyond any real system saturates rather than wraps into an old generation.
    const uint64_t number = uint64_t { major } * 100 + minor;
    return number > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(number);
}

uint32_t platform_version_number(const DeviceProfile& profile) {
    return platform_version_number(profile.version_major, profile.version_minor);
}

int platform_generation(uint32_t version_number) {
    if (version_number < 300) return 0;
    if (version_number < 400) return 1;
    if (version_number <= 420) return 2;
    if (version_number < 500) return 3;
    if (version_number <= 501) return 4;
    return 5;
}

int platform_generation(const DeviceProfile& profile) { return platform_generation(platform_version_number(profile)); }

}  // namespace zt::platform
