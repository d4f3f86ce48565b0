#pragma once
// The options sheet's timers page: what a running timer does to the device — keep it from
// sleeping ("NoSleepOnTimers") and keep the backlight on ("KeepBacklight"). The page reads the
// values when it is made and writes them only when the sheet closes with OK. Below them it lists
// the countdown presets, the intervals the countdown screen's five slots start with.
#include "app/dialogs/program_look.h"
#include "core/settings_bag.h"

class QCheckBox;
class QListWidget;

namespace zt::app {

inline constexpr int32_t kPresetListId = 1035;
inline constexpr char16_t kTimersHelpTopic[] = u"file:ZunTime.htm#options_timers";

class TimersPage final : public CProgramPage {
public:
    explicit TimersPage(QWidget* parent = nullptr);

    // Writes the two values to the Settings key.
    void save();

    QCheckBox& no_sleep() const { return *m_no_sleep; }
    QCheckBox& keep_backlight() const { return *m_keep_backlight; }
    QListWidget& presets() const { return *m_presets; }

private:
    core::CSettingsBag m_settings;
    QCheckBox* m_no_sleep { nullptr };
    QCheckBox* m_keep_backlight { nullptr };
    QListWidget* m_presets { nullptr };
};

}  // namespace zt::app
