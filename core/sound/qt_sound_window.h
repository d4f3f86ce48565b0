#pragma once
// The sound manager's notification window on a Qt event loop: the window of a program with a
// face (Ringout's frame, the main program's sound panel). Its timers are window timers of the
// thread that made it; posted messages and timers set or killed from other threads (the wave
// player's) reach that thread in order.
#include <QObject>

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>

#include "core/sound/sound_window.h"
#include "platform/gui/window_timers.h"

namespace zt::sound {

class QtSoundWindow final : public QObject, public SoundWindow {
public:
    // Receives the posted messages on the window's thread.
    using MessageHandler = std::function<void(uint32_t message, uint64_t playback)>;

    explicit QtSoundWindow(MessageHandler on_message, QObject* parent = nullptr);

    // From now on the window does not exist for the manager: it plays nothing more through it.
    void close() { m_exists = false; }

    bool exists() const override { return m_exists.load(); }
    void post(uint32_t message, uint64_t playback) override;
    void set_timer(uint32_t id, uint32_t period_ms, std::function<void()> callback) override;
    void kill_timer(uint32_t id) override;

private:
    bool on_own_thread() const;
    void kill_timer_now(uint32_t id, std::optional<uint64_t> generation);
    void on_timer(uint32_t id);

    MessageHandler m_on_message;
    std::atomic<bool> m_exists { true };
    // Each timer with its callback and the generation it was set in: a kill sent from another
    // thread must not stop a timer set again after it was sent.
    struct SoundTimer {
        std::function<void()> callback;
        uint64_t generation { 0 };
        bool active { false };
    };
    mutable std::mutex m_timers_mutex;  // guards the generations read from other threads
    std::map<uint32_t, SoundTimer> m_timers;
    platform::gui::WindowTimers m_window_timers { [this](uint32_t id) { on_timer(id); } };
    uint64_t m_next_generation { 1 };
};

}  // namespace zt::sound
