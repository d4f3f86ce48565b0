#include "platform/kernel/thread.h"

#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <stdexcept>

#include "platform/kernel/event.h"
#include "platform/kernel/named_mutex.h"
#include "platform/testing/child_process.h"
#include "platform/testing/eventually.h"
#include "platform/testing/temp_device_root.h"

namespace zt::platform {
namespace {

using testing::eventually;

using testing::kPatience;
using testing::TempDeviceRoot;
using namespace std::chrono_literals;
using State = ExitStatus::State;

Event gate() { return *Event::create_unnamed(ResetPolicy::Manual, false); }

// Records that the thread's stack was unwound by a forced end.
struct UnwindFlag {
    std::atomic<bool>& ran;
    ~UnwindFlag() { ran = true; }
};

TEST(ThreadLife, ExitCodeIsWhatTheFunctionReturns) {
    Event go = gate();
    auto t = Thread::create([&] {
        go.wait();
        return 42u;
    });
    ASSERT_TRUE(t.has_value());
    EXPECT_EQ(t->exit_status().state, State::StillActive);
    EXPECT_EQ(t->wait(10ms), Thread::WaitResult::TimedOut);
    go.set();
    ASSERT_EQ(t->wait(), Thread::WaitResult::Ended);
    EXPECT_EQ(t->exit_status().state, State::Exited);
    EXPECT_EQ(t->exit_status().code, 42u);
    EXPECT_FALSE(t->terminate(7)) << "nothing to end any more";
    EXPECT_EQ(t->exit_status().code, 42u);
}

TEST(ThreadLife, EscapingExceptionEndsOnlyTheThread) {
    auto t = Thread::create([]() -> std::uint32_t { throw std::runtime_error("boom"); });
    ASSERT_TRUE(t.has_value());
    ASSERT_EQ(t->wait(), Thread::WaitResult::Ended);
    EXPECT_EQ(t->exit_status().code, Thread::kUncaughtExceptionCode);
}

TEST(ThreadLife, EmptyFunctionAndMovedFromHandlesFail) {
    EXPECT_FALSE(Thread::create(Thread::Function()).has_value());
    auto t = Thread::create([] { return 0u; });
    ASSERT_TRUE(t.has_value());
    Thread moved = std::move(*t);
    EXPECT_EQ(t->wait(0ms), Thread::WaitResult::Failed);  // NOLINT(bugprone-use-after-move)
    EXPECT_EQ(t->exit_status().state, State::Unknown);
    EXPECT_EQ(moved.wait(), Thread::WaitResult::Ended);
}

TEST(ThreadForcedEnd, EndsAThreadBlockedInAnEventWaitAndUnwindsIt) {
    Event never = gate();
    std::atomic<bool> unwound { false };
    auto t = Thread::create([&] {
        UnwindFlag flag { unwound };
        never.wait();
        return 1u;
    });
    ASSERT_TRUE(t.has_value());
    ASSERT_TRUE(eventually([&] { return never.waiting_now() == 1; }, kPatience, "the thread waiting on its event"));
    EXPECT_TRUE(t->terminate(0xFFFFFFFFu));
    ASSERT_EQ(t->wait(10s), Thread::WaitResult::Ended);
    EXPECT_EQ(t->exit_status().code, 0xFFFFFFFFu);
    EXPECT_TRUE(unwound);
    EXPECT_EQ(never.waiting_now(), 0u) << "the cancelled wait unregistered itself";
}

TEST(ThreadForcedEnd, EndsAThreadBlockedInWaitAnyOrSleep) {
    Event a = gate();
    Event b = gate();
    auto waiting = Thread::create([&] {
        Waitable* list[] = { &a, &b };
        wait_any(list);
        return 1u;
    });
    auto sleeping = Thread::create([] {
        sleep(3600);  // a blocking call of the C library
        return 1u;
    });
    ASSERT_TRUE(waiting && sleeping);
    ASSERT_TRUE(eventually([&] { return b.waiting_now() == 1; }, kPatience, "the thread waiting on the second event"));
    EXPECT_TRUE(waiting->terminate(5));
    EXPECT_TRUE(sleeping->terminate(6));
    ASSERT_EQ(waiting->wait(10s), Thread::WaitResult::Ended);
    ASSERT_EQ(sleeping->wait(10s), Thread::WaitResult::Ended);
    EXPECT_EQ(waiting->exit_status().code, 5u);
    EXPECT_EQ(sleeping->exit_status().code, 6u);
}

TEST(ThreadForcedEnd, EndsAThreadBlockedOnAMutexAndAbandonsWhatItHeld) {
    TempDeviceRoot device;
    auto held = NamedMutex::create_or_open(u"Held");
    ASSERT_TRUE(held.has_value());
    ASSERT_EQ(held->mutex.wait(), NamedMutex::WaitResult::Acquired);
    std::atomic<bool> owns_other { false };
    auto t = Thread::create([&] {
        auto other = NamedMutex::create_or_open(u"Other");
        if (!other || other->mutex.wait() != NamedMutex::WaitResult::Acquired) return 1u;
        owns_other = true;
        auto blocked = NamedMutex::create_or_open(u"Held");
        blocked->mutex.wait();  // blocks: the test thread owns it
        return 2u;
    });
    ASSERT_TRUE(t.has_value());
    ASSERT_TRUE(eventually([&] { return owns_other.load(); }, kPatience, "the other thread to own the mutex"));
    EXPECT_TRUE(t->terminate(9));
    ASSERT_EQ(t->wait(10s), Thread::WaitResult::Ended);
    EXPECT_EQ(t->exit_status().code, 9u);
    auto other = NamedMutex::create_or_open(u"Other");
    ASSERT_TRUE(other.has_value());
    EXPECT_EQ(other->mutex.wait(1s), NamedMutex::WaitResult::Abandoned);
    EXPECT_TRUE(other->mutex.release());
    EXPECT_TRUE(held->mutex.release());
}

TEST(ThreadPriority, IdleAndBackToNormal) {
    std::atomic<bool> idle_ok { false };
    std::atomic<bool> normal_ok { false };
    auto t = Thread::create([&] {
        idle_ok = set_current_thread_priority(ThreadPriority::Idle);
        normal_ok = set_current_thread_priority(ThreadPriority::Normal);
        return 0u;
    });
    ASSERT_TRUE(t.has_value());
    ASSERT_EQ(t->wait(), Thread::WaitResult::Ended);
    EXPECT_TRUE(!idle_ok || normal_ok) << "a thread sent to idle must be able to come back";
    EXPECT_TRUE(normal_ok);
}

TEST(ThreadPriority, IdleIsRefusedWhereTheThreadCouldNotComeBack) {
    pid_t child = testing::fork_child([] {
        // Lose the privilege to lower a nice value, as an ordinary user with the default limit.
        rlimit no_nice { 0, 0 };
        __user_cap_header_struct header { _LINUX_CAPABILITY_VERSION_3, 0 };
        __user_cap_data_struct caps[2] {};
        if (setrlimit(RLIMIT_NICE, &no_nice) != 0) return 1;
        if (syscall(SYS_capget, &header, caps) != 0) return 2;
        caps[0].effective &= ~(1u << 23);  // CAP_SYS_NICE
        caps[0].permitted &= ~(1u << 23);
        if (syscall(SYS_capset, &header, caps) != 0) return 3;
        if (set_current_thread_priority(ThreadPriority::Idle)) return 4;
        return sched_getscheduler(0) == SCHED_OTHER ? 0 : 5;
    });
    EXPECT_EQ(testing::wait_child(child), 0);
}

}  // namespace
}  // namespace zt::platform
