#include "service/alarm_responder.h"

#include "core/notification_schedule.h"
#include "service/service_names.h"

namespace zt::service {

void AlarmResponder::on_alarm_notice() {
    const bool unattended = m_device.platform_version() >= kUnattendedModeMinVersion;
    if (unattended) m_device.set_unattended_mode(true);
    m_device.start_process(kRingoutPath, u"");
    m_device.sleep(kAfterRingoutStart);
    if (unattended) m_device.set_unattended_mode(false);
}

bool AlarmResponder::on_time_change() {
    m_store.reload_all();
    const bool scheduled = zt::core::CNotificationScheduler(m_notifications).schedule(m_store);
    m_device.sleep(kAfterReschedule);
    return scheduled;
}

}  // namespace zt::service
