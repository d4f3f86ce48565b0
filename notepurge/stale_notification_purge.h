#pragma once
// Removes the notifications an earlier version of the product left behind: registrations that
// start "\windows\zuntimenotify.exe" instead of setting a named event.
#include <string_view>

namespace zt::notepurge {

inline constexpr char16_t kNotificationVolume[] = u"mxip_notify.vol";
inline constexpr char16_t kNotificationDatabase[] = u"DB_notify_events";
inline constexpr char16_t kStaleApplication[] = u"\\windows\\zuntimenotify.exe";
inline constexpr uint16_t kApplicationProperty = 1;

// Visits every record of the notification database once and deletes those whose application
// text equals the stale path ignoring case. Returns how many were deleted; a missing volume or
// database deletes nothing (0). Unreadable records are skipped. A record changed by another
// process between reading and deleting is kept.
int purge_stale_notifications();

}  // namespace zt::notepurge
