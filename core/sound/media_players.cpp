#include "core/sound/media_players.h"

#include "core/sound/playlist.h"
#include "core/sound/sound_file.h"

namespace zt::sound {
namespace {

constexpr uint32_t kPollMs = 100;
constexpr int32_t kFullControlVolume = 100;

}  // namespace

CExternalMediaPlayer::CExternalMediaPlayer(SoundEvents& events, SoundWindow& window, CDeviceAlerting& alerting)
    : m_events(events), m_window(window), m_alerting(alerting) {}

CExternalMediaPlayer::~CExternalMediaPlayer() = default;

bool CExternalMediaPlayer::Play(const std::u16string& sound_file, uint32_t repeat_mode, uint32_t repeat_value,
                                uint32_t volume_mode) {
    begin_play(m_events, repeat_mode, repeat_value, volume_mode);
    if (sound_file.empty()) return false;
    if (!is_existing_file(u"\\Windows\\player.exe") && !is_existing_file(u"\\Windows\\wmplayer.exe")) return false;
    if (!write_playlist(sound_file, repeat_mode, repeat_value)) return false;
    // Putting up the fake screen needs the shell's task bar; this device has none to hide.
    return false;
}

void CExternalMediaPlayer::Stop() {
    m_events.sound_ended();
    m_window.kill_timer(kTimerPlayerWatchdog);
    delete_playlist();
    m_alerting.undo_override(m_override, m_volume_mode);
}

CEmbeddedMediaPlayer::CEmbeddedMediaPlayer(SoundEvents& events, SoundWindow& window, CDeviceAlerting& alerting,
                                           MediaControlFactory create_control)
    : m_events(events),
      m_window(window),
      m_alerting(alerting),
      m_create_control(std::move(create_control)),
      m_external(events, window, alerting) {}

CEmbeddedMediaPlayer::~CEmbeddedMediaPlayer() { Stop(); }

bool CEmbeddedMediaPlayer::Play(const std::u16string& sound_file, uint32_t repeat_mode, uint32_t repeat_value,
                                uint32_t volume_mode) {
    Stop();
    m_fall_back = false;
    if (sound_file.empty()) return false;
    m_control = m_create_control ? m_create_control() : nullptr;
    if (!m_control) {
        m_fall_back = true;
        return m_external.Play(sound_file, repeat_mode, repeat_value, volume_mode);
    }
    keep_modes(repeat_mode, repeat_value, volume_mode);
    m_events.sound_started();
    if (!write_playlist(sound_file, repeat_mode, repeat_value)) return false;
    // The control plays the playlist; automatic start waits until the settings below are made.
    m_control->set_auto_start(false);
    if (!m_control->set_url(kPlaylistPath)) return false;
    m_window.set_timer(kTimerPlayStatePoll, kPollMs, [this] { poll_play_state(); });
    m_alerting.apply_override(m_override, volume_mode);
    if (volume_mode == 1) {
        m_saved_volume = m_control->volume();
        m_control->set_volume(kFullControlVolume);
    }
    m_control->set_auto_start(false);
    m_control->set_mute(false);
    return m_control->play();
}

void CEmbeddedMediaPlayer::poll_play_state() {
    if (m_control && m_control->play_state() == zt::platform::audio::PlayState::Stopped) Stop();
}

void CEmbeddedMediaPlayer::Stop() {
    m_events.sound_ended();
    m_window.kill_timer(kTimerPlayStatePoll);
    if (m_fall_back) {
        m_external.Stop();
        return;
    }
    if (!m_control) return;
    if (m_volume_mode == 1) m_control->set_volume(m_saved_volume);
    m_control->stop();
    m_control.reset();
    m_alerting.undo_override(m_override, m_volume_mode);
}

}  // namespace zt::sound
