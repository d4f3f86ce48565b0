#pragma once
// The media players: the embedded media player control, and the external media player
// program it falls back to when the control cannot be made.
#include <functional>
#include <memory>

#include "platform/audio/media_player.h"
#include "core/sound/sound_player.h"
#include "core/sound/sound_window.h"

namespace zt::sound {

// On this device the external path ends where the handheld's shell would be needed: the
// device has no media player program, task bar or input-panel button windows to hide behind
// a fake screen. Without "\Windows\player.exe" or "\Windows\wmplayer.exe" Play fails after
// sound started (so an end message follows), as a handheld without them does; with one of
// them it fails the same way after writing the playlist, and Stop cleans up.
class CExternalMediaPlayer final : public CPlayer {
public:
    CExternalMediaPlayer(SoundEvents& events, SoundWindow& window, CDeviceAlerting& alerting);
    ~CExternalMediaPlayer() override;
    bool Play(const std::u16string& sound_file, uint32_t repeat_mode, uint32_t repeat_value,
              uint32_t volume_mode) override;
    void Stop() override;

private:
    SoundEvents& m_events;
    SoundWindow& m_window;
    CDeviceAlerting& m_alerting;
};

using MediaControlFactory = std::function<std::unique_ptr<zt::platform::audio::MediaPlayer>()>;

class CEmbeddedMediaPlayer final : public CPlayer {
public:
    CEmbeddedMediaPlayer(SoundEvents& events, SoundWindow& window, CDeviceAlerting& alerting,
                         MediaControlFactory create_control);
    ~CEmbeddedMediaPlayer() override;
    bool Play(const std::u16string& sound_file, uint32_t repeat_mode, uint32_t repeat_value,
              uint32_t volume_mode) override;
    void Stop() override;

    bool falling_back() const { return m_fall_back; }

private:
    void poll_play_state();

    SoundEvents& m_events;
    SoundWindow& m_window;
    CDeviceAlerting& m_alerting;
    MediaControlFactory m_create_control;
    CExternalMediaPlayer m_external;
    std::unique_ptr<zt::platform::audio::MediaPlayer> m_control;
    bool m_fall_back { false };
    int32_t m_saved_volume { 0 };
};

}  // namespace zt::sound
