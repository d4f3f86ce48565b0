#pragma once
// A notification window for tests: its timers run on the device clock (a ManualClock in
// tests) when fire_due_timers() is called, and it records what was posted to it.
#include <cstdint>
#include <map>
#include <mutex>
#include <vector>

#include "core/sound/sound_window.h"

namespace zt::sound::testing {

class ClockWindow final : public SoundWindow {
public:
    bool exists() const override { return m_exists; }
    void post(uint32_t message, uint64_t playback) override;
    void set_timer(uint32_t id, uint32_t period_ms, std::function<void()> callback) override;
    void kill_timer(uint32_t id) override;

    // Runs every timer whose time has come, as often as it has come, in due order.
    void fire_due_timers();
    bool timer_running(uint32_t id) const;
    std::vector<uint32_t> posted() const;
    // The playback number each posted message carried, in posting order.
    std::vector<uint64_t> posted_playbacks() const;
    // Waits (on the real clock) until `message` was posted `count` times.
    void wait_for_posted(uint32_t message, size_t count = 1) const;

    bool m_exists { true };

private:
    struct Timer {
        uint32_t period_ms { 0 };
        uint64_t due_ms { 0 };
        std::function<void()> callback;
    };
    mutable std::mutex m_mutex;
    std::map<uint32_t, Timer> m_timers;
    std::vector<uint32_t> m_posted;
    std::vector<uint64_t> m_posted_playbacks;
};

}  // namespace zt::sound::testing
