#pragma once
// The wave player: reads the whole wave file into memory and plays it on a thread of its own,
// as often or as long as the repeat rule says, with the ascending volume ramp.
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/sound/sound_player.h"

namespace zt::sound {

class CWavePlayer final : public CPlayer {
public:
    CWavePlayer(SoundEvents& events, CDeviceAlerting& alerting);
    ~CWavePlayer() override;  // stops, ends the thread and waits for it

    bool Play(const std::u16string& sound_file, uint32_t repeat_mode, uint32_t repeat_value,
              uint32_t volume_mode) override;
    void Stop() override;

    // The level (per channel) a play starting `elapsed_ms` after the start uses.
    static uint16_t level_for(uint32_t volume_mode, bool single_play, uint32_t elapsed_ms);

private:
    struct Sound {
        std::vector<uint8_t> bytes;
        std::u16string device_path;
    };
    void run();
    void play_once(const std::shared_ptr<const Sound>& sound);
    bool still_current(const std::shared_ptr<const Sound>& sound);
    void pause_between_plays();

    SoundEvents& m_events;
    CDeviceAlerting& m_alerting;
    std::atomic<bool> m_quit { false };
    std::atomic<bool> m_stop { false };
    std::mutex m_buffer_mutex;
    std::shared_ptr<const Sound> m_buffer;  // shared with the play that reads it
    std::atomic<uint32_t> m_plays { 0 };
    std::atomic<uint32_t> m_start_tick { 0 };
    std::atomic<uint32_t> m_thread_repeat_mode { 0 };
    std::atomic<uint32_t> m_thread_repeat_value { 20 };
    std::atomic<uint32_t> m_thread_volume_mode { 1 };
    std::recursive_mutex m_stop_mutex;  // Stop runs on the interface thread and the player thread
    std::thread m_thread;
};

}  // namespace zt::sound
