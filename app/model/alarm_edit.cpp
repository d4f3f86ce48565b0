#include "app/model/alarm_edit.h"

#include "app/model/alarm_notice.h"
#include "core/time_math.h"
#include "core/time_store.h"
#include "platform/base/clock.h"
#include "texts/text_table.h"

namespace zt::app {

std::u16string default_alarm_name() { return CTextTable::instance().translate(u"Alarm"); }

CAlarmEdit::CAlarmEdit() = default;
CAlarmEdit::~CAlarmEdit() = default;

skins::DayTime alarm_day_time(const core::CAlarm& alarm) {
    return { alarm.alarm_time.wHour % 24, alarm.alarm_time.wMinute % 60 };
}

skins::DayTime CAlarmEdit::time() const { return m_edited ? alarm_day_time(*m_edited) : skins::DayTime {}; }

void CAlarmEdit::set_minutes(int minutes) {
    if (!m_edited) return;
    platform::SYSTEMTIME& t = m_edited->alarm_time;
    t.wHour = static_cast<uint16_t>(minutes / 60);
    t.wMinute = static_cast<uint16_t>(minutes % 60);
    t.wSecond = 0;
    t.wMilliseconds = 0;
}

void CAlarmEdit::take(const core::CAlarm& stored, skins::Point tap, skins::Point icon_centre) {
    m_edited = std::make_unique<core::CAlarm>(0);
    stored.copy_to(*m_edited);
    m_stored_id = stored.id();
    m_new = false;
    repeat_cell.reset();
    icon_box.reset();
    hold(tap, icon_centre);
}

void CAlarmEdit::hold(skins::Point tap, skins::Point icon_centre) {
    if (!m_edited) return;
    m_state = AlarmEditState::Held;
    m_tap = tap;
    m_grab_offset = { tap.x - icon_centre.x, tap.y - icon_centre.y };
    m_moved = false;
}

void CAlarmEdit::start_new(core::CTimeStore& store, bool one_time, std::optional<int> minutes) {
    cancel();
    m_edited = new_alarm_from_default(store, one_time);
    if (m_edited->name.empty()) m_edited->name = default_alarm_name();
    if (minutes) set_minutes(*minutes);
    m_new = true;
    m_state = AlarmEditState::Open;
}

std::optional<skins::Point> CAlarmEdit::drag(skins::Point point) {
    if (m_state != AlarmEditState::Held) return std::nullopt;
    const int32_t dx = point.x - m_tap.x, dy = point.y - m_tap.y;
    if (!m_moved && dx * dx + dy * dy < kDeadZoneSquared) return std::nullopt;
    m_moved = true;
    return skins::Point { point.x - m_grab_offset.x, point.y - m_grab_offset.y };
}

void CAlarmEdit::pen_up() {
    repeat_cell.reset();
    if (m_state == AlarmEditState::Held) m_state = AlarmEditState::Open;
}

void CAlarmEdit::step(TimeDigit digit, int direction, bool twelve_hour) {
    if (m_state != AlarmEditState::Open) return;
    set_minutes(step_time_digit(minutes(), digit, direction, twelve_hour));
}

bool CAlarmEdit::redraw_allowed(uint32_t tick) {
    if (m_last_redraw && tick - *m_last_redraw < kRedrawMs) return false;
    m_last_redraw = tick;
    return true;
}

std::optional<int32_t> CAlarmEdit::confirm(core::CTimeStore& store) {
    std::unique_ptr<core::CAlarm> edited = std::move(m_edited);
    const std::optional<int32_t> stored_id = m_stored_id;
    cancel();
    if (!edited) return std::nullopt;
    if (edited->name.empty()) edited->name = default_alarm_name();
    core::CAlarm* stored = stored_id ? store.find_alarm(*stored_id) : nullptr;
    if (stored && core::time_of_day_difference_ms(edited->alarm_time, stored->alarm_time) != 0) edited->clear_snooze();
    edited->fix_one_time_date(platform::local_time());
    // An alarm removed elsewhere while it was edited (a one-time alarm dismissed by the ringing
    // program) is stored anew rather than losing what the user set.
    if (!stored) return store_new_alarm(store, std::move(edited));
    edited->copy_to(*stored);
    store_changed_alarm(store, *stored);
    return stored->id();
}

void CAlarmEdit::remove(core::CTimeStore& store) {
    const std::optional<int32_t> stored_id = m_stored_id;
    cancel();
    if (!stored_id || !store.find_alarm(*stored_id)) return;
    store.remove(*stored_id);
    announce_alarm_change(store, *stored_id, contracts::ItemCommand::Delete);
}

void CAlarmEdit::cancel() {
    m_state = AlarmEditState::Idle;
    m_edited.reset();
    m_stored_id.reset();
    m_new = false;
    m_moved = false;
    repeat_cell.reset();
    icon_box.reset();
}

}  // namespace zt::app
