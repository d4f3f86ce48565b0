#include "tools/zt_alarm/alarm_commands.h"

#include <memory>

#include "contracts/item_command.h"
#include "core/alarm.h"
#include "core/record_storage.h"
#include "core/store_lock.h"
#include "core/timer.h"
#include "platform/registry/registry.h"
#include "tools/zt_alarm/record_listing.h"

namespace zt::tools {
namespace {

using zt::core::CAlarm;
using zt::core::CTimeStore;
using zt::core::CTimer;
using zt::platform::SYSTEMTIME;

constexpr char16_t kDefaultAlarmName[] = u"Alarm";

struct Change {
    int32_t id { 0 };
    contracts::ItemCommand command { contracts::ItemCommand::Change };
    uint16_t argument { 0 };
};

AlarmOutcome not_found(const char* what, int32_t id) {
    return { 1, {}, "zt-alarm: no " + std::string(what) + " with id " + std::to_string(id) + "\n" };
}

AlarmOutcome failure(const char* text) { return { 2, {}, "zt-alarm: " + std::string(text) + "\n" }; }

// The records' save answers true whatever the registry did; a tool must not report a
// change the registry never took.
bool stored(zt::core::CTimeItem& item) { return item.save() && item.last_save_stored(); }

// Without a registry every key reads as missing: "no records" would be a lie.
bool registry_answers() {
    namespace registry = zt::platform::registry;
    return registry::Key::open(registry::Root::CurrentUser, u"").has_value();
}

void apply_edits(const AlarmRequest& request, CAlarm& alarm, const SYSTEMTIME& now) {
    if (request.time) {
        const SYSTEMTIME before = alarm.alarm_time;
        alarm.alarm_time.wHour = request.time->hour;
        alarm.alarm_time.wMinute = request.time->minute;
        alarm.alarm_time.wSecond = request.time->second;
        alarm.alarm_time.wMilliseconds = 0;
        // A snooze belonged to the old time, as in the alarm editor.
        if (before.wHour != alarm.alarm_time.wHour || before.wMinute != alarm.alarm_time.wMinute ||
            before.wSecond != alarm.alarm_time.wSecond) {
            alarm.clear_snooze();
        }
    }
    if (request.days) alarm.flags = (alarm.flags & ~CAlarm::kDayMask) | *request.days;
    if (request.one_time) alarm.flags = *request.one_time ? alarm.flags | CAlarm::kOneTime : alarm.flags & ~CAlarm::kOneTime;
    if (request.name) alarm.name = *request.name;
    if (request.snooze_minutes) alarm.snooze_minutes = *request.snooze_minutes;
    if (alarm.one_time()) {
        if (request.date) {
            alarm.alarm_time.wYear = request.date->year;
            alarm.alarm_time.wMonth = request.date->month;
            alarm.alarm_time.wDay = request.date->day;
        } else if (request.time || request.one_time) {
            alarm.fix_one_time_date(now);
        }
    }
}

// The steps below change the store's records; the caller holds the store mutex. Each gives
// nothing when there is nothing to save, with the error outcome set.

std::optional<Change> add_alarm(const AlarmRequest& request, CTimeStore& store, const SYSTEMTIME& now,
                                AlarmOutcome& outcome) {
    std::unique_ptr<zt::core::CTimeItem> item = store.copy_of_default_alarm();
    auto& alarm = static_cast<CAlarm&>(*item);
    alarm.set_id(0);
    alarm.clear_snooze();
    alarm.alarm_time = SYSTEMTIME { 0, 1, 0, 1, 0, 0, 0, 0 };
    alarm.flags = CAlarm::kDayMask;
    alarm.name = kDefaultAlarmName;
    apply_edits(request, alarm, now);
    if (request.disabled) alarm.set_enabled(false);
    auto* added = static_cast<CAlarm*>(store.add_new_item(item));
    if (!added || !stored(*added)) {
        outcome = failure("the alarm could not be stored");
        return std::nullopt;
    }
    outcome.output = std::to_string(added->id()) + "\n";
    return Change { added->id(), contracts::ItemCommand::Change, 0 };
}

bool is_timer_verb(AlarmVerb verb) {
    return verb == AlarmVerb::Start || verb == AlarmVerb::Pause || verb == AlarmVerb::Reset;
}

std::optional<Change> change_timer(const AlarmRequest& request, CTimeStore& store, const SYSTEMTIME& now,
                                   AlarmOutcome& outcome) {
    CTimer* timer = store.find_timer(request.id);
    if (!timer) {
        outcome = not_found("timer", request.id);
        return std::nullopt;
    }
    contracts::ItemCommand command = contracts::ItemCommand::Change;
    if (request.verb == AlarmVerb::Start) {
        timer->start(now);
    } else if (request.verb == AlarmVerb::Pause) {
        timer->sample(now);
        timer->pause();
    } else {
        timer->reset(now);
        command = contracts::ItemCommand::ResetTimer;
    }
    if (!stored(*timer)) {
        outcome = failure("the timer could not be stored");
        return std::nullopt;
    }
    return Change { request.id, command, 0 };
}

std::optional<Change> delete_alarm(int32_t id, CTimeStore& store, AlarmOutcome& outcome) {
    store.remove(id);
    if (zt::core::read_record(zt::core::ItemType::Alarm, id).failure != zt::core::LoadFailure::Missing) {
        outcome = failure("the alarm could not be deleted");
        return std::nullopt;
    }
    return Change { id, contracts::ItemCommand::Delete, 0 };
}

std::optional<Change> change_alarm(const AlarmRequest& request, CTimeStore& store, const SYSTEMTIME& now,
                                   AlarmOutcome& outcome) {
    CAlarm* alarm = store.find_alarm(request.id);
    if (!alarm) {
        outcome = not_found("alarm", request.id);
        return std::nullopt;
    }
    Change change { request.id, contracts::ItemCommand::Change, 0 };
    switch (request.verb) {
    case AlarmVerb::Change: apply_edits(request, *alarm, now); break;
    case AlarmVerb::Enable:
        alarm->set_enabled(true);
        change.command = contracts::ItemCommand::Enable;
        break;
    case AlarmVerb::Disable:
        alarm->set_enabled(false);
        change.command = contracts::ItemCommand::Disable;
        break;
    case AlarmVerb::Dismiss:
        alarm->clear_snooze();
        change.command = contracts::ItemCommand::Dismiss;
        break;
    case AlarmVerb::Snooze: {
        const uint32_t minutes = request.snooze_minutes.value_or(alarm->snooze_minutes);
        alarm->snooze(minutes, now);
        change = { request.id, contracts::ItemCommand::Snooze, static_cast<uint16_t>(minutes) };
        break;
    }
    case AlarmVerb::Delete: return delete_alarm(request.id, store, outcome);
    default: return std::nullopt;
    }
    if (!stored(*alarm)) {
        outcome = failure("the alarm could not be stored");
        return std::nullopt;
    }
    return change;
}

std::optional<Change> change_records(const AlarmRequest& request, CTimeStore& store, const SYSTEMTIME& now,
                                     AlarmOutcome& outcome) {
    if (request.verb == AlarmVerb::Add) return add_alarm(request, store, now, outcome);
    if (is_timer_verb(request.verb)) return change_timer(request, store, now, outcome);
    return change_alarm(request, store, now, outcome);
}

}  // namespace

AlarmOutcome run_alarm_request(const AlarmRequest& request, CTimeStore& store, ChangeFollowUp& follow_up,
                               const SYSTEMTIME& now) {
    AlarmOutcome outcome;
    if (request.verb == AlarmVerb::Help) {
        outcome.output = alarm_usage();
        return outcome;
    }
    if (!registry_answers()) return failure("the device registry cannot be opened");
    if (request.verb == AlarmVerb::List || request.verb == AlarmVerb::Next) {
        store.reload_all();
        outcome.output = request.verb == AlarmVerb::List ? list_records(store, now) : next_due_line(store, now);
        return outcome;
    }

    std::optional<Change> change;
    {
        zt::core::CStoreLock lock;
        store.reload_all();
        change = change_records(request, store, now, outcome);
    }
    if (!change) return outcome;
    if (!follow_up.reschedule(store)) {
        outcome.exit_code = 2;
        outcome.error += "zt-alarm: saved, but the next due time could not be registered\n";
    }
    follow_up.tell_programs(change->id, change->command, change->argument);
    return outcome;
}

}  // namespace zt::tools
