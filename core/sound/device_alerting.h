#pragma once
// Device alerting while an item rings: the sound-settings override around each sound, the
// vibrator (a notification LED), keeping the display awake and powering it on.
//
// One CDeviceAlerting per process (instance()); it finds the vibrator and the activity event
// on first use and keeps them. Tests make their own so each sees its own device.
#include <cstdint>
#include <mutex>
#include <optional>

#include "platform/kernel/event.h"

namespace zt::sound {

// What one player overrode and must put back. Values that did not exist before read as
// kAbsent; on undo such a value is deleted again, so the sentinel never stays as a setting.
struct COverrideSaveArea {
    static constexpr uint32_t kAbsent = 0xDEF0;
    uint32_t saved_wave_volume { 0 };
    uint32_t saved_mode { 0 };
    uint32_t saved_mute { 0 };
    uint32_t saved_screen { 0 };
    uint32_t saved_key { 0 };
    bool applied { false };
};

class CDeviceAlerting {
public:
    static CDeviceAlerting& instance();

    // generation: the platform generation the override follows (the device's for
    // the process-wide instance).
    explicit CDeviceAlerting(int generation);

    // volume_mode: 0 normal (nothing overridden), 1 maximum, 2 ascending.
    void apply_override(COverrideSaveArea& area, uint32_t volume_mode);
    void undo_override(COverrideSaveArea& area, uint32_t volume_mode);

    bool has_vibrator();
    void vibrator_on();
    void vibrator_off();

    // Resets the idle timer so the device does not sleep; with `backlight` it also pulses the
    // activity event, which restarts the display and backlight time-outs.
    void keep_awake(bool backlight = true);
    void power_on_display();

    int generation() const { return m_generation; }

    CDeviceAlerting(const CDeviceAlerting&) = delete;
    CDeviceAlerting& operator=(const CDeviceAlerting&) = delete;

private:
    int vibrator_index();
    static int find_vibrator();
    void set_vibrator(int32_t on_off);

    int m_generation { 5 };
    std::once_flag m_vibrator_found;  // the wave player thread may ask first
    int m_vibrator { -1 };
    std::optional<zt::platform::Event> m_own_activity_event;
    std::optional<zt::platform::Event> m_named_activity_event;
    bool m_activity_found { false };
};

}  // namespace zt::sound
