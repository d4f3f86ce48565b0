#pragma once
// The device's side of the user notifications: what the running device needs beside the
// calls programs make (user_notification.h).
#include <cstdint>
#include <filesystem>
#include <optional>

#include "platform/notify/user_notification.h"

namespace zt::platform::notify {

std::optional<Registration> find_user_notification(Handle handle);
// Removes a registration that has fired, unless it was replaced meanwhile (a program may
// re-register the same handle between the firing and this call): then it stays and fires
// at its new time. False when nothing was removed.
bool remove_fired_notification(const Registration& fired);

// The file whose change tells the running device that registrations changed. Every
// set and clear rewrites it; the device watches the root folder for it.
inline constexpr const char* kChangeFileName = "notify_changes";
// How often registrations were changed since the device root was made (0 when never).
uint64_t notification_change_count();

}  // namespace zt::platform::notify
