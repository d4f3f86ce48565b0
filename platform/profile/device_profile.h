#pragma once
// The device profile: what kind of handheld this device root stands in for. Every process of
// a device reads it alike from the registry, key HKEY_LOCAL_MACHINE "System\ZunDevice":
//
//   "ScreenWidth"      REG_DWORD  screen width in pixels, 1..8192          default 480
//   "ScreenHeight"     REG_DWORD  screen height in pixels, 1..8192         default 640
//   "Dpi"              REG_DWORD  dots per inch, 1..1200                   default 192 when the
//                                                                          width is above 400, else 96
//   "PlatformVersion"  REG_SZ     "<major>.<minor>", digits only, each     default "5.02"
//                                 0..65535 (minor "02" is 2)
//   "Vibrator"         REG_DWORD  0 none, 1 the device has a vibrator      default 0
//   "ACPower"          REG_DWORD  absent: no override (the host's power    default absent
//                                 supply decides); 0 on battery; 1 on AC
//
// A value that is absent, of another type, of another size or out of range reads as its
// default; the profile is never refused. The "Dpi" default follows the width in effect.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zt::platform {

// Other facilities of the device keep their own values under the same key (the text size).
inline constexpr char16_t kDeviceProfileKey[] = u"System\\ZunDevice";

struct DeviceProfile {
    uint32_t screen_width { 480 };
    uint32_t screen_height { 640 };
    uint32_t dpi { 192 };
    std::u16string platform_version { u"5.02" };
    uint32_t version_major { 5 };
    uint32_t version_minor { 2 };
    bool vibrator { false };
    std::optional<bool> ac_power;  // nullopt: no override
};

DeviceProfile read_device_profile();

// Setters for tests and setup tools; false when the registry cannot be written. A value
// outside its range is refused (false) rather than stored.
bool write_screen_size(uint32_t width, uint32_t height);
bool write_dpi(uint32_t dpi);
bool write_platform_version(std::u16string_view version);
bool write_vibrator(bool present);
bool write_ac_power(std::optional<bool> on_ac);  // nullopt removes the override
// Removes every profile value, so the defaults apply again.
bool reset_device_profile();

// "<major>.<minor>" as the profile accepts it; nullopt for anything else.
struct PlatformVersion {
    uint32_t major { 0 };
    uint32_t minor { 0 };
};
std::optional<PlatformVersion> parse_platform_version(std::u16string_view text);

}  // namespace zt::platform
