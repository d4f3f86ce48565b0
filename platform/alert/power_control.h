#pragma once
// What keeps a device lit and awake while something rings: the idle timer, the activity
// event, the backlight event and the display's power.
#include <cstdint>
#include <string_view>

namespace zt::platform::alert {

// The event a program pulses when the backlight should come back on; the ringing program
// makes it itself when the device names no activity event.
inline constexpr std::u16string_view kBackLightChangeEventName = u"BackLightChangeEvent";

// The platform's SystemIdleTimerReset: the device counts the resets (any process), and the
// reset counts as user activity (the user-activity event is set).
void system_idle_timer_reset();
uint64_t idle_timer_resets();

// Names the device's user-activity event under HKEY_LOCAL_MACHINE "System\GWE"
// "ActivityEvent", where programs look it up. The device does this when it starts; false when
// the registry cannot be written.
bool register_activity_event();

// The platform's SetSystemPowerState(NULL, POWER_STATE_ON, POWER_FORCE): the display comes
// on. The device counts the requests (any process) and takes them as user activity.
void request_display_power_on();
uint64_t display_power_on_requests();

}  // namespace zt::platform::alert
