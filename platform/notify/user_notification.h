#pragma once
// User notifications: the device fires a registration at a local time or on a device event,
// either by setting a named event or by starting a program. Registrations live in the
// database volume "mxip_notify.vol" of the device root (database "DB_notify_events"), so
// they survive every process, including the running device (zt-device), which fires them.
//
// Guarantees:
//  - A handle is never 0 and never reused for a later registration of the same device.
//  - Setting or clearing wakes the running device at once, so it re-arms for the change.
//  - A time registration is removed once it has fired; an event registration stays until
//    it is cleared.
//  - Time triggers are local wall-clock times of the device (the host clock plus the device
//    clock offset): moving the device clock moves the moment they fire.
//  - Registrations whose record was damaged on disk are left out of every answer.
//  - A volume file damaged beyond reading is moved aside (with a message on stderr) by the next
//    set or clear, which then works on a new volume; the registrations it held are lost, and
//    the running device restarts its services so that they register again.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/system_time.h"

namespace zt::platform::notify {

inline constexpr uint32_t kTriggerEvent = 1;      // the platform's CNT_EVENT
inline constexpr uint32_t kTriggerTime = 2;       // CNT_TIME
inline constexpr uint32_t kEventTimeChange = 1;   // NOTIFICATION_EVENT_TIME_CHANGE
inline constexpr uint32_t kEventWakeup = 11;      // the event word the product puts in time triggers
inline constexpr std::u16string_view kNamedEventPrefix = u"\\\\.\\Notifications\\NamedEvents\\";

// The platform's CE_NOTIFICATION_TRIGGER; its two text pointers become strings.
struct Trigger {
    uint32_t size = 52;          // must be 52, else the registration is refused
    uint32_t type = 0;           // kTriggerTime or kTriggerEvent
    uint32_t event = 0;          // event triggers: the event number (1 = time change)
    std::u16string application;  // kNamedEventPrefix + name (sets that named event), or a device path of a program
    std::u16string arguments;    // command line for a program target
    SYSTEMTIME start {};         // time triggers: local time to fire
    SYSTEMTIME end {};
    friend bool operator==(const Trigger&, const Trigger&) = default;
};

using Handle = uint32_t;  // never 0

// existing == 0 registers anew; a live existing handle is replaced in place. nullopt on failure
// (bad size/type, invalid start time, empty application, storage failure, or an existing
// handle that names no registration).
std::optional<Handle> set_user_notification(Handle existing, const Trigger& trigger);
bool clear_user_notification(Handle handle);  // false for an unknown handle

struct Registration {
    Handle handle;
    Trigger trigger;
};
// In the order the registrations were first made.
std::vector<Registration> list_user_notifications();

}  // namespace zt::platform::notify
