#pragma once
// Waiting for one of several objects at once.
//
// Guarantees:
//  - wait_any returns after one of the objects was signalled for this waiter, and reports the
//    lowest index among those signalled at the moment it looked; only that one object is
//    consumed (an automatic-reset event is cleared, the others are left untouched).
//  - A pulse releases a waiter only if the waiter was already waiting when the pulse came.
//  - The time-out runs on the monotonic clock: setting the wall clock or the device clock
//    offset neither shortens nor stretches it. No limit waits forever; zero just looks.
//  - The wait is a cancellation point for Thread::terminate.
//
// Events are the only waitable objects today. Mutexes are left out on purpose: a mutex whose
// owner dies is noticed by the kernel's robust-mutex machinery, which wakes only waiters
// blocked in the mutex itself, so a multi-object wait could sleep through an abandonment.
#include <chrono>
#include <cstddef>
#include <optional>
#include <span>

namespace zt::platform {
namespace detail {
class EventCell;
}

struct WaitAnyResult {
    // Abandoned is reserved for mutexes, which wait_any does not accept (see above).
    enum class Kind { Signalled, Abandoned, TimedOut, Failed };
    Kind kind { Kind::Failed };
    std::size_t index { 0 };  // meaningful for Signalled
};

class Waitable;

// Fails for an empty list, a null entry, an invalid (moved-from) object or more than 64.
WaitAnyResult wait_any(std::span<Waitable* const> objects,
                       std::optional<std::chrono::milliseconds> limit = std::nullopt);

class Waitable {
public:
    virtual ~Waitable() = default;

protected:
    Waitable() = default;
    Waitable(const Waitable&) = default;
    Waitable& operator=(const Waitable&) = default;

private:
    friend WaitAnyResult wait_any(std::span<Waitable* const>,
                                  std::optional<std::chrono::milliseconds>);
    // The shared state to watch; null when the object is not usable.
    virtual detail::EventCell* wait_cell() = 0;
};

}  // namespace zt::platform
