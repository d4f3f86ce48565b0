#include "core/notification_schedule.h"

#include <array>
#include <cstdio>
#include <optional>

#include "contracts/registry_keys.h"
#include "contracts/service.h"
#include "core/time_math.h"
#include "core/time_store.h"
#include "platform/base/clock.h"
#include "platform/base/text.h"
#include "platform/kernel/named_mutex.h"

namespace zt::core {
namespace {

using zt::platform::NamedMutex;
using zt::platform::registry::Key;
using zt::platform::registry::Root;
using zt::platform::registry::Status;
using zt::platform::registry::ValueType;

// Holds one name's registration mutex for the length of a scope. When the mutex cannot be
// made at all the operation goes on unguarded: a missed alarm is worse than a rare race.
class RegistrationLock {
public:
    explicit RegistrationLock(std::u16string_view name) {
        if (auto opened = NamedMutex::create_or_open(registration_mutex_name(name))) {
            m_mutex.emplace(std::move(opened->mutex));
            const auto result = m_mutex->wait();
            m_held = result == NamedMutex::WaitResult::Acquired || result == NamedMutex::WaitResult::Abandoned;
        }
    }
    ~RegistrationLock() {
        if (m_held) m_mutex->release();
    }
    RegistrationLock(const RegistrationLock&) = delete;
    RegistrationLock& operator=(const RegistrationLock&) = delete;

private:
    std::optional<NamedMutex> m_mutex;
    bool m_held { false };
};

std::optional<Key> open_settings_key() {
    auto created = Key::create(Root::CurrentUser, contracts::kSettingsKeyPath);
    if (!created) return std::nullopt;
    return std::move(created->key);
}

// The stored handle: any value of exactly four bytes, read little-endian whatever its type.
std::optional<uint32_t> stored_handle(const Key& settings, std::u16string_view name) {
    std::array<uint8_t, 4> bytes {};
    ValueType type = ValueType::None;
    uint32_t size = bytes.size();
    if (settings.query_value(name, &type, bytes.data(), &size) != Status::Ok || size != bytes.size()) return std::nullopt;
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
}

}  // namespace

std::u16string registration_mutex_name(std::u16string_view name) {
    char tag[16];
    std::snprintf(tag, sizeof tag, " %08x", kRegistrationMutexTag);
    return std::u16string(name) + zt::platform::to_u16(tag);
}

std::u16string named_event_application(std::u16string_view name) {
    return u"\\\\.\\Notifications\\NamedEvents\\" + std::u16string(name);
}

bool CNotificationScheduler::register_at_time(const Key* settings, const SYSTEMTIME& local, std::u16string_view name) {
    NotificationTrigger trigger;
    trigger.type = NotificationTrigger::kTypeTime;
    trigger.start = local;
    trigger.end = add_milliseconds(local, 1'000);
    return register_trigger(settings, trigger, NotificationTrigger::kEventWakeup, name);
}

bool CNotificationScheduler::register_on_event(const Key* settings, uint32_t event, std::u16string_view name) {
    NotificationTrigger trigger;
    trigger.type = NotificationTrigger::kTypeEvent;
    return register_trigger(settings, trigger, event, name);
}

bool CNotificationScheduler::renew_on_event(const Key* settings, uint32_t event, std::u16string_view name) {
    if (!settings || !stored_handle(*settings, name)) return false;
    return register_on_event(settings, event, name);
}

bool CNotificationScheduler::register_trigger(const Key* settings, NotificationTrigger trigger, uint32_t event,
                                              std::u16string_view name) {
    if (!settings || name.empty() || name.front() == u'\0') return false;
    RegistrationLock lock(name);
    trigger.size = NotificationTrigger::kSize;
    trigger.event = event;
    trigger.application = named_event_application(name);
    const std::optional<uint32_t> handle = m_device.set_user_notification(trigger);
    if (!handle) return false;
    // A schedule clears before it registers, but another program's schedule may have
    // registered this name in between: overwriting its handle would leave that registration
    // where nobody can clear it, and the device would fire twice. One registration per name.
    if (const auto previous = stored_handle(*settings, name); previous && *previous != *handle) {
        m_device.clear_user_notification(*previous);
    }
    if (settings->set_dword(name, *handle) != Status::Ok) {
        m_device.clear_user_notification(*handle);
        return false;
    }
    return true;
}

bool CNotificationScheduler::clear(const Key* settings, std::u16string_view name) {
    if (!settings || name.empty()) return false;
    RegistrationLock lock(name);
    const std::optional<uint32_t> handle = stored_handle(*settings, name);
    if (!handle) return false;
    m_device.clear_user_notification(*handle);
    settings->delete_value(name);
    return true;
}

void CNotificationScheduler::clear_all() {
    std::optional<Key> settings = open_settings_key();
    const Key* key = settings ? &*settings : nullptr;
    clear(key, kOldTimerNotifyName);
    clear(key, contracts::kAlarmNotifyName);
    clear(key, contracts::kWakeupHelperNotifyName);
    if (key) key->flush();
}

bool CNotificationScheduler::schedule(const CTimeStore& store) {
    return schedule_due(earliest_due_item(store, zt::platform::local_time()));
}

bool CNotificationScheduler::schedule_due(const DueItem& due) {
    clear_all();
    if (!due.item) return true;
    SYSTEMTIME alarm_notice = add_milliseconds(due.occurrence, -kAlarmNoticeMs);
    SYSTEMTIME wakeup_notice = add_milliseconds(due.occurrence, -kWakeupNoticeMs);
    const SYSTEMTIME now = zt::platform::local_time();
    if (difference_ms(alarm_notice, now) < 0) alarm_notice = now;
    if (difference_ms(wakeup_notice, now) < 0) wakeup_notice = now;

    std::optional<Key> settings = open_settings_key();
    const Key* key = settings ? &*settings : nullptr;
    const bool registered = register_at_time(key, alarm_notice, contracts::kAlarmNotifyName);
    if (registered) register_at_time(key, wakeup_notice, contracts::kWakeupHelperNotifyName);
    if (key) key->flush();
    if (!registered) m_device.show_error(kScheduleFailureText);
    return registered;
}

bool schedule(const CTimeStore& store) {
    return CNotificationScheduler().schedule(store);
}

void install_reschedule_hook(CTimeStore& store, NotificationDevice& device) {
    store.set_reschedule_hook([&device](CTimeStore& changed) { CNotificationScheduler(device).schedule(changed); });
}

}  // namespace zt::core
