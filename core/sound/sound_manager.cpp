#include "core/sound/sound_manager.h"

#include <algorithm>
#include <cstdint>

#include "core/sound/wave_player.h"

namespace zt::sound {
namespace {

constexpr uint32_t kVibrationMs = 30'000;

}  // namespace

SoundRequest SoundRequest::from(const zt::core::CSoundAction& action) {
    return { action.sound_file(), action.repeat_mode, action.repeat_value, action.volume_mode, action.vibrate };
}

CSoundManager& CSoundManager::instance() {
    static CSoundManager manager(CDeviceAlerting::instance());
    return manager;
}

CSoundManager::CSoundManager(CDeviceAlerting& alerting, MediaControlFactory create_control)
    : m_alerting(alerting), m_create_control(std::move(create_control)) {}

CSoundManager::~CSoundManager() { destroy_player(); }

void CSoundManager::destroy_player() {
    m_player.reset();
    m_kind = PlayerKind::None;
}

std::unique_ptr<CPlayer> CSoundManager::create_player(PlayerKind kind) {
    SoundEvents& events = *this;
    if (kind == PlayerKind::Wave) return std::make_unique<CWavePlayer>(events, m_alerting);
    return std::make_unique<CEmbeddedMediaPlayer>(events, *m_window, m_alerting, m_create_control);
}

bool CSoundManager::Play(const SoundRequest& request) {
    try {
        return play(request);
    } catch (...) {
        // Whatever failed, the sound is over before it began: started and ended, so the item's
        // kind applies as it does for an unreadable file, and the program lives on.
        sound_started();
        Stop();
        return false;
    }
}

bool CSoundManager::play(const SoundRequest& request) {
    if (m_window == nullptr || !m_window->exists()) return false;
    // The playing-time timer is left alone until a new sound really replaces the old one
    // (the stop below ends it): a request that plays nothing must not take the time limit
    // away from a sound that goes on playing.
    if (request.repeat_value == 0) return false;
    const std::u16string file = sound_file_to_play(request.sound_file, m_application_folder);
    const auto kind = player_kind_for(file);
    if (!kind) return false;
    if (*kind != m_kind) {
        destroy_player();
        m_player = create_player(*kind);
        if (!m_player) return false;
        m_kind = *kind;
    }
    Stop();
    if (!m_player->Play(file, request.repeat_mode, request.repeat_value, request.volume_mode)) {
        Stop();
        return false;
    }
    if (request.repeat_mode == 1) {
        const uint64_t period = std::min<uint64_t>(uint64_t(request.repeat_value) * 1000, UINT32_MAX);
        m_window->set_timer(kTimerPlayingTime, uint32_t(period), [this] {
            m_window->kill_timer(kTimerPlayingTime);
            Stop();
        });
    }
    if (request.vibrate && m_alerting.has_vibrator()) {
        m_window->set_timer(kTimerVibration, kVibrationMs, [this] {
            m_window->kill_timer(kTimerVibration);
            m_alerting.vibrator_off();
        });
        m_alerting.vibrator_on();
    }
    return true;
}

void CSoundManager::Stop() {
    m_alerting.vibrator_off();
    if (m_window) {
        m_window->kill_timer(kTimerPlayingTime);
        m_window->kill_timer(kTimerVibration);
    }
    if (m_player) m_player->Stop();
    sound_ended();
}

void CSoundManager::sound_started() {
    std::lock_guard lock(m_transition);
    if (m_playing.exchange(true)) return;
    const uint64_t playback = m_playback.fetch_add(1) + 1;
    if (m_window) m_window->post(kMsgSoundStarted, playback);
}

void CSoundManager::sound_ended() {
    std::lock_guard lock(m_transition);
    if (!m_playing.exchange(false)) return;
    if (m_window) {
        m_window->kill_timer(kTimerPlayingTime);
        m_window->post(kMsgSoundEnded, m_playback.load());
    }
}

}  // namespace zt::sound
