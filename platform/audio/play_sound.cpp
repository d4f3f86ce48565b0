#include "platform/audio/play_sound.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <set>

#include "platform/audio/audio_output.h"
#include "platform/audio/silent_play.h"
#include "platform/audio/sound_server.h"
#include "platform/audio/wave_format.h"
#include "platform/audio/wave_out.h"

namespace zt::platform::audio {
namespace {

// The plays under way; stop_sound() cancels each of them.
std::mutex g_mutex;
std::set<std::atomic<bool>*> g_playing;

class PlayRegistration {
public:
    PlayRegistration() {
        std::lock_guard lock(g_mutex);
        g_playing.insert(&m_cancel);
    }
    ~PlayRegistration() {
        std::lock_guard lock(g_mutex);
        g_playing.erase(&m_cancel);
    }
    PlayRegistration(const PlayRegistration&) = delete;
    PlayRegistration& operator=(const PlayRegistration&) = delete;
    const std::atomic<bool>* flag() const { return &m_cancel; }

private:
    std::atomic<bool> m_cancel { false };
};

}  // namespace

PlayResult play_wave_memory(std::span<const uint8_t> wave_file, std::u16string_view name,
                            const std::atomic<bool>* stop_flag) {
    const auto wave = parse_wave(wave_file);
    if (!wave) return PlayResult::NotAWave;
    if (stop_flag && stop_flag->load()) return PlayResult::Stopped;
    const uint32_t volume = wave_out_get_volume();
    PlayRegistration registration;
    const Cancel cancel { registration.flag(), stop_flag };
    const OutputChoice output = current_output();
    log_event(play_line(name, volume));
    bool finished = false;
    if (output.kind == OutputKind::Default) {
        if (!play_on_sound_server(*wave, uint16_t(volume & 0xFFFF), uint16_t(volume >> 16),
                                  cancel))
            return PlayResult::OutputFailed;
        finished = !cancel.requested();
    } else {
        finished = wait_silently(wave->duration_ms(), cancel);
    }
    if (finished) return PlayResult::Played;
    log_event("stop");
    return PlayResult::Stopped;
}

void stop_sound() {
    std::lock_guard lock(g_mutex);
    for (auto* cancel : g_playing) cancel->store(true);
}

}  // namespace zt::platform::audio
