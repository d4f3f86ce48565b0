#pragma once
// The device's side of the user notifications: what the running device and its tools need
// beside the calls programs make (user_notification.h).
//
// A damaged volume is not kept in the way: setting or clearing a registration, and the
// device at its start, move a volume file that can never be read ("mxip_notify.vol.bad-…")
// aside with a message on stderr, and registrations start afresh in a new one. A volume that
// only cannot be read just now (busy, permissions) is never moved. Handles of the new volume
// start after every handle the device gave out before, so a handle a program kept from the
// lost volume never names a new registration.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/base/state_files.h"
#include "platform/notify/user_notification.h"

namespace zt::platform::notify {

std::optional<Registration> find_user_notification(Handle handle);
// Removes a registration that has fired, unless it was replaced meanwhile (a program may
// re-register the same handle between the firing and this call): then it stays and fires
// at its new time. False when nothing was removed.
bool remove_fired_notification(const Registration& fired);

// Every registration, or nullopt with *problem (when given) saying why the volume cannot be
// read. No volume yet is an empty list. Reading never repairs: a damaged volume is reported
// and left for the device or the next registration to move aside.
std::optional<std::vector<Registration>> read_user_notifications(std::string* problem = nullptr);

enum class VolumeState { Ready, Missing, Repaired, Unreadable };
struct VolumeReport {
    VolumeState state { VolumeState::Unreadable };
    std::string problem;  // for Unreadable
};
// The device's look at its volume when it starts: a damaged one is moved aside (saying so on
// stderr) and an empty one made in its place (Repaired).
VolumeReport prepare_notification_volume();

// The file that holds the registrations now (device and inode numbers), nullopt when there
// is none. When it changes from one file to another, the registrations made before are gone.
std::optional<std::pair<uint64_t, uint64_t>> notification_volume_identity();

// The file whose change tells the running device that registrations changed. Every
// set and clear rewrites it; the device watches the root folder for it.
inline constexpr const char* kChangeFileName = kNotifyChangeFileName;
// How often registrations were changed since the device root was made (0 when never).
uint64_t notification_change_count();

}  // namespace zt::platform::notify
