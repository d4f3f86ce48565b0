#include "platform/alert/led_driver.h"

#include <string>

#include "platform/alert/runtime_record.h"
#include "platform/profile/device_profile.h"

namespace zt::platform::alert {
namespace {

constexpr int32_t kLightCycleAdjust = 1000;   // the light's blink cycle moves in 1 ms steps
constexpr int32_t kVibratorCycleAdjust = -1;  // the drivers' mark of a vibrator

std::string record_name(uint32_t led) { return "nled-" + std::to_string(led); }

}  // namespace

std::optional<uint32_t> led_count() {
    if (runtime_record_dir().empty()) return std::nullopt;
    return read_device_profile().vibrator ? 2u : 1u;
}

std::optional<LedSupports> led_supports(uint32_t led) {
    const auto count = led_count();
    if (!count || led >= *count) return std::nullopt;
    LedSupports supports;
    supports.led = led;
    if (led == 1) {
        supports.cycle_adjust = kVibratorCycleAdjust;
    } else {
        supports.cycle_adjust = kLightCycleAdjust;
        supports.adjust_total_cycle_time = true;
        supports.adjust_on_time = true;
        supports.adjust_off_time = true;
    }
    return supports;
}

bool led_set(uint32_t led, int32_t on_off_blink) {
    const auto count = led_count();
    if (!count || led >= *count || on_off_blink < 0 || on_off_blink > 2) return false;
    return write_runtime_record(record_name(led), std::to_string(on_off_blink));
}

std::optional<LedState> led_state(uint32_t led) {
    const auto count = led_count();
    if (!count || led >= *count) return std::nullopt;
    const auto text = read_runtime_record(record_name(led));
    if (text == "1") return LedState::On;
    if (text == "2") return LedState::Blink;
    return LedState::Off;
}

}  // namespace zt::platform::alert
