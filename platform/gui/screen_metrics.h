#pragma once
// The device's screen as every program of the device sees it: the size and dots per inch of the
// device profile (HKEY_LOCAL_MACHINE "System\ZunDevice"). No Qt here, so that non-GUI programs
// (the service, tools) read the same metrics.
//
// Guarantees:
//  - read_screen_metrics() never fails: a missing or malformed profile reads as its defaults
//    (480 x 640).
//  - select_screen_size() only accepts one of kSelectableScreenSizes.
//  - rotate_screen() swaps width and height in the profile, then posts WM_SETTINGCHANGE to every
//    top-level window of the device (visible or not), the way the handheld announces a rotation.
//    A window that went away in between is skipped.
#include <array>
#include <cstdint>
#include <optional>

#include "platform/windows/message.h"

namespace zt::platform::gui {

// Programs that know the message from here keep finding it.
using zt::platform::WM_SETTINGCHANGE;

struct ScreenSize {
    int width { 480 };
    int height { 640 };
    bool operator==(const ScreenSize&) const = default;
};

// The sizes a device may be set to; the first is the default.
inline constexpr std::array<ScreenSize, 6> kSelectableScreenSizes { {
    { 480, 640 }, { 240, 320 }, { 320, 240 }, { 240, 240 }, { 480, 480 }, { 640, 480 },
} };

struct ScreenMetrics {
    int width { 480 };
    int height { 640 };
    int dpi { 192 };

    // The handheld's high-resolution test: wider than 400 pixels.
    bool high_resolution() const { return width > 400; }
    bool landscape() const { return width > height; }
    bool square() const { return width == height; }
    // A length given for 96 dots per inch, at this screen's dots per inch (rounded).
    int scaled(int length_at_96) const;
};

ScreenMetrics read_screen_metrics();

bool is_selectable_screen_size(ScreenSize size);
// False for a size that is not selectable or when the profile cannot be written.
bool select_screen_size(ScreenSize size);

struct RotationResult {
    ScreenSize size;             // the size now in effect
    std::size_t notified { 0 };  // windows WM_SETTINGCHANGE was posted to
};
// nullopt when the profile cannot be written (nothing is posted then).
std::optional<RotationResult> rotate_screen();

// Posts WM_SETTINGCHANGE (wparam 0, lparam 0) to every top-level window of the device; returns
// how many it reached.
std::size_t broadcast_setting_change();

}  // namespace zt::platform::gui
