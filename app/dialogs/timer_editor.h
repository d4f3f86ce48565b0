#pragma once
// The timer editor: interval, name, kind (normal or auto restart) and the sound of one
// count-down timer. The timer changes only when the user confirms and the values passed their
// checks: a name without ";" or "=" (they would break the stored property list) and an
// interval of at least a second.
//
// run_timer_editor is the errand the countdown screen runs (its edit button, "Custom..." of the
// interval menu): a confirmed timer is reset, saved, the next due time registered and the
// Today item told.
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "app/dialogs/program_look.h"
#include "app/dialogs/sound_panel.h"

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace zt::core {
class CTimeStore;
class CTimer;
}  // namespace zt::core
namespace zt::platform {
class QtMessagePump;
}
namespace zt::platform::gui {
class SoftKeyBar;
}

namespace zt::app {

inline constexpr int32_t kTimerEditorResource = 131;
inline constexpr int32_t kIntervalHoursId = 1086;
inline constexpr int32_t kIntervalMinutesId = 1087;
inline constexpr int32_t kIntervalSecondsId = 1088;
inline constexpr int32_t kTimerNameId = 1013;
inline constexpr int32_t kTimerKindId = 1014;
inline constexpr uint32_t kMinimumTimerInterval = 1;  // seconds
inline constexpr char16_t kTimerEditorHelpTopic[] = u"file:ZunTime.htm#countdown_timers";

// A name the stored property list can hold: no ";" and no "=".
bool is_valid_timer_name(std::u16string_view name);

class CTimerEditor final : public CProgramDialog {
public:
    // The timer must have a sound action.
    CTimerEditor(core::CTimer& timer, core::CTimeStore& store, QWidget* parent = nullptr, ChooseSoundFile choose = {});
    ~CTimerEditor() override;

    // OK: checked, applied, closed with Accepted; false (and open) when a check failed.
    bool confirm();

    // The interval the three fields hold, in seconds.
    uint32_t interval_seconds() const;
    void set_interval_seconds(uint32_t seconds);

    QSpinBox& hours() const { return *m_hours; }
    QSpinBox& minutes() const { return *m_minutes; }
    QSpinBox& seconds() const { return *m_seconds; }
    QLineEdit& name_edit() const { return *m_name; }
    QComboBox& kind_list() const { return *m_kind; }
    CSoundPanel& sound_panel() const { return *m_sound; }
    platform::gui::SoftKeyBar& soft_keys() const { return *m_soft_keys; }

private:
    bool validate();
    void on_command(uint32_t command);

    core::CTimer& m_timer;
    QSpinBox* m_hours { nullptr };
    QSpinBox* m_minutes { nullptr };
    QSpinBox* m_seconds { nullptr };
    QLineEdit* m_name { nullptr };
    QComboBox* m_kind { nullptr };
    CSoundPanel* m_sound { nullptr };
    platform::gui::SoftKeyBar* m_soft_keys { nullptr };
    std::unique_ptr<platform::QtMessagePump> m_pump;
};

// Runs the editor to its end (exec() unless a test drives it) and returns its result code.
using RunTimerEditor = std::function<int(CTimerEditor& editor)>;

// True when the user confirmed; the timer then holds the new values and has been reset, saved
// and rescheduled. A stopwatch or a timer without a sound action opens nothing (false).
bool run_timer_editor(core::CTimer& timer, core::CTimeStore& store, QWidget* parent, RunTimerEditor run = {});

}  // namespace zt::app
