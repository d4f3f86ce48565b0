#pragma once
// The players of the sound manager and what they tell it.
#include <cstdint>
#include <string>

#include "core/sound/device_alerting.h"

namespace zt::sound {

// What the manager does for its players: the playing flag and its two messages.
class SoundEvents {
public:
    virtual ~SoundEvents() = default;
    // Not playing → playing: posts the started message. Any thread.
    virtual void sound_started() = 0;
    // Playing → not playing: stops the playing-time timer and posts the ended message, so
    // each playback ends exactly once. Any thread.
    virtual void sound_ended() = 0;
};

class CPlayer {
public:
    virtual ~CPlayer() = default;
    virtual bool Play(const std::u16string& sound_file, uint32_t repeat_mode, uint32_t repeat_value,
                      uint32_t volume_mode) = 0;
    virtual void Stop() = 0;

    CPlayer(const CPlayer&) = delete;
    CPlayer& operator=(const CPlayer&) = delete;

protected:
    CPlayer() = default;
    // How a Play begins: the sound before it stopped, the playing flag set, and the modes kept
    // for the sound's end.
    void begin_play(SoundEvents& events, uint32_t repeat_mode, uint32_t repeat_value, uint32_t volume_mode) {
        Stop();
        events.sound_started();
        keep_modes(repeat_mode, repeat_value, volume_mode);
    }
    void keep_modes(uint32_t repeat_mode, uint32_t repeat_value, uint32_t volume_mode) {
        m_repeat_mode = repeat_mode;
        m_repeat_value = repeat_value;
        m_volume_mode = volume_mode;
    }

    uint32_t m_repeat_mode { 0 };
    uint32_t m_repeat_value { 20 };
    uint32_t m_volume_mode { 1 };
    COverrideSaveArea m_override;
};

}  // namespace zt::sound
