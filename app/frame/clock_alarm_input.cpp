// The clock screens' pen: taking and dragging alarm icons, and the alarm control's cells.
#include <QDialog>
#include <QMouseEvent>

#include <array>

#include "app/dialogs/alarm_editor.h"
#include "app/frame/clock_screens.h"
#include "app/frame/screen_input.h"
#include "core/time_store.h"
#include "platform/base/clock.h"
#include "platform/gui/window_timers.h"
#include "skins/drawing.h"
#include "skins/opacity.h"

namespace zt::app {
namespace {

bool run_program_alarm_editor(QWidget* parent, core::CAlarm& alarm, bool is_new, core::CTimeStore& store) {
    CAlarmEditor editor(alarm, is_new, store, parent);
    return editor.exec() == QDialog::Accepted;
}

}  // namespace

int CClockScreen::time_at(skins::Point point, int previous_hour) const {
    const skins::DayTime t = face_time_at(point, previous_hour);
    return snap_to_quarter(t.hour * 60 + t.minute, day_end());
}

const core::CAlarm* CClockScreen::alarm_at(skins::Point point) const {
    const core::CAlarm* found = nullptr;
    m_sources.store.for_each([&](const core::CTimeItem& item) {
        if (found || item.item_type() != core::ItemType::Alarm) return;
        const auto& alarm = static_cast<const core::CAlarm&>(item);
        const skins::DayTime time = alarm_day_time(alarm);
        if (icons().box(alarm_position(time)).contains(point)) found = &alarm;
    });
    return found;
}

bool CClockScreen::takes_press(skins::Point point) const {
    if (!m_frame.show.alarms) return false;
    // While the control is open every tap is the control's, taken or ignored.
    return m_edit->state() == AlarmEditState::Open || alarm_at(point) != nullptr;
}

void CClockScreen::pen_down(skins::Point point) {
    if (!m_frame.show.alarms) return;
    if (m_edit->state() == AlarmEditState::Open) {
        if (m_edit->icon_box && m_edit->icon_box->contains(point)) {
            m_edit->hold(point, alarm_position(m_edit->time()));
            show_now();
        } else if (!m_control.loaded()) {
            // Nothing to confirm with: the edit ends as a cancel would end it.
            m_edit->cancel();
            show_now();
        } else if (std::optional<skins::ControlHit> hit = m_control.hit(point, m_frame.show.twelve_hour)) {
            press_control(*hit);
        }
        return;
    }
    if (const core::CAlarm* alarm = alarm_at(point)) {
        m_edit->take(*alarm, point, alarm_position(alarm_day_time(*alarm)));
        show_now();
    }
}

void CClockScreen::pen_move(skins::Point point) {
    if (m_edit->state() == AlarmEditState::Held) {
        const bool was_moved = m_edit->moved();
        const std::optional<skins::Point> centre = m_edit->drag(point);
        if (!centre) return;
        const int minutes = time_at(*centre, m_edit->time().hour);
        if (was_moved && minutes == m_edit->minutes()) return;
        m_edit->set_minutes(minutes);
        redraw_dragged_icon();
        return;
    }
    const std::optional<CAlarmEdit::RepeatCell> repeat = m_edit->repeat_cell;
    if (!repeat) return;
    // Auto-repeat lasts while the pen stays on the arrow it pressed.
    const std::optional<skins::ControlHit> hit = m_control.hit(point, m_frame.show.twelve_hour);
    const auto kind = repeat->direction > 0 ? skins::ControlHit::Kind::UpArrow : skins::ControlHit::Kind::DownArrow;
    if (hit && *hit == skins::ControlHit { kind, static_cast<int>(repeat->digit) }) return;
    m_edit->repeat_cell.reset();
    m_timers->kill(kRepeatTimer);
}

void CClockScreen::pen_up(skins::Point point) {
    m_timers->kill(kRepeatTimer);
    if (m_edit->state() != AlarmEditState::Held) {
        m_edit->pen_up();
        return;
    }
    if (m_edit->moved()) {
        if (const std::optional<skins::Point> centre = m_edit->drag(point))
            m_edit->set_minutes(time_at(*centre, m_edit->time().hour));
    }
    m_edit->pen_up();
    show_now();
}

void CClockScreen::press_control(const skins::ControlHit& hit) {
    using Kind = skins::ControlHit::Kind;
    switch (hit.kind) {
        case Kind::Button:
            switch (static_cast<skins::ControlButton>(hit.index)) {
                case skins::ControlButton::Confirm: m_edit->confirm(m_sources.store); break;
                case skins::ControlButton::Delete: m_edit->remove(m_sources.store); break;
                case skins::ControlButton::OpenEditor: open_full_editor(); break;
                case skins::ControlButton::Cancel: m_edit->cancel(); break;
            }
            show_now();
            return;
        case Kind::UpArrow:
        case Kind::DownArrow: {
            const CAlarmEdit::RepeatCell cell { static_cast<TimeDigit>(hit.index), hit.kind == Kind::UpArrow ? 1 : -1 };
            step_digit(cell.digit, cell.direction);
            m_edit->repeat_cell = cell;
            m_timers->set(kRepeatTimer, kRepeatMs);
            return;
        }
        case Kind::AmPm: step_digit(TimeDigit::AmPm, 1); return;
    }
}

void CClockScreen::step_digit(TimeDigit digit, int direction) {
    m_edit->step(digit, direction, m_frame.show.twelve_hour);
    // A step not drawn now is drawn by the next tick, which sees the new time.
    if (m_edit->redraw_allowed(platform::tick_count())) show_now();
}

void CClockScreen::on_timer(uint32_t id) {
    if (id != kRepeatTimer) return;
    if (!m_edit->repeat_cell || m_edit->state() != AlarmEditState::Open) {
        m_timers->kill(kRepeatTimer);
        return;
    }
    step_digit(m_edit->repeat_cell->digit, m_edit->repeat_cell->direction);
}

void CClockScreen::open_full_editor() {
    const core::CAlarm* edited = m_edit->edited();
    if (!edited) return;
    // The editor works on its own copy: the edit may end while it is open (the screen left).
    core::CAlarm working(0);
    edited->copy_to(working);
    const bool full_screen = layout().full_screen && m_sources.request_full_screen;
    if (full_screen) m_sources.request_full_screen(false);
    const bool confirmed = m_sources.edit_alarm
                               ? m_sources.edit_alarm(this, working, m_edit->is_new())
                               : run_program_alarm_editor(this, working, m_edit->is_new(), m_sources.store);
    if (full_screen) m_sources.request_full_screen(true);
    if (!confirmed || !m_edit->edited()) return;
    working.copy_to(*m_edit->edited());
    m_edit->confirm(m_sources.store);
}

void CClockScreen::draw_edit(skins::CPicture& canvas) {
    const core::CAlarm* alarm = m_edit->edited();
    if (!alarm) return;
    const skins::DayTime now = m_edit->time();
    const skins::Point at = alarm_position(now);
    const skins::AlarmMark mark { now.hour, now.minute, alarm->enabled() };
    if (m_edit->state() == AlarmEditState::Held && m_edit->moved()) {
        const core::CAlarm* stored = m_edit->stored_id() ? m_sources.store.find_alarm(*m_edit->stored_id()) : nullptr;
        if (stored) {
            const skins::DayTime old = alarm_day_time(*stored);
            icons().draw(canvas, alarm_position(old), { old.hour, old.minute, stored->enabled() }, skins::IconLook::Old);
        }
        icons().draw(canvas, at, mark, skins::IconLook::New);
    } else {
        icons().draw(canvas, at, mark);
    }
    m_edit->icon_box = icons().box(at);
    if (control_open()) m_control.draw_time(canvas, now, m_frame.show.twelve_hour);
}

void CClockScreen::redraw_dragged_icon() {
    m_frame.edit = { m_edit->state(), m_edit->time(), m_edit->moved() };
    if (!m_under_edit) {
        show_now();
        return;
    }
    std::vector<skins::Rect> boxes { icons().box(alarm_position(m_edit->time())) };
    if (m_edit->icon_box) boxes.push_back(*m_edit->icon_box);
    if (const core::CAlarm* stored = m_edit->stored_id() ? m_sources.store.find_alarm(*m_edit->stored_id()) : nullptr)
        boxes.push_back(icons().box(alarm_position(alarm_day_time(*stored))));
    redraw_part(boxes, [&](skins::CPicture& picture) {
        skins::ScopedOpacity opaque(skins::kOpaque, skins::kOpaque);
        for (const skins::Rect& box : boxes)
            skins::copy_with_opacity(picture, *m_under_edit, box.left, box.top, box.width(), box.height(), box.left, box.top);
        draw_edit(picture);
    });
}

void CClockScreen::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) pen_down(point_of(event->position()));
}

void CClockScreen::mouseMoveEvent(QMouseEvent* event) { pen_move(point_of(event->position())); }

void CClockScreen::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) pen_up(point_of(event->position()));
}

}  // namespace zt::app
