#pragma once
// The firing half of user notifications, as the running device drives it. The engine owns no
// timer and reads no clock of its own: the caller says what time it is and when an event
// happened, which keeps it testable with an injected clock and leaves waking up to the host.
#include <cstddef>
#include <map>
#include <optional>
#include <string>

#include "platform/base/system_time.h"
#include "platform/kernel/event.h"
#include "platform/notify/user_notification.h"

namespace zt::platform::notify {

// What firing a registration does.
class TargetLauncher {
public:
    virtual ~TargetLauncher() = default;
    // False when the target could not be reached (no such program, an event name in use by
    // a mutex). A failed firing is not retried: the platform fires each time trigger once.
    virtual bool launch(const Trigger& trigger) = 0;
};

// The device's own launcher: sets the named event (manual reset, created when missing) or
// starts the program with the arguments as its command line.
class DeviceTargetLauncher final : public TargetLauncher {
public:
    bool launch(const Trigger& trigger) override;

private:
    // Events it has set stay open for the life of the launcher, so a set event is still set
    // for a program that opens it a moment later (a named event dies with its last handle).
    std::map<std::u16string, Event> m_events;
};

class NotificationEngine {
public:
    explicit NotificationEngine(TargetLauncher& launcher) : m_launcher(launcher) {}

    struct TimeReport {
        std::size_t fired { 0 };
        // The earliest start of the time registrations still waiting, as a local file time.
        std::optional<FileTime> next_due_local;
    };
    // Fires every time registration whose start is at or before now_local (a local file
    // time), earliest first, and removes each one it fired. Registrations that started while
    // the device was not running are due too.
    TimeReport fire_due(FileTime now_local);

    // Fires every event registration for this event number; they stay registered.
    std::size_t fire_event(uint32_t event_number);

private:
    TargetLauncher& m_launcher;
};

}  // namespace zt::platform::notify
