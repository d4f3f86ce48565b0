#pragma once
// The alarm thread's logic: what the service does when the alarm notice fires and when the
// device clock was changed.
#include <chrono>
#include <optional>
#include <vector>

#include "core/notification_device.h"
#include "core/time_store.h"
#include "service/service_device.h"

namespace zt::service {

// The registration that starts Ringout is used up when it fires, and only Ringout's own end
// registers the next due item. So the service registers it itself whenever no Ringout will:
// when the service starts (the device was down, or a Ringout died with it) and when a Ringout
// it started ends otherwise than by its own end (killed, crashed).
class AlarmResponder {
public:
    static constexpr std::chrono::milliseconds kAfterRingoutStart { 5'000 };
    static constexpr std::chrono::milliseconds kAfterReschedule { 1'000 };
    static constexpr std::chrono::milliseconds kRingoutWatchInterval { 1'000 };

    AlarmResponder(ServiceDevice& device, zt::core::NotificationDevice& notifications, zt::core::CTimeStore& store)
        : m_device(device), m_notifications(notifications), m_store(store) {}

    // Starts Ringout in unattended mode (the display stays off while it starts) and holds the
    // mode 5 s. A missing Ringout is not reported: nothing rings. A started one is watched.
    void on_alarm_notice();
    // Reloads every record and registers the next due time again, then pauses 1 s. Returns the
    // schedule's result.
    bool on_time_change();
    // Reloads every record and registers the next due time. Returns the schedule's result.
    bool reschedule();

    // How long the alarm thread may wait before check_ringouts is due: no limit while no
    // started Ringout runs.
    std::optional<std::chrono::milliseconds> watch_interval() const;
    // Forgets the started Ringouts that ended; when one of them ended abnormally, reschedules
    // (once). True when it rescheduled.
    bool check_ringouts();

private:
    ServiceDevice& m_device;
    zt::core::NotificationDevice& m_notifications;
    zt::core::CTimeStore& m_store;
    std::vector<int> m_ringouts;  // watched ids of the Ringouts started and not seen ending
};

}  // namespace zt::service
