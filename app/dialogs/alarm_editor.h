#pragma once
// The alarm editor: time, week days or the one-time date, snooze length, kind, name and the
// sound of one alarm. It edits the alarm it is given only when the user confirms (OK), after
// the values passed their checks; "Set As Default" gives the default alarm the dialog's values
// and leaves the edited alarm as it was.
//
// open_alarm_editor is the whole errand the Alarms page and the command lines run: a new alarm
// is made from the default alarm and exists in the store only once confirmed; a confirmed
// alarm is saved, the next due time registered and the Today item told (command 7).
#include <QRect>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "app/dialogs/editor_frame.h"
#include "app/dialogs/program_look.h"
#include "app/dialogs/sound_panel.h"
#include "core/alarm.h"
#include "platform/gui/window_timers.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QTimeEdit;

namespace zt::core {
class CTimeStore;
}
namespace zt::platform {
class QtMessagePump;
}
namespace zt::platform::gui {
class SoftKeyBar;
}

namespace zt::app {

class CWeekDayPicker;

inline constexpr int32_t kAlarmEditorResource = 130;
inline constexpr int32_t kDateLabelId = 1061;
inline constexpr int32_t kAlarmTimeId = 1085;
inline constexpr int32_t kDisabledId = 1007;
inline constexpr int32_t kNameId = 1013;
inline constexpr int32_t kKindId = 1014;
inline constexpr int32_t kSnoozeId = 1063;
inline constexpr int32_t kSoundPanelPlaceId = 1062;
inline constexpr uint32_t kSetAsDefaultCommand = 32835;
inline constexpr uint32_t kDateLabelTimer = 521;
inline constexpr uint32_t kDateLabelPeriodMs = 500;
inline constexpr char16_t kAlarmEditorHelpTopic[] = u"file:ZunTime.htm#alarm_options";

// The date a one-time alarm at that time of day gets: today's when the time is later than
// now's time of day, else tomorrow's. Date fields only (day of week set).
platform::SYSTEMTIME one_time_date(int hour, int minute, int second, const platform::SYSTEMTIME& now);

class CAlarmEditor final : public CProgramDialog {
public:
    CAlarmEditor(core::CAlarm& alarm, bool is_new, core::CTimeStore& store, QWidget* parent = nullptr,
                 ChooseSoundFile choose = {});
    ~CAlarmEditor() override;

    // OK: checked, applied, closed with Accepted; false (and open) when a check failed.
    bool confirm();
    // "Set As Default"; false when a check failed.
    bool set_as_default();

    QTimeEdit& time_picker() const { return *m_time; }
    QTimeEdit& snooze_picker() const { return *m_snooze; }
    QCheckBox& disabled_box() const { return *m_disabled; }
    QLineEdit& name_edit() const { return *m_name; }
    QComboBox& kind_list() const { return *m_kind; }
    QLabel& date_label() const { return *m_date; }
    CWeekDayPicker* week_days() const { return m_week_days; }
    CSoundPanel& sound_panel() const { return *m_sound; }
    platform::gui::SoftKeyBar& soft_keys() const { return *m_soft_keys; }
    const platform::gui::WindowTimers& timers() const { return m_timers; }
    // What timer 521 shows: the short date of the picked time's next occurrence.
    void refresh_date_label();

private:
    bool validate();
    void apply_to(core::CAlarm& alarm);
    void on_command(uint32_t command);

    core::CAlarm& m_alarm;
    core::CTimeStore& m_store;
    QTimeEdit* m_time { nullptr };
    QTimeEdit* m_snooze { nullptr };
    QCheckBox* m_disabled { nullptr };
    QLineEdit* m_name { nullptr };
    QComboBox* m_kind { nullptr };
    QLabel* m_date { nullptr };
    CWeekDayPicker* m_week_days { nullptr };
    CSoundPanel* m_sound { nullptr };
    QMenu* m_tools { nullptr };
    platform::gui::SoftKeyBar* m_soft_keys { nullptr };
    platform::gui::WindowTimers m_timers { [this](uint32_t) { refresh_date_label(); } };
    std::unique_ptr<platform::QtMessagePump> m_pump;
};

struct AlarmEditRequest {
    std::optional<int32_t> alarm_id;  // an existing alarm; none: a new one
    bool one_time { false };          // for a new alarm
};

// Runs the editor to its end (exec() unless a test drives it) and returns its result code.
using RunAlarmEditor = std::function<int(CAlarmEditor& editor)>;

// The saved alarm's id; nullopt when the alarm does not exist or the editor was cancelled.
std::optional<int32_t> open_alarm_editor(core::CTimeStore& store, const AlarmEditRequest& request, QWidget* parent,
                                         RunAlarmEditor run = {});

}  // namespace zt::app
