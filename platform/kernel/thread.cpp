#include "platform/kernel/thread.h"

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <cstdlib>
#include <cxxabi.h>
#include <fstream>
#include <mutex>
#include <string>

namespace zt::platform {
namespace detail {

struct ThreadState {
    Thread::Function body;
    pthread_t native {};
    std::mutex mutex;
    std::condition_variable ended_changed;
    bool ended { false };
    std::uint32_t code { 0 };
    bool terminate_requested { false };
    std::uint32_t terminate_code { 0 };
};

}  // namespace detail

namespace {

using detail::ThreadState;

// Marks the thread ended on every way out of its function, including the unwind of a
// cancellation, which runs this destructor but never returns to the caller.
class EndMarker {
public:
    explicit EndMarker(ThreadState& state) : m_state(state) {}
    EndMarker(const EndMarker&) = delete;
    EndMarker& operator=(const EndMarker&) = delete;
    void finished(std::uint32_t code) { m_code = code; }
    ~EndMarker() {
        std::lock_guard lock(m_state.mutex);
        if (m_code) {
            m_state.code = *m_code;
        } else {
            // Cancelled by terminate(), or left through pthread_exit on its own.
            m_state.code = m_state.terminate_requested ? m_state.terminate_code : 0;
        }
        m_state.ended = true;
        m_state.ended_changed.notify_all();
    }

private:
    ThreadState& m_state;
    std::optional<std::uint32_t> m_code;
};

// A cancellation travels as the C library's forced unwind, which must pass through untouched
// to end the thread; catching it by reference and rethrowing is the documented way. It has no
// C++ object behind it, so the sanitizer's null-reference check must look away here.
__attribute__((noinline, no_sanitize("null"))) std::uint32_t run_body(ThreadState& state) {
    try {
        return state.body();
    } catch (abi::__forced_unwind&) {
        throw;
    } catch (...) {
        return Thread::kUncaughtExceptionCode;
    }
}

void* run(void* start) {
    auto* handed_over = static_cast<std::shared_ptr<ThreadState>*>(start);
    std::shared_ptr<ThreadState> state = std::move(*handed_over);
    delete handed_over;

    EndMarker marker(*state);
    marker.finished(run_body(*state));
    return nullptr;
}

}  // namespace

std::optional<Thread> Thread::create(Function body) {
    if (!body) return std::nullopt;
    auto state = std::make_shared<ThreadState>();
    state->body = std::move(body);
    auto* handed_over = new std::shared_ptr<ThreadState>(state);
    if (pthread_create(&state->native, nullptr, run, handed_over) != 0) {
        delete handed_over;
        return std::nullopt;
    }
    return Thread(std::move(state));
}

Thread::Thread(std::shared_ptr<detail::ThreadState> state) : m_state(std::move(state)) {}

Thread::WaitResult Thread::wait(std::optional<std::chrono::milliseconds> limit) {
    if (!m_state) return WaitResult::Failed;
    std::unique_lock lock(m_state->mutex);
    auto ended = [this] { return m_state->ended; };
    if (!limit) {
        m_state->ended_changed.wait(lock, ended);
        return WaitResult::Ended;
    }
    auto until = std::chrono::steady_clock::now() + std::max(*limit, std::chrono::milliseconds(0));
    return m_state->ended_changed.wait_until(lock, until, ended) ? WaitResult::Ended
                                                                 : WaitResult::TimedOut;
}

ExitStatus Thread::exit_status() const {
    if (!m_state) return {};
    std::lock_guard lock(m_state->mutex);
    if (!m_state->ended) return { ExitStatus::State::StillActive, 0 };
    return { ExitStatus::State::Exited, m_state->code };
}

bool Thread::terminate(std::uint32_t exit_code) {
    if (!m_state) return false;
    {
        std::lock_guard lock(m_state->mutex);
        if (m_state->ended) return false;
        m_state->terminate_requested = true;
        m_state->terminate_code = exit_code;
    }
    // The pthread_t stays valid until we join or detach it (only in let_go), so this cannot
    // reach a recycled thread even if the target has just ended.
    return pthread_cancel(m_state->native) == 0;
}

Thread::Thread(Thread&& other) noexcept : m_state(std::move(other.m_state)) {}

Thread& Thread::operator=(Thread&& other) noexcept {
    if (this != &other) {
        let_go();
        m_state = std::move(other.m_state);
    }
    return *this;
}

Thread::~Thread() { let_go(); }

void Thread::let_go() {
    if (!m_state) return;
    bool ended = false;
    {
        std::lock_guard lock(m_state->mutex);
        ended = m_state->ended;
    }
    // An ended thread is a few instructions from its exit: join it to free it at once.
    if (ended)
        pthread_join(m_state->native, nullptr);
    else
        pthread_detach(m_state->native);
    m_state.reset();
}

namespace {

constexpr int kCapSysNice = 23;

bool has_cap_sys_nice() {
    std::ifstream status("/proc/thread-self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (!line.starts_with("CapEff:")) continue;
        unsigned long long mask = std::strtoull(line.c_str() + 7, nullptr, 16);
        return (mask >> kCapSysNice) & 1;
    }
    return false;
}

// Linux lets an unprivileged thread leave SCHED_IDLE only if RLIMIT_NICE allows its nice
// value (the default limit does not), so going idle could be a one-way street.
bool can_leave_idle() {
    errno = 0;
    int nice_now = getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));
    if (errno != 0) return false;
    rlimit limit {};
    if (getrlimit(RLIMIT_NICE, &limit) == 0 &&
        (limit.rlim_cur == RLIM_INFINITY || static_cast<rlim_t>(20 - nice_now) <= limit.rlim_cur))
        return true;
    return has_cap_sys_nice();
}

}  // namespace

bool set_current_thread_priority(ThreadPriority priority) {
    sched_param param {};
    if (priority == ThreadPriority::Idle && !can_leave_idle()) return false;
    int policy = priority == ThreadPriority::Idle ? SCHED_IDLE : SCHED_OTHER;
    return pthread_setschedparam(pthread_self(), policy, &param) == 0;
}

}  // namespace zt::platform
