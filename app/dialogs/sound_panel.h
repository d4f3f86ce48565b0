#pragma once
// The sound part of the alarm and timer editors: how often or how long the sound plays, which
// sound, how loud, and whether the device vibrates, for one CSoundAction. The host places it
// and calls validate() and apply() when the user confirms; nothing reaches the action before.
//
// Play previews the chosen sound through the process's sound manager, which tells the panel
// when the sound starts and ends (the button reads "Stop" in between). Closing the panel stops
// the sound.
#include <QWidget>

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "core/sound/qt_sound_window.h"
#include "core/sound_action.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;
class QTimeEdit;

namespace zt::app {

inline constexpr int32_t kSoundPanelResource = 153;
inline constexpr int32_t kRepeatListId = 1018;
inline constexpr int32_t kRepeatCountId = 1082;
inline constexpr int32_t kPlayingTimeId = 1085;
inline constexpr int32_t kSoundListId = 1015;
inline constexpr int32_t kPlayButtonId = 1016;
inline constexpr int32_t kVolumeListId = 1017;
inline constexpr int32_t kVibrateId = 1114;
inline constexpr int kMaxCustomSounds = 3;

// The device path the user picked, or nullopt when the chooser was cancelled.
using ChooseSoundFile = std::function<std::optional<std::u16string>(QWidget& parent)>;

class CSoundPanel final : public QWidget {
public:
    // application_folder: the main program's folder, whose "sounds\" the list offers first and
    // where the default sound lies. Without a chooser the device's "Select Sound File" dialog
    // is used.
    CSoundPanel(core::CSoundAction& action, std::u16string application_folder, QWidget* parent,
                ChooseSoundFile choose = {});
    ~CSoundPanel() override;

    // Shows the reason and focuses the control when the values cannot be kept.
    bool validate();
    void apply();

    QComboBox& repeat_list() const { return *m_repeat; }
    QSpinBox& repeat_count() const { return *m_count; }
    QTimeEdit& playing_time() const { return *m_playing_time; }
    QComboBox& sound_list() const { return *m_sounds; }
    QPushButton& play_button() const { return *m_play; }
    QComboBox& volume_list() const { return *m_volume; }
    QCheckBox& vibrate() const { return *m_vibrate; }
    // The selected item's path; empty for "Custom..." or no selection.
    std::u16string selected_path() const;

private:
    void fill_sounds();
    int add_custom(const std::u16string& path);
    void sound_chosen(int index);
    void show_repeat_mode();
    void play_or_stop();
    void sound_message(uint32_t message);

    core::CSoundAction& m_action;
    std::u16string m_application_folder;
    ChooseSoundFile m_choose;
    sound::QtSoundWindow m_sound_window;
    QComboBox* m_repeat { nullptr };
    QSpinBox* m_count { nullptr };
    QTimeEdit* m_playing_time { nullptr };
    QComboBox* m_sounds { nullptr };
    QPushButton* m_play { nullptr };
    QComboBox* m_volume { nullptr };
    QCheckBox* m_vibrate { nullptr };
    int m_selected { -1 };
    // The custom items added in this panel, oldest first.
    std::deque<std::u16string> m_custom;
};

}  // namespace zt::app
