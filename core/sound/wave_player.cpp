#include "core/sound/wave_player.h"

#include <chrono>

#include "platform/audio/play_sound.h"
#include "platform/audio/wave_out.h"
#include "platform/base/clock.h"
#include "core/sound/sound_file.h"

namespace zt::sound {
namespace {

constexpr uint32_t kRampMs = 20'000;
constexpr uint32_t kRampSpan = 0xBFFF;
constexpr uint32_t kRampStart = 0x4000;
constexpr int kPauseSteps = 10;  // 10 × 10 ms between plays

void sleep_a_while() { std::this_thread::sleep_for(std::chrono::milliseconds(10)); }

}  // namespace

CWavePlayer::CWavePlayer(SoundEvents& events, CDeviceAlerting& alerting)
    : m_events(events), m_alerting(alerting), m_thread([this] { run(); }) {}

CWavePlayer::~CWavePlayer() {
    Stop();
    m_quit.store(true);
    if (m_thread.joinable()) m_thread.join();
}

uint16_t CWavePlayer::level_for(uint32_t volume_mode, bool single_play, uint32_t elapsed_ms) {
    if (volume_mode == 2 && !single_play && elapsed_ms < kRampMs)
        return uint16_t(uint64_t(elapsed_ms) * kRampSpan / kRampMs + kRampStart);
    return 0xFFFF;
}

bool CWavePlayer::Play(const std::u16string& sound_file, uint32_t repeat_mode, uint32_t repeat_value,
                       uint32_t volume_mode) {
    begin_play(m_events, repeat_mode, repeat_value, volume_mode);
    auto bytes = read_whole_file(sound_file);
    if (!bytes) return false;
    auto sound = std::make_shared<const Sound>(Sound { std::move(*bytes), sound_file });

    std::lock_guard stop_lock(m_stop_mutex);
    m_alerting.apply_override(m_override, volume_mode);
    m_thread_repeat_mode.store(repeat_mode);
    m_thread_repeat_value.store(repeat_value);
    m_thread_volume_mode.store(volume_mode);
    m_start_tick.store(zt::platform::tick_count());
    m_stop.store(false);
    m_plays.store(0);
    std::lock_guard lock(m_buffer_mutex);
    m_buffer = std::move(sound);
    return true;
}

void CWavePlayer::Stop() {
    std::lock_guard stop_lock(m_stop_mutex);
    m_events.sound_ended();
    std::shared_ptr<const Sound> detached;
    {
        std::lock_guard lock(m_buffer_mutex);
        detached.swap(m_buffer);
    }
    if (!detached) return;
    m_plays.store(0);
    m_stop.store(true);
    zt::platform::audio::stop_sound();
    // The thread holds its own reference while it plays: the bytes go when both let go.
    detached.reset();
    m_alerting.undo_override(m_override, m_volume_mode);
}

bool CWavePlayer::still_current(const std::shared_ptr<const Sound>& sound) {
    std::lock_guard lock(m_buffer_mutex);
    return m_buffer == sound;
}

void CWavePlayer::pause_between_plays() {
    for (int step = 0; step < kPauseSteps && !m_quit.load() && !m_stop.load(); ++step) sleep_a_while();
}

void CWavePlayer::play_once(const std::shared_ptr<const Sound>& sound) {
    const uint32_t mode = m_thread_repeat_mode.load();
    const uint32_t value = m_thread_repeat_value.load();
    const uint32_t volume_mode = m_thread_volume_mode.load();
    const bool single = mode == 0 && value == 1;
    if (!(mode == 1 || (mode == 0 && m_plays.load() < value))) return;
    if (volume_mode != 0) {
        const uint32_t elapsed = zt::platform::tick_count() - m_start_tick.load();
        const uint32_t level = level_for(volume_mode, single, elapsed);
        zt::platform::audio::wave_out_set_volume(level | level << 16);
    }
    zt::platform::audio::play_wave_memory(sound->bytes, sound->device_path, &m_stop);
    // A Stop (and perhaps a new Play) while this play ran: the count is no longer ours.
    if (!still_current(sound)) return;
    const uint32_t plays = m_plays.fetch_add(1) + 1;
    if (mode == 0 && plays >= value) {
        // Played out. Checked again under the stop lock: a Stop and a new Play on the interface
        // thread since the check above must not have their new sound ended by this old one.
        std::lock_guard stop_lock(m_stop_mutex);
        if (still_current(sound)) Stop();
        return;
    }
    if (!single) pause_between_plays();
}

void CWavePlayer::run() {
    while (!m_quit.load()) {
        std::shared_ptr<const Sound> sound;
        {
            std::lock_guard lock(m_buffer_mutex);
            sound = m_buffer;
        }
        if (sound) play_once(sound);
        sleep_a_while();
    }
}

}  // namespace zt::sound
