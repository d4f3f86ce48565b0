#include "platform/kernel/deadline.h"

#include <algorithm>

namespace zt::platform::detail {
namespace {

constexpr long kNanosPerSecond = 1'000'000'000L;

std::chrono::nanoseconds to_duration(const timespec& t) {
    return std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec);
}

}  // namespace

timespec monotonic_now() {
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now;
}

Deadline Deadline::after(std::optional<std::chrono::milliseconds> limit) {
    Deadline d;
    if (!limit) return d;
    d.m_unlimited = false;
    auto wait = std::max(*limit, std::chrono::milliseconds(0));
    // Clamp absurd limits (years) so the addition below cannot overflow.
    wait = std::min<std::chrono::milliseconds>(wait, std::chrono::hours(24 * 365 * 10));
    d.m_at = monotonic_now();
    auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
    d.m_at.tv_sec += static_cast<time_t>(ns / kNanosPerSecond);
    d.m_at.tv_nsec += static_cast<long>(ns % kNanosPerSecond);
    if (d.m_at.tv_nsec >= kNanosPerSecond) {
        d.m_at.tv_sec += 1;
        d.m_at.tv_nsec -= kNanosPerSecond;
    }
    return d;
}

bool Deadline::passed() const {
    return !m_unlimited && remaining() == std::chrono::nanoseconds(0);
}

std::chrono::nanoseconds Deadline::remaining() const {
    auto left = to_duration(m_at) - to_duration(monotonic_now());
    return std::max(left, std::chrono::nanoseconds(0));
}

}  // namespace zt::platform::detail
