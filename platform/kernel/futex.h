#pragma once
// Sleeping on 32-bit words in shared memory. The words live in file-backed MAP_SHARED pages,
// so these are the shared (not process-private) futex operations: a wake in one process
// reaches sleepers in every other process that maps the same file.
//
// Every wait here is a thread cancellation point (see Thread::terminate): a cancel request
// that arrives while the thread sleeps ends the thread at once, unwinding its stack.
#include <cstdint>
#include <span>

#include "platform/kernel/deadline.h"

namespace zt::platform::detail {

enum class FutexWait {
    Retry,     // woken, interrupted, or a word already differed: look again
    TimedOut,  // the deadline passed
    Failed,    // the kernel refused (bad address): do not loop
};

// Sleeps while *word == expected.
FutexWait futex_wait(std::uint32_t* word, std::uint32_t expected, const Deadline& deadline);

// Sleeps while every words[i] == expected[i]; a wake on any of them ends the sleep. At most
// kMaxWaitWords words. Uses the vectored futex wait; on kernels without it (before 5.16) it
// sleeps on the first word in short slices, which costs latency but never misses a wake.
inline constexpr std::size_t kMaxWaitWords = 64;
FutexWait futex_wait_any(std::span<std::uint32_t* const> words,
                         std::span<const std::uint32_t> expected, const Deadline& deadline);

void futex_wake_all(std::uint32_t* word);

}  // namespace zt::platform::detail
