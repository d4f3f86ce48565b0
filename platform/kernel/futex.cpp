#include "platform/kernel/futex.h"

#include <linux/futex.h>
#include <pthread.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>

#include "platform/kernel/cancellation.h"

namespace zt::platform::detail {
namespace {

// The raw futex syscalls are not cancellation points of the C library, yet a thread sleeping
// here must be stoppable by Thread::terminate. Asynchronous cancellation is enabled only
// around the system call itself, where no user-space state is half-changed; the same trick
// the C library used for its own blocking calls.
template <typename Call>
long cancellable(Call call) {
    prepare_stack_for_cancellation();
    int previous = PTHREAD_CANCEL_DEFERRED;
    pthread_setcanceltype(PTHREAD_CANCEL_ASYNCHRONOUS, &previous);
    long result = call();
    int saved = errno;
    pthread_setcanceltype(previous, nullptr);
    errno = saved;
    return result;
}

FutexWait classify(long result) {
    if (result >= 0) return FutexWait::Retry;
    switch (errno) {
        case EAGAIN:
        case EINTR:
            return FutexWait::Retry;
        case ETIMEDOUT:
            return FutexWait::TimedOut;
        default:
            return FutexWait::Failed;
    }
}

std::atomic<bool> g_no_waitv { false };

}  // namespace

FutexWait futex_wait(std::uint32_t* word, std::uint32_t expected, const Deadline& deadline) {
    if (deadline.passed()) return FutexWait::TimedOut;
    // FUTEX_WAIT_BITSET takes an absolute CLOCK_MONOTONIC time, so retries never stretch it.
    const timespec* at = deadline.unlimited() ? nullptr : &deadline.at();
    return classify(cancellable([&] {
        return syscall(SYS_futex, word, FUTEX_WAIT_BITSET, expected, at, nullptr,
                       FUTEX_BITSET_MATCH_ANY);
    }));
}

FutexWait futex_wait_any(std::span<std::uint32_t* const> words,
                         std::span<const std::uint32_t> expected, const Deadline& deadline) {
    if (words.empty() || words.size() != expected.size() || words.size() > kMaxWaitWords)
        return FutexWait::Failed;
    if (words.size() == 1) return futex_wait(words[0], expected[0], deadline);
    if (deadline.passed()) return FutexWait::TimedOut;

    if (!g_no_waitv.load(std::memory_order_relaxed)) {
        futex_waitv vector[kMaxWaitWords] {};
        for (std::size_t i = 0; i < words.size(); ++i) {
            vector[i].val = expected[i];
            vector[i].uaddr = reinterpret_cast<std::uintptr_t>(words[i]);
            vector[i].flags = FUTEX_32;
        }
        const timespec* at = deadline.unlimited() ? nullptr : &deadline.at();
        long result = cancellable([&] {
            return syscall(SYS_futex_waitv, vector, static_cast<unsigned>(words.size()), 0u, at,
                           CLOCK_MONOTONIC);
        });
        if (result >= 0 || errno != ENOSYS) return classify(result);
        g_no_waitv.store(true, std::memory_order_relaxed);
    }
    for (std::size_t i = 1; i < words.size(); ++i)
        if (__atomic_load_n(words[i], __ATOMIC_SEQ_CST) != expected[i]) return FutexWait::Retry;
    Deadline slice = Deadline::after(std::chrono::milliseconds(10));
    FutexWait r = futex_wait(words[0], expected[0],
                             deadline.unlimited() || deadline.remaining() > slice.remaining()
                                 ? slice
                                 : deadline);
    return r == FutexWait::TimedOut && !deadline.passed() ? FutexWait::Retry : r;
}

void futex_wake_all(std::uint32_t* word) {
    syscall(SYS_futex, word, FUTEX_WAKE, INT_MAX, nullptr, nullptr, 0);
}

}  // namespace zt::platform::detail
