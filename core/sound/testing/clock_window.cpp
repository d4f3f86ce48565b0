#include "core/sound/testing/clock_window.h"

#include <algorithm>
#include <thread>

#include "platform/base/clock.h"

namespace zt::sound::testing {

void ClockWindow::post(uint32_t message, uint64_t playback) {
    std::lock_guard lock(m_mutex);
    m_posted.push_back(message);
    m_posted_playbacks.push_back(playback);
}

void ClockWindow::set_timer(uint32_t id, uint32_t period_ms, std::function<void()> callback) {
    std::lock_guard lock(m_mutex);
    m_timers[id] = Timer { period_ms, zt::platform::tick_count64() + period_ms, std::move(callback) };
}

void ClockWindow::kill_timer(uint32_t id) {
    std::lock_guard lock(m_mutex);
    m_timers.erase(id);
}

void ClockWindow::fire_due_timers() {
    for (;;) {
        std::function<void()> callback;
        {
            std::lock_guard lock(m_mutex);
            const uint64_t now = zt::platform::tick_count64();
            auto next = m_timers.end();
            for (auto it = m_timers.begin(); it != m_timers.end(); ++it)
                if (it->second.due_ms <= now && (next == m_timers.end() || it->second.due_ms < next->second.due_ms))
                    next = it;
            if (next == m_timers.end()) return;
            next->second.due_ms += std::max<uint32_t>(next->second.period_ms, 1);
            callback = next->second.callback;  // a copy: the callback may kill or reset its timer
        }
        callback();
    }
}

bool ClockWindow::timer_running(uint32_t id) const {
    std::lock_guard lock(m_mutex);
    return m_timers.contains(id);
}

std::vector<uint32_t> ClockWindow::posted() const {
    std::lock_guard lock(m_mutex);
    return m_posted;
}

std::vector<uint64_t> ClockWindow::posted_playbacks() const {
    std::lock_guard lock(m_mutex);
    return m_posted_playbacks;
}

void ClockWindow::wait_for_posted(uint32_t message, size_t count) const {
    for (;;) {
        {
            std::lock_guard lock(m_mutex);
            if (size_t(std::count(m_posted.begin(), m_posted.end(), message)) >= count) return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

}  // namespace zt::sound::testing
