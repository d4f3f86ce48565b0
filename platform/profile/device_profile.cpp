#include "platform/profile/device_profile.h"

#include <array>

#include "platform/registry/registry.h"

namespace zt::platform {
namespace {
using registry::Key;
using registry::Root;
using registry::Status;

constexpr std::u16string_view kProfileKey = kDeviceProfileKey;
constexpr std::u16string_view kScreenWidth = u"ScreenWidth";
constexpr std::u16string_view kScreenHeight = u"ScreenHeight";
constexpr std::u16string_view kDpi = u"Dpi";
constexpr std::u16string_view kPlatformVersion = u"PlatformVersion";
constexpr std::u16string_view kVibrator = u"Vibrator";
constexpr std::u16string_view kACPower = u"ACPower";

constexpr uint32_t kMaxScreenSide = 8192;
constexpr uint32_t kMaxDpi = 1200;
constexpr uint32_t kWideScreen = 400;  // wider screens are the high-resolution models

std::optional<uint32_t> dword_in(const Key& key, std::u16string_view name, uint32_t low, uint32_t high) {
    auto value = key.get_dword(name);
    if (!value || *value < low || *value > high) return std::nullopt;
    return value;
}

std::optional<uint32_t> parse_number(std::u16string_view digits) {
    if (digits.empty() || digits.size() > 5) return std::nullopt;
    uint32_t number = 0;
    for (char16_t c : digits) {
        if (c < u'0' || c > u'9') return std::nullopt;
        number = number * 10 + static_cast<uint32_t>(c - u'0');
    }
    if (number > 0xFFFF) return std::nullopt;
    return number;
}

template <typename Write>
bool with_profile_key(Write write) {
    auto created = Key::create(Root::LocalMachine, kProfileKey);
    return created && write(created->key) == Status::Ok;
}

}  // namespace

std::optional<PlatformVersion> parse_platform_version(std::u16string_view text) {
    auto dot = text.find(u'.');
    if (dot == std::u16string_view::npos) return std::nullopt;
    auto major = parse_number(text.substr(0, dot));
    auto minor = parse_number(text.substr(dot + 1));
    if (!major || !minor) return std::nullopt;
    return PlatformVersion { *major, *minor };
}

DeviceProfile read_device_profile() {
    DeviceProfile profile;
    auto key = Key::open(Root::LocalMachine, kProfileKey);
    if (!key) return profile;
    profile.screen_width = dword_in(*key, kScreenWidth, 1, kMaxScreenSide).value_or(profile.screen_width);
    profile.screen_height = dword_in(*key, kScreenHeight, 1, kMaxScreenSide).value_or(profile.screen_height);
    profile.dpi = dword_in(*key, kDpi, 1, kMaxDpi).value_or(profile.screen_width > kWideScreen ? 192u : 96u);
    if (auto text = key->get_string(kPlatformVersion)) {
        if (auto version = parse_platform_version(*text)) {
            profile.platform_version = *text;
            profile.version_major = version->major;
            profile.version_minor = version->minor;
        }
    }
    profile.vibrator = dword_in(*key, kVibrator, 0, 1).value_or(0) == 1;
    if (auto ac = dword_in(*key, kACPower, 0, 1)) profile.ac_power = *ac == 1;
    return profile;
}

bool write_screen_size(uint32_t width, uint32_t height) {
    if (width == 0 || height == 0 || width > kMaxScreenSide || height > kMaxScreenSide) return false;
    return with_profile_key([&](const Key& key) {
        Status status = key.set_dword(kScreenWidth, width);
        return status == Status::Ok ? key.set_dword(kScreenHeight, height) : status;
    });
}

bool write_dpi(uint32_t dpi) {
    if (dpi == 0 || dpi > kMaxDpi) return false;
    return with_profile_key([&](const Key& key) { return key.set_dword(kDpi, dpi); });
}

bool write_platform_version(std::u16string_view version) {
    if (!parse_platform_version(version)) return false;
    return with_profile_key([&](const Key& key) { return key.set_string(kPlatformVersion, version); });
}

bool write_vibrator(bool present) {
    return with_profile_key([&](const Key& key) { return key.set_dword(kVibrator, present ? 1 : 0); });
}

bool write_ac_power(std::optional<bool> on_ac) {
    return with_profile_key([&](const Key& key) {
        if (on_ac) return key.set_dword(kACPower, *on_ac ? 1 : 0);
        Status status = key.delete_value(kACPower);
        return status == Status::NotFound ? Status::Ok : status;
    });
}

bool reset_device_profile() {
    auto key = Key::open(Root::LocalMachine, kProfileKey);
    if (!key) return true;
    const std::array names { kScreenWidth, kScreenHeight, kDpi, kPlatformVersion, kVibrator, kACPower };
    bool ok = true;
    for (auto name : names) {
        Status status = key->delete_value(name);
        ok = ok && (status == Status::Ok || status == Status::NotFound);
    }
    return ok;
}

}  // namespace zt::platform
