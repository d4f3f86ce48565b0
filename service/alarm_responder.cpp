#include "service/alarm_responder.h"

#include "contracts/ringout.h"
#include "core/notification_schedule.h"

namespace zt::service {
namespace {

// Unattended mode exists from platform 4.0 on (major * 100 + minor).
constexpr uint32_t kUnattendedModeMinVersion = 400;

}  // namespace

void AlarmResponder::on_alarm_notice() {
    const bool unattended = m_device.platform_version() >= kUnattendedModeMinVersion;
    if (unattended) m_device.set_unattended_mode(true);
    if (const auto ringout = m_device.start_watched_process(contracts::kRingoutPath, u"")) m_ringouts.push_back(*ringout);
    m_device.sleep(kAfterRingoutStart);
    if (unattended) m_device.set_unattended_mode(false);
}

bool AlarmResponder::on_time_change() {
    const bool scheduled = reschedule();
    m_device.sleep(kAfterReschedule);
    return scheduled;
}

bool AlarmResponder::reschedule() {
    m_store.reload_all();
    return zt::core::CNotificationScheduler(m_notifications).schedule(m_store);
}

std::optional<std::chrono::milliseconds> AlarmResponder::watch_interval() const {
    if (m_ringouts.empty()) return std::nullopt;
    return kRingoutWatchInterval;
}

bool AlarmResponder::check_ringouts() {
    bool abnormal_end = false;
    std::erase_if(m_ringouts, [&](int ringout) {
        const std::optional<uint32_t> exit = m_device.watched_exit(ringout);
        if (!exit) return false;
        if (*exit != contracts::device_exit_code(contracts::kRingoutDone) &&
            *exit != contracts::device_exit_code(contracts::kRingoutGaveWay)) abnormal_end = true;
        return true;
    });
    if (!abnormal_end) return false;
    reschedule();
    return true;
}

}  // namespace zt::service
