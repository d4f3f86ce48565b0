#include "platform/kernel/named_mutex.h"

#include <pthread.h>

#include <algorithm>
#include <cerrno>

#include "platform/kernel/cancellation.h"
#include "platform/kernel/deadline.h"

namespace zt::platform {
namespace {

static_assert(sizeof(pthread_mutex_t) <= detail::kPayloadBytes);

// pthread_mutex_clocklock is not a cancellation point; blocking in slices this long keeps a
// waiting thread stoppable by Thread::terminate without waking it often.
constexpr auto kCancelCheckSlice = std::chrono::milliseconds(250);

pthread_mutex_t* native(const detail::ObjectHandle& object) {
    return reinterpret_cast<pthread_mutex_t*>(object.payload());
}

bool initialise_mutex(std::byte* payload) {
    pthread_mutexattr_t attributes;
    if (pthread_mutexattr_init(&attributes) != 0) return false;
    bool ok = pthread_mutexattr_setpshared(&attributes, PTHREAD_PROCESS_SHARED) == 0 &&
              pthread_mutexattr_setrobust(&attributes, PTHREAD_MUTEX_ROBUST) == 0 &&
              pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE) == 0 &&
              pthread_mutex_init(reinterpret_cast<pthread_mutex_t*>(payload), &attributes) == 0;
    pthread_mutexattr_destroy(&attributes);
    return ok;
}

int lock_until(pthread_mutex_t* mutex, const detail::Deadline& deadline) {
    for (;;) {
        auto slice = detail::Deadline::after(kCancelCheckSlice);
        bool last = !deadline.unlimited() && deadline.remaining() <= slice.remaining();
        int rc = pthread_mutex_clocklock(mutex, CLOCK_MONOTONIC,
                                         last ? &deadline.at() : &slice.at());
        if (rc != ETIMEDOUT || last) return rc;
        detail::cancellation_point();
    }
}

}  // namespace

std::optional<NamedMutex::Opened> NamedMutex::create_or_open(std::u16string_view name) {
    auto opened = detail::ObjectHandle::create_or_open(name, detail::ObjectKind::Mutex,
                                                       initialise_mutex);
    if (!opened) return std::nullopt;
    return Opened { NamedMutex(std::move(opened->handle)), opened->already_existed };
}

NamedMutex::WaitResult NamedMutex::wait(std::optional<std::chrono::milliseconds> limit) {
    pthread_mutex_t* mutex = native(m_object);
    if (!mutex) return WaitResult::Failed;
    // The uncontended case is the common one: take it without reading any clock.
    int rc = pthread_mutex_trylock(mutex);
    if (rc == EBUSY && !(limit && *limit <= std::chrono::milliseconds(0)))
        rc = lock_until(mutex, detail::Deadline::after(limit));
    switch (rc) {
        case 0:
            m_object.note_acquired();
            return WaitResult::Acquired;
        case EOWNERDEAD:
            // We own it now; mark it usable again or the next unlock would poison it.
            pthread_mutex_consistent(mutex);
            m_object.note_acquired();
            return WaitResult::Abandoned;
        case EBUSY:
        case ETIMEDOUT:
            return WaitResult::TimedOut;
        default:  // ENOTRECOVERABLE, EAGAIN (recursion count exhausted)
            return WaitResult::Failed;
    }
}

bool NamedMutex::release() {
    pthread_mutex_t* mutex = native(m_object);
    if (!mutex || pthread_mutex_unlock(mutex) != 0) return false;
    m_object.note_released();
    return true;
}

}  // namespace zt::platform
