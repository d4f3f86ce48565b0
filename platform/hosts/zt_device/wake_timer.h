#pragma once
// The device's alarm: a timerfd on CLOCK_REALTIME_ALARM, which wakes a suspended host, where
// the process may use it (CAP_WAKE_ALARM); else on CLOCK_REALTIME. It is always armed with
// TFD_TIMER_CANCEL_ON_SET, so a step of the host clock wakes the loop too.
#include <cstdint>
#include <optional>

namespace zt::platform::device {

class WakeTimer {
public:
    static std::optional<WakeTimer> create();

    int fd() const { return m_fd; }
    bool wakes_suspended_host() const { return m_alarm_clock; }

    // Arms for a host moment (ms since 1970 on the host's real-time clock).
    bool arm_at(int64_t host_unix_ms);

    enum class Wake { Expired, HostClockSet, Nothing };
    // Reads the timer after poll reported it readable. A cancellation by a clock set is
    // reported only when wall time really moved against boot time: resuming from suspend
    // cancels the timer too, but moves both clocks alike.
    Wake consume();

    WakeTimer(WakeTimer&& other) noexcept;
    WakeTimer& operator=(WakeTimer&&) = delete;
    WakeTimer(const WakeTimer&) = delete;
    WakeTimer& operator=(const WakeTimer&) = delete;
    ~WakeTimer();

private:
    WakeTimer(int fd, bool alarm_clock) : m_fd(fd), m_alarm_clock(alarm_clock) {}
    int m_fd { -1 };
    bool m_alarm_clock { false };
    int64_t m_wall_minus_boot_ms { 0 };
};

// Milliseconds since 1970 on the host's real-time clock, now.
int64_t host_unix_ms_now();

}  // namespace zt::platform::device
