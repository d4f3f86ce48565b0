#pragma once
// The alarm thread's logic: what the service does when the alarm notice fires and when the
// device clock was changed.
#include "core/notification_device.h"
#include "core/time_store.h"
#include "service/service_device.h"

namespace zt::service {

class AlarmResponder {
public:
    static constexpr std::chrono::milliseconds kAfterRingoutStart { 5'000 };
    static constexpr std::chrono::milliseconds kAfterReschedule { 1'000 };

    AlarmResponder(ServiceDevice& device, zt::core::NotificationDevice& notifications, zt::core::CTimeStore& store)
        : m_device(device), m_notifications(notifications), m_store(store) {}

    // Starts Ringout in unattended mode (the display stays off while it starts) and holds the
    // mode 5 s. A missing Ringout is not reported: nothing rings.
    void on_alarm_notice();
    // Reloads every record and registers the next due time again. Returns the schedule's result.
    bool on_time_change();

private:
    ServiceDevice& m_device;
    zt::core::NotificationDevice& m_notifications;
    zt::core::CTimeStore& m_store;
};

}  // namespace zt::service
