#pragma once
// The notification-LED driver (the platform's NLedGetDeviceInfo / NLedSetDevice). LED 0 is
// the notification light. A device whose profile says "Vibrator" = 1 has a second LED, 1,
// which is the vibrator: the driver marks it, as the handheld's drivers do, with a negative
// cycle adjustment. The state of every LED is kept in the device's runtime folder, so any
// process of the device (a test, a status tool) can read whether the vibrator runs.
#include <cstdint>
#include <optional>

namespace zt::platform::alert {

struct LedSupports {
    uint32_t led { 0 };
    int32_t cycle_adjust { 0 };  // negative: the LED is a vibrator
    bool adjust_total_cycle_time { false };
    bool adjust_on_time { false };
    bool adjust_off_time { false };
    bool meta_cycle_on { false };
    bool meta_cycle_off { false };
};

enum class LedState : int32_t { Off = 0, On = 1, Blink = 2 };

// NLED_COUNT_INFO_ID. nullopt when the driver cannot answer (no device root).
std::optional<uint32_t> led_count();
// NLED_SUPPORTS_INFO_ID; nullopt for an LED the device does not have.
std::optional<LedSupports> led_supports(uint32_t led);
// NLED_SETTINGS_INFO_ID with only the LED number and on/off/blink set. False for an LED the
// device does not have, a state outside 0..2, or a state that cannot be recorded.
bool led_set(uint32_t led, int32_t on_off_blink);
// What the LED was last set to (Off when never set); nullopt for an LED the device lacks.
std::optional<LedState> led_state(uint32_t led);

}  // namespace zt::platform::alert
