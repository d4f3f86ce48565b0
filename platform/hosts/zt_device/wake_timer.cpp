#include "platform/hosts/zt_device/wake_timer.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <utility>

namespace zt::platform::device {
namespace {

// A clock set smaller than this is taken for noise between the two clock readings.
constexpr int64_t kClockStepThresholdMs = 500;

int64_t read_ms(clockid_t clock) {
    timespec ts {};
    clock_gettime(clock, &ts);
    return int64_t { ts.tv_sec } * 1000 + ts.tv_nsec / 1'000'000;
}

int64_t wall_minus_boot_ms() { return read_ms(CLOCK_REALTIME) - read_ms(CLOCK_BOOTTIME); }

}  // namespace

int64_t host_unix_ms_now() { return read_ms(CLOCK_REALTIME); }

std::optional<WakeTimer> WakeTimer::create() {
    int fd = timerfd_create(CLOCK_REALTIME_ALARM, TFD_NONBLOCK | TFD_CLOEXEC);
    if (fd >= 0) return WakeTimer(fd, true);
    fd = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (fd >= 0) return WakeTimer(fd, false);
    return std::nullopt;
}

bool WakeTimer::arm_at(int64_t host_unix_ms) {
    // A moment at or before 1970 would read as "disarm"; fire at once instead.
    if (host_unix_ms < 1) host_unix_ms = 1;
    itimerspec when {};
    when.it_value.tv_sec = static_cast<time_t>(host_unix_ms / 1000);
    when.it_value.tv_nsec = static_cast<long>((host_unix_ms % 1000) * 1'000'000);
    m_wall_minus_boot_ms = wall_minus_boot_ms();
    return timerfd_settime(m_fd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &when, nullptr) == 0;
}

WakeTimer::Wake WakeTimer::consume() {
    uint64_t expirations = 0;
    ssize_t got = read(m_fd, &expirations, sizeof expirations);
    if (got == sizeof expirations) return Wake::Expired;
    if (got < 0 && errno == ECANCELED) {
        int64_t before = std::exchange(m_wall_minus_boot_ms, wall_minus_boot_ms());
        return std::llabs(m_wall_minus_boot_ms - before) >= kClockStepThresholdMs ? Wake::HostClockSet : Wake::Nothing;
    }
    return Wake::Nothing;
}

WakeTimer::WakeTimer(WakeTimer&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_alarm_clock(other.m_alarm_clock),
      m_wall_minus_boot_ms(other.m_wall_minus_boot_ms) {}

WakeTimer::~WakeTimer() {
    if (m_fd >= 0) ::close(m_fd);
}

}  // namespace zt::platform::device
