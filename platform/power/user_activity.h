#pragma once
// The user-activity event: the device's GUI programs set it on every input, and programs that
// time idleness (the screen saver of the background service) wait on it.
#include <string_view>

namespace zt::platform {

inline constexpr std::u16string_view kUserActivityEventName = u"PowerManager/UserActivity_Active";

// Sets the named event (manual reset; created when missing). The event is kept open for the
// life of the process, so the signal is not lost when no waiter has it open at that moment.
// False when the event cannot be made (the name is held by a mutex, no runtime folder).
bool signal_user_activity();

}  // namespace zt::platform
