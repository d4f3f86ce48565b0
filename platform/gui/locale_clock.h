#pragma once
// The user's locale time format, as the handheld's locale reports its time indicator:
// "0" for a 12-hour clock, "1" for a 24-hour clock.
//
// Taken from the user's Qt system locale (a short time format with an AM/PM mark, or an "h"
// hour without any "H", is 12-hour). ZT_CLOCK_HOURS=12 or 24 in the environment overrides it
// for every process of a device (integration tests, people who want the other clock); a
// process-local override set here wins over both.
#include <optional>
#include <string>

namespace zt::platform::gui {

std::u16string locale_time_indicator();

// Hours and minutes in the user's short time format, in the form locale_time_indicator() names:
// a 12-hour format is used for "0", a 24-hour one for "1".
std::u16string format_locale_time(int hour, int minute);

// nullopt removes the override.
void set_locale_time_indicator_override(std::optional<std::u16string> indicator);

}  // namespace zt::platform::gui
