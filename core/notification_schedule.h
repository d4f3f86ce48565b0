#pragma once
// Notification scheduling: the earliest due alarm or timer is handed to the device's user
// notifications, which wake the device and set a named event at that time. Every program that
// changes records schedules again; the handles live as REG_DWORD values of the Settings key,
// named like the notification, so that any program can clear what another registered.
//
// Each registration and clearing of one name holds that name's registration mutex, so the
// read-register-write and read-clear-delete steps of one name are atomic across processes.
// A whole schedule is not: two programs scheduling at once may interleave, the last wins; a
// registration replaces the one whose handle is stored under its name, so at most one
// registration of each name is left.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/notification_device.h"
#include "core/schedule.h"
#include "platform/registry/registry.h"

namespace zt::core {

class CTimeStore;

inline constexpr char16_t kOldTimerNotifyName[] = u"TimerNotify";                // older versions: only cleared
inline constexpr int64_t kAlarmNoticeMs = 30'000;
inline constexpr int64_t kWakeupNoticeMs = 5'000;
inline constexpr uint32_t kRegistrationMutexTag = 0xABCD1234;
inline constexpr char16_t kScheduleFailureText[] = u"Unable to set the alarm/timer to the specified time!";

// "<name> abcd1234".
std::u16string registration_mutex_name(std::u16string_view name);
// "\\.\Notifications\NamedEvents\<name>": the device sets that named event instead of
// starting a program.
std::u16string named_event_application(std::u16string_view name);

class CNotificationScheduler {
public:
    using Key = zt::platform::registry::Key;

    explicit CNotificationScheduler(NotificationDevice& device = device_notifications()) : m_device(device) {}

    // A time trigger from `local` to one second later.
    bool register_at_time(const Key* settings, const SYSTEMTIME& local, std::u16string_view name);
    // An event trigger (1 = time change).
    bool register_on_event(const Key* settings, uint32_t event, std::u16string_view name);
    // Registers the event trigger again, but only when a registration is stored under the name:
    // the installation made it, and the device may have lost it (a repaired notification
    // volume) while the handle stayed in the registry. Without a stored one nothing is made,
    // so an uninstalled product is never registered behind the user's back.
    bool renew_on_event(const Key* settings, uint32_t event, std::u16string_view name);
    // Completes the trigger (size, event, application) and registers it. True only when the
    // device gave a handle and it was stored. The registration whose handle was stored under
    // the name before is cleared. A handle that cannot be stored is cleared again at once, so
    // no registration is left that nobody could find.
    bool register_trigger(const Key* settings, NotificationTrigger trigger, uint32_t event, std::u16string_view name);
    // Clears the registration whose handle is stored under the name and deletes the value.
    // False when there is no 4-byte value of that name (its type is not examined). A stale
    // handle the device no longer knows still has its value deleted.
    bool clear(const Key* settings, std::u16string_view name);
    // Clears "TimerNotify", "ZunAlarmNotify" and "ZunWakeupHelperNotify".
    void clear_all();

    // Registers the store's earliest due item from the current local time. True when it was
    // registered or nothing is due; false (after the failure message) when the device
    // refused the alarm notice.
    bool schedule(const CTimeStore& store);
    // The same for an already chosen item and due time.
    bool schedule_due(const DueItem& due);

private:
    NotificationDevice& m_device;
};

// Schedules the store with the device's notifications.
bool schedule(const CTimeStore& store);
// Makes the store schedule itself after changes it makes on its own (filling timer slots).
// Every program calls this once for its store. The device must outlive the store.
void install_reschedule_hook(CTimeStore& store, NotificationDevice& device = device_notifications());

}  // namespace zt::core
