#pragma once
// The notification window of the sound manager: the ring controller's window (or the sound
// panel of the main program). It owns the manager's timers and receives its messages. The
// ring controller adapts its real window to this; tests drive a clock-timed stand-in.
#include <cstdint>
#include <functional>

namespace zt::sound {

inline constexpr uint32_t kMsgSoundStarted = 0x0478;  // WM_USER + 120
inline constexpr uint32_t kMsgSoundEnded = 0x0479;    // WM_USER + 121

inline constexpr uint32_t kTimerPlayingTime = 240;
inline constexpr uint32_t kTimerVibration = 241;
inline constexpr uint32_t kTimerPlayerWatchdog = 250;
inline constexpr uint32_t kTimerPlayStatePoll = 251;

class SoundWindow {
public:
    virtual ~SoundWindow() = default;
    virtual bool exists() const = 0;
    // Posts the message with both parameters 0. `playback` names the playback the message
    // belongs to (see CSoundManager::LastPlayback) and travels beside the message, so the
    // receiver can tell a late end of an earlier sound from the end of the current one.
    // Called from any thread.
    virtual void post(uint32_t message, uint64_t playback) = 0;
    // A repeating window timer; setting an id that runs replaces it. The callback runs on the
    // window's thread. kill_timer of an id that does not run does nothing. Any thread.
    virtual void set_timer(uint32_t id, uint32_t period_ms, std::function<void()> callback) = 0;
    virtual void kill_timer(uint32_t id) = 0;
};

}  // namespace zt::sound
