#pragma once
// A wait's end point on the monotonic clock. Time-outs are durations, so they must not move
// when someone sets the wall clock or the device clock offset.
#include <time.h>

#include <chrono>
#include <optional>

namespace zt::platform::detail {

class Deadline {
public:
    // No limit waits forever; a negative limit is treated as zero (poll once).
    static Deadline after(std::optional<std::chrono::milliseconds> limit);

    bool unlimited() const { return m_unlimited; }
    bool passed() const;
    // The absolute CLOCK_MONOTONIC time; meaningless when unlimited().
    const timespec& at() const { return m_at; }
    // What is left, never negative; only when limited.
    std::chrono::nanoseconds remaining() const;

private:
    bool m_unlimited { true };
    timespec m_at {};
};

timespec monotonic_now();

}  // namespace zt::platform::detail
