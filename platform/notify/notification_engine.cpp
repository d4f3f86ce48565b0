#include "platform/notify/notification_engine.h"

#include <algorithm>

#include "platform/kernel/process.h"
#include "platform/notify/notification_record.h"
#include "platform/notify/registration_store.h"

namespace zt::platform::notify {

bool DeviceTargetLauncher::launch(const Trigger& trigger) {
    if (auto name = detail::named_event_of(trigger.application)) {
        auto found = m_events.find(*name);
        if (found == m_events.end()) {
            auto opened = Event::create_or_open(*name, ResetPolicy::Manual, false);
            if (!opened) return false;
            found = m_events.emplace(*name, std::move(opened->event)).first;
        }
        found->second.set();
        return true;
    }
    // The child is reaped by the kernel layer when it ends; nobody waits for it here.
    return Process::create(trigger.application, trigger.arguments).has_value();
}

NotificationEngine::TimeReport NotificationEngine::fire_due(FileTime now_local) {
    struct Due {
        FileTime start;
        Registration registration;
    };
    std::vector<Due> due;
    TimeReport report;
    for (auto& registration : list_user_notifications()) {
        if (registration.trigger.type != kTriggerTime) continue;
        auto start = system_time_to_file_time(registration.trigger.start);
        if (!start) continue;
        if (*start <= now_local) {
            due.push_back({ *start, std::move(registration) });
        } else if (!report.next_due_local || *start < *report.next_due_local) {
            report.next_due_local = *start;
        }
    }
    std::stable_sort(due.begin(), due.end(), [](const Due& a, const Due& b) { return a.start < b.start; });
    for (const auto& item : due) {
        // Removed first: a registration replaced meanwhile keeps its new time and is not fired
        // for its old one, and a store that cannot be written never makes the device fire the
        // same trigger over and over.
        if (!remove_fired_notification(item.registration)) continue;
        m_launcher.launch(item.registration.trigger);
        ++report.fired;
    }
    return report;
}

std::size_t NotificationEngine::fire_event(uint32_t event_number) {
    std::size_t fired = 0;
    for (const auto& registration : list_user_notifications()) {
        if (registration.trigger.type != kTriggerEvent || registration.trigger.event != event_number) continue;
        m_launcher.launch(registration.trigger);
        ++fired;
    }
    return fired;
}

}  // namespace zt::platform::notify
