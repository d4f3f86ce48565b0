#pragma once
// A mutex shared by every process of one device, found by name.
//
// Guarantees:
//  - Recursive for the owning thread: each successful wait needs one release.
//  - If the owning thread or its whole process dies while holding it, the next waiter
//    acquires it and is told so (Abandoned); the data it guards may be half-changed, but the
//    device never deadlocks. Abandoned counts as acquired: release it as usual. (When nobody
//    else had the name open, the mutex ends with its owner; a later create starts afresh.)
//  - create_or_open reports already_existed when some handle to that name is open right now
//    in any process of the device. When every other holder has exited (even by a crash) the
//    name is free again and the next create reports a new mutex — the single-instance check
//    of a program relies on this.
//  - Closing a handle does not release the mutex: a thread that closes the last handle while
//    holding it keeps it (and the name stays taken in this process) until that thread releases
//    it through a new handle or ends, which abandons it.
//  - Names are compared exactly (case matters) and share one namespace with events. An empty
//    name makes an unnamed mutex private to this process.
//  - Objects of one device root are invisible to another root.
//
// Built on a process-shared, robust, recursive pthread mutex in the object's shared page.
// Time-outs run on the monotonic clock. A wait is a cancellation point for Thread::terminate
// (it looks for a pending cancel a few times a second while blocked).
#include <chrono>
#include <optional>
#include <string_view>

#include "platform/kernel/object_handle.h"

namespace zt::platform {

class NamedMutex {
public:
    struct Opened;
    static std::optional<Opened> create_or_open(std::u16string_view name);

    enum class WaitResult { Acquired, Abandoned, TimedOut, Failed };
    // No limit waits forever; zero only tries.
    WaitResult wait(std::optional<std::chrono::milliseconds> limit = std::nullopt);
    // False when the calling thread does not own it (nothing changes then).
    bool release();

    NamedMutex(NamedMutex&&) noexcept = default;
    NamedMutex& operator=(NamedMutex&&) noexcept = default;
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;
    ~NamedMutex() = default;

private:
    explicit NamedMutex(detail::ObjectHandle object) : m_object(std::move(object)) {}

    detail::ObjectHandle m_object;
};

struct NamedMutex::Opened {
    NamedMutex mutex;
    bool already_existed { false };
};

}  // namespace zt::platform
