#include "core/millisecond_clock.h"

#include <system_error>

#include "core/time_math.h"
#include "platform/base/clock.h"

namespace zt::core {

uint64_t TickExtender::extend(uint32_t tick) {
    if (tick < m_last) m_wraps += uint64_t { 1 } << 32;
    m_last = tick;
    return m_wraps + tick;
}

CMillisecondClock::CMillisecondClock() : m_ticks(zt::platform::tick_count()) {
    m_wall = zt::platform::local_time();
    m_wall_tick = m_ticks.extend(zt::platform::tick_count());
    m_published = m_wall;
}

CMillisecondClock::~CMillisecondClock() { stop_sampling(); }

SYSTEMTIME CMillisecondClock::now() const {
    std::lock_guard lock(m_mutex);
    return m_published;
}

void CMillisecondClock::sample() {
    std::lock_guard lock(m_mutex);
    uint64_t tick = m_ticks.extend(zt::platform::tick_count());
    SYSTEMTIME local = zt::platform::local_time();
    if (local.wHour != m_wall.wHour || local.wMinute != m_wall.wMinute || local.wSecond != m_wall.wSecond) {
        m_wall = local;
        m_wall_tick = tick;
    }
    SYSTEMTIME candidate = add_milliseconds(m_wall, static_cast<int64_t>(tick - m_wall_tick));
    if (difference_ms(candidate, m_published) >= 0) m_published = candidate;
}

bool CMillisecondClock::start_sampling() {
    std::lock_guard lock(m_mutex);
    if (m_thread.joinable()) return false;
    m_stop = false;
    try {
        m_thread = std::thread([this] { run(); });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void CMillisecondClock::stop_sampling() {
    {
        std::lock_guard lock(m_mutex);
        if (!m_thread.joinable()) return;
        m_stop = true;
    }
    m_stop_signal.notify_all();
    m_thread.join();
}

bool CMillisecondClock::sampling() const {
    std::lock_guard lock(m_mutex);
    return m_thread.joinable() && !m_stop;
}

void CMillisecondClock::run() {
    for (;;) {
        {
            std::unique_lock lock(m_mutex);
            if (m_stop_signal.wait_for(lock, std::chrono::milliseconds(kSamplingPeriodMs), [this] { return m_stop; }))
                return;
        }
        sample();
    }
}

CMillisecondClock& CMillisecondClock::instance() {
    static CMillisecondClock clock;
    return clock;
}

SYSTEMTIME timer_now() {
    CMillisecondClock& clock = CMillisecondClock::instance();
    return clock.sampling() ? clock.now() : zt::platform::local_time();
}

}  // namespace zt::core
