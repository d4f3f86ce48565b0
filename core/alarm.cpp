#include "core/alarm.h"

#include "core/time_codec.h"
#include "core/time_math.h"
#include "platform/base/clock.h"

namespace zt::core {

CAlarm::CAlarm(int32_t id) : CTimeItem(ItemType::Alarm, id) { kind = kKindAutoSnooze; }

void CAlarm::copy_to(CTimeItem& target) const {
    if (target.item_type() != ItemType::Alarm || &target == this) return;
    CTimeItem::copy_to(target);
    auto& alarm = static_cast<CAlarm&>(target);
    alarm.alarm_time = alarm_time;
    alarm.snooze_until = snooze_until;
    alarm.snooze_minutes = snooze_minutes;
    alarm.snoozed = snoozed;
    alarm.flags = flags;
}

bool CAlarm::to_value_map(CValueMap& map) const {
    if (!action() || !action()->save(map)) return false;
    map.put_number(u"actp", static_cast<uint32_t>(action()->type()));
    map.put_number(u"alt", encode_time_of_day(alarm_time));
    if (snoozed) {
        map.put_number(u"alszt", encode_time_of_day(snooze_until));
        map.put_number(u"alszd", encode_date(snooze_until));
    }
    if (one_time()) map.put_number(u"alond", encode_date(alarm_time));
    map.put_number(u"alszdt", snooze_minutes);
    map.put_number(u"alo", flags);
    map.put_text(u"tn", name);
    map.put_number(u"gtib", kind);
    return true;
}

bool CAlarm::from_value_map(const CValueMap& map) {
    auto time = map.number(u"alt");
    auto minutes = map.number(u"alszdt");
    auto stored_flags = map.number(u"alo");
    if (!time || !minutes || !stored_flags) return false;
    auto stored_kind = map.number(u"gtib");
    auto snooze_date = map.number(u"alszd");
    auto snooze_time = map.number(u"alszt");
    auto date = map.number(u"alond");
    std::unique_ptr<CAction> loaded = load_action(map);
    if (!loaded) return false;

    if (action()) loaded->copy_to(*action());
    alarm_time = decode_date_time(date.value_or(0), *time);
    snooze_until = decode_date_time(snooze_date.value_or(0), snooze_time.value_or(0));
    snooze_minutes = *minutes;
    flags = *stored_flags;
    kind = stored_kind.value_or(0);
    snoozed = snooze_date && snooze_time;
    const std::u16string* stored_name = map.text(u"tn");
    name = stored_name ? *stored_name : std::u16string();
    return true;
}

bool CAlarm::save() { return save_stored(); }

bool CAlarm::load() { return load_stored(); }

bool CAlarm::next_occurrence(const SYSTEMTIME& reference, SYSTEMTIME& occurrence) const {
    if (flags & kDisabled) return false;
    if (snoozed) {
        occurrence = snooze_until;
        return true;
    }
    if (one_time()) {
        occurrence = alarm_time;
        return true;
    }
    uint32_t days = flags & kDayMask;
    if (days == 0) return false;
    SYSTEMTIME day = reference;
    uint16_t weekday = static_cast<uint16_t>(reference.wDayOfWeek % 7);
    for (int pass = 0; pass < 8; ++pass) {
        if ((days & day_bit(weekday)) && (pass > 0 || time_of_day_difference_ms(alarm_time, day) >= 0)) break;
        day = add_milliseconds(day, kMillisecondsPerDay);
        weekday = static_cast<uint16_t>((weekday + 1) % 7);
    }
    occurrence = day;
    copy_time_of_day(occurrence, alarm_time);
    occurrence = add_milliseconds(occurrence, 0);
    return true;
}

void CAlarm::snooze(uint32_t minutes, const SYSTEMTIME& now) {
    snoozed = true;
    snooze_until = add_milliseconds(now, int64_t { minutes } * 60'000);
    snooze_until.wSecond = 0;
}

void CAlarm::snooze(uint32_t minutes) { snooze(minutes, zt::platform::local_time()); }

void CAlarm::set_enabled(bool enable) {
    snoozed = false;
    if (enable)
        flags &= ~kDisabled;
    else
        flags |= kDisabled;
}

void CAlarm::fix_one_time_date(const SYSTEMTIME& now) {
    if (!one_time()) return;
    alarm_time.wYear = now.wYear;
    alarm_time.wMonth = now.wMonth;
    alarm_time.wDay = now.wDay;
    alarm_time.wDayOfWeek = now.wDayOfWeek;
    alarm_time = add_milliseconds(alarm_time, 0);
    if (difference_ms(alarm_time, now) <= 0) alarm_time = add_milliseconds(alarm_time, kMillisecondsPerDay);
}

void CAlarm::fix_one_time_date() { fix_one_time_date(zt::platform::local_time()); }

}  // namespace zt::core
