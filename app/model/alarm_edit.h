#pragma once
// CAlarmEdit: the alarm being set on a clock screen, shared by both clocks. An alarm is taken by
// its icon (held), dropped (the control opens over the clock), and then confirmed, deleted,
// cancelled or handed to the alarm editor. The edit works on a copy: the stored alarm changes
// only when the edit is confirmed.
//
// The screens measure (which icon or cell a point hits, what time a point stands for); this
// class holds the state and the rules.
#include <cstdint>
#include <memory>
#include <optional>

#include "app/model/alarm_time_steps.h"
#include "core/alarm.h"
#include "skins/clocks/clock_face.h"
#include "skins/picture.h"

namespace zt::core {
class CTimeStore;
}

namespace zt::app {

enum class AlarmEditState { Idle = 0, Held = 1, Open = 2 };

// The default alarm name of the text table.
std::u16string default_alarm_name();
// The alarm's time of day as the clocks place it.
skins::DayTime alarm_day_time(const core::CAlarm& alarm);

class CAlarmEdit {
public:
    // The pen must leave this circle around the tap point (squared distance 101 or more, i.e.
    // more than 10 pixels) before a held icon moves.
    static constexpr int32_t kDeadZoneSquared = 101;
    // The control is drawn again after a step at most this often.
    static constexpr uint32_t kRedrawMs = 50;

    CAlarmEdit();
    ~CAlarmEdit();
    CAlarmEdit(const CAlarmEdit&) = delete;
    CAlarmEdit& operator=(const CAlarmEdit&) = delete;

    AlarmEditState state() const { return m_state; }
    const core::CAlarm* edited() const { return m_edited.get(); }
    core::CAlarm* edited() { return m_edited.get(); }
    // The alarm of the store the copy came from; none for a new alarm.
    std::optional<int32_t> stored_id() const { return m_stored_id; }
    bool is_new() const { return m_new; }
    // The edited alarm's time of day (0:00 when idle).
    skins::DayTime time() const;
    int minutes() const { return time().hour * 60 + time().minute; }
    // Sets the edited alarm's time of day, seconds and milliseconds cleared.
    void set_minutes(int minutes);

    // The pen went down on a stored alarm's icon, centred at `icon_centre`: its copy is edited.
    void take(const core::CAlarm& stored, skins::Point tap, skins::Point icon_centre);
    // The pen went down on the edited alarm's icon while the control is open.
    void hold(skins::Point tap, skins::Point icon_centre);
    // A new alarm made from the store's default alarm, named, with the one-time flag as asked
    // and the given time (else the default alarm's); the control opens at once.
    void start_new(core::CTimeStore& store, bool one_time, std::optional<int> minutes);

    // A pen move while held: where the icon's centre follows the pen (the point minus the grab
    // offset); nullopt while the pen has not yet left the dead zone since it went down.
    std::optional<skins::Point> drag(skins::Point point);
    bool moved() const { return m_moved; }
    // The pen lifted: a held icon opens the control.
    void pen_up();

    // A step of a digit of the control (also the AM/PM cell).
    void step(TimeDigit digit, int direction, bool twelve_hour);
    // The arrow held for auto-repeat, and its direction.
    struct RepeatCell {
        TimeDigit digit { TimeDigit::HourTens };
        int direction { 1 };
        bool operator==(const RepeatCell&) const = default;
    };
    std::optional<RepeatCell> repeat_cell;
    // The edited icon's last drawn box, for partial redraws.
    std::optional<skins::Rect> icon_box;
    // Whether a redraw after a step may happen at `tick` (ms of the tick count); true
    // remembers it as the last one.
    bool redraw_allowed(uint32_t tick);

    // Confirm: the default name when it has none; the snooze cleared when the time differs from
    // the stored alarm's; a one-time alarm's date fixed; added (new, or its stored alarm gone)
    // or copied into the stored alarm, saved, rescheduled and announced. The alarm's id, or
    // nullopt when nothing was stored.
    std::optional<int32_t> confirm(core::CTimeStore& store);
    // Delete: the stored alarm is removed, rescheduled and announced; a new alarm is only
    // dropped.
    void remove(core::CTimeStore& store);
    // Cancel (also leaving the screen or hiding the alarms): the copy is dropped.
    void cancel();

private:
    AlarmEditState m_state { AlarmEditState::Idle };
    std::unique_ptr<core::CAlarm> m_edited;
    std::optional<int32_t> m_stored_id;
    bool m_new { false };
    skins::Point m_grab_offset;
    skins::Point m_tap;
    bool m_moved { false };
    std::optional<uint32_t> m_last_redraw;
};

}  // namespace zt::app
