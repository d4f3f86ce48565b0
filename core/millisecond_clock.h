#pragma once
// The timers' millisecond clock: local time with milliseconds that never goes backwards.
//
// It keeps a wall-clock reading W, the tick count Tw at which W was taken and the last value
// it published. Each sampling step reads the tick count t and the local time; when the local
// time differs from W in hour, minute or second it becomes the new W (with t as Tw); the
// candidate W + (t - Tw) is published unless it is earlier than what was published before.
// So when the device clock is set back the clock stands still until the wall clock catches
// up, and when it is set forward the clock follows within a second.
//
// The main program runs the sampling every 50 ms on a thread of its own (start_sampling);
// tests call sample() directly under an injected device clock.
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

#include "platform/base/system_time.h"

namespace zt::core {

using zt::platform::SYSTEMTIME;

// Extends the platform's 32-bit wrapping millisecond tick to 64 bits by counting wraps: a
// reading smaller than the previous one adds 2^32. Readings must come at least once per wrap.
class TickExtender {
public:
    explicit TickExtender(uint32_t first) : m_last(first) {}
    uint64_t extend(uint32_t tick);

private:
    uint32_t m_last;
    uint64_t m_wraps { 0 };
};

class CMillisecondClock {
public:
    static constexpr int kSamplingPeriodMs = 50;

    CMillisecondClock();  // W and the published value are the present local time
    ~CMillisecondClock();
    CMillisecondClock(const CMillisecondClock&) = delete;
    CMillisecondClock& operator=(const CMillisecondClock&) = delete;

    SYSTEMTIME now() const;
    void sample();

    bool start_sampling();  // false when the thread is already running or cannot start
    void stop_sampling();
    bool sampling() const;

    // The process's clock, made on first use (the sampling thread is started by the program).
    static CMillisecondClock& instance();

private:
    void run();

    mutable std::mutex m_mutex;
    TickExtender m_ticks;
    SYSTEMTIME m_wall {};
    uint64_t m_wall_tick { 0 };
    SYSTEMTIME m_published {};

    std::thread m_thread;
    std::condition_variable m_stop_signal;
    bool m_stop { false };
};

// "Now" for timer operations: the process's millisecond clock while it is sampling, else the
// device's local time (programs that run no sampling thread still get a current time).
SYSTEMTIME timer_now();

}  // namespace zt::core
