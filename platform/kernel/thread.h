#pragma once
// Threads of a device program.
//
// Forced end — what terminate() does, and its risks:
//  - It asks the C library to cancel the thread (pthread_cancel, deferred). The thread ends
//    at its next cancellation point: any blocking call of the C library (sleep, read, poll,
//    condition-variable waits, ...) and every wait of this module (events, wait_any, mutexes,
//    thread and process waits). It does not return until then; use wait() to see the end.
//  - A thread that computes without ever reaching a cancellation point is not stopped.
//  - Unlike the handheld's forced end, the thread's stack is unwound: destructors run, so
//    scoped locks are released and memory is freed. Its exit code becomes the one given.
//  - Risks: a function declared noexcept on the thread's stack turns the unwind into
//    std::terminate (the whole process ends); code that catches (...) without rethrowing
//    aborts the process; state guarded only by plain flags may be left half-changed; a
//    NamedMutex the thread held without a scoped guard is abandoned (the next waiter is told).
//  Use it as the handheld code does: only as a last resort after a polite stop timed out.
//
// The exit code is what the thread's function returns. An exception escaping that function
// ends the thread (not the process) with kUncaughtExceptionCode.
//
// Destroying a Thread object does not stop the thread; it runs on, detached.
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "platform/kernel/exit_status.h"

namespace zt::platform {

namespace detail {
struct ThreadState;
}

class Thread {
public:
    using Function = std::function<std::uint32_t()>;
    static constexpr std::uint32_t kUncaughtExceptionCode = 0xE0000001u;

    static std::optional<Thread> create(Function body);

    enum class WaitResult { Ended, TimedOut, Failed };
    WaitResult wait(std::optional<std::chrono::milliseconds> limit = std::nullopt);
    ExitStatus exit_status() const;
    // False when the thread already ended (its own exit code stays) or cannot be reached.
    bool terminate(std::uint32_t exit_code);

    Thread(Thread&&) noexcept;
    Thread& operator=(Thread&&) noexcept;
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;
    ~Thread();

private:
    explicit Thread(std::shared_ptr<detail::ThreadState> state);
    void let_go();

    std::shared_ptr<detail::ThreadState> m_state;
};

// The handheld's idle priority maps to SCHED_IDLE (runs only when nothing else wants the
// CPU); Normal is the ordinary time-sharing class. Affects the calling thread only.
// Linux lets an unprivileged thread out of SCHED_IDLE only when RLIMIT_NICE allows it, so
// Idle is refused (false, nothing changes) where the thread could not come back; callers
// go on at normal priority, which costs nothing while they merely sleep.
enum class ThreadPriority { Normal, Idle };
bool set_current_thread_priority(ThreadPriority priority);

}  // namespace zt::platform
